#include "media/Difference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// The definition, straight from the header, in double precision.
std::uint8_t definedAlpha(const Image& o, const Image& n, int x, int y) {
    auto mix = [&](int px, int py, int c) {
        px = std::clamp(px, 0, o.width - 1), py = std::clamp(py, 0, o.height - 1);
        const int sum = o.pixel(px, py)[c] + 255 - n.pixel(px * n.width / o.width, py * n.height / o.height)[c];
        return std::clamp((sum - 255) / 510.0 * 4.0 + 0.5, 0.0, 1.0);
    };
    double edge[3];
    for (int c = 0; c < 3; ++c) {
        auto at = [&](int dx, int dy) { return mix(x + dx, y + dy, c); };
        const double gx = (at(1, -1) + 2 * at(1, 0) + at(1, 1)) - (at(-1, -1) + 2 * at(-1, 0) + at(-1, 1));
        const double gy = (at(-1, 1) + 2 * at(0, 1) + at(1, 1)) - (at(-1, -1) + 2 * at(0, -1) + at(1, -1));
        edge[c] = std::min(1.0, 4.0 * std::hypot(gx, gy) / 4.0);
    }
    const double luminance = 0.2126 * edge[0] + 0.7152 * edge[1] + 0.0722 * edge[2];
    return static_cast<std::uint8_t>(std::lround(std::clamp(luminance, 0.0, 1.0) * 255.0));
}

// Noise of every strength over blocks, RGB and RGBA, NEW of another size:
// the picture equals the definition in every byte.
TEST(Difference, EqualsTheDefinitionEverywhere) {
    std::mt19937 random(11);
    for (int round = 0; round < 24; ++round) {
        const int w = 5 + round * 17 % 120, h = 3 + round * 11 % 70, spread = 1 + round * 5 % 90;
        auto noisy = [&](int iw, int ih, int channels) {
            Image im = Image::blank(iw, ih, channels);
            for (int y = 0; y < ih; ++y)
                for (int x = 0; x < iw; ++x)
                    for (int c = 0; c < channels; ++c)
                        im.pixel(x, y)[c] = static_cast<std::uint8_t>(
                            std::clamp(128 + ((x / 9 + y / 7) % 2 ? 50 : -50) +
                                           static_cast<int>(random() % (2 * spread + 1)) - spread, 0, 255));
            return im;
        };
        const Image o = noisy(w, h, 3 + round % 2);
        const Image n = round % 3 == 0 ? noisy(w / 2 + 1, h * 2, 3) : noisy(w, h, 3);
        const Image d = differencePicture(o, n);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(d.pixel(x, y)[3], definedAlpha(o, n, x, y)) << round << ": " << x << "," << y;
    }
}

}  // namespace
}  // namespace rw::media
