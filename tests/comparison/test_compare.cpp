#include "comparison/Compare.h"

#include "EventBuilders.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace rw::test;
using Rows = std::vector<std::string>;

rw::EditArray compare(const rw::EditArray& o, const rw::EditArray& n) { return rw::compareOldList(o, n, "24"); }

rw::EditPtr moving(rw::EditPtr e) {
    e->setIsMotionEffected(true);
    return e;
}

TEST(Compare, OneOldAndOneNewEvent) {
    const struct {
        const char* what;
        rw::EditPtr o, n;
        Rows expected;
    } cases[] = {
        {"unmoved material gives equal ranges", ev("A", 100, 200, 1000, 1100), ev("A", 100, 200, 1000, 1100),
         {"A 1000-1100 > 1000-1100"}},
        // NEW starts 10 source frames before OLD: the change starts at OLD's master in,
        // 10 frames into the NEW event, and both ranges keep one length
        {"new material before the old source in", ev("A", 110, 200, 1000, 1090), ev("A", 100, 200, 5000, 5100),
         {"A 1000-1090 > 5010-5100"}},
        // NEW at 1.5x runs 19 source frames past OLD: newEnd = trunc(5030 - 19 / 1.5) = 5017, not 5030 - 12
        {"single-precision motion arithmetic", ev("A", 900, 1026, 20000, 20126), ev("A", 1000, 1045, 5000, 5030),
         {"A 20100-20117 > 5000-5017"}},
        {"an old event at 2x counts the source offset half", moving(ev("B", 0, 200, 1000, 1100)),
         ev("B", 50, 150, 3000, 3100), {"B 1025-1125 > 3000-3100"}},
        {"an old event at 1/8 speed: 5 source frames are 40", moving(ev("A", 0, 10, 0, 80)), ev("A", 5, 9, 0, 4),
         {"A 40-44 > 0-4"}},
    };
    for (const auto& c : cases) EXPECT_EQ(frames(compare({c.o}, {c.n})), c.expected) << c.what;
}

TEST(Compare, ColoursMarkWhatWasFound) {
    auto o = ev("A", 100, 200, 1000, 1100);
    auto n = ev("A", 100, 200, 1000, 1100);
    compare({o}, {n});
    EXPECT_EQ(o->color(), rw::standardColorText());
    EXPECT_EQ(n->color(), rw::Color::textColor());
    // touching sources and unknown material give nothing
    auto missed = ev("A", 100, 200, 1000, 1100);
    auto touching = ev("A", 200, 300, 0, 100);
    auto other = ev("B", 100, 200, 0, 100);
    EXPECT_TRUE(compare({missed}, {touching, other}).empty());
    EXPECT_EQ(touching->color(), rw::Color::red());
    EXPECT_EQ(other->color(), rw::Color::red());
    EXPECT_EQ(missed->color(), rw::standardColorMissed());
}

TEST(Compare, AClipUsedTwiceInTheOldCut) {
    // the NEW event's material lies twice in the OLD cut: the longer overlap wins
    auto first = ev("A", 100, 150, 1000, 1050);
    auto second = ev("A", 100, 200, 3000, 3100);
    auto n = ev("A", 100, 200, 7000, 7100);
    EXPECT_EQ(frames(compare({first, second}, {n})), (Rows{"A 3000-3100 > 7000-7100"}));
    EXPECT_EQ(first->color(), rw::standardColorMissed());

    // equal lengths: the one that moves less wins; a second candidate wholly
    // outside the winner's NEW range is emitted too
    auto near = ev("A", 100, 150, 6900, 6950);
    auto far = ev("A", 150, 200, 100, 150);
    EXPECT_EQ(frames(compare({far, near}, {n})), (Rows{"A 6900-6950 > 7000-7050", "A 100-150 > 7050-7100"}));
    EXPECT_EQ(far->color(), rw::standardColorText());

    // the candidate that keeps the last emitted displacement wins at once
    auto lead = ev("L", 0, 10, 500, 510);
    auto leadNew = ev("L", 0, 10, 600, 610);
    auto keep = ev("A", 100, 200, 510, 610);
    auto longer = ev("A", 100, 200, 8000, 8100);
    auto moved = ev("A", 100, 200, 610, 710);
    EXPECT_EQ(frames(compare({lead, longer, keep}, {leadNew, moved})),
              (Rows{"L 500-510 > 600-610", "A 510-610 > 610-710"}));
}

// Random lists with repeated clips, VFX shots and motion effects: the index
// must give exactly what trying every OLD event gives.
rw::EditArray randomList(std::mt19937& rng, int n) {
    std::uniform_int_distribution<int> clip(0, n / 4 + 1), start(0, 5000), len(1, 300), shot(0, 9), coin(0, 9);
    rw::EditArray list;
    int rec = 86400;
    for (int i = 0; i < n; ++i) {
        int si = start(rng), l = len(rng), ml = coin(rng) == 0 ? l / 2 + 1 : l;
        auto e = ev("C" + std::to_string(clip(rng)), si, si + l, rec, rec + ml);
        e->setIsMotionEffected(ml != l);
        if (coin(rng) < 2) {
            e->setIsVFX(true);
            e->setScene("S" + std::to_string(shot(rng)));
            e->setShot("T" + std::to_string(shot(rng)));
        }
        rec += ml - (coin(rng) == 0 ? 5 : 0);
        list.push_back(e);
    }
    return list;
}

TEST(Compare, IndexGivesTheSameResultAsThePlainLoop) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        auto olds = randomList(rng, 150 + 20 * seed);
        auto news = randomList(rng, 150 + 15 * seed);
        auto plain = rw::compareOldList(olds, news, "24", rw::CandidateOrder::Plain);
        std::vector<rw::Color> oldColours, newColours;
        for (auto& e : olds) oldColours.push_back(e->color());
        for (auto& e : news) newColours.push_back(e->color());
        auto indexed = rw::compareOldList(olds, news, "24", rw::CandidateOrder::Indexed);
        ASSERT_FALSE(plain.empty());
        ASSERT_EQ(frames(indexed), frames(plain)) << "seed " << seed;
        for (std::size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(indexed[i]->color(), plain[i]->color());
        for (std::size_t i = 0; i < olds.size(); ++i) ASSERT_EQ(olds[i]->color(), oldColours[i]);
        for (std::size_t i = 0; i < news.size(); ++i) ASSERT_EQ(news[i]->color(), newColours[i]);
    }
}

}  // namespace
