// The difference picture, fast enough for every frame of 1080p playback,
// and equal byte for byte to its plain double-precision definition (Exact).

#include "media/Difference.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace rw::media {

namespace {

constexpr double kContrast = 4.0;
constexpr double kEdgeIntensity = 4.0;

// The plain definition, pixel by pixel in double precision: what every fast
// result must equal, and the answer where the fast one is not sure.
class Exact {
public:
    Exact(const Image& oldFrame, const Image& newFrame) : old_(oldFrame), new_(newFrame) {}

    // Half OLD plus half inverted NEW, then the contrast about mid-grey. The
    // sum is kept in whole numbers so that agreeing pixels land exactly on
    // mid-grey.
    double mix(int x, int y, int c) const {
        x = std::clamp(x, 0, old_.width - 1);
        y = std::clamp(y, 0, old_.height - 1);
        const int nx = static_cast<int>(static_cast<long long>(x) * new_.width / old_.width);
        const int ny = static_cast<int>(static_cast<long long>(y) * new_.height / old_.height);
        const int sum = old_.pixel(x, y)[c] + (255 - new_.pixel(nx, ny)[c]);  // 255 is mid-grey
        return std::clamp((sum - 255) / 510.0 * kContrast + 0.5, 0.0, 1.0);
    }
    // Sobel gradient magnitude, a full black-to-white step giving 1 before
    // the intensity; pixels beyond the border repeat the border.
    double edge(int x, int y, int c) const {
        auto at = [&](int dx, int dy) { return mix(x + dx, y + dy, c); };
        const double gx = (at(1, -1) + 2 * at(1, 0) + at(1, 1)) - (at(-1, -1) + 2 * at(-1, 0) + at(-1, 1));
        const double gy = (at(-1, 1) + 2 * at(0, 1) + at(1, 1)) - (at(-1, -1) + 2 * at(0, -1) + at(1, -1));
        return std::min(1.0, kEdgeIntensity * std::hypot(gx, gy) / 4.0);
    }
    std::uint8_t alpha(int x, int y) const {
        const double luminance = 0.2126 * edge(x, y, 0) + 0.7152 * edge(x, y, 1) + 0.0722 * edge(x, y, 2);
        return static_cast<std::uint8_t>(std::lround(std::clamp(luminance, 0.0, 1.0) * 255.0));
    }

private:
    const Image& old_;
    const Image& new_;
};

// The fast way works in whole numbers: a mixed value is q / 510 with
// q = clamp(4 * sum - 765, 0, 510), so a gradient is (Q, R) / 510 with whole
// Q and R, and an edge is sqrt(Q² + R²) / 510. Only the square root and the
// luminance are left to single precision, whose error stays far below this
// margin (in alpha steps); pixels within it of a rounding boundary are
// worked out exactly.
constexpr float kMargin = 1e-3f;
constexpr int kFull = 510;

// One row of the three channels' q, with one pixel of border repeated on
// each side so that the filter needs no clamping.
using Row = std::array<std::vector<std::int16_t>, 3>;

class Mixer {
public:
    Mixer(const Image& oldFrame, const Image& newFrame) : old_(oldFrame), new_(newFrame), newX_(oldFrame.width) {
        for (int x = 0; x < old_.width; ++x)
            newX_[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<long long>(x) * new_.width / old_.width);
    }
    void row(int y, Row& out) const {
        const int w = old_.width;
        y = std::clamp(y, 0, old_.height - 1);
        const int ny = static_cast<int>(static_cast<long long>(y) * new_.height / old_.height);
        for (auto& c : out) c.resize(static_cast<std::size_t>(w) + 2);
        const std::uint8_t* o = old_.pixel(0, y);
        for (int x = 0; x < w; ++x, o += old_.channels) {
            const std::uint8_t* n = new_.pixel(newX_[static_cast<std::size_t>(x)], ny);
            for (int c = 0; c < 3; ++c)
                out[c][static_cast<std::size_t>(x) + 1] =
                    static_cast<std::int16_t>(std::clamp(4 * (o[c] + 255 - n[c]) - 765, 0, kFull));
        }
        for (auto& c : out) c[0] = c[1], c[static_cast<std::size_t>(w) + 1] = c[static_cast<std::size_t>(w)];
    }

private:
    const Image& old_;
    const Image& new_;
    std::vector<int> newX_;
};

// One channel's squared gradients along a row, in (1/510)² units.
void gradientRow(const std::int16_t* a, const std::int16_t* m, const std::int16_t* b, int w, std::int32_t* out) {
    for (int x = 1; x <= w; ++x) {
        const int gx = (a[x + 1] + 2 * m[x + 1] + b[x + 1]) - (a[x - 1] + 2 * m[x - 1] + b[x - 1]);
        const int gy = (b[x - 1] + 2 * b[x] + b[x + 1]) - (a[x - 1] + 2 * a[x] + a[x + 1]);
        out[x - 1] = gx * gx + gy * gy;
    }
}

// Adds a channel's edges, times its share of the luminance, to a row.
void addEdges(const std::int32_t* squared, int w, float weight, float* luminance) {
    for (int x = 0; x < w; ++x) {
        const float edge = std::sqrt(static_cast<float>(squared[x])) * (1.0f / kFull);
        luminance[x] += weight * (edge < 1.0f ? edge : 1.0f);
    }
}

// The alpha of a luminance, or -1 when it lies within the margin of a rounding boundary.
int fastAlpha(float luminance) {
    const float up = std::clamp(luminance, 0.0f, 1.0f) * 255.0f + 0.5f;
    const int alpha = static_cast<int>(up);
    const float rest = up - static_cast<float>(alpha);
    return rest < kMargin || rest > 1 - kMargin ? -1 : alpha;
}

}  // namespace

Image differencePicture(const Image& oldFrame, const Image& newFrame) {
    if (oldFrame.empty() || newFrame.empty() || oldFrame.channels < 3 || newFrame.channels < 3) return {};
    const int w = oldFrame.width, h = oldFrame.height;
    const Mixer mixer(oldFrame, newFrame);
    const Exact exact(oldFrame, newFrame);
    Row buffers[3];
    Row* rows[3] = {&buffers[0], &buffers[1], &buffers[2]};  // above, this, below
    mixer.row(0, *rows[0]);
    mixer.row(0, *rows[1]);
    constexpr float kWeight[3] = {0.2126f, 0.7152f, 0.0722f};
    std::vector<std::int32_t> squared(static_cast<std::size_t>(w));
    std::vector<float> luminance(static_cast<std::size_t>(w));
    Image out = Image::blank(w, h, 4);
    for (int y = 0; y < h; ++y) {
        mixer.row(y + 1, *rows[2]);
        std::fill(luminance.begin(), luminance.end(), 0.0f);
        for (int c = 0; c < 3; ++c) {
            gradientRow((*rows[0])[c].data(), (*rows[1])[c].data(), (*rows[2])[c].data(), w, squared.data());
            addEdges(squared.data(), w, kWeight[c], luminance.data());
        }
        std::uint8_t* p = out.pixel(0, y);
        for (int x = 0; x < w; ++x, p += 4) {
            const int alpha = fastAlpha(luminance[static_cast<std::size_t>(x)]);
            p[0] = p[1] = p[2] = 255;
            p[3] = alpha >= 0 ? static_cast<std::uint8_t>(alpha) : exact.alpha(x, y);
        }
        std::rotate(rows, rows + 1, rows + 3);
    }
    return out;
}

}  // namespace rw::media
