// The kinds of movie editors receive that once showed a wrong frame: every
// frame of each, located, stepped forward and stepped back, must carry its
// own number.

#include "Movies.h"

#include "media/MovieReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace rw::test {
namespace {

MovieRecipe recipe(const char* codec, int rateNum, int rateDen, int frames, int gop) {
    MovieRecipe r;
    r.codec = codec;
    r.rateNum = rateNum;
    r.rateDen = rateDen;
    r.frames = frames;
    r.gop = gop;
    return r;
}

MovieRecipe trimmed(MovieRecipe r, int frames) {
    r.trimFrames = frames;
    return r;
}

MovieRecipe jittered(MovieRecipe r) {
    r.jitter = true;
    return r;
}

struct Kind {
    const char* name;
    std::string path;
    int frames;         // shown; -1: as many as decode
    int firstNumber;    // the number frame 0 carries
    const char* rateText;  // nullptr: not checked
};

std::vector<Kind> kinds() {
    return {
        {"transport stream", movie("gop.ts", recipe("libx264", 25, 1, 150, 50)), 150, 0, "25.00"},
        {"edit list MP4", movie("trim.mp4", trimmed(recipe("libx264", 25, 1, 250, 50), 15)), 235, 15, "25.00"},
        {"edit list 23.976", movie("trim.mov", trimmed(recipe("libx264", 24000, 1001, 120, 24), 15)), 105, 15,
         "23.98"},
        {"variable rate QuickTime", movie("vfr.mov", jittered(recipe("libx264", 25, 1, 40, 12))), 40, 0, nullptr},
        {"variable rate Matroska", movie("vfr.mkv", jittered(recipe("libx264", 25, 1, 40, 12))), 40, 0, nullptr},
        {"59.94", movie("5994.mov", recipe("libx264", 60000, 1001, 60, 30)), 60, 0, "59.94"},
        {"cut short, intra", cutShort("cut.mov", recipe("mjpeg", 25, 1, 40, 1), 0.6), -1, 0, "25.00"},
        {"cut short, long GOP", cutShort("cutgop.mov", recipe("libx264", 25, 1, 60, 12), 0.55), -1, 0, "25.00"},
    };
}

void expectFrame(media::MovieReader& m, std::int64_t time, const Kind& c, std::int64_t k, const char* how) {
    auto f = m.frameAt(time);
    ASSERT_TRUE(f) << c.name << " " << how << " " << k << ": " << f.error;
    EXPECT_EQ(frameNumberIn(*f.value.image), c.firstNumber + k) << c.name << " " << how << " " << k;
    EXPECT_EQ(f.value.index, k) << c.name << " " << how;
    EXPECT_EQ(f.value.note, "") << c.name << " " << how << " " << k;
}

// Every frame by its start and by its last unit, in a shuffled order; then
// every step forward from the first and back from the last.
TEST(ExactMovies, EveryFrameLocatedAndSteppedBothWays) {
    for (const Kind& c : kinds()) {
        auto opened = media::MovieReader::open(c.path);
        ASSERT_TRUE(opened) << c.name << ": " << opened.error;
        media::MovieReader& m = *opened.value;
        const media::MovieInfo& info = m.info();
        if (c.rateText) {
            EXPECT_EQ(info.rateText, c.rateText) << c.name;
        }
        std::int64_t frames = c.frames;
        if (frames < 0) {  // cut short: no more than decode, and the last of them all there
            frames = info.frameCount;
            EXPECT_GT(frames, 5) << c.name;
            EXPECT_EQ(frameNumberIn(*m.frameAfter(m.lastFrameTime()).value.image), frames - 1) << c.name;
        }
        EXPECT_EQ(info.frameCount, frames) << c.name;
        EXPECT_EQ(info.frames.frameStart(frames), info.duration) << c.name;

        std::vector<std::int64_t> order(static_cast<std::size_t>(frames));
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), std::mt19937(23));
        for (std::int64_t k : order) {
            expectFrame(m, info.frames.frameStart(k), c, k, "start of");
            expectFrame(m, info.frames.frameStart(k + 1) - 1, c, k, "end of");
        }
        std::int64_t t = 0;
        for (std::int64_t k = 1; k < frames; ++k) expectFrame(m, t = m.stepTime(t, 1), c, k, "step to");
        EXPECT_EQ(m.stepTime(t, 1), t) << c.name;
        for (std::int64_t k = frames - 2; k >= 0; --k) expectFrame(m, t = m.stepTime(t, -1), c, k, "step back to");
    }
}

