// Real sessions conformed by `reelwright conform ardour` and checked by
// their own sound: every NEW frame of every change event, on every track,
// must read the OLD timecode the change list gives, at track 1's gain there.

#include "Folders.h"
#include "SessionBuilder.h"

#include "ardour/ArdourSession.h"
#include "core/Files.h"
#include "core/KLVtc.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace rw::test {
namespace {

struct EventSpec {
    std::int64_t oldIn, newIn, length;  // frames
};

struct SoundCase {
    const char* name;
    SessionSpec session;
    const char* edlType;
    std::vector<EventSpec> events;
    int exitStatus;
    std::vector<const char*> fates;  // per event, as printed
};

// Test names and failures name the case, not its bytes.
void PrintTo(const SoundCase& c, std::ostream* os) { *os << c.name; }

std::int64_t frames(const char* tc, const std::string& timebase) {
    return KLVtc::initWithString(tc, timebase)->totalFrames();
}

std::string label(std::int64_t n, const std::string& timebase) {
    return KLVtc::initWithFrames(static_cast<std::int32_t>(n), timebase)->tcAsString();
}

// "001", "002", ...
std::string number(std::size_t i) {
    std::string n = std::to_string(i + 1);
    return std::string(n.size() < 3 ? 3 - n.size() : 0, '0') + n;
}

std::string changeEdl(const SoundCase& c) {
    const std::string& tb = c.session.format.timebase;
    std::string text = std::string("TITLE: CHANGES\nFCM: ") + (tb == "29.97df" ? "DROP FRAME" : "NON-DROP FRAME") + "\n\n";
    for (std::size_t i = 0; i < c.events.size(); ++i) {
        const EventSpec& e = c.events[i];
        text += number(i) + "  R0001    V     C        " + label(e.oldIn, tb) + " " + label(e.oldIn + e.length, tb) +
                " " + label(e.newIn, tb) + " " + label(e.newIn + e.length, tb) + "\n";
    }
    return text;
}

double gainAt(const SessionSpec& s, std::int64_t oldFrame) {
    double g = 1.0;
    for (const auto& step : s.gain)
        if (step.frame <= oldFrame) g = step.gain;
    return g;
}

// Every NEW frame of the event on every track: found once, reading its OLD
// frame and the track's tag. Track 1's levels, over its gain, are collected.
void checkEvent(const SoundCase& c, const EventSpec& e, const Wav& wav, std::int64_t rangeStart,
                std::vector<double>& levels) {
    const SessionSpec& s = c.session;
    for (int track = 1; track <= s.audioTracks; ++track) {
        const auto at = [&](std::int64_t f) { return sessionSample(s, f) - rangeStart; };
        const auto decoded = decodeLtc(wav, track - 1, at(e.newIn), at(e.newIn + e.length), s.format);
        int wrong = 0;
        for (std::int64_t m = e.newIn; m < e.newIn + e.length; ++m) {
            const auto hit = std::find_if(decoded.begin(), decoded.end(), [&](const DecodedFrame& d) {
                const std::int64_t mid = (d.start + d.end) / 2;
                return mid >= at(m) && mid < at(m + 1);
            });
            const std::int64_t want = e.oldIn + (m - e.newIn);
            if (hit == decoded.end() || hit->frame != want || hit->tag != static_cast<unsigned>(track)) {
                if (++wrong <= 3)
                    ADD_FAILURE() << c.name << ": track " << track << ", NEW " << label(m, s.format.timebase) << " reads "
                                  << (hit == decoded.end() ? std::string("nothing")
                                                           : label(hit->frame, s.format.timebase) + " of track " +
                                                                 std::to_string(hit->tag))
                                  << ", not OLD " << label(want, s.format.timebase);
                continue;
            }
            if (track == 1) levels.push_back(hit->level / gainAt(s, want));
        }
    }
}

void checkSilence(const SoundCase& c, const EventSpec& e, const Wav& wav, std::int64_t rangeStart) {
    const SessionSpec& s = c.session;
    for (int track = 1; track <= s.audioTracks; ++track)
        EXPECT_TRUE(decodeLtc(wav, track - 1, sessionSample(s, e.newIn) - rangeStart,
                              sessionSample(s, e.newIn + e.length) - rangeStart, s.format)
                        .empty())
            << c.name << ": a silent event sounds on track " << track;
}

// The snapshot as Ardour saved it: MIDI tracks keep their playlist, audio
// tracks play a new one and keep the old.
void checkSnapshot(const std::string& before, const std::string& after) {
    const auto old = readArdourSession(readFileBytes(before).value);
    const auto now = readArdourSession(readFileBytes(after).value);
    ASSERT_TRUE(old && now) << now.error;
    ASSERT_EQ(old.value.tracks.size(), now.value.tracks.size());
    for (std::size_t i = 0; i < now.value.tracks.size(); ++i) {
        const ArdourTrack& t = now.value.tracks[i];
        const std::string& was = old.value.tracks[i].playlistId;
        if (t.midi) {
            EXPECT_EQ(t.playlistId, was) << t.name;
        } else {
            EXPECT_NE(t.playlistId, was) << t.name;
        }
        ASSERT_TRUE(now.value.playlist(was)) << t.name << " lost its old playlist";
        EXPECT_EQ(now.value.playlist(was)->regions.size(), old.value.playlist(was)->regions.size());
    }
}

void runCase(const SoundCase& c) {
    if (auto missing = ardourMissing()) GTEST_SKIP() << *missing;
    TempDir dir;
    std::string error;
    const std::string session = buildSession(c.session, dir.path(), error);
    ASSERT_FALSE(session.empty()) << error;
    const std::string folder = std::filesystem::path(session).parent_path().string();
    const FolderState before = folderState(folder);
    const std::string edl = dir.write("changes.edl", changeEdl(c));

    const CliResult r = runCli({"conform", "ardour", "--changes", edl, "--edl-type", c.edlType, "--session", session,
                                "--snapshot", "new_cut"});
    ASSERT_EQ(r.status, c.exitStatus) << r.out << r.err;
    for (std::size_t i = 0; i < c.fates.size(); ++i) {
        const std::string prefix = number(i) + " " + c.fates[i];
        EXPECT_NE(r.out.find(prefix), std::string::npos) << prefix << " in\n" << r.out;
    }
    if (c.session.midiTrack) {
        EXPECT_NE(r.err.find("MIDI track \"Synth\" is left as it is"), std::string::npos) << r.err;
    }
    EXPECT_EQ(changedEntries(before, folderState(folder)),
              (std::vector<std::string>{"new_cut.ardour", "new_cut.history"}));  // the snapshot read is as it was
    checkSnapshot(session, folder + "/new_cut.ardour");

    const auto saved = readArdourSession(readFileBytes(folder + "/new_cut.ardour").value);
    ASSERT_TRUE(saved && saved.value.sessionRange);
    const auto [start, end] = *saved.value.sessionRange;
    const auto wav = renderSnapshot(folder, "new_cut", end - start, error);
    ASSERT_TRUE(wav) << error;
    std::vector<double> levels;
    for (std::size_t i = 0; i < c.events.size(); ++i) {
        if (std::string(c.fates[i]) == "conformed") checkEvent(c, c.events[i], *wav, start, levels);
        else if (std::string(c.fates[i]) == "silence") checkSilence(c, c.events[i], *wav, start);
    }
    // The gain automation followed its audio: level over gain is the same throughout.
    ASSERT_FALSE(levels.empty());
    std::sort(levels.begin(), levels.end());
    const double median = levels[levels.size() / 2];
    EXPECT_NEAR(levels.front() / median, 1.0, 0.1) << c.name;
    EXPECT_NEAR(levels.back() / median, 1.0, 0.1) << c.name;
}

std::vector<SoundCase> cases() {
    // 25 fps at 48 kHz, the session's sample 0 at 01:00:00:00 by its timecode offset.
    const std::int64_t h = frames("01:00:00:00", "25");
    SessionSpec pal{"pal", {48000, "25"}, "timecode_25", h, 2, true,
                    {{1, h, 500, 50}, {2, h, 125}, {2, h + 125, 125}, {2, h + 250, 125}, {2, h + 375, 125}},
                    {{h, 1.0}, {h + 200, 0.5}, {h + 325, 1.0}}};
    // 29.97 drop frame at 44.1 kHz, across the dropped labels of 01:01:00;00;
    // the last event ends after the session range, which grows.
    const std::int64_t m = frames("01:00:50;00", "29.97df");
    SessionSpec ntsc{"ntsc", {44100, "29.97df"}, "timecode_2997drop", 0, 2, false,
                     {{1, m, 600, 30}, {2, m, 300}, {2, m + 300, 300}}, {{m, 1.0}, {m + 240, 0.5}}};
    return {
        {"25 fps, offset, gain, MIDI", pal, "PAL video",
         {{h + 300, h, 100}, {h + 85, h + 100, 140}, {h, h + 240, 50}, {frames("02:00:00:00", "25"), h + 290, 25},
          {h + 425, h + 315, 74}},
         0, {"conformed", "conformed", "conformed", "silence", "conformed"}},
        {"29.97 drop frame at 44.1 kHz", ntsc, "NTSC df",
         {{m + 150, m, 300}, {m, m + 300, 120}, {m + 10, m + 400, 30}, {m + 480, m + 560, 100}},
         1, {"conformed", "conformed", "refused", "conformed"}},
    };
}

class SoundConform : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundConform, EveryNewFrameReadsItsOldTimecodeOnEveryTrack) { runCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Sessions, SoundConform, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<SoundCase>& info) {
                             return std::string(info.index == 0 ? "Pal25" : "NtscDropFrame");
                         });

}  // namespace
}  // namespace rw::test
