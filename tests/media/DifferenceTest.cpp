#include "media/Difference.h"

#include <gtest/gtest.h>

#include <random>

namespace rw::media {
namespace {

Image filled(int w, int h, std::uint8_t grey) {
    Image im = Image::blank(w, h, 3);
    std::fill(im.bytes.begin(), im.bytes.end(), grey);
    return im;
}

TEST(Difference, SamePictureIsClearEverywhere) {
    Image noise = filled(40, 30, 0);
    std::mt19937 random(7);
    for (auto& b : noise.bytes) b = static_cast<std::uint8_t>(random());
    const Image d = differencePicture(noise, noise);
    ASSERT_EQ(d.channels, 4);
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) ASSERT_EQ(d.pixel(x, y)[3], 0) << x << "," << y;
}

// A white box added to NEW shows as its outline: opaque on the pixels whose
// 3 x 3 neighbourhood holds both box and background, clear everywhere else.
// (Fully opaque along the sides; the outer corners touch the box by one pixel.)
TEST(Difference, AddedBoxShowsOnlyItsOutline) {
    const Image oldFrame = filled(64, 48, 100);
    Image newFrame = oldFrame;
    const auto inBox = [](int x, int y) { return x >= 20 && x < 40 && y >= 16 && y < 28; };
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (inBox(x, y)) std::fill_n(newFrame.pixel(x, y), 3, 255);
    const Image d = differencePicture(oldFrame, newFrame);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            bool inside = false, outside = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) (inBox(x + dx, y + dy) ? inside : outside) = true;
            EXPECT_EQ(d.pixel(x, y)[3] > 0, inside && outside) << x << "," << y;
        }
    }
}

TEST(Difference, NewOfAnotherSizeIsSampledAtOldSize) {
    const Image d = differencePicture(filled(64, 48, 90), filled(32, 24, 165));
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.height, 48);
    EXPECT_EQ(d.pixel(10, 10)[3], 0);
    EXPECT_TRUE(differencePicture(Image{}, filled(4, 4, 0)).empty());
}

}  // namespace
}  // namespace rw::media
