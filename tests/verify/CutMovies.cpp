#include "CutMovies.h"

#include "core/KLVtc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rw::test {

namespace {

constexpr int kHour = 24 * 3600;

std::string tc(int frames) { return KLVtc::initWithFrames(frames, "24")->tcAsString(); }

std::string clipName(int clip) { return "CLIP" + std::string(clip < 10 ? "0" : "") + std::to_string(clip); }

// A rectangle of the frame in fractions of its width and height, so that
// movies of any size show the same picture.
struct Box {
    double u0, v0, u1, v1;
};
constexpr Box kSourceWindow{0.05, 0.04, 0.40, 0.13};
constexpr Box kMasterWindow{0.30, 0.86, 0.70, 0.95};
constexpr Box kWatermark{0.62, 0.40, 0.92, 0.48};

class Canvas {
public:
    Canvas(std::uint8_t* luma, int stride, int width, int height) : p_(luma), stride_(stride), w_(width), h_(height) {}

    // Two drifting gratings and a bar crossing the frame: every clip its own
    // frequencies, speeds and start, nothing repeating within a search.
    void clipPicture(int clip, double s) {
        const double a = 0.5 + 0.11 * clip, b = 0.6 + 0.17 * (clip % 5);
        const double barAt = std::fmod(0.13 * clip + 0.021 * s, 1.2) - 0.1;
        std::vector<double> su(w_), cu(w_), s2(w_), c2(w_), bar(w_);
        for (int x = 0; x < w_; ++x) {
            const double u = (x + 0.5) / w_;
            su[x] = std::sin(kTau * 3 * a * u + 0.45 * s), cu[x] = std::cos(kTau * 3 * a * u + 0.45 * s);
            s2[x] = std::sin(kTau * 2 * b * u - 0.29 * s + clip), c2[x] = std::cos(kTau * 2 * b * u - 0.29 * s + clip);
            bar[x] = std::abs(u - barAt) < 0.06 ? 70 : 0;
        }
        for (int y = 0; y < h_; ++y) {
            const double v = (y + 0.5) / h_;
            const double sv = std::sin(kTau * 2 * b * v), cv = std::cos(kTau * 2 * b * v);
            const double sv2 = std::sin(-kTau * 3 * a * v), cv2 = std::cos(-kTau * 3 * a * v);
            for (int x = 0; x < w_; ++x) {
                const double g1 = su[x] * cv + cu[x] * sv, g2 = s2[x] * cv2 + c2[x] * sv2;
                set(x, y, 110 + 45 * g1 + 30 * g2 + bar[x]);
            }
        }
    }

    void fill(double level) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) set(x, y, level);
    }

    // A burned-in window: the low 20 bits of `number` as white blocks on black.
    void window(const Box& b, int number) {
        forBox(b, [&](int x, int y, double u, double v) {
            const int bit = static_cast<int>((v - b.v0) / (b.v1 - b.v0) * 2) * 10 +
                            static_cast<int>((u - b.u0) / (b.u1 - b.u0) * 10);
            set(x, y, (number >> std::min(bit, 19)) & 1 ? 235 : 16);
        });
    }

    void watermark(const Box& b) {
        forBox(b, [&](int x, int y, double, double) { set(x, y, (x / 2 + y / 2) % 2 ? 200 : at(x, y) + 60); });
    }

private:
    static constexpr double kTau = 2 * std::numbers::pi;

    template <class F>
    void forBox(const Box& b, F f) {
        for (int y = static_cast<int>(b.v0 * h_); y < static_cast<int>(b.v1 * h_); ++y)
            for (int x = static_cast<int>(b.u0 * w_); x < static_cast<int>(b.u1 * w_); ++x)
                f(x, y, (x + 0.5) / w_, (y + 0.5) / h_);
    }
    void set(int x, int y, double level) { p_[y * stride_ + x] = static_cast<std::uint8_t>(std::clamp(level, 16.0, 235.0)); }
    double at(int x, int y) const { return p_[y * stride_ + x]; }

    std::uint8_t* p_;
    int stride_, w_, h_;
};

// The shot that movie frame n falls in, and n's frame within it.
std::pair<const Shot*, int> shotAt(const Cut& cut, int n) {
    for (const Shot& s : cut.shots) {
        if (n < s.length) return {&s, n};
        n -= s.length;
    }
    return {nullptr, 0};
}

}  // namespace

int Cut::frames() const {
    int n = 0;
    for (const Shot& s : shots) n += s.length;
    return n;
}

std::string edlOf(const Cut& cut, const std::string& title) {
    std::string out = "TITLE: " + title + "\nFCM: NON-DROP FRAME\n\n";
    int master = kHour, number = 1;
    for (const Shot& s : cut.shots) {
        const std::string reel = clipName(s.clip);
        const int source = (10 + s.clip) * kHour + s.sourceIn;
        out += (number < 10 ? "00" : "0") + std::to_string(number) + "  " + reel + "   V     C        " + tc(source) +
               " " + tc(source + s.length) + " " + tc(master) + " " + tc(master + s.length) +
               "\n* FROM CLIP NAME: " + reel + "\n\n";
        master += s.length;
        ++number;
    }
    return out;
}

std::string makeCutMovie(const std::string& path, const Cut& cut, MovieRecipe recipe, bool newCut) {
    recipe.frames = recipe.frames > 0 ? std::min(recipe.frames, cut.frames()) : cut.frames();
    const int width = recipe.width, height = recipe.height;
    recipe.painter = [&cut, newCut, width, height](int n, std::uint8_t* luma, int stride) {
        const auto [shot, k] = shotAt(cut, n);
        Canvas canvas(luma, stride, width, height);
        const Shot& s = *shot;
        const int clip = newCut && s.replacedBy ? s.replacedBy : s.clip;
        const int frame = s.sourceIn + k + (newCut ? s.slip : 0);
        if (s.look == Look::Black) canvas.fill(16);
        else canvas.clipPicture(clip, s.look == Look::Still ? 0 : frame);  // a still: the same frame whatever the trim
        canvas.window(kSourceWindow, (10 + clip) * kHour + frame);
        canvas.window(kMasterWindow, kHour + n);
        if (newCut) canvas.watermark(kWatermark);
    };
    return makeMovie(path, recipe);
}

}  // namespace rw::test
