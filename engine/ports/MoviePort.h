#pragma once
// The OLD and NEW movies as the lists see them. An EDL may name the movies it
// was cut against ("MovieOld:" / "MovieNew:" lines); the movie subsystem loads
// them.

#include "core/KLVtc.h"

#include <cstdint>
#include <string>

namespace rw {

enum class MovieSide { Old, New };

class MoviePort {
public:
    virtual ~MoviePort() = default;
    virtual void setMoviesOld(const std::string& url) = 0;
    virtual void setMoviesNew(const std::string& url) = 0;
    // The loaded movie's location as a URL text; empty when none is loaded.
    virtual std::string movieLocation(MovieSide) const = 0;

    // What the change list reads to turn a movie's position into a list frame.
    virtual bool hasMovie(MovieSide) const = 0;
    // The current time in the movie's own units, and the units per second.
    virtual std::int64_t currentTime(MovieSide) const = 0;
    virtual std::int32_t timeScale(MovieSide) const = 0;
    // The frame rate measured from the stream.
    virtual double measuredRate(MovieSide) const = 0;
    // The text of the side's start-timecode field; may be empty.
    virtual std::string startField(MovieSide) const = 0;
    // The timecode at which the movie starts; 00:00:00:00 at 24 until one is set.
    virtual KLVtc startTimecode(MovieSide) const = 0;
    // The playback rate: above 0 while playing forward, 0 when stopped.
    virtual double playbackRate(MovieSide) const = 0;
};

}  // namespace rw
