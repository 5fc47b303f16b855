#include "Movies.h"

#include "media/MovieReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace rw::test {
namespace {

struct ReaderCase {
    const char* name;
    MovieRecipe recipe;
    const char* rateText;
    const char* start;  // as read at the rate text
    bool timecodeTrack;
};

// Intra-only and long-GOP (B-frames), every rate the lists use, in the
// containers movies come in.
const ReaderCase kMovies[] = {
    {"mjpeg2398.mov", {"mjpeg", 24000, 1001, 30, 64, 48, 1, ""}, "23.98", "", false},
    {"mjpeg24.mov", {"mjpeg", 24, 1, 30, 64, 48, 1, "10:00:00:00"}, "24.00", "10:00:00:00", true},
    {"h264_25.mov", {"libx264", 25, 1, 40, 64, 48, 12, "00:59:50:00"}, "25.00", "00:59:50:00", true},
    {"h264_2997df.mov", {"libx264", 30000, 1001, 40, 64, 48, 12, "01:00:00;00"}, "29.97", "01:00:00;00", true},
    {"h264_2398.mp4", {"libx264", 24000, 1001, 40, 64, 48, 12, ""}, "23.98", "", false},
    {"h264_24.mkv", {"libx264", 24, 1, 40, 64, 48, 12, ""}, "24.00", "", false},
    {"mjpeg25.avi", {"mjpeg", 25, 1, 30, 64, 48, 1, ""}, "25.00", "", false},
    // MPEG-2: the encoded rate; the file's timecode, not a QuickTime timecode track
    {"mpeg2_25.mxf", {"mpeg2video", 25, 1, 30, 64, 48, 12, "10:00:00:00"}, "25.00", "10:00:00:00", false},
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class Reader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(Reader, DescribesTheMovie) {
    const ReaderCase& c = GetParam();
    auto opened = media::MovieReader::open(movie(c.name, c.recipe));
    ASSERT_TRUE(opened) << opened.error;
    const media::MovieInfo& info = opened.value->info();
    EXPECT_EQ(info.rateText, c.rateText);
    EXPECT_EQ(info.startTimecode, c.start);
    EXPECT_EQ(info.hasTimecodeTrack, c.timecodeTrack);
    EXPECT_EQ(info.frameCount, c.recipe.frames);
    EXPECT_EQ(info.width, c.recipe.width);
    EXPECT_EQ(info.height, c.recipe.height);
}

// First and last frames, both sides of every key frame, jumps back and
// forth so that seeks, the cache and decoding on are all used, then every
// frame in a shuffled order.
TEST_P(Reader, GivesTheExactFrameEverywhere) {
    const ReaderCase& c = GetParam();
    auto opened = media::MovieReader::open(movie(c.name, c.recipe));
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    const int last = c.recipe.frames - 1, g = c.recipe.gop;
    std::vector<int> order{0, last, g - 1, g, g + 1, 2 * g - 1, 2 * g, 5, 4, 3, 2 * g + 1, g + 2, 1, last - 1, last, 0};
    std::vector<int> every(c.recipe.frames);
    std::iota(every.begin(), every.end(), 0);
    std::shuffle(every.begin(), every.end(), std::mt19937(5));
    order.insert(order.end(), every.begin(), every.end());
    for (int k : order) {
        if (k < 0 || k > last) continue;
        auto f = m.frameNumber(k);
        ASSERT_TRUE(f) << f.error;
        EXPECT_EQ(frameNumberIn(*f.value.image), k) << c.name << " frame " << k;
        EXPECT_EQ(f.value.index, k);
    }
}

// A time inside a frame shows that frame; steps of one and ten move by frames
// and stop at the ends.
TEST_P(Reader, StepsAndTimesWithinFrames) {
    const ReaderCase& c = GetParam();
    auto opened = media::MovieReader::open(movie(c.name, c.recipe));
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    const FrameGrid& grid = m.info().frames;
    std::int64_t t = grid.frameStart(12);
    for (auto [steps, expected] : std::vector<std::pair<int, int>>{{1, 13}, {-10, 3}, {10, 13}, {-1, 12}, {-100, 0}}) {
        t = m.stepTime(t, steps);
        auto f = m.frameAt(t + grid.frameStart(1) / 2);  // inside the frame
        ASSERT_TRUE(f) << f.error;
        EXPECT_EQ(frameNumberIn(*f.value.image), expected) << c.name;
    }
    EXPECT_EQ(m.stepTime(m.lastFrameTime(), 5), m.lastFrameTime());
    auto end = m.lastFrame();
    ASSERT_TRUE(end);
    EXPECT_EQ(frameNumberIn(*end.value.image), c.recipe.frames - 1);
}

// Variable rate: the rate is samples over duration (30 frames in 61 half
// frames), and a time shows the frame whose own presentation time holds it.
TEST(VariableRate, TimesShowTheFrameShownThen) {
    MovieRecipe recipe;
    recipe.jitter = true;
    auto opened = media::MovieReader::open(movie("jitter25.mov", recipe));
    ASSERT_TRUE(opened) << opened.error;
    media::MovieReader& m = *opened.value;
    EXPECT_EQ(m.info().rateText, "24.59");
    EXPECT_EQ(m.info().frameCount, recipe.frames);
    EXPECT_EQ(frameNumberIn(*m.lastFrame().value.image), 29);
    const std::int64_t tick = m.info().timeScale / 50;  // half a frame
    for (int k : {7, 2, 3, 0, 29, 16, 15}) {
        const std::int64_t shown = (2 * k + k % 2) * tick;
        for (auto [time, expected] : std::vector<std::pair<std::int64_t, int>>{{shown, k}, {shown - 1, k - 1}}) {
            if (expected < 0) continue;
            auto f = m.frameAt(time);
            ASSERT_TRUE(f) << f.error;
            EXPECT_EQ(frameNumberIn(*f.value.image), expected) << "time " << time;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Movies, Reader, ::testing::ValuesIn(kMovies),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

}  // namespace
}  // namespace rw::test
