#include "comparison/Timebase.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

EditPtr at25(const std::string& masterIn, const std::string& masterOut, int sourceIn = 90000, int length = 25) {
    return edit::initWithNum("001", "A001", KLVtc::initWithFrames(sourceIn, "25"),
                             KLVtc::initWithFrames(sourceIn + length, "25"), KLVtc::initWithString(masterIn, "25"),
                             KLVtc::initWithString(masterOut, "25"));
}

// "source in > record in-out" as labels, and "@24" where the record rate is 24.
std::vector<std::string> labels(const EditArray& list) {
    std::vector<std::string> out;
    for (const auto& e : list)
        out.push_back(e->sourceIn()->tcAsString() + " > " + e->masterIn()->tcAsString() + "-" +
                      e->masterOut()->tcAsString() + (e->masterIn()->framerate() == 24 ? " @24" : ""));
    return out;
}

TEST(PalFilmTranslation, ContinuousKeepsTheFirstLabelAndEveryFrameDistance) {
    // Sorted by master in; source times keep their counts, labelled at 24: 90000 frames is 01:02:30:00.
    // 10:00:00:24 is a 25 fps label with no 24 fps reading: it anchors at the next second
    // and must not move the list towards 00:00:00:00.
    const std::pair<EditArray, std::vector<std::string>> cases[] = {
        {{at25("10:00:01:00", "10:00:02:00"), at25("10:00:00:00", "10:00:01:00")},
         {"01:02:30:00 > 10:00:00:00-10:00:01:01 @24", "01:02:30:00 > 10:00:01:01-10:00:02:02 @24"}},
        {{at25("10:00:00:24", "10:00:01:09"), at25("10:00:01:09", "10:00:02:00")},
         {"01:02:30:00 > 10:00:01:00-10:00:01:10 @24", "01:02:30:00 > 10:00:01:10-10:00:02:02 @24"}},
    };
    for (auto [list, expected] : cases) {
        translate25To24(list, false);
        EXPECT_EQ(labels(list), expected);
    }
}

TEST(PalFilmTranslation, ReelsKeepsEachHour) {
    const std::pair<const char*, const char*> cases[] = {
        {"02:00:10:00", "02:00:10:10"},
        {"02:59:59:24", "03:02:29:23"},  // the last 144 s of a 25 fps hour spill over
        {"00:00:00:00", "00:00:00:00"},
        {"01:00:00:00", "01:00:00:00"},
    };
    for (const auto& [from, to] : cases) {
        EditArray list = {at25(from, from)};
        translate25To24(list, true);
        EXPECT_EQ(labels(list)[0], std::string("01:02:30:00 > ") + to + "-" + to + " @24") << from;
    }
}

TEST(TimebaseConversion, ByRealTime) {
    struct Case {
        const char *tc, *from, *to;
        int frames;
        const char *label, *rateText;
    } cases[] = {
        {"01:00:00:00", "30", "25", 90000, "01:00:00:00", "25"},
        {"10:00:00:00", "25", "24", 864000, "10:00:00:00", "24"},
        {"01:00:00:00", "25", "29.97df", 108000, "01:00:03;18", "29.97df"},
        {"01:00:00:00", "24", "23.976", 86400, "01:00:00:00", "24"},
        {"01:00:00;00", "29.97df", "30", 107892, "00:59:56:12", "30"},  // counted at the nominal 30
        {"00:00:00:01", "25", "24", 1, "00:00:00:01", "24"},             // 0.96 rounds to 1
        {"00:00:00:03", "24", "20", 3, "00:00:00:03", ""},               // 2.5 rounds away from zero
    };
    for (const auto& c : cases) {
        TcPtr t = KLVtc::initWithString(c.tc, c.from);
        ASSERT_TRUE(t) << c.tc;
        EditPtr e = edit::initWithNum("007", "clip", t, t, t, t);
        e->setColor(Color::red());
        EditArray out = convertTimebaseForArray({e}, c.to);
        ASSERT_EQ(out.size(), 1u);
        for (const TcPtr& n : {out[0]->sourceIn(), out[0]->sourceOut(), out[0]->masterIn(), out[0]->masterOut()}) {
            ASSERT_TRUE(n) << c.tc << " to " << c.to;
            EXPECT_EQ(n->totalFrames(), c.frames) << c.tc << " to " << c.to;
            EXPECT_EQ(n->tcAsString(), c.label) << c.tc << " to " << c.to;
            EXPECT_EQ(n->framerateString(), c.rateText) << c.tc << " to " << c.to;
        }
        EXPECT_EQ(out[0]->editNum(), "007");
        EXPECT_EQ(out[0]->color(), Color::red());
        EXPECT_NE(out[0]->masterIn(), t);  // new values: the given events are unchanged
        EXPECT_EQ(t->tcAsString(), c.tc);
    }
}

}  // namespace
}  // namespace rw
