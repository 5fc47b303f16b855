#pragma once
// A picture as plain bytes: 8 bits a channel, rows top to bottom, channels
// interleaved (RGB, or RGBA with straight alpha).

#include "core/Outcome.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rw::media {

struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;        // 3 RGB, 4 RGBA
    std::size_t stride = 0;  // bytes from one row to the next
    std::vector<std::uint8_t> bytes;

    static Image blank(int width, int height, int channels);
    bool empty() const { return width <= 0 || height <= 0; }
    std::uint8_t* pixel(int x, int y) {
        return bytes.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * channels;
    }
    const std::uint8_t* pixel(int x, int y) const {
        return bytes.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * channels;
    }
};

// The library fails as the engine does: with an outcome and its reason.
using rw::Outcome;

}  // namespace rw::media
