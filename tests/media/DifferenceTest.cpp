#include "media/Difference.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// One pixel of NEW changed in the middle of a 5 x 5 grey picture. Where it
// agrees, the mix is 0.5; the changed pixel mixes to 0.1 (NEW 51 brighter)
// or to 1 (NEW 100 darker: 1.28, clamped). The alpha at the pixels left of
// it, above-left of it, on it and two away, worked out by hand:
//   left:       gx = 2 (m - 0.5), gy = 0            |g| = 0.8 or 1
//   above-left: gx = gy = m - 0.5                   |g| = 0.566 or 0.707
// and a change in one channel counts by its Rec. 709 weight.
TEST(Difference, WrittenOutValues) {
    const struct {
        const char* what;
        int change[3];  // NEW minus OLD at the middle, per channel
        int left, aboveLeft, middle, twoAway;
    } cases[] = {
        {"brighter", {51, 51, 51}, 204, 144, 0, 0},
        {"darker", {-100, -100, -100}, 255, 180, 0, 0},
        {"red only", {51, 0, 0}, 43, 31, 0, 0},
        {"blue only", {0, 0, 51}, 15, 10, 0, 0},
    };
    for (const auto& c : cases) {
        const Image oldFrame = filled(5, 5, 100);
        Image newFrame = oldFrame;
        for (int ch = 0; ch < 3; ++ch) newFrame.pixel(2, 2)[ch] = static_cast<std::uint8_t>(100 + c.change[ch]);
        const Image d = differencePicture(oldFrame, newFrame);
        EXPECT_EQ(d.pixel(1, 2)[3], c.left) << c.what;
        EXPECT_EQ(d.pixel(3, 2)[3], c.left) << c.what;
        EXPECT_EQ(d.pixel(1, 1)[3], c.aboveLeft) << c.what;
        EXPECT_EQ(d.pixel(2, 2)[3], c.middle) << c.what;
        EXPECT_EQ(d.pixel(0, 2)[3], c.twoAway) << c.what;
        EXPECT_EQ(d.pixel(1, 2)[0], 255) << "white";
    }
}

}  // namespace
}  // namespace rw::media
