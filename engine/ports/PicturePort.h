#pragma once
// The pictures of the OLD and NEW movies as the change-list check sees them:
// frames by their number in each movie, and how far apart two of them are.
// The check asks for each movie's frames in ascending order and in batches,
// so an adapter can decode the two movies at once, each forward, instead of
// seeking for every frame.

#include "ports/MoviePort.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace rw {

struct MovieFrame {
    MovieSide side = MovieSide::Old;
    std::int64_t index = 0;
};

class PicturePort {
public:
    virtual ~PicturePort() = default;
    // Readies the frames of each movie (ascending); a frame the movie cannot
    // give (it ends sooner than it says, or the frame is damaged) is returned.
    virtual std::optional<MovieFrame> fetch(const std::vector<std::int64_t>& oldFrames,
                                            const std::vector<std::int64_t>& newFrames) = 0;
    // How far apart two readied frames are: 0 alike, tens for different pictures.
    virtual double difference(std::int64_t oldIndex, std::int64_t newIndex) = 0;
    // The side's frames below `index` are no longer needed.
    virtual void forget(MovieSide side, std::int64_t below) = 0;
};

}  // namespace rw
