#include "ardour/ArdourPlan.h"
#include "ardour/ArdourScript.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

// At 25 samples a second and 25 fps every frame is one sample, so the
// expectations read in frames.
ArdourClock frameClock(std::int64_t offset = 0) { return *ardourClock("timecode_25", 25, offset, true); }

ArdourSession twoTracks() {
    ArdourSession s;
    s.sampleRate = 25;
    s.tracks = {{"a", "Dia", false, "pa"}, {"b", "FX", false, "pb"}, {"m", "Synth", true, "pm"}};
    s.playlists = {{"pa",
                    "Dia",
                    {{"r1", "r1", 0, 100, 0, 0}, {"r2", "r2", 100, 100, 0, 0}, {"r3", "r3", 50, 100, 7, 1}}},
                   {"pb", "FX", {{"r4", "r4", 0, 200, 0, 0}}},
                   {"pm", "Synth", {{"n1", "n1", 0, 5000, 0, 0}}}};
    s.sessionRange = std::make_pair(0, 200);
    return s;
}

EditPtr event(const char* num, int oldIn, int oldOut, int newIn, int newOut) {
    auto f = [](int n) { return KLVtc::initWithFrames(n, "25"); };
    return edit::initWithNum(num, "clip", f(oldIn), f(oldOut), f(newIn), f(newOut));
}

std::vector<std::string> pieces(const TrackPlan& t) {
    std::vector<std::string> out;
    for (const auto& p : t.pieces)
        out.push_back(p.region.id + " " + std::to_string(p.from) + "-" + std::to_string(p.to) + ">" +
                      std::to_string(p.newPosition) + (p.cutFront ? " F" : "") + (p.cutBack ? " B" : ""));
    return out;
}

TEST(ArdourPlan, RegionsAreCutAtTheEventEdgesAndPlacedBottomLayerFirst) {
    const EditArray events = {event("001", 40, 60, 500, 520), event("002", 90, 110, 520, 540),
                              event("003", 1000, 1010, 540, 550), event("004", 190, 210, 550, 570),
                              event("005", 0, 10, 510, 520), event("006", 0, 30, 600, 610)};
    const ArdourPlan plan = planArdourConform(twoTracks(), frameClock(), events, events, "reel1_v2");

    ASSERT_EQ(plan.tracks.size(), 2u);  // the MIDI track is left as it is
    EXPECT_EQ(plan.tracks[0].newPlaylistName, "Dia.reel1_v2");
    EXPECT_EQ(pieces(plan.tracks[0]), (std::vector<std::string>{"r1 40-60>500 F B", "r3 50-60>510 B",
                                                                "r1 90-100>520 F", "r2 100-110>530 B",
                                                                "r3 90-110>520 F B", "r2 190-200>550 F"}));
    EXPECT_EQ(pieces(plan.tracks[1]),
              (std::vector<std::string>{"r4 40-60>500 F B", "r4 90-110>520 F B", "r4 190-200>550 F"}));

    const auto fate = [&](int i) { return plan.events[static_cast<std::size_t>(i)].fate; };
    EXPECT_EQ(fate(0), EventFate::Conformed);
    EXPECT_EQ(plan.events[1].pieces, 4);
    EXPECT_EQ(fate(2), EventFate::Silence);
    EXPECT_EQ(fate(3), EventFate::Conformed);
    EXPECT_NE(plan.events[3].why.find("part of its OLD range"), std::string::npos);
    EXPECT_EQ(fate(4), EventFate::Refused);
    EXPECT_NE(plan.events[4].why.find("overlaps that of event 001"), std::string::npos);
    EXPECT_EQ(fate(5), EventFate::Refused);
    EXPECT_NE(plan.events[5].why.find("speed change"), std::string::npos);
    EXPECT_EQ(plan.refused(), 2);

    ASSERT_EQ(plan.segments.size(), 4u);  // in NEW order, silence included
    EXPECT_EQ(plan.segments[2].from, 1000);
    EXPECT_EQ(plan.segments[2].newFrom, 540);
    ASSERT_TRUE(plan.sessionRange);
    EXPECT_EQ(*plan.sessionRange, std::make_pair(std::int64_t{0}, std::int64_t{570}));
    EXPECT_NE(std::find(plan.notes.begin(), plan.notes.end(), "MIDI track \"Synth\" is left as it is"), plan.notes.end());
}

TEST(ArdourPlan, EdgesAndRefusalsAtTheSessionsLimits) {
    // An offset that puts 00:00:10:00 at sample 0: a NEW range before it is refused.
    const EditArray events = {event("001", 300, 310, 240, 260), event("002", 300, 310, 240, 250),
                              event("003", 300, 299, 400, 401), event("004", 300, 301, 400, 400),
                              event("005", 300, 320, 400, 419)};
    const ArdourPlan plan = planArdourConform(twoTracks(), frameClock(250), events, events, "v2");
    EXPECT_NE(plan.events[0].why.find("differ in length"), std::string::npos);
    EXPECT_NE(plan.events[1].why.find("before the session's start"), std::string::npos);
    EXPECT_NE(plan.events[2].why.find("OLD range"), std::string::npos);
    EXPECT_NE(plan.events[3].why.find("NEW range"), std::string::npos);
    // A frame apart is a timebase conversion's rounding: the NEW length holds.
    EXPECT_EQ(plan.events[4].fate, EventFate::Conformed);
    EXPECT_EQ(plan.events[4].oldTo - plan.events[4].oldFrom, 19);
}

TEST(ArdourPlan, NamesAndPathsReachLuaAsPlainStrings) {
    EXPECT_EQ(luaString("Dia \"A\" \\ 1\n\x7f"), "\"Dia \\\"A\\\" \\\\ 1\\010\\127\"");
    EXPECT_EQ(luaString("Tête ]]"), "\"Tête ]]\"");
}

}  // namespace
}  // namespace rw
