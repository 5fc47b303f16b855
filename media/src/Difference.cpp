#include "media/Difference.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rw::media {

namespace {

constexpr double kContrast = 4.0;
constexpr double kEdgeIntensity = 4.0;

// One colour channel as 0..1 values, row after row.
using Plane = std::vector<double>;

// Half OLD plus half inverted NEW, then the contrast about mid-grey. The sum
// is kept in whole numbers so that agreeing pixels land exactly on mid-grey.
Plane mixChannel(const Image& oldFrame, const Image& newFrame, int c) {
    const int w = oldFrame.width, h = oldFrame.height;
    Plane out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const int ny = static_cast<int>(static_cast<long long>(y) * newFrame.height / h);
        for (int x = 0; x < w; ++x) {
            const int nx = static_cast<int>(static_cast<long long>(x) * newFrame.width / w);
            const int sum = oldFrame.pixel(x, y)[c] + (255 - newFrame.pixel(nx, ny)[c]);  // 255 is mid-grey
            const double contrasted = (sum - 255) / 510.0 * kContrast + 0.5;
            out[static_cast<std::size_t>(y) * w + x] = std::clamp(contrasted, 0.0, 1.0);
        }
    }
    return out;
}

// Sobel gradient magnitude, a full black-to-white step giving 1 before the
// intensity; pixels beyond the border repeat the border.
Plane edges(const Plane& in, int w, int h) {
    auto at = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return in[static_cast<std::size_t>(y) * w + x];
    };
    Plane out(in.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double gx = (at(x + 1, y - 1) + 2 * at(x + 1, y) + at(x + 1, y + 1)) -
                              (at(x - 1, y - 1) + 2 * at(x - 1, y) + at(x - 1, y + 1));
            const double gy = (at(x - 1, y + 1) + 2 * at(x, y + 1) + at(x + 1, y + 1)) -
                              (at(x - 1, y - 1) + 2 * at(x, y - 1) + at(x + 1, y - 1));
            out[static_cast<std::size_t>(y) * w + x] = std::min(1.0, kEdgeIntensity * std::hypot(gx, gy) / 4.0);
        }
    }
    return out;
}

}  // namespace

Image differencePicture(const Image& oldFrame, const Image& newFrame) {
    if (oldFrame.empty() || newFrame.empty() || oldFrame.channels < 3 || newFrame.channels < 3) return {};
    const int w = oldFrame.width, h = oldFrame.height;
    Plane channel[3];
    for (int c = 0; c < 3; ++c) channel[c] = edges(mixChannel(oldFrame, newFrame, c), w, h);
    Image out = Image::blank(w, h, 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const double luminance = 0.2126 * channel[0][i] + 0.7152 * channel[1][i] + 0.0722 * channel[2][i];
            std::uint8_t* p = out.pixel(x, y);
            p[0] = p[1] = p[2] = 255;
            p[3] = static_cast<std::uint8_t>(std::lround(std::clamp(luminance, 0.0, 1.0) * 255.0));
        }
    }
    return out;
}

}  // namespace rw::media
