#pragma once
// The pictures of the OLD and NEW movies as the change-list check sees them:
// frames by their number in each movie, and how far apart two of them are.
// The check asks for an event's frames in ascending order, so an adapter can
// decode each movie forward instead of seeking for every frame.

#include "ports/MoviePort.h"

#include <cstdint>

namespace rw {

class PicturePort {
public:
    virtual ~PicturePort() = default;
    // Readies frame `index` of the side's movie; false when the movie cannot
    // give it (it ends sooner than it says, or the frame is damaged).
    virtual bool fetch(MovieSide side, std::int64_t index) = 0;
    // How far apart two readied frames are: 0 alike, tens for different pictures.
    virtual double difference(std::int64_t oldIndex, std::int64_t newIndex) = 0;
    // The side's frames below `index` are no longer needed.
    virtual void forget(MovieSide side, std::int64_t below) = 0;
};

}  // namespace rw
