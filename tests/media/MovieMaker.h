#pragma once
// Makes small movies with FFmpeg for the tests and benchmarks. Every frame
// shows its own number as a bar code of big blocks (4 x 4 blocks, one bit
// each, lowest bit top left), so a reader can tell which frame it got.

#include "media/Image.h"

#include <cstdint>
#include <functional>
#include <string>

namespace rw::test {

struct MovieRecipe {
    std::string codec = "mjpeg";  // mjpeg (intra only), libx264 (long GOP with B-frames), mpeg4, ...
    int rateNum = 25, rateDen = 1;
    int frames = 30;
    int width = 64, height = 48;
    int gop = 12;              // key frame every this many frames
    std::string timecode;      // "10:00:00:00", ";" before the frames for drop frame; empty: none
    bool texture = false;      // busy picture, so decoding costs what real picture costs
    // Variable rate: frame n at (2n + n % 2) half-frame ticks, every odd frame
    // shown half a frame late.
    bool jitter = false;
    bool sound = false;        // an AAC stream (48 kHz stereo) with a 440 Hz tone as long as the picture
    // The first trimFrames frames get times before 0, as a stream copy from a
    // later point writes them: QuickTime and MP4 hide them with an edit list.
    int trimFrames = 0;
    bool frontIndex = false;   // QuickTime/MP4 index before the pictures (as cut for streaming)
    int rotation = 0;          // display rotation, degrees counterclockwise
    int sarNum = 1, sarDen = 1;  // pixel aspect
    // Paints frame n's grey levels (width x height, `stride` bytes a row)
    // instead of the bar code; empty: the bar code.
    std::function<void(int n, std::uint8_t* luma, int stride)> painter = {};
};

// Empty on success, else why the movie could not be made. The container
// follows the path's extension.
std::string makeMovie(const std::string& path, const MovieRecipe& recipe);

// The number a frame shows; -1 when the picture holds no bar code.
int frameNumberIn(const media::Image& image);

// A PNG file as RGBA; empty when it cannot be read.
media::Image readPng(const std::string& path);

}  // namespace rw::test
