#include "media/PictureCompare.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rw::media {
namespace {

const GreyPicture kRamp{4, 2, {10, 20, 30, 40, 50, 60, 70, 80}};  // median 40, quartiles 20 and 60

GreyPicture grid(std::vector<std::uint8_t> levels) { return {4, 2, std::move(levels)}; }

// The ramp normalised: (level - 40) * 64 / 40 = -48 -32 -16 0 16 32 48 64.
TEST(PictureCompare, DifferenceOfWrittenOutGrids) {
    const struct {
        const char* what;
        GreyPicture a, b;
        double ignored;
        double difference;
    } cases[] = {
        {"same", kRamp, kRamp, 0, 0},
        {"brighter", kRamp, grid({15, 25, 35, 45, 55, 65, 75, 85}), 0, 0},
        {"twice the contrast", kRamp, grid({20, 40, 60, 80, 100, 120, 140, 160}), 0, 0},
        // 255 normalises to 344 against 64: 280 over eight cells ...
        {"one burned-in cell", kRamp, grid({10, 20, 30, 40, 50, 60, 70, 255}), 0, 35},
        // ... and nothing once the most different eighth is left out.
        {"burn-in left out", kRamp, grid({10, 20, 30, 40, 50, 60, 70, 255}), 0.15, 0},
        // |differences| 112 80 48 16 16 48 80 112.
        {"reversed", kRamp, grid({80, 70, 60, 50, 40, 30, 20, 10}), 0, 64},
        {"reversed, worst left out", kRamp, grid({80, 70, 60, 50, 40, 30, 20, 10}), 0.15, 400.0 / 7},
        // No spread: the floor of 16 levels scales by 4, so 4 levels are 16.
        {"flat and flat", grid({12, 12, 12, 12, 12, 12, 12, 12}), grid({14, 14, 14, 14, 14, 14, 14, 14}), 0, 0},
        {"flat with a speck", grid({16, 16, 16, 16, 16, 16, 16, 20}), grid({16, 16, 16, 16, 16, 16, 16, 16}), 0, 2},
    };
    for (const auto& c : cases) {
        const CompareTuning tuning{96, 54, c.ignored, 16};
        EXPECT_NEAR(pictureDifference(c.a, c.b, tuning), c.difference, 1e-9) << c.what;
        EXPECT_NEAR(pictureDifference(c.b, c.a, tuning), c.difference, 1e-9) << c.what << " (swapped)";
    }
    EXPECT_TRUE(std::isinf(pictureDifference(kRamp, GreyPicture{8, 1, kRamp.levels})));
    EXPECT_TRUE(std::isinf(pictureDifference({}, {})));
}

Image halves(const std::uint8_t left[3], const std::uint8_t right[3]) {
    Image im = Image::blank(4, 2, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) std::copy_n(x < 2 ? left : right, 3, im.pixel(x, y));
    return im;
}

TEST(PictureCompare, GreyGridAveragesLuminance) {
    const std::uint8_t grey[3] = {100, 100, 100}, red[3] = {255, 0, 0}, white[3] = {255, 255, 255};
    EXPECT_EQ(greyPicture(halves(grey, red), 2, 1).levels, (std::vector<std::uint8_t>{100, 53}));  // 54 * 255 / 256
    EXPECT_EQ(greyPicture(halves(white, white), 1, 1).levels, (std::vector<std::uint8_t>{255}));
    // A frame smaller than the grid fills every cell.
    EXPECT_EQ(greyPicture(halves(grey, red), 8, 1).levels,
              (std::vector<std::uint8_t>{100, 100, 100, 100, 53, 53, 53, 53}));
    EXPECT_TRUE(greyPicture(Image{}, 8, 1).empty());
}

TEST(PictureCompare, ShrinkKeepsAspectAndAverages) {
    Image stripes = Image::blank(4, 2, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) std::fill_n(stripes.pixel(x, y), 3, x % 2 ? 255 : 0);
    const Image small = shrinkImage(stripes, 2);
    ASSERT_EQ(small.width, 2);
    ASSERT_EQ(small.height, 1);
    EXPECT_EQ(small.bytes, (std::vector<std::uint8_t>{128, 128, 128, 128, 128, 128}));  // (510 + 2) / 4
    EXPECT_EQ(shrinkImage(stripes, 8).width, 4);  // never enlarged
}

}  // namespace
}  // namespace rw::media
