#include "import/EdlReader.h"
#include "ports/MoviePort.h"

#include "core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rw::EditArray;

struct Read {
    std::string edlType = "film cutlist";
    std::string rate = "24";
    bool byClip = false;
    bool import = true;

    EditArray operator()(const std::string& text, rw::MoviePort* movies = nullptr) const {
        rw::EdlReadOptions o;
        o.edlType = edlType;
        o.currentRate = rate;
        o.compareByClipName = byClip;
        o.importVariant = import;
        o.movies = movies;
        EditArray out;
        rw::readEdlLines(rw::splitLineViews(text), o, out);
        return out;
    }
};

std::string row(const rw::EditPtr& e) {
    return e->editNum() + "|" + e->clip() + "|" + e->sourceIn()->tcAsString() + "|" + e->sourceOut()->tcAsString() +
           "|" + e->masterIn()->tcAsString() + "|" + e->masterOut()->tcAsString() + (e->isMotionEffected() ? "|M" : "");
}

std::vector<std::string> rows(const EditArray& events) {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(row(e));
    return out;
}

using Rows = std::vector<std::string>;

TEST(EdlReader, FrameCodeModesSetTheRates) {
    Read ntscDf{"NTSC df", "29.97df"};
    auto drop = ntscDf("TITLE: X\nFCM: DROP FRAME\n001  A001 V C 01:00:00;00 01:00:01;00 10:00:00;00 10:00:01;00\n");
    ASSERT_EQ(drop.size(), 1u);
    EXPECT_TRUE(drop[0]->sourceIn()->isDrop());
    EXPECT_TRUE(drop[0]->masterIn()->isDrop());
    EXPECT_EQ(drop[0]->masterIn()->totalFrames(), 10 * 107892);

    // record times keep the list type's drop rate; source times follow the mode
    auto mixed = ntscDf("TITLE: X\nFCM: NON-DROP FRAME\n001  A001 V C 01:00:00:00 01:00:01:00 10:00:00:00 10:00:01:00\n");
    ASSERT_EQ(mixed.size(), 1u);
    EXPECT_FALSE(mixed[0]->sourceIn()->isDrop());
    EXPECT_EQ(mixed[0]->sourceIn()->totalFrames(), 108000);
    EXPECT_TRUE(mixed[0]->masterIn()->isDrop());

    // a first "FCM: 25" line fixes the list rate whatever the list type
    auto pal = Read{}("FCM: 25\n001  A001 V C 00:00:00:00 00:00:01:00 01:00:00:24 01:00:01:24\n");
    ASSERT_EQ(pal.size(), 1u);
    EXPECT_EQ(pal[0]->masterIn()->totalFrames(), 90024);
}

TEST(EdlReader, NinetyTwoNinetySevenNonDropOnlyInTheImport) {
    const std::string text = "FCM: 29.97 NON-DROP FRAME\n001  A V C 00:00:00:29 00:00:01:00 00:00:00:00 00:00:00:01\n";
    EXPECT_EQ(Read{}(text).size(), 1u);  // read at 30
    Read search;
    search.import = false;
    EXPECT_TRUE(search(text).empty());  // read at 24, frame 29 is refused
}

TEST(EdlReader, ReelsAndClipNames) {
    Read labroll;
    Read clipname;
    clipname.byClip = true;
    const std::string blAndAx =
        "001  BL   V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n"
        "002  AX   V C 00:00:00:00 00:00:01:00 01:00:01:00 01:00:02:00\n"
        "* FROM CLIP NAME:  SHOT_A  \n";
    EXPECT_EQ(rows(labroll(blAndAx)), (Rows{"002|SHOT_A|00:00:00:00|00:00:01:00|01:00:01:00|01:00:02:00"}));

    const std::string fromTo =
        "001  R1 V D 030 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n"
        "* FROM CLIP NAME: A\n* TO CLIP NAME: B\n";
    EXPECT_EQ(labroll(fromTo)[0]->clip(), "R1");
    EXPECT_EQ(clipname(fromTo)[0]->clip(), "B");
}

TEST(EdlReader, MotionEffectsNeedTheLookAhead) {
    const std::string text =
        "001  R1 V C 00:00:00:00 00:00:02:00 01:00:00:00 01:00:01:00\n"
        "M2   R1       048.0    00:00:00:00\n";
    Read labroll;
    Read clipname;
    clipname.byClip = true;
    EXPECT_FALSE(labroll(text)[0]->isMotionEffected());
    EXPECT_TRUE(clipname(text)[0]->isMotionEffected());
    EXPECT_TRUE(labroll("001  LEADER V C 00:00:00:00 00:00:02:00 01:00:00:00 01:00:01:00\nM2 LEADER 048.0 00:00:00:00\n")[0]
                    ->isMotionEffected());
}

TEST(EdlReader, DissolvesAndDuplicateNumbers) {
    // the outgoing side of a dissolve has no source length: the second line makes the event
    auto dissolve = Read{}(
        "001  R1 V C        00:00:05:00 00:00:05:00 01:00:00:00 01:00:00:00\n"
        "001  R2 V D 024    00:00:10:00 00:00:12:00 01:00:00:00 01:00:02:00\n");
    EXPECT_EQ(rows(dissolve), (Rows{"001|R2|00:00:10:00|00:00:12:00|01:00:00:00|01:00:02:00"}));
    auto twice = Read{}(
        "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n"
        "001  R2 V C 00:00:03:00 00:00:04:00 01:00:01:00 01:00:02:00\n");
    EXPECT_EQ(rows(twice), (Rows{"001|R1|00:00:00:00|00:00:01:00|01:00:00:00|01:00:01:00"}));
}

TEST(EdlReader, LinesThatAreNotEvents) {
    Read r;
    EXPECT_TRUE(r("001  A:B V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n").empty());
    EXPECT_TRUE(r("001 V C 00:00:00:00 00:00:01:00 01:00:00:00\n").empty());
    EXPECT_TRUE(r(":::::::::::::\n").empty());
    EXPECT_TRUE(r("00:00:00:00 00:00:01:00 01:00:00:00 01:00:01\n").empty());
    // "PAL film 2" implies no rate: times without an FCM rate never parse
    Read pal2{"PAL film 2", ""};
    EXPECT_TRUE(pal2("001  A V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n").empty());
    EXPECT_EQ(pal2("FCM: 25\n001  A V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n").size(), 1u);
}

TEST(EdlReader, FourDigitNumbersEndTheLookAhead) {
    Read clipname;
    clipname.byClip = true;
    auto events = clipname(
        "1001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n"
        "1001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n"
        "* FROM CLIP NAME: LATE\n");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->clip(), "R1");
}

TEST(EdlReader, TabsSeparateWords) {
    auto events = Read{}("001\tR7\tV\tC\t00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->clip(), "R7");
}

struct MovieSpy : rw::MoviePort {
    std::vector<std::string> olds, news;
    void setMoviesOld(const std::string& u) override { olds.push_back(u); }
    void setMoviesNew(const std::string& u) override { news.push_back(u); }
};

TEST(EdlReader, MovieLinesLoadOncePerFile) {
    MovieSpy spy;
    Read{}("MovieOld:file:///a.mov\nMovieOld:file:///b.mov\nMovieNew: file:///c.mov\nMovieNew:\n", &spy);
    EXPECT_EQ(spy.olds, (std::vector<std::string>{"file:///a.mov"}));
    EXPECT_EQ(spy.news, (std::vector<std::string>{" file:///c.mov"}));
}

}  // namespace
