#include "comparison/Heal.h"

#include "EventBuilders.h"

#include <gtest/gtest.h>

namespace {

using namespace rw::test;
using Rows = std::vector<std::string>;

rw::EditArray pairWithHole() {
    return {evTc("A", "10:00:00:00", "10:00:05:00", "10:00:10:00", "10:00:15:00"),
            evTc("B", "10:00:06:00", "10:00:08:00", "10:00:16:00", "10:00:18:00")};
}

TEST(Heal, FerocityDecidesWhetherAHoleIsJoined) {
    auto a = pairWithHole();
    EXPECT_EQ(frames(rw::healArray(a, "aggressive", {})), (Rows{"healed 864000-864192 > 864240-864432"}));
    // "normal" and an unknown ferocity join nothing but colour the gap
    for (const char* ferocity : {"normal", "gentle"}) {
        auto n = pairWithHole();
        auto kept = rw::healArray(n, ferocity, {});
        ASSERT_EQ(kept.size(), 2u) << ferocity;
        EXPECT_EQ(kept[0]->color(), rw::Color::black()) << ferocity;
        EXPECT_EQ(kept[1]->color(), rw::standardColorGap()) << ferocity;
    }
    // "forceful" joins unless a NEW event reaches into the NEW gap
    for (const auto& [in, out, joined] : {std::tuple{"10:00:00:00", "10:00:15:00", true},
                                          {"10:00:15:12", "10:00:15:13", false},
                                          {"10:00:16:00", "10:00:17:00", true}}) {
        auto f = pairWithHole();
        EXPECT_EQ(rw::healArray(f, "forceful", {evTc("X", "00:00:00:00", "00:00:01:00", in, out)}).size(),
                  joined ? 1u : 2u) << in;
    }
}

TEST(Heal, TheShorterEventLosesAnOverlap) {
    // a 20-frame event overlapped by the 10-frame one after it: the later one loses its head
    rw::EditArray longFirst = {ev("A", 100, 120, 1000, 1020), ev("B", 500, 510, 1015, 1025)};
    EXPECT_EQ(frames(rw::healArray(longFirst, "normal", {})), (Rows{"A 100-120 > 1000-1020", "B 505-510 > 1020-1025"}));
    // equal lengths: the earlier one loses its tail
    rw::EditArray equal = {ev("A", 100, 110, 1000, 1010), ev("B", 500, 510, 1005, 1015)};
    auto healed = rw::healArray(equal, "normal", {});
    EXPECT_EQ(frames(healed), (Rows{"A 100-105 > 1000-1005", "B 500-510 > 1005-1015"}));
    EXPECT_EQ(healed[1]->color(), rw::standardColorGap());  // an overlap just cut counts as a gap
    // an event inside the one before it disappears
    rw::EditArray inside = {ev("A", 100, 200, 1000, 1100), ev("B", 500, 510, 1010, 1020)};
    EXPECT_EQ(frames(rw::healArray(inside, "normal", {})), (Rows{"A 100-200 > 1000-1100"}));
}

TEST(Heal, SortsFirstAndKeepsRedMarks) {
    rw::EditArray events = {ev("B", 20, 30, 120, 130), ev("A", 0, 10, 100, 110)};
    events[0]->setColor(rw::Color::red());
    auto healed = rw::healArray(events, "aggressive", {});
    ASSERT_EQ(healed.size(), 1u);
    EXPECT_EQ(frames(healed[0]), "healed 0-30 > 100-130");
    EXPECT_EQ(healed[0]->color(), rw::Color::red());
    EXPECT_EQ(events[0]->clip(), "healed");  // the given array is sorted in place
    rw::EditArray empty;
    EXPECT_TRUE(rw::healArray(empty, "aggressive", {}).empty());
}

TEST(Heal, Renumbering) {
    rw::EditArray events;
    for (int i = 0; i < 1000; ++i) events.push_back(ev("A", i, i + 1, i, i + 1));
    rw::renumberArray(events);
    for (const auto& [i, num] : {std::pair{0, "001"}, {41, "042"}, {998, "999"}, {999, "1000"}})
        EXPECT_EQ(events[i]->editNum(), num);
}

}  // namespace
