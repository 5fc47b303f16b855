#include "core/KLVtc.h"

#include <gtest/gtest.h>

#include <ostream>

using rw::KLVtc;

namespace {

struct ParseCase {
    const char* text;
    const char* timebase;
    bool accepted;
    int totalFrames;
    const char* printed;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.text << " @ " << c.timebase; }

class ParseTimecode : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTimecode, CountsAndPrints) {
    const ParseCase& c = GetParam();
    auto tc = KLVtc::initWithString(c.text, c.timebase);
    ASSERT_EQ(tc != nullptr, c.accepted) << c.text << " @ " << c.timebase;
    if (!tc) return;
    EXPECT_EQ(tc->totalFrames(), c.totalFrames);
    EXPECT_EQ(tc->tcAsString(), c.printed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTimecode,
    testing::Values(
        ParseCase{"01:00:00:00", "25", true, 90000, "01:00:00:00"},
        ParseCase{"01:00:00:00", "24", true, 86400, "01:00:00:00"},
        ParseCase{"01:00:00:00", "23.976", true, 86400, "01:00:00:00"},
        ParseCase{"01:00:00:00", "23.98", true, 86400, "01:00:00:00"},
        // a ";" makes the value drop frame whatever the timebase says
        ParseCase{"01:00:00;00", "30", true, 107892, "01:00:00;00"},
        ParseCase{"00:01:00;02", "29.97df", true, 1800, "00:01:00;02"},
        ParseCase{"00:10:00;00", "29.97df", true, 17982, "00:10:00;00"},
        ParseCase{"00:01:00;04", "59.94df", true, 3600, "00:01:00;04"},
        // colons at "29.97df" are drop frame too
        ParseCase{"00:01:00:02", "29.97df", true, 1800, "00:01:00;02"},
        ParseCase{"10:00:00:25", "25", false, 0, ""},
        ParseCase{"10:00:00:24", "25", true, 900024, "10:00:00:24"},
        ParseCase{"1:00:00:00", "25", false, 0, ""},
        ParseCase{"01:00:00.00", "25", false, 0, ""},
        ParseCase{" 01:00:00:00", "25", true, 90000, "01:00:00:00"},
        ParseCase{"00:61:75:00", "25", true, 61 * 60 * 25 + 75 * 25, "00:61:75:00"},
        ParseCase{"0a:00:00:00", "25", false, 0, ""},
        // no rate: nothing is below 0 frames, so every text is refused
        ParseCase{"01:00:00:00", "", false, 0, ""},
        // more hours than 32 bits of frames can hold are refused, not wrapped
        ParseCase{"99999:0:0:0", "60", false, 0, ""}));

struct LabelCase {
    const char* timebase;
    int frames;
    const char* printed;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.frames << " @ " << c.timebase; }

class LabelsFromCount : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelsFromCount, MatchesSmpteLabels) {
    const LabelCase& c = GetParam();
    auto tc = KLVtc::initWithFrames(c.frames, c.timebase);
    ASSERT_TRUE(tc);
    EXPECT_EQ(tc->tcAsString(), c.printed);
    EXPECT_EQ(tc->totalFrames(), c.frames);
    // The labels read back give the same count.
    auto back = KLVtc::initWithString(tc->tcAsString(), c.timebase);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->totalFrames(), c.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, LabelsFromCount,
    testing::Values(LabelCase{"29.97df", 1800, "00:01:00;02"}, LabelCase{"29.97df", 1799, "00:00:59;29"},
                    LabelCase{"29.97df", 17982, "00:10:00;00"}, LabelCase{"29.97df", 107892, "01:00:00;00"},
                    LabelCase{"29.97df", 17981, "00:09:59;29"}, LabelCase{"59.94df", 3600, "00:01:00;04"},
                    LabelCase{"59.94df", 35964, "00:10:00;00"}, LabelCase{"25", 90000, "01:00:00:00"},
                    LabelCase{"24", 24 * 86400 * 2, "48:00:00:00"}, LabelCase{"30", 0, "00:00:00:00"}));

TEST(KLVtc, DropFrameRoundTripsEveryFrameOfAnHour) {
    for (const char* tb : {"29.97df", "59.94df"}) {
        for (int n = 0; n < 220000; n += 7) {
            auto tc = KLVtc::initWithFrames(n, tb);
            auto back = KLVtc::initWithString(tc->tcAsString(), tb);
            ASSERT_TRUE(back) << tb << " " << tc->tcAsString();
            ASSERT_EQ(back->totalFrames(), n) << tb << " " << tc->tcAsString();
        }
    }
}

