#pragma once
// Locating a movie to a list timecode: the time in the movie that shows the
// list's frame T.
//
//   no start set:  the movie begins at the top of T's hour
//                  t = (T.totalFrames - H) / T.framerate,  H = T's hour in frames
//                  (less 108 an hour at 30 df, 216 at 60 df)
//   start known:   t = T.totalFrames / T.framerate - F0 / F0's rate, a day
//                  later when T is past midnight and the movie runs on there
//   23.976, 29.97, 59.94 fps movies: t * 1001/1000, and + 0.01 s where the
//   side takes it (NEW always, OLD only without a start)
//
// The locate time is then the start of a frame: the next one when it begins
// within 30 % of a frame length after t, else the one that holds t. At a
// variable rate the frame length is that of the frame holding t.

#include "core/KLVtc.h"
#include "movies/FrameGrid.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rw {

struct LocateRequest {
    KLVtc time;                  // T, the list timecode
    bool newSide = false;        // NEW movie (the master) rather than OLD
    float rate = 0;              // the movie's measured rate
    std::int64_t timeScale = 0;  // S, movie units per second
    std::int64_t duration = 0;   // movie units
    std::string startField;      // the start field's text; empty: no start set
    KLVtc start;                 // the start timecode
    bool ntscDf = false;         // the list type is "NTSC df"
};

struct LocateResult {
    float seconds = 0;               // t
    std::int64_t target = 0;         // S * t
    std::int64_t locateTime = 0;     // where the movie is set
    bool outside = false;            // t lies before the movie's first frame or after its last ends
    std::optional<bool> startRed;    // with a start: `outside`
};

// `frames` gives the frame steps; its frame length need not match `rate`.
LocateResult locateMovie(const LocateRequest& request, const FrameGrid& frames);

}  // namespace rw
