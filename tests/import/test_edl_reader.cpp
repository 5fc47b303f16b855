#include "app/NullPorts.h"
#include "ImportHelpers.h"
#include "ports/MoviePort.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::readEdl;
using Rows = std::vector<std::string>;

TEST(EdlReader, FrameCodeModesSetTheRates) {
    auto drop = readEdl("TITLE: X\nFCM: DROP FRAME\n001  A001 V C 01:00:00;00 01:00:01;00 10:00:00;00 10:00:01;00\n",
                        "NTSC df");
    EXPECT_EQ(test::rows(drop), (Rows{"001|A001|01:00:00;00|01:00:01;00|10:00:00;00|10:00:01;00"}));
    EXPECT_EQ(framesOf(drop.at(0)->masterIn()), 10 * 107892);
    // record times keep the list type's drop rate; source times follow the mode
    auto mixed = readEdl(
        "TITLE: X\nFCM: NON-DROP FRAME\n001  A001 V C 01:00:00:00 01:00:01:00 10:00:00:00 10:00:01:00\n", "NTSC df");
    ASSERT_EQ(mixed.size(), 1u);
    EXPECT_FALSE(mixed[0]->sourceIn()->isDrop());
    EXPECT_EQ(mixed[0]->sourceIn()->totalFrames(), 108000);
    EXPECT_TRUE(mixed[0]->masterIn()->isDrop());
    // a first "FCM: 25" line fixes the list rate whatever the list type
    auto pal = readEdl("FCM: 25\n001  A001 V C 00:00:00:00 00:00:01:00 01:00:00:24 01:00:01:24\n");
    EXPECT_EQ(framesOf(pal.at(0)->masterIn()), 90024);
}

TEST(EdlReader, WhatTheLinesMake) {
    const std::string times = " 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    const std::string row = "|00:00:00:00|00:00:01:00|01:00:00:00|01:00:01:00";
    const std::string twoSeconds = "|00:00:00:00|00:00:02:00|01:00:00:00|01:00:01:00";
    const std::string ninetySeven =
        "FCM: 29.97 NON-DROP FRAME\n001  A V C 00:00:00:29 00:00:01:00 00:00:00:00 00:00:00:01\n";
    const std::string fromTo = "001  R1 V D 030" + times + "* FROM CLIP NAME: A\n* TO CLIP NAME: B\n";
    const std::string motion =
        "001  R1 V C 00:00:00:00 00:00:02:00 01:00:00:00 01:00:01:00\nM2   R1       048.0    00:00:00:00\n";
    const struct {
        const char* what;
        std::string text;
        Rows expected;
        bool byClip = false;
        std::string type = "film cutlist";
        bool import = true;
    } cases[] = {
        {"29.97 non-drop is read at 30 in the import", ninetySeven,
         {"001|A|00:00:00:29|00:00:01:00|00:00:00:00|00:00:00:01"}},
        {"and at 24 in the search, where frame 29 is refused", ninetySeven, {}, false, "film cutlist", false},
        {"BL and AX reels are no events",
         "001  BL   V C" + times + "002  AX   V C 00:00:00:00 00:00:01:00 01:00:01:00 01:00:02:00\n"
                                    "* FROM CLIP NAME:  SHOT_A  \n",
         {"002|SHOT_A|00:00:00:00|00:00:01:00|01:00:01:00|01:00:02:00"}},
        {"a dissolve by lab roll", fromTo, {"001|R1" + row}},
        {"a dissolve by clip name takes the TO clip", fromTo, {"001|B" + row}, true},
        {"a motion line by lab roll is not looked ahead to", motion, {"001|R1" + twoSeconds}},
        {"a motion line by clip name", motion, {"001|R1" + twoSeconds + "|M"}, true},
        {"a LEADER reel reads its motion line",
         "001  LEADER V C 00:00:00:00 00:00:02:00 01:00:00:00 01:00:01:00\nM2 LEADER 048.0 00:00:00:00\n",
         {"001|LEADER" + twoSeconds + "|M"}},
        // the outgoing side of a dissolve has no source length: the second line makes the event
        {"a dissolve from a still", "001  R1 V C        00:00:05:00 00:00:05:00 01:00:00:00 01:00:00:00\n"
                                    "001  R2 V D 024    00:00:10:00 00:00:12:00 01:00:00:00 01:00:02:00\n",
         {"001|R2|00:00:10:00|00:00:12:00|01:00:00:00|01:00:02:00"}},
        {"a repeated number", "001  R1 V C" + times + "001  R2 V C 00:00:03:00 00:00:04:00 01:00:01:00 01:00:02:00\n",
         {"001|R1" + row}},
        {"four-digit numbers end the look-ahead",
         "1001  R1 V C" + times + "1001  R1 V C" + times + "* FROM CLIP NAME: LATE\n", {"1001|R1" + row}, true},
        {"tabs separate words", "001\tR7\tV\tC\t" + times.substr(1), {"001|R7" + row}},
        {"a colon in the reel", "001  A:B V C" + times, {}},
        {"three times", "001 V C 00:00:00:00 00:00:01:00 01:00:00:00\n", {}},
        {"colons only", ":::::::::::::\n", {}},
        {"a short time", "00:00:00:00 00:00:01:00 01:00:00:00 01:00:01\n", {}},
        // "PAL film 2" implies no rate: times without an FCM rate never parse
        {"PAL film 2 without a rate", "001  A V C" + times, {}, false, "PAL film 2"},
        {"PAL film 2 with FCM: 25", "FCM: 25\n001  A V C" + times, {"001|A" + row}, false, "PAL film 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::rows(readEdl(c.text, c.type, c.byClip, c.import)), c.expected) << c.what;
}

struct MovieSpy : NoMovies {
    std::vector<std::string> olds, news;
    void setMoviesOld(const std::string& u) override { olds.push_back(u); }
    void setMoviesNew(const std::string& u) override { news.push_back(u); }
};

TEST(EdlReader, MovieLinesLoadOncePerFile) {
    MovieSpy spy;
    readEdl("MovieOld:file:///a.mov\nMovieOld:file:///b.mov\nMovieNew: file:///c.mov\nMovieNew:\n", "film cutlist",
            false, true, &spy);
    EXPECT_EQ(spy.olds, (std::vector<std::string>{"file:///a.mov"}));
    EXPECT_EQ(spy.news, (std::vector<std::string>{" file:///c.mov"}));
}

}  // namespace
}  // namespace rw
