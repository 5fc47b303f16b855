#pragma once
// The difference picture of two frames: where OLD and NEW agree it is clear,
// where they differ their outlines show.
//
//   mix      = 0.5 * OLD + 0.5 * (255 - NEW)       mid-grey where they agree
//   contrast = (mix - 0.5) * 4 + 0.5               on 0..1, clamped
//   edges    = 4 * |Sobel gradient| / 4            per channel, clamped;
//                                                  borders repeat their pixels
//   output   = white, alpha = Rec. 709 luminance of the edges
//
// A NEW frame of another size is sampled (nearest pixel) at OLD's size.

#include "media/Image.h"

namespace rw::media {

// RGBA at OLD's size; empty when either frame is empty.
Image differencePicture(const Image& oldFrame, const Image& newFrame);

}  // namespace rw::media