TEST(KLVtc, RefusesCountsAndRatesItCannotHold) {
    EXPECT_EQ(KLVtc::initWithFrames(-1, "25"), nullptr);
    EXPECT_EQ(KLVtc::initWithFrames(10, ""), nullptr);      // "PAL film 2" implies no rate
    EXPECT_EQ(KLVtc::initWithFrames(10, "0.5"), nullptr);
    auto tc = KLVtc::initWithFrames(100, "25");
    tc->setTotalFrames(-1);
    EXPECT_EQ(tc->totalFrames(), 100);
    EXPECT_EQ(tc->tcAsString(), "00:00:04:00");
    KLVtc noRate;
    noRate.setFramerate(0);
    noRate.setTotalFrames(50);  // nothing to label by: unchanged, no division by zero
    EXPECT_EQ(noRate.totalFrames(), 0);
    EXPECT_EQ(noRate.tcAsFeetFrames(), "0000+00");
}

TEST(KLVtc, RatesStoredByEachConstructor) {
    EXPECT_EQ(KLVtc::initWithString("00:00:00:00", "23.98")->framerate(), 24);
    EXPECT_EQ(KLVtc::initWithFrames(0, "23.98")->framerate(), 23);
    EXPECT_EQ(KLVtc::initWithFrames(0, "23.98")->framerateString(), "");
    EXPECT_EQ(KLVtc::initWithFrames(0, "23.976")->framerate(), 24);
    EXPECT_EQ(KLVtc::initWithFrames(0, "29.97df")->framerateString(), "29.97df");
    EXPECT_EQ(KLVtc::initWithFrames(0, "59.94df")->framerateString(), "60");
    EXPECT_EQ(KLVtc::initWithFrames(0, "30")->framerateString(), "30");
    EXPECT_TRUE(KLVtc::initWithFrames(0, "29.97DF")->isDrop());
}

TEST(KLVtc, FeetAndFrames) {
    auto tc = KLVtc::initWithFeetAndFrames("0100+08");
    ASSERT_TRUE(tc);
    EXPECT_EQ(tc->totalFrames(), 1608);
    EXPECT_EQ(tc->tcAsString(), "00:01:07:00");
    EXPECT_EQ(tc->tcAsFeetFrames(), "0100+08");
    EXPECT_EQ(KLVtc::initWithFeetAndFrames(" 12+07\t")->totalFrames(), 199);
    EXPECT_EQ(KLVtc::initWithFeetAndFrames("12+07+1"), nullptr);
    EXPECT_EQ(KLVtc::initWithFeetAndFrames("12+x"), nullptr);
    // the footage counts from the start of the hour, at 24 fps
    EXPECT_EQ(KLVtc::initWithString("01:00:01:00", "25")->tcAsFeetFrames(), "0001+08");
}

TEST(KLVtc, HourChangesMoveTheCount) {
    auto tc = KLVtc::initWithString("23:00:00:00", "25");
    const int before = tc->totalFrames();
    tc->hourShift(true);
    EXPECT_EQ(tc->tcAsString(), "00:00:00:00");
    EXPECT_EQ(tc->totalFrames(), before - 23 * 90000);
    auto down = KLVtc::initWithString("00:10:00:00", "25");
    down->hourShift(false);
    EXPECT_EQ(down->tcAsString(), "23:10:00:00");
    EXPECT_EQ(down->totalFrames(), 23 * 90000 + 15000);
    auto df = KLVtc::initWithString("01:00:00;00", "29.97df");
    df->setHours(2);
    EXPECT_EQ(df->totalFrames(), 2 * 107892);
}

TEST(KLVtc, TextForms) {
    KLVtc tc;
    tc.setTCwithHour(100, 2, 3, -1, 9, 5, 24, false);
    EXPECT_EQ(tc.tcAsString(), "100:02:03:0-1");
    EXPECT_EQ(tc.subframes(), 0);  // not stored by the bulk setter
    auto t = KLVtc::initWithString("01:00:00:00", "24");
    EXPECT_EQ(t->TC6000String(), "01000000");
    EXPECT_EQ(KLVtc::initWithString("01:02:03;04", "30")->TC6000String(), "01020304");
    EXPECT_EQ(t->compare(*KLVtc::initWithString("01:00:00:01", "24")), -1);
    EXPECT_EQ(t->compare(*t), 0);
}

}  // namespace
