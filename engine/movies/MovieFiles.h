#pragma once
// Where the movie review gets its movies: a file opened as one side's movie,
// in the three places that show it (the drawer, the large window, the
// difference window). The review keeps the positions; the adapter shows the
// frame at each position it is told.

#include "core/Outcome.h"
#include "movies/FrameGrid.h"
#include "movies/MovieStart.h"
#include "ports/MoviePort.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rw {

// The three places a movie is shown, each at its own position.
enum class MovieView { Small, Large, Diff };

// Positions in arrays kept per side (OLD first) and per place.
inline int sideIndex(MovieSide side) { return side == MovieSide::Old ? 0 : 1; }
inline int viewIndex(MovieView view) { return static_cast<int>(view); }

struct MovieFacts {
    float rate = 0;              // measured frames per second; 0 when unknown
    std::string rateText;        // "23.98": also the timebase starts are read at
    std::int64_t timeScale = 0;  // movie units per second
    std::int64_t duration = 0;   // movie units
    FrameGrid frames;            // frame starts, for steps and locates
    std::optional<TrackTimecode> timecode;  // the movie's timecode track, if any
    int width = 0, height = 0;   // as shown: square pixels, turned upright
};

class MovieFiles {
public:
    virtual ~MovieFiles() = default;
    // Whether the file can be reached at all; unreachable files are ignored.
    virtual bool reachable(const std::string& path) const = 0;
    // Opens the file as the side's movie in all three places, or says why the
    // file is not a movie. On failure the side keeps the movie it had.
    virtual Outcome<MovieFacts> open(MovieSide side, const std::string& path) = 0;
    // Each place shows the frame at its position; `playing` lets the adapter
    // read ahead.
    virtual void show(MovieSide side, MovieView view, std::int64_t time, bool playing) = 0;
    // A side's sound, started (again) at a movie time, or stopped.
    virtual void startSound(MovieSide side, std::int64_t time) = 0;
    virtual void stopSound(MovieSide side) = 0;
};

}  // namespace rw
