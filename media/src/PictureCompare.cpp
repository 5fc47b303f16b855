// Small grey grids of pictures and how far apart two of them are.

#include "media/PictureCompare.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace rw::media {

namespace {

// Rec. 709 luminance in whole numbers: the weights sum to 256.
inline int luminance(const std::uint8_t* p) { return (54 * p[0] + 183 * p[1] + 19 * p[2]) >> 8; }

// Box averages of `image` on a grid, `channels` values a cell, each pixel's
// values given by `take`. A frame smaller than the grid gives some cells the
// same pixels. Large frames are sampled every few pixels: a cell of 1080p
// still averages about a hundred of them.
template <int channels, class Take>
std::vector<std::uint8_t> boxAverage(const Image& image, int gw, int gh, Take take) {
    const auto edge = [](int i, int cells, int size) { return static_cast<int>(static_cast<long long>(i) * size / cells); };
    const int step = std::max(1, std::min(image.width / gw, image.height / gh) / 8);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(gw) * gh * channels);
    auto cellOut = out.begin();
    for (int cy = 0; cy < gh; ++cy) {
        const int y0 = edge(cy, gh, image.height), y1 = std::max(y0 + 1, edge(cy + 1, gh, image.height));
        for (int cx = 0; cx < gw; ++cx) {
            const int x0 = edge(cx, gw, image.width), x1 = std::max(x0 + 1, edge(cx + 1, gw, image.width));
            std::array<std::int64_t, channels> sums{};
            std::int64_t n = 0;
            for (int y = y0; y < y1; y += step) {
                for (int x = x0; x < x1; x += step, ++n) {
                    const std::array<int, channels> v = take(image.pixel(x, y));
                    for (int k = 0; k < channels; ++k) sums[k] += v[k];
                }
            }
            for (int k = 0; k < channels; ++k) *cellOut++ = static_cast<std::uint8_t>((sums[k] + n / 2) / n);
        }
    }
    return out;
}

struct Spread {
    int median = 0;
    int iqr = 0;
};

// Quantile p: the lowest level at or below which at least p of the cells lie.
Spread spreadOf(const GreyPicture& g) {
    std::array<int, 256> histogram{};
    for (const std::uint8_t v : g.levels) ++histogram[v];
    const auto n = static_cast<double>(g.levels.size());
    auto quantile = [&](double p) {
        int below = 0;
        for (int v = 0; v < 256; ++v)
            if ((below += histogram[v]) >= p * n) return v;
        return 255;
    };
    return {quantile(0.5), quantile(0.75) - quantile(0.25)};
}

}  // namespace

GreyPicture greyPicture(const Image& image, int gridWidth, int gridHeight) {
    if (image.empty() || image.channels < 3 || gridWidth <= 0 || gridHeight <= 0) return {};
    return {gridWidth, gridHeight, boxAverage<1>(image, gridWidth, gridHeight, [](const std::uint8_t* p) {
                return std::array<int, 1>{luminance(p)};
            })};
}

double pictureDifference(const GreyPicture& a, const GreyPicture& b, const CompareTuning& tuning) {
    if (a.empty() || a.width != b.width || a.height != b.height || a.levels.size() != b.levels.size())
        return std::numeric_limits<double>::infinity();
    const Spread sa = spreadOf(a), sb = spreadOf(b);
    const double floor = std::max(1.0, tuning.contrastFloor);
    const double ka = 64.0 / std::max<double>(sa.iqr, floor), kb = 64.0 / std::max<double>(sb.iqr, floor);
    std::vector<double> d(a.levels.size());
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = std::abs((a.levels[i] - sa.median) * ka - (b.levels[i] - sb.median) * kb);
    const double ignored = std::clamp(tuning.ignoredShare, 0.0, 0.9);
    const auto kept = std::max<std::size_t>(1, d.size() - static_cast<std::size_t>(std::floor(ignored * d.size())));
    std::nth_element(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(kept - 1), d.end());
    double sum = 0;
    for (std::size_t i = 0; i < kept; ++i) sum += d[i];
    return sum / static_cast<double>(kept);
}

Image shrinkImage(const Image& image, int width) {
    if (image.empty() || image.channels < 3 || width <= 0 || width >= image.width) return image;
    const int height = std::max(1, static_cast<int>(std::lround(static_cast<double>(image.height) * width / image.width)));
    Image out = Image::blank(width, height, 3);
    out.bytes = boxAverage<3>(image, width, height, [](const std::uint8_t* p) {
        return std::array<int, 3>{p[0], p[1], p[2]};
    });
    return out;
}

}  // namespace rw::media