// The frame after each, from the first to the last, as playing reads them.
TEST(ExactMovies, PlayingReadsEveryFrameInTurn) {
    for (const Kind& c : kinds()) {
        auto opened = media::MovieReader::open(c.path);
        ASSERT_TRUE(opened) << opened.error;
        media::MovieReader& m = *opened.value;
        std::int64_t t = 0, shown = 1;
        for (auto f = m.frameAfter(t); f && f.value.time > t; f = m.frameAfter(t), ++shown) {
            t = f.value.time;
            ASSERT_EQ(frameNumberIn(*f.value.image), c.firstNumber + shown) << c.name;
        }
        EXPECT_EQ(shown, m.info().frameCount) << c.name;
    }
}

// Turned a quarter clockwise back again, so the bar code reads.
media::Image turnedBack(const media::Image& in) {
    media::Image out = media::Image::blank(in.height, in.width, in.channels);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) std::copy_n(in.pixel(x, y), in.channels, out.pixel(y, in.width - 1 - x));
    return out;
}

TEST(ExactMovies, RotationAndPixelAspectAreShown) {
    MovieRecipe r = recipe("mjpeg", 25, 1, 10, 1);
    r.rotation = 90;
    r.sarNum = 64;
    r.sarDen = 45;
    auto opened = media::MovieReader::open(movie("turned.mov", r));
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    EXPECT_EQ(m.info().width, 64);
    EXPECT_EQ(m.info().displayWidth, 48);
    EXPECT_EQ(m.info().displayHeight, 91);  // 64 * 64 / 45
    EXPECT_EQ(m.info().rotation, 90);
    const auto f = m.frameNumber(7);
    ASSERT_TRUE(f) << f.error;
    EXPECT_EQ(f.value.image->width, 48);
    EXPECT_EQ(f.value.image->height, 91);
    EXPECT_EQ(frameNumberIn(turnedBack(*f.value.image)), 7);

    m.setPictureBox(24, 24);  // a small place: smaller pictures, the aspect kept
    const auto small = m.frameNumber(3);
    EXPECT_EQ(small.value.image->width, 13);
    EXPECT_EQ(small.value.image->height, 24);
    EXPECT_EQ(frameNumberIn(turnedBack(*small.value.image)), 3);
}

// Stepping back across key frames, then a long way back and forth, with a
// budget that holds only a few pictures: still exact.
TEST(ExactMovies, SmallCacheStaysExact) {
    media::ReaderOptions options;
    options.cacheBytes = 20 * 64 * 48 * 3;
    options.cacheFrames = 4;
    auto opened = media::MovieReader::open(movie("gop.ts", recipe("libx264", 25, 1, 150, 50)), options);
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    std::int64_t t = m.lastFrameTime();
    for (int k = 149; k >= 0; k -= 1 + k % 3, t = m.info().frames.frameStart(k)) {
        auto f = m.frameAt(t);
        ASSERT_TRUE(f) << f.error;
        EXPECT_EQ(frameNumberIn(*f.value.image), k);
        while (m.warm(t, [] { return false; })) {
        }
    }
}

// Warming around a located frame makes the frames a step or two either way
// ready, and the group of pictures before when its start is close behind.
TEST(ExactMovies, WarmingMakesNeighboursReady) {
    auto opened = media::MovieReader::open(movie("gop.ts", recipe("libx264", 25, 1, 150, 50)));
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    const FrameGrid& grid = m.info().frames;
    ASSERT_TRUE(m.frameNumber(53));
    EXPECT_FALSE(m.hasPicture(grid.frameStart(49)));
    while (m.warm(grid.frameStart(53), [] { return false; })) {
    }
    for (int k : {0, 49, 50, 52, 54, 64}) EXPECT_TRUE(m.hasPicture(grid.frameStart(k))) << k;
    EXPECT_FALSE(m.hasPicture(grid.frameStart(66)));
    EXPECT_FALSE(m.warm(grid.frameStart(53), [] { return true; }));  // nothing more there
}

TEST(ExactMovies, AbsurdLengthIsRefused) {
    std::string bytes = readAll(movie("absurd.mkv", recipe("mjpeg", 25, 1, 5, 1)));
    const std::string scale("\x2a\xd7\xb1\x83\x0f\x42\x40", 7);  // 1 ms a tick ...
    const auto at = bytes.find(scale);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, scale.size(), std::string("\x2a\xd7\xb1\x83\x00\x00\x07", 7));  // ... made 7 ns
    const auto duration = bytes.find(std::string("\x44\x89\x88", 3));
    ASSERT_NE(duration, std::string::npos);
    bytes.replace(duration + 3, 8, std::string("\x43\xbb\xc1\x6d\x67\x4e\xc8\x00", 8));  // 2e18 ticks
    const TempDir dir;
    auto opened = media::MovieReader::open(dir.write("absurd.mkv", bytes));
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error.find("cannot be right"), std::string::npos) << opened.error;
}

}  // namespace
}  // namespace rw::test
