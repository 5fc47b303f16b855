#include "ImportHelpers.h"
#include "import/CutListReader.h"
#include "support/EventFrames.h"
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

TEST(CutList, HourCodeSetsTheRecordHour) {
    CutListOptions opt;
    opt.hourCode = "01";
    EditArray e = read({cutLine("0000+00", "0010+08", "A001", "1234+05")}, opt);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(test::frames(e[0]), (test::Frames{1234 * 16 + 5, 1234 * 16 + 5 + 168, 86400, 86400 + 168}));
    EXPECT_EQ(e[0]->masterOut()->tcAsString(), "01:00:07:00");  // at 24 fps
    EXPECT_EQ(e[0]->editNum(), "001");
    EXPECT_EQ(e[0]->clip(), "A001");
}

TEST(CutList, WhichLinesMakeEvents) {
    struct Case {
        const char* what;
        std::string line;
        bool event;
    } cases[] = {
        {"plain", cutLine("0001+00", "0002+00", "A001", "0100+00"), true},
        {"zero duration", cutLine("0001+00", "0000+00", "A001", "0100+00"), false},
        {"leader", cutLine("0001+00", "0002+00", "LEADER", "0100+00"), false},
        {"optical", cutLine("0001+00", "0002+00", "Opt 12", "0100+00"), false},
        {"short feet", cutLine("  12+05", "  20+00", "A001", " 100+00"), true},
        {"malformed footage", cutLine("00x1+00", "0002+00", "A001", "0100+00"), false},
        {"negative duration", cutLine("0001+00", "-002+00", "A001", "0100+00"), false},
        {"four plus signs", "0001+00 0002+00 A001 0100+00 0101+00", false},
        {"six plus signs", cutLine("0001+00", "0002+00", "A001", "0100+00") + " +", false},
        {"first plus too early", "1+00 0002+00 0002+00 A001_____ 0100+00 0101+00", false},
        {"cut short after the last plus", cutLine("0001+00", "0002+00", "A001", "0100+00").substr(0, 57), true},
        {"empty", "", false},
        {"garbage", std::string("\x01\xff+\x00+++\xfe+", 10), false},
    };
    for (const auto& c : cases) EXPECT_EQ(read({c.line}).size(), c.event ? 1u : 0u) << c.what;
}

TEST(CutList, NameChoice) {
    struct Case {
        const char* what;
        std::string labroll, clip;
        bool byClipName, vfx;
        const char* expected;
    } cases[] = {
        {"lab roll wins by default", "A001", "shot one", false, false, "A001"},
        {"a blank lab roll column gives the clip column", "", "shot one", false, false, "shot one"},
        {"compare by clip name", "A001", "shot one", true, false, "shot one"},
        {"a VFX clip name", "A001", "VFX_1_2_3_", false, true, "VFX_1_2_3_"},
        {"a non-VFX clip name keeps the lab roll", "A001", "shot one", false, true, "A001"},
        {"cut after a control character", "xx\x01" "B002", "", false, false, "B002"},
        {"characters, not bytes", "Café", "", false, false, "Café"},
    };
    for (const auto& c : cases) {
        CutListOptions opt;
        opt.compareByClipName = c.byClipName;
        if (c.vfx) opt.isVFXClip = [](std::string_view n) { return n.substr(0, 4) == "VFX_"; };
        EditArray e = read({cutLine("0001+00", "0002+00", c.labroll, "0100+00", c.clip)}, opt);
        ASSERT_EQ(e.size(), 1u) << c.what;
        EXPECT_EQ(e[0]->clip(), c.expected) << c.what;
        EXPECT_EQ(e[0]->sourceIn()->totalFrames(), 1600) << c.what;
    }
}

TEST(CutList, ALabRollColumnHoldingAPlusIsEmpty) {
    // The duration's "+" falls inside the lab roll column here.
    EditArray e = read({"  1  0001+00  9999+99 0002+00 0100+00  9999+99\tshot one"});
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->clip(), "shot one");
    EXPECT_EQ(e[0]->masterOut()->totalFrames() - e[0]->masterIn()->totalFrames(), 32);
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
