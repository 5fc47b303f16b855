#pragma once
// The OLD and NEW movies of a change-list check: each read frame-exactly,
// each frame the check asks for kept as a small grey picture until it is
// forgotten. Used from one thread at a time (the check's own), which
// borrows a second one to decode the OLD movie while it decodes the NEW.

#include "media/MovieReader.h"
#include "media/PictureCompare.h"
#include "movies/MovieFiles.h"
#include "ports/PicturePort.h"
#include "verify/VerifyEvents.h"
#include "verify/VerifyReport.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rw::media {

class MoviePictures : public PicturePort {
public:
    explicit MoviePictures(const CompareTuning& tuning = {}) : tuning_(tuning) {}

    // Opens the side's movie, or says why it cannot.
    Outcome<> open(MovieSide side, const std::string& path);
    // Nothing until the side's movie is open.
    const MovieInfo* info(MovieSide side) const;

    // The two movies are decoded at once, OLD on a thread of its own.
    std::optional<MovieFrame> fetch(const std::vector<std::int64_t>& oldFrames,
                                    const std::vector<std::int64_t>& newFrames) override;
    double difference(std::int64_t oldIndex, std::int64_t newIndex) override;
    void forget(MovieSide side, std::int64_t below) override;

    // The OLD, the NEW and the difference picture at a checked event's worst
    // frame, as JPEG `width` pixels wide; empty where a side has no frame there.
    ReportShots shotsFor(const VerifySetup& setup, const edit& event, const EventCheck& check, int width = 320);

private:
    struct Side {
        std::unique_ptr<MovieReader> reader;
        std::map<std::int64_t, GreyPicture> kept;
    };
    Side& at(MovieSide side) { return sides_[side == MovieSide::Old ? 0 : 1]; }
    std::optional<std::int64_t> fetchSide(MovieSide side, const std::vector<std::int64_t>& frames);
    std::optional<Image> picture(MovieSide side, std::int64_t index, int width);

    CompareTuning tuning_;
    std::array<Side, 2> sides_;
};

}  // namespace rw::media
