#include "movies/MovieRate.h"

#include <cmath>
#include <cstdio>

namespace rw {

double staticFrameRate(const FrameRateSource& s) {
    if (!s.hasVideo) return 0;
    if (s.isMpeg) return s.encodedRate > 0 ? s.encodedRate : 0;
    if (s.sampleCount <= 0 || s.duration <= 0 || s.timeScale <= 0) return 0;
    return static_cast<double>(s.timeScale) * static_cast<double>(s.sampleCount) / static_cast<double>(s.duration);
}

std::string framerateText(float rate) {
    if (!std::isfinite(rate)) return "0.000";
    const double rounded = std::round(static_cast<double>(rate) * 100.0) / 100.0;  // half away from zero
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", rounded);
    return std::string(buf).substr(0, 5);
}

bool isPulldownRate(float r) {
    return (r > 29.96f && r < 29.98f) || (r > 23.97f && r < 23.982f) || (r > 59.93f && r < 59.95f);
}

}  // namespace rw
