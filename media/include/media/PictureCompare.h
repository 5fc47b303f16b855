#pragma once
// How alike two pictures of the same material are, when they come from two
// review movies that may differ in codec, size, aspect, compression and
// burned-in windows.
//
//   1. Each picture becomes a small grid of grey levels: every cell the mean
//      Rec. 709 luminance of its part of the frame. The whole frame is
//      stretched to the grid, whatever its size or aspect.
//   2. Each grid is normalised on its own, so that level ranges and contrast
//      that differ between encodings drop out:
//          n = (level - median) * 64 / max(interquartile range, contrastFloor)
//      A flat picture (black, a plain card) has no spread to stretch: the
//      floor keeps its noise small.
//   3. The difference is the mean |n_a - n_b| over the cells, leaving out the
//      ignoredShare of cells that differ most: burn-in windows (timecodes, a
//      watermark) cover a small part of the picture and may say anything.
//
// 0 means alike; a picture against a different one scores tens.

#include "media/Image.h"

#include <cstdint>
#include <vector>

namespace rw::media {

struct GreyPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> levels;  // rows top to bottom
    bool empty() const { return levels.empty(); }
};

struct CompareTuning {
    int gridWidth = 96, gridHeight = 54;
    double ignoredShare = 0.15;  // of the cells, the most different left out (0..0.9)
    double contrastFloor = 16;   // grey levels
};

// The grid of `image` (RGB or RGBA); empty for an empty image or grid.
GreyPicture greyPicture(const Image& image, int gridWidth, int gridHeight);

// Pictures of different grids, or an empty one, are as different as can be.
double pictureDifference(const GreyPicture& a, const GreyPicture& b, const CompareTuning& tuning = {});

// A smaller RGB copy `width` pixels wide, keeping the aspect (box average);
// the image itself when it is no wider.
Image shrinkImage(const Image& image, int width);

}  // namespace rw::media
