// The indexed look-ups of the file conforms against the plain list-order
// scans they replace, on seeded random inputs.

#include "conform/ConformTime.h"
#include "conform/Tc6000Conform.h"

#include <gtest/gtest.h>

#include <random>

namespace rw {
namespace {

// The first event in list order whose old range holds t.
std::optional<std::int64_t> scanMoved(const EditArray& events, std::int64_t t, OldRange range) {
    for (const auto& e : events) {
        if (!e->sourceIn() || !e->sourceOut() || !e->masterIn()) continue;
        const std::int64_t in = oldFrames(*e->sourceIn(), range), out = oldFrames(*e->sourceOut(), range);
        if (in <= t && t < out) return std::int64_t{e->masterIn()->totalFrames()} - in + t;
    }
    return std::nullopt;
}

// The last snapshot before the first later one, in file order.
const Snapshot* scanInForce(const std::vector<Snapshot>& group, std::int32_t at) {
    const Snapshot* remembered = nullptr;
    for (const auto& s : group) {
        if (s.time->totalFrames() > at) break;
        remembered = &s;
    }
    return remembered;
}

TcPtr at(std::mt19937& rng, int from, int to, const std::string& rate) {
    return KLVtc::initWithFrames(std::uniform_int_distribution<int>(from, to)(rng), rate);
}

// Overlapping, reused and empty ranges over a few hours, and the odd event
// without times.
EditArray randomChanges(std::mt19937& rng, int count, const std::string& rate) {
    EditArray events;
    const int hour = KLVtc::initWithString("01:00:00:00", rate)->totalFrames();
    for (int n = 0; n < count; ++n) {
        if (n > 0 && rng() % 4 == 0) {  // an earlier range again, elsewhere
            const auto& old = events[rng() % events.size()];
            events.push_back(edit::initWithNum("r", "c", old->sourceIn(), old->sourceOut(), at(rng, 0, 4 * hour, rate),
                                               nullptr));
            continue;
        }
        TcPtr in = at(rng, hour - 500, hour + 3000, rate);
        TcPtr out = KLVtc::initWithFrames(in->totalFrames() + static_cast<int>(rng() % 400) - 20, rate);
        TcPtr master = rng() % 20 == 0 ? nullptr : at(rng, 0, 4 * hour, rate);
        events.push_back(edit::initWithNum("e", "c", in, out, master, nullptr));
    }
    return events;
}

TEST(ChangeIndex, AnswersAsTheListOrderScan) {
    std::mt19937 rng(12);
    for (const std::string rate : {"24", "25", "29.97df", "30"}) {
        const int hour = KLVtc::initWithString("01:00:00:00", rate)->totalFrames();
        for (int round = 0; round < 20; ++round) {
            const EditArray events = randomChanges(rng, 1 + round * 3, rate);
            for (OldRange range : {OldRange::Full, OldRange::WithinHour}) {
                const ChangeIndex index(events, range);
                // Around the starts of hours 0 and 1, where the ranges lie in either reading.
                for (int k = 0; k < 2000; ++k) {
                    const std::int64_t t = (k % 2 ? hour : 0) + static_cast<std::int64_t>(rng() % 4200) - 600;
                    ASSERT_EQ(index.movedFrames(t), scanMoved(events, t, range)) << rate << " t=" << t;
                }
            }
        }
    }
}

TEST(ChangeIndex, NoEventsHoldNothing) {
    EXPECT_EQ(ChangeIndex({}).movedFrames(0), std::nullopt);
}

TEST(SnapshotGroup, AnswersAsTheFileOrderScan) {
    std::mt19937 rng(6000);
    for (int round = 0; round < 200; ++round) {
        std::vector<Snapshot> snapshots;
        const int count = round % 12;
        for (int n = 0; n < count; ++n) snapshots.push_back({at(rng, 0, 60, "25"), "1", "R1", std::to_string(n)});
        SnapshotGroup group;
        for (const auto& s : snapshots) group.add(s);
        for (std::int32_t t = -2; t < 64; ++t) ASSERT_EQ(group.inForceAt(t), scanInForce(snapshots, t)) << t;
    }
}

}  // namespace
}  // namespace rw
