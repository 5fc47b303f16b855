#include "ImportHelpers.h"
#include "import/CutListReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

// A cut-list event line: record start, record end, duration, lab roll
// column (10 characters), source start, source end, then a tab and the clip.
std::string cutLine(const std::string& rec, const std::string& dur, const std::string& labroll,
                    const std::string& src, const std::string& clip = "") {
    std::string name = labroll;
    while (utf8Length(name) < 10) name += ' ';
    return "  1  " + rec + "  9999+99  " + dur + "  " + name + " " + src + "  9999+99" + (clip.empty() ? "" : "\t") +
           clip;
}

EditArray read(const std::vector<std::string>& lines, CutListOptions opt = {}) {
    EditArray events;
    readCutListLines(std::vector<std::string_view>(lines.begin(), lines.end()), opt, events);
    return events;
}

// Record 0001+00 for 0002+00, source 0100+00.
std::string plain(const std::string& labroll, const std::string& clip = "") {
    return cutLine("0001+00", "0002+00", labroll, "0100+00", clip);
}

TEST(CutList, WhichLinesMakeEventsAndTheirNames) {
    const struct {
        const char* what;
        std::string line;
        const char* clip;  // nullptr: no event
        bool byClipName = false, vfx = false;
        int length = 32;
    } cases[] = {
        {"plain", plain("A001"), "A001"},
        {"zero duration", cutLine("0001+00", "0000+00", "A001", "0100+00"), nullptr},
        {"leader", plain("LEADER"), nullptr},
        {"optical", plain("Opt 12"), nullptr},
        {"short feet", cutLine("  12+05", "  20+00", "A001", " 100+00"), "A001", false, false, 320},
        {"malformed footage", cutLine("00x1+00", "0002+00", "A001", "0100+00"), nullptr},
        {"negative duration", cutLine("0001+00", "-002+00", "A001", "0100+00"), nullptr},
        {"four plus signs", "0001+00 0002+00 A001 0100+00 0101+00", nullptr},
        {"six plus signs", plain("A001") + " +", nullptr},
        {"first plus too early", "1+00 0002+00 0002+00 A001_____ 0100+00 0101+00", nullptr},
        {"cut short after the last plus", plain("A001").substr(0, 57), "A001"},
        {"empty", "", nullptr},
        {"garbage", std::string("\x01\xff+\x00+++\xfe+", 10), nullptr},
        {"a blank lab roll column gives the clip column", plain("", "shot one"), "shot one"},
        {"the duration's + inside the lab roll column empties it",
         "  1  0001+00  9999+99 0002+00 0100+00  9999+99\tshot one", "shot one"},
        {"lab roll wins by default", plain("A001", "shot one"), "A001"},
        {"compare by clip name", plain("A001", "shot one"), "shot one", true},
        {"a VFX clip name", plain("A001", "VFX_1_2_3_"), "VFX_1_2_3_", false, true},
        {"a non-VFX clip name keeps the lab roll", plain("A001", "shot one"), "A001", false, true},
        {"cut after a control character", plain("xx\x01" "B002"), "B002"},
        {"characters, not bytes", plain("Café"), "Café"},
    };
    for (const auto& c : cases) {
        CutListOptions opt;
        opt.compareByClipName = c.byClipName;
        if (c.vfx) opt.isVFXClip = [](std::string_view n) { return n.substr(0, 4) == "VFX_"; };
        EditArray e = read({c.line}, opt);
        ASSERT_EQ(e.size(), c.clip ? 1u : 0u) << c.what;
        if (!c.clip) continue;
        EXPECT_EQ(e[0]->clip(), c.clip) << c.what;
        EXPECT_EQ(e[0]->sourceIn()->totalFrames(), 1600) << c.what;
        EXPECT_EQ(framesOf(e[0]->masterOut()) - framesOf(e[0]->masterIn()), c.length) << c.what;
    }
}

TEST(CutList, EnormousLinesAndBinaryFiles) {
    std::string accents;
    for (int i = 0; i < 2'000'000; ++i) accents += "\xc3\xa9";  // two million characters of "é"
    EditArray e = read({accents + cutLine("0001+00", "0002+00", "A001", "0100+00", "shot" + accents)});
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->clip(), "A001");
    EXPECT_EQ(e[0]->sourceIn()->totalFrames(), 1600);

    test::TempDir dir;
    std::string noise;
    for (unsigned i = 0; i < 1u << 20; ++i) noise += static_cast<char>((i * 7919u + i / 13) & 0xffu);
    const std::string path = dir.write("noise.bin", noise);
    for (HourCodeChoice choice : {HourCodeChoice::Cut, HourCodeChoice::Change}) {
        test::Session s;
        s.ui.answer = {choice, "01"};
        s.c.openFiles({path, dir.file("missing.cut"), dir.path()});
        // A readable change list always holds the unchanged reel (one event);
        // a cut list of noise holds nothing, and unreadable files add nothing.
        EXPECT_EQ(s.list().size(), choice == HourCodeChoice::Cut ? 0u : 1u);
    }
}

TEST(CutList, ImportSwitchesTheListTypeAndNumbersAcrossFiles) {
    test::TempDir dir;
    const std::string a = dir.write("reel1.cut", cutLine("0000+00", "0001+00", "A001", "0100+00") + "\r\n" +
                                                     cutLine("0001+00", "0001+00", "A002", "0200+00") + "\r\n");
    const std::string b = dir.write("reel2.cut", cutLine("0000+00", "0001+00", "B001", "0300+00") + "\r");
    test::Session s;
    auto& [ui, movies, c] = s;
    ui.answer = {HourCodeChoice::Cut, "02"};
    c.prefs().set(pref::EDLType, "NTSC");
    c.openFiles({a, b});
    const EditArray& list = s.list();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2]->editNum(), "003");
    EXPECT_EQ(list[2]->clip(), "B001");
    EXPECT_EQ(list[0]->masterIn()->tcAsString(), "02:00:00:00");
    EXPECT_EQ(c.prefs().edlType(), "film cutlist");
    ASSERT_EQ(ui.alerts.size(), 1u);  // the first file switched the type; the second needs no alert
    EXPECT_EQ(ui.alerts[0].message, "incompatible framerate");
    EXPECT_EQ(ui.alerts[0].informativeText,
              "reelwright is currently set to 'NTSC'\nthis setting has been changed to 'film cutlist'");
    EXPECT_EQ(ui.hourCodeAsked, (std::vector<std::string>{"reel1", "reel2"}));
}

}  // namespace
}  // namespace rw
