#pragma once
// Checking every change event against the OLD and NEW movies.
//
// Event frame k is found in each movie exactly as selecting the event
// locates it: the OLD movie at sourceIn + k, the NEW one at masterIn + k,
// each with its own rate and start. Then, per event:
//
//   1. the first, middle and last frames: each NEW frame against the OLD
//      frame in place and the OLD frames on either side of it;
//   2. only when those do not agree in place: every frame, at every offset
//      up to the search, but no further than half the event, so that at
//      least half its frames still pair with OLD frames of the event.
//
//   OLD  |a b c d e f g h|        NEW |c d e f g h i j|  slip +2: NEW frame k
//                                                      shows OLD frame k + 2
//
// Frames are asked for in ascending order, so each movie is decoded forward
// over an event rather than sought for every frame.

#include "core/Edit.h"
#include "movies/MovieFiles.h"
#include "movies/MovieStart.h"
#include "ports/PicturePort.h"
#include "verify/Verdict.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rw {

// One side's movie as the review has it.
struct VerifyMovie {
    std::string name;     // its file name, for messages and the report
    std::string problem;  // why there is no picture (missing, not a movie); empty when it opened
    MovieFacts facts;
    MovieStart start;
};

struct VerifySetup {
    std::array<VerifyMovie, 2> movies;  // OLD, NEW
    bool ntscDf = false;                // the list type is "NTSC df"
    VerifyTuning tuning;
};

// Asked before each event and every few frames with the events done so far;
// false stops the check.
using VerifyProgress = std::function<bool(std::size_t done, std::size_t total)>;

struct VerifyOutcome {
    std::vector<EventCheck> checks;  // one per event checked, in list order
    bool cancelled = false;
};

// `checked` hears each event's verdict as soon as it is known.
using VerifyListener = std::function<void(std::size_t index, const EventCheck& check)>;

VerifyOutcome verifyEvents(const EditArray& events, const VerifySetup& setup, PicturePort& pictures,
                           const VerifyProgress& keepGoing = {}, const VerifyListener& checked = {});

// The frame of the side's movie that locating to list time `t` shows;
// nothing when the time lies outside the movie or the movie has none.
std::optional<std::int64_t> movieFrameFor(const VerifySetup& setup, MovieSide side, const KLVtc& t);

// The list times of an event's frame k on the OLD and the NEW side.
TcPtr oldTimeOf(const edit& event, std::int32_t k);
TcPtr newTimeOf(const edit& event, std::int32_t k);

}  // namespace rw
