// The rules that turn pair differences into verdicts, and the check's walk
// over events, with differences written out (no movies).

#include "verify/VerifyEvents.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

struct Offset {
    int offset;
    std::vector<double> differences;  // event frames 0, 1, ...
};

OffsetScores scoresOf(const std::vector<Offset>& table) {
    OffsetScores s;
    for (const Offset& o : table)
        for (std::size_t k = 0; k < o.differences.size(); ++k)
            s.add(o.offset, static_cast<std::int32_t>(k + std::max(0, -o.offset)), o.differences[k]);
    return s;
}

// Alike up to 6; "clearly better" below 0.6 of the other and 3 less.
TEST(Verdict, EveryFrameRules) {
    const struct {
        const char* what;
        std::vector<Offset> table;
        const char* verdict;  // as the change list's Verdict column shows it
        std::int32_t worstFrame;
    } cases[] = {
        {"in place", {{0, {1, 1, 1}}, {-1, {9, 9}}, {1, {9, 9}}}, "match", 0},
        {"still", {{0, {1, 1}}, {-1, {1.2}}, {1, {0.9}}}, "match (low detail)", 0},
        {"later", {{0, {12, 14, 13}}, {2, {1}}, {-2, {20}}}, "slip +2", 1},
        {"earlier, slow picture", {{0, {4, 4, 4}}, {-1, {1, 1}}}, "slip -1", 0},
        {"neighbour only a little better", {{0, {4, 4, 4}}, {1, {2, 2}}}, "match (low detail)", 0},
        {"best offset not alike throughout", {{0, {20, 20, 20}}, {1, {2, 9}}}, "differs", 0},
        {"some frames differ in place", {{0, {1, 25, 1}}, {1, {15, 15}}}, "differs", 1},
    };
    for (const auto& c : cases) {
        const EventCheck check = judgeEvent(scoresOf(c.table), VerifyTuning{});
        EXPECT_EQ(verdictLabel(check), c.verdict) << c.what << ": " << check.detail;
        EXPECT_EQ(check.worstFrame, c.worstFrame) << c.what;
    }
    EXPECT_EQ(judgeEvent(scoresOf({{1, {1}}}), VerifyTuning{}).verdict, Verdict::NoPicture);
}

TEST(Verdict, SamplesDecideOnlyWhenTheyAgreeInPlace) {
    const VerifyTuning tuning;
    EXPECT_EQ(judgeSamples(scoresOf({{0, {1, 1, 1}}, {-1, {8, 8}}, {1, {8, 8}}}), tuning)->verdict, Verdict::Match);
    EXPECT_FALSE(judgeSamples(scoresOf({{0, {1, 8, 1}}}), tuning));
    EXPECT_FALSE(judgeSamples(scoresOf({{0, {4, 4, 4}}, {1, {1, 1}}}), tuning));
    // Only a mean in place of 3 (half the alike threshold) or more leaves room for a clearly better neighbour.
    EXPECT_FALSE(neighboursMayDecide(scoresOf({{0, {2.9, 2.9}}}), tuning));
    EXPECT_TRUE(neighboursMayDecide(scoresOf({{0, {3, 3}}}), tuning));
    EXPECT_FALSE(neighboursMayDecide(scoresOf({{0, {1, 7}}}), tuning));  // not alike: every frame decides
}

TEST(Verdict, DiffersOnceNoOffsetCanBeAlikeThroughout) {
    const VerifyTuning tuning;
    EXPECT_TRUE(settledAsDiffering(scoresOf({{-1, {9}}, {0, {1, 7}}, {1, {8}}}), 3, tuning));
    EXPECT_FALSE(settledAsDiffering(scoresOf({{-1, {9}}, {0, {1, 7}}, {1, {6}}}), 3, tuning));
    EXPECT_FALSE(settledAsDiffering(scoresOf({{0, {1, 7}}, {1, {8}}}), 3, tuning));  // -1 not tried yet
}

// Pictures that differ everywhere; frames past `decodable` cannot be had.
class FakePictures : public PicturePort {
public:
    std::int64_t decodable = 1 << 30;
    int fetched = 0;
    std::optional<MovieFrame> fetch(const std::vector<std::int64_t>& olds, const std::vector<std::int64_t>& news) override {
        fetched += static_cast<int>(olds.size() + news.size());
        for (const std::int64_t index : news)
            if (index >= decodable) return MovieFrame{MovieSide::New, index};
        return std::nullopt;
    }
    double difference(std::int64_t, std::int64_t) override { return 30; }
    void forget(MovieSide, std::int64_t) override {}
};

VerifySetup setupOf(int frames) {
    VerifySetup s;
    for (VerifyMovie& m : s.movies) {
        m.facts.rate = 24;
        m.facts.rateText = "24.00";
        m.facts.timeScale = 24000;
        m.facts.duration = frames * 1000;
        m.facts.frames = FrameGrid::fromRate(24, 1, 24000, m.facts.duration);
        m.start = startFromField(MovieStart{}, "01:00:00:00", "24.00");
    }
    return s;
}

EditPtr event(int oldIn, int newIn, int length) {
    const auto at = [](int frame) { return KLVtc::initWithFrames(24 * 3600 + frame, "24"); };
    return edit::initWithNum("001", "A", at(oldIn), at(oldIn + length), at(newIn), at(newIn + length));
}

TEST(VerifyEvents, RangesOutsideTheMoviesHaveNoPicture) {
    const struct {
        const char* what;
        EditPtr event;
        std::int64_t decodable;
        const char* detail;
    } cases[] = {
        {"inside", event(0, 100, 24), 1 << 30, "in place 30.0"},
        {"past the end", event(0, 230, 24), 1 << 30, "NEW 01:00:09:14-01:00:10:14 lies partly past the end of the movie (240 frames)"},
        {"before the start", event(-48, 0, 24), 1 << 30, "OLD 00:59:58:00-00:59:59:00 lies outside the movie (240 frames)"},
        {"movie cut short", event(0, 100, 24), 110, "NEW frame 111 cannot be decoded"},
    };
    for (const auto& c : cases) {
        FakePictures pictures;
        pictures.decodable = c.decodable;
        const VerifyOutcome out = verifyEvents({c.event}, setupOf(240), pictures);
        ASSERT_EQ(out.checks.size(), 1u);
        EXPECT_NE(out.checks[0].detail.find(c.detail), std::string::npos) << c.what << ": " << out.checks[0].detail;
    }
}

// Cancel is heard within the event being compared frame by frame.
TEST(VerifyEvents, CancelStopsWithinOneEvent) {
    FakePictures pictures;
    int asked = 0;
    const VerifyOutcome out = verifyEvents({event(0, 0, 5000), event(0, 0, 10)}, setupOf(6000), pictures,
                                           [&](std::size_t, std::size_t) { return ++asked < 2; });
    EXPECT_TRUE(out.cancelled);
    EXPECT_TRUE(out.checks.empty());
    EXPECT_LT(pictures.fetched, 40);

    // Without Cancel, a long event that differs everywhere is settled early.
    FakePictures again;
    const VerifyOutcome whole = verifyEvents({event(0, 0, 5000)}, setupOf(6000), again);
    ASSERT_EQ(whole.checks.size(), 1u);
    EXPECT_EQ(whole.checks[0].verdict, Verdict::Differs);
    EXPECT_LT(again.fetched, 60);
}

}  // namespace
}  // namespace rw
