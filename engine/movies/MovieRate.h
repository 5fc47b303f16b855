#pragma once
// A movie's frame rate as the review windows measure and show it.

#include <cstdint>
#include <string>

namespace rw {

// What the rate is measured from. A stream of the MPEG-1/2 family carries its
// encoded rate; any other stream is measured as samples over duration.
struct FrameRateSource {
    bool hasVideo = false;
    bool isMpeg = false;
    double encodedRate = 0;         // the MPEG stream's own rate
    std::int64_t sampleCount = 0;   // N
    std::int64_t duration = 0;      // D, in time-scale units
    std::int64_t timeScale = 0;     // S, units per second
};

// The rate a movie's picture runs at: 0 when nothing can be measured, else
// the encoded rate (MPEG) or S * N / D.
double staticFrameRate(const FrameRateSource& source);

// The rate to two decimals as "%f" shows it, cut to 5 characters:
// 23.976 gives "23.98", 25 gives "25.00", 0 gives "0.000". Also the timebase
// a start timecode is read at.
std::string framerateText(float rate);

// 23.976, 29.97 and 59.94 fps: the movie runs 1001/1000 slower than its labels.
bool isPulldownRate(float rate);

}  // namespace rw
