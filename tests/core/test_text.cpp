#include "core/Edit.h"
#include "core/Text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Text, SmallTests) {
    EXPECT_TRUE(rw::isTC("01:00:00:00"));
    EXPECT_TRUE(rw::isTC(" 01:00:00:00 "));
    EXPECT_FALSE(rw::isTC("1:00:00:00"));
    EXPECT_FALSE(rw::isTC("01:00:00;00"));
    EXPECT_TRUE(rw::isFF("0012+07"));
    EXPECT_FALSE(rw::isFF("12+07+1"));
    EXPECT_FALSE(rw::isFF("12+x"));
    EXPECT_EQ(rw::removeWhitespace("A 001 B"), "A001B");
    EXPECT_EQ(rw::removeWhitespace("A\t0 1"), "A\t01");
    EXPECT_TRUE(rw::isIntegerString(" -12 "));
    EXPECT_TRUE(rw::isIntegerString("+3"));
    EXPECT_FALSE(rw::isIntegerString("1 2"));
    EXPECT_FALSE(rw::isIntegerString("-"));
    EXPECT_FALSE(rw::isIntegerString(""));
}

TEST(Text, SplitsLinesAtEverySeparator) {
    using V = std::vector<std::string>;
    EXPECT_EQ(rw::splitLines("a\nb\r\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(rw::splitLines("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(rw::splitLines("a\xE2\x80\xA8" "b\xE2\x80\xA9" "c\xC2\x85" "d"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(rw::splitLines(""), V{});
    EXPECT_EQ(rw::splitLines("\r\r"), (V{"", ""}));
}

TEST(Text, DecodesUtf8ElseLatin1) {
    EXPECT_EQ(rw::decodeText("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(rw::decodeText("caf\xE9"), "caf\xC3\xA9");  // Latin-1 é
    EXPECT_EQ(rw::decodeText("\xEF\xBB\xBFTITLE"), "TITLE");
    EXPECT_FALSE(rw::isValidUtf8("\xC0\xAF"));  // overlong
    EXPECT_FALSE(rw::isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(rw::isValidUtf8(rw::decodeText(std::string("\xFF\xFE\x00\x80", 4))));
}

TEST(Text, CutsByCharacterNeverMidSequence) {
    EXPECT_EQ(rw::utf8Prefix("\xC3\xA9t\xC3\xA9_ABCD", 4), "\xC3\xA9t\xC3\xA9_");
    EXPECT_EQ(rw::utf8Length("\xC3\xA9t\xC3\xA9"), 3u);
    EXPECT_EQ(rw::utf8Prefix("ab", 6), "ab");
}

TEST(Edit, DefaultsAndDescription) {
    rw::edit e;
    EXPECT_EQ(e.description(), "edit number 000 none (null) (null) (null) (null)");
    EXPECT_EQ(e.trackPriority(), 1);
    EXPECT_EQ(e.color(), rw::Color::black());
    auto tc = [](const char* t) { return rw::KLVtc::initWithString(t, "25"); };
    auto m = rw::edit::initWithNum("001", "A", tc("01:00:00:00"), tc("01:00:02:00"), tc("10:00:00:00"),
                                   tc("10:00:01:00"));
    EXPECT_FLOAT_EQ(m->motionEffectRatio(), 2.0f);
    EXPECT_EQ(m->description(), "edit number 001 A 01:00:00:00 01:00:02:00 10:00:00:00 10:00:01:00");
    m->setMasterOut(tc("10:00:00:00"));
    EXPECT_TRUE(std::isinf(m->motionEffectRatio()));  // zero programme length: no failure
}

TEST(Color, StandardColoursCompareByValue) {
    EXPECT_EQ(rw::standardColorVFX(), rw::standardColorMissed());
    EXPECT_EQ(rw::standardColorVFXHilite(), rw::standardColorMissedHilite());
    EXPECT_EQ(rw::standardColorMissed(), rw::Color::red());
    EXPECT_NE(rw::standardColorText(), rw::Color::black());
    EXPECT_NE(rw::standardColorGap(), rw::standardColorGapHilite());
}

}  // namespace
