#include "ImportHelpers.h"
#include "import/ChangeListReader.h"
#include "support/EventFrames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::Frames;
using test::frames;

constexpr int H = 86400;  // hour 01 at 24 fps

EditArray replay(const std::vector<std::string>& lines, const char* hour = "01") {
    EditArray events;
    readChangeListLines(std::vector<std::string_view>(lines.begin(), lines.end()),
                        {std::string(hour), "aggressive", nullptr}, events);
    return events;
}

TEST(ChangeList, ChangesCutTheReel) {
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::vector<Frames> expected;
        const char* hour = "01";
    } cases[] = {
        {"a delete cuts the reel and resumes after the piece",
         {"  1  delete  0010+00  0002+00"},
         {{H, H + 160, H, H + 160}, {H + 192, 2 * H, H + 160, H + 160 + H - 192}}},
        // After the insert the running shift is +16: a later delete of 16 frames
        // at 0030+00 resumes at source H + 480 + 16 - 16.
        {"an insert leaves a gap and shifts the rest",
         {"  1  insert  0005+00  0000+00  0001+00", "  2  DELETE  0030+00  0001+00"},
         {{H, H + 80, H, H + 80}, {H + 80, H + 464, H + 96, H + 480}, {H + 480, 2 * H, H + 480, 2 * H}}},
        // 0..160 stays; 192..1632 plays next; the moved piece 160..192 lands in
        // the gap at 1600; the reel carries on unchanged from 1632.
        {"a moved piece fills the gap of its insert",
         {"   1  move    0010+00  0002+00", "      to # 3", "   3  insert  0100+00  0000+00  0002+00",
          "      from # 1"},
         {{0, 160, 0, 160}, {192, 1632, 160, 1600}, {160, 192, 1600, 1632}, {1632, H, 1632, H}},
         "00"},
        {"an unmatched move and its gap make no event",
         {"   1  move  0010+00  0002+00", "      to # 9", "   3  insert  0100+00  0000+00  0002+00"},
         {{0, 160, 0, 160}, {192, 1632, 160, 1600}, {1632, H, 1632, H}},
         "00"},
        {"a change before the running tail is out of order and skipped",
         {"  1  delete  0100+00  0001+00", "  2  delete  0010+00  0001+00"},
         {{H, H + 1600, H, H + 1600}, {H + 1616, 2 * H, H + 1600, 2 * H - 16}}},
    };
    for (const auto& c : cases) EXPECT_EQ(frames(replay(c.lines, c.hour)), c.expected) << c.what;

    EditArray moved = replay(cases[2].lines, "00");
    EXPECT_EQ(moved[1]->clip(), "");
    EXPECT_EQ(moved[2]->clip(), "from move");
    EXPECT_EQ(moved[3]->editNum(), "004");
}

TEST(ChangeList, TrimAndLengthenActAsDeleteAndInsert) {
    EXPECT_EQ(frames(replay({"  1  trim  0010+00  0002+00"})), frames(replay({"  1  delete  0010+00  0002+00"})));
    EXPECT_EQ(frames(replay({"  1  Lengthen  0005+00  0000+00  0001+00"})),
              frames(replay({"  1  insert  0005+00  0000+00  0001+00"})));
}

TEST(ChangeList, LinesThatAreNotChangesAreSkipped) {
    const std::vector<std::string> noise = {
        "CHANGE LIST  reel 1",
        "  1  deleted 0010+00  0002+00",     // no word with its space
        "  1  delete  0010+00",              // one "+"
        "  1  delete  00x0+00  0002+00",     // footage that does not parse
        "  1  delete  -010+00  0002+00",     // negative footage
        "  1  insert  0010+00  0002+00",     // an insert needs a third footage
        "1+2 delete +",                      // the first "+" lies within the first four characters
        std::string("\xff\xfe\x00+\x01+ delete ", 14),
        "",
    };
    EditArray e = replay(noise);
    EXPECT_EQ(frames(e), (std::vector<Frames>{{H, 2 * H, H, 2 * H}}));
    EXPECT_EQ(e[0]->editNum(), "001");
}

TEST(ChangeList, ReadByContentsWithTheHourTypedEarlier) {
    test::TempDir dir;
    const std::string cut = dir.write("reel1.txt", "  1  delete  0010+00  0002+00\nend of change list\n");
    const std::string edl = dir.write("reel2.edl", "  1  delete  0010+00  0002+00\nEND OF CHANGE LIST\n");
    const std::string xml = dir.write("reel3.xml", "<xmeml>end of change list</xmeml>");
    test::Session s;
    auto& [ui, movies, c] = s;
    ui.answer = {HourCodeChoice::Edl, "05"};  // the EDL button takes no hour
    c.setHourCode("03");
    c.selectTab(1);
    c.openFiles({cut});
    ASSERT_EQ(c.dataSourceB().getEditArray().size(), 2u);
    EXPECT_EQ(c.dataSourceB().getEditArray()[0]->masterIn()->tcAsString(), "03:00:00:00");

    c.dataSourceB().deleteAll();
    ui.answer = {HourCodeChoice::Change, "07"};
    c.openFiles({cut, edl});
    const EditArray& both = c.dataSourceB().getEditArray();
    ASSERT_FALSE(both.empty());
    EXPECT_EQ(both.front()->masterIn()->tcAsString(), "07:00:00:00");
    EXPECT_EQ(ui.hourCodeAsked.size(), 2u);  // only the .txt file asks

    c.dataSourceB().deleteAll();
    ui.alerts.clear();
    c.openFiles({xml});
    EXPECT_TRUE(c.dataSourceB().getEditArray().empty());
    ASSERT_FALSE(ui.alerts.empty());
    EXPECT_EQ(ui.alerts.back().message, "no valid edits were found");
}

}  // namespace
}  // namespace rw
