#include "Movies.h"

#include "media/FrameFeed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace rw::test {
namespace {

using media::FrameFeed;

const MovieRecipe kIntra{"mjpeg", 24, 1, 40, 64, 48, 1, ""};
const MovieRecipe kLongGop{"libx264", 24, 1, 40, 64, 48, 12, ""};

// Waits until `pred` holds; the limit only keeps a broken feed from hanging
// the test run.
template <class Pred>
bool eventually(Pred pred) {
    for (int i = 0; i < 30000 && !pred(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return pred();
}

// Every request shown or dropped.
bool settled(const FrameFeed& feed) {
    return eventually([&] {
        const auto s = feed.stats();
        return s.served + s.dropped == s.requests;
    });
}

std::unique_ptr<FrameFeed> openFeed(const char* name, const MovieRecipe& recipe) {
    auto opened = FrameFeed::open(movie(name, recipe));
    EXPECT_TRUE(opened) << opened.error;
    return std::move(opened.value);
}

int shownNumber(const FrameFeed& feed) {
    const media::Frame f = feed.current();
    return f.image ? frameNumberIn(*f.image) : -1;
}

class Feed : public ::testing::TestWithParam<const MovieRecipe*> {
protected:
    std::unique_ptr<FrameFeed> feed =
        openFeed(GetParam() == &kIntra ? "feed_intra.mov" : "feed_gop.mov", *GetParam());
    std::int64_t inside(int k) const {
        return feed->info().frames.frameStart(k) + feed->info().frames.frameStart(1) / 2;  // mid-frame
    }
};

TEST_P(Feed, ShowsTheExactFrameOfEachRequest) {
    EXPECT_EQ(shownNumber(*feed), -1);  // nothing before the first request
    for (int k : {0, 39, 13, 12, 11, 25, 1, 24}) {
        feed->show(inside(k));
        ASSERT_TRUE(settled(*feed));
        EXPECT_EQ(shownNumber(*feed), k);
        EXPECT_EQ(feed->current().index, k);
    }
}

TEST_P(Feed, BurstOfRequestsEndsOnTheLast) {
    for (int k = 0; k < 30; ++k) feed->show(inside(k));
    ASSERT_TRUE(settled(*feed));
    EXPECT_EQ(shownNumber(*feed), 29);
    const auto s = feed->stats();
    EXPECT_EQ(s.requests, 30);
    EXPECT_GE(s.served, 1);
}

// Once the queue is full, the next frames are current as soon as asked for
// (all but the newest, whose end is known only from the frame after it).
TEST_P(Feed, PlayingServesTheFollowingFramesFromTheQueue) {
    feed->show(inside(10), true);
    ASSERT_TRUE(eventually([&] { return feed->queued() == FrameFeed::kAheadFrames + 1; }));
    for (int k = 11; k < 10 + FrameFeed::kAheadFrames; ++k) {
        feed->show(inside(k), true);
        EXPECT_EQ(shownNumber(*feed), k);
    }
}

TEST_P(Feed, PlayingStopsAtTheLastFrame) {
    feed->show(inside(37), true);
    ASSERT_TRUE(eventually([&] { return feed->queued() == 3; }));
    feed->show(feed->info().duration + 1000, true);
    ASSERT_TRUE(settled(*feed));  // the last frame's end may still be unknown: then it is decoded
    EXPECT_EQ(shownNumber(*feed), 39);
}

INSTANTIATE_TEST_SUITE_P(Movies, Feed, ::testing::Values(&kIntra, &kLongGop),
                         [](const auto& info) { return info.param == &kIntra ? "intra" : "long_gop"; });

// Variable rate (every odd frame half a frame late): while playing, a time
// shows the frame whose own presentation time holds it, queued or not.
TEST(FeedVariableRate, PlayingShowsTheFrameShownThen) {
    MovieRecipe recipe;
    recipe.jitter = true;
    auto feed = openFeed("feed_jitter.mov", recipe);
    const std::int64_t tick = feed->info().timeScale / 50;  // half a frame
    feed->show(0, true);
    ASSERT_TRUE(eventually([&] { return feed->queued() == FrameFeed::kAheadFrames + 1; }));
    for (int k = 1; k < 12; ++k) {
        const std::int64_t shown = (2 * k + k % 2) * tick;
        for (auto [time, expected] : {std::pair{shown - 1, k - 1}, std::pair{shown, k}}) {
            feed->show(time, true);
            ASSERT_TRUE(settled(*feed));
            EXPECT_EQ(shownNumber(*feed), expected) << "time " << time;
        }
    }
}

// Gone while decoding or playing ahead: its thread stops with it, and its
// frame callback is not called once it is gone.
TEST(FeedLifetime, DestroyedWhileBusyAndPlaying) {
    for (int round = 0; round < 5; ++round) {
        auto calls = std::make_shared<std::atomic<int>>(0);
        auto feed = openFeed("feed_gop.mov", kLongGop);
        feed->setOnFrame([calls] { ++*calls; });
        feed->show(feed->info().frames.frameStart(30 - round), round % 2 == 0);
        feed.reset();
        const int whenGone = *calls;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(*calls, whenGone) << "round " << round;
    }
}

TEST(FeedLifetime, MissingMovieSaysWhy) {
    auto opened = FrameFeed::open(movieFolder().file("none.mov"));
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error.find("no such file"), std::string::npos);
}

}  // namespace
}  // namespace rw::test
