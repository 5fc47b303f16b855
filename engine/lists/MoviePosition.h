#pragma once
// Where a movie stands, as a frame count on the list's timeline: what the
// hand-made change events and the captured in and out times are made from.
//
//   t      = current time / time scale (seconds), stretched by 1001/1000
//            for a 23.976, 29.97 or 59.94 fps movie
//   frames = round(rate * (H * 3600 + t)) - D       no start timecode known:
//                                                   the movie starts at hour H
//   frames = round(rate * (t + start seconds))      start timecode known
//            (for "NTSC df" less the start's non-drop/drop difference)

#include "ports/MoviePort.h"

#include <cstdint>
#include <string>

namespace rw {

struct PositionRequest {
    float rate = 24;         // list frames per second
    std::int32_t hours = 0;  // H: the hour the movie is taken to start at
    std::int32_t dropAllowance = 0;  // D: drop-frame labels skipped up to that hour
    bool ntscDf = false;     // the list type is "NTSC df"
};

// The frame under the movie's current time; 0 when the movie has no time
// scale. Results outside 0..2^31-1 are clamped.
std::int32_t movieFramePosition(const MoviePort& movies, MovieSide side, const PositionRequest& request);

// The frames drop-frame counting skips before hour `hours` of `time`'s kind:
// 108 an hour at 30 fps drop, 216 at 60, none otherwise.
std::int32_t dropAllowance(const KLVtc& time, std::int32_t hours);

}  // namespace rw
