#pragma once
// JPEG bytes of an image (RGB or RGBA, alpha dropped), made by FFmpeg's
// encoder: small pictures for reports that are mailed.

#include "media/Image.h"

#include <string>

namespace rw::media {

// `quality` from 1 (smallest) to 31 (best) is FFmpeg's scale turned round.
Outcome<std::string> encodeJpeg(const Image& image, int quality = 26);

}  // namespace rw::media
