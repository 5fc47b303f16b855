#pragma once
// PNG bytes of an image (RGB or RGBA, 8 bits), made by FFmpeg's encoder.

#include "media/Image.h"

#include <string>

namespace rw::media {

Outcome<std::string> encodePng(const Image& image);

}  // namespace rw::media
