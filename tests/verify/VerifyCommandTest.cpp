// `reelwright verify` on movies made from an OLD and a NEW list, the NEW one
// made wrong on purpose at chosen events.

#include "CutMovies.h"

#include "media/MovieReader.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace rw::test {
namespace {

struct Expected {
    const char* verdict;
    bool lowDetail = false;
};

// OLD: clips 1..12, 30 frames each, in order. NEW: each clip 4 frames
// shorter (from its 4th frame), neighbours swapped, so that every NEW shot
// is one change event; the NEW movie wrong where a shot says so, and cut
// short inside the last shot. Event n of the change list is NEW shot n.
struct Case {
    Shot newShot;
    Expected expected;
};
const Case kCases[] = {
    {{.clip = 2, .slip = 1}, {"slip +1"}},
    {{.clip = 1}, {"match"}},
    {{.clip = 4, .slip = -1}, {"slip -1"}},
    {{.clip = 3, .slip = 2}, {"slip +2"}},
    {{.clip = 6, .look = Look::Black}, {"match", true}},
    {{.clip = 5, .look = Look::Still}, {"match", true}},
    {{.clip = 8, .slip = -2}, {"slip -2"}},
    {{.clip = 7, .slip = 7}, {"slip +7"}},
    {{.clip = 10, .slip = -7}, {"slip -7"}},
    {{.clip = 9, .replacedBy = 13}, {"differs"}},
    {{.clip = 12}, {"match"}},
    {{.clip = 11}, {"no picture"}},
};
constexpr int kOldLength = 30, kNewIn = 3, kNewLength = 26;

Look lookOf(int clip) {
    for (const Case& c : kCases)
        if (c.newShot.clip == clip) return c.newShot.look;
    return Look::Moving;
}

struct Movies {
    TempDir dir;
    std::string oldList, newList, oldMovie, newMovie;
    Movies() {
        media::quietFFmpegLog();
        Cut old, neu;
        for (int clip = 1; clip <= 12; ++clip) old.shots.push_back({clip, 0, kOldLength, lookOf(clip)});
        for (Case c : kCases) {
            c.newShot.sourceIn = kNewIn;
            c.newShot.length = kNewLength;
            neu.shots.push_back(c.newShot);
        }
        oldList = dir.write("old.edl", edlOf(old, "OLD"));
        newList = dir.write("new.edl", edlOf(neu, "NEW"));
        oldMovie = dir.file("old.mov");
        newMovie = dir.file("new.mp4");
        // OLD intra-only with a timecode track, NEW long-GOP at another size
        // and aspect, without one.
        EXPECT_EQ(makeCutMovie(oldMovie, old, {"mjpeg", 24, 1, 0, 192, 108, 1, "01:00:00:00"}, false), "");
        const int cutShort = neu.frames() - kNewLength / 2;
        EXPECT_EQ(makeCutMovie(newMovie, neu, {"libx264", 24, 1, cutShort, 160, 120, 12, ""}, true), "");
    }
    std::vector<std::string> args(std::vector<std::string> more = {}) const {
        std::vector<std::string> a{"verify", "--old", oldList, "--new", newList, "--edl-type", "24fps EDL/XML",
                                   "--old-movie", oldMovie, "--new-movie", newMovie, "--new-start", "01:00:00:00"};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
};

const Movies& movies() {
    static const Movies m;
    return m;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(VerifyCommand, EveryEventGetsItsVerdict) {
    const TempDir out;
    const CliResult r = runCli(movies().args({"--report", out.file("report.html")}));
    EXPECT_EQ(r.status, 1) << r.err;
    const std::vector<std::string> got = lines(r.out);
    ASSERT_EQ(got.size(), std::size(kCases) + 1) << r.out;
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        const Expected& want = kCases[i].expected;
        const std::string number = (i < 9 ? "00" : "0") + std::to_string(i + 1);
        EXPECT_EQ(got[i].substr(0, got[i].find('\t', 4)), number + "\t" + want.verdict) << got[i];
        EXPECT_EQ(got[i].find("still or low-detail") != std::string::npos, want.lowDetail) << got[i];
    }
    EXPECT_EQ(got.back(), "checked 12: 4 match, 6 slipped, 1 differ, 1 no picture");

    const std::string html = readAll(out.file("report.html"));
    EXPECT_NE(html.find("checked 12: 4 match"), std::string::npos);
    EXPECT_EQ(html.find("://"), std::string::npos);  // nothing to fetch
    std::size_t sections = 0, pictures = 0;
    for (std::size_t at = 0; (at = html.find("<section>", at)) != std::string::npos; ++at) ++sections;
    for (std::size_t at = 0; (at = html.find("data:image/jpeg;base64,", at)) != std::string::npos; ++at) ++pictures;
    EXPECT_EQ(sections, 8u);       // every event but the four that match
    EXPECT_EQ(pictures, 7u * 3);   // OLD, NEW and difference, but not for "no picture"
    EXPECT_LT(html.size(), 300000u);
}

// The list compared with itself heals into one event, all of the movie.
TEST(VerifyCommand, ListAgainstItsOwnMovieMatchesThroughout) {
    const Movies& m = movies();
    const CliResult r = runCli({"verify", "--old", m.oldList, "--new", m.oldList, "--edl-type", "24fps EDL/XML",
                                "--old-movie", m.oldMovie, "--new-movie", m.oldMovie, "--search", "3"});
    EXPECT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_EQ(lines(r.out).back(), "checked 1: 1 match, 0 slipped, 0 differ, 0 no picture");
}

// A movie that is missing or not a movie leaves every event without a
// picture, with the reason; a start that is no timecode is a bad argument.
TEST(VerifyCommand, BadMoviesAndArguments) {
    const Movies& m = movies();
    const TempDir dir;
    const std::string text = dir.write("notes.mov", "not a movie\n");
    const struct {
        std::vector<std::string> flags;
        int status;
        std::string err;
        const char* summary;
    } cases[] = {
        {{"--old-movie", dir.file("gone.mov")}, 1, "cannot open the OLD movie", "12 no picture"},
        {{"--new-movie", text}, 1, "cannot open the NEW movie", "12 no picture"},
        {{"--old-start", "1:00"}, 2, "--old-start: \"1:00\" is not a timecode", ""},
        {{"--search", "-1"}, 2, "--search", ""},
        {{"--report", m.newList}, 2, "", ""},
        // The reason names the folder once, without a second prefix.
        {{"--report", dir.file("no/report.html")}, 1, "\ncannot write in " + dir.file("no") + ": No such", "12 "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = m.args();
        for (std::size_t i = 0; i + 1 < c.flags.size(); i += 2) {
            const auto at = std::find(args.begin(), args.end(), c.flags[i]);
            if (at != args.end()) *(at + 1) = c.flags[i + 1];
            else args.insert(args.end(), {c.flags[i], c.flags[i + 1]});
        }
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, c.status) << c.flags[0] << r.err;
        EXPECT_NE(("\n" + r.err).find(c.err), std::string::npos) << r.err;
        EXPECT_NE(r.out.find(c.summary), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace rw::test
