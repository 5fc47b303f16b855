#include "movies/MovieStart.h"

#include <cmath>

namespace rw {

namespace {

std::string twoDigits(std::int32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// The start takes the parsed rate and count; its drop flag stays its own.
MovieStart taking(const KLVtc& current, const KLVtc& parsed) {
    MovieStart s{{}, current};
    s.start.setFramerate(parsed.framerate());
    s.start.setTotalFrames(parsed.totalFrames());
    s.field = s.start.tcAsString();
    return s;
}

MovieStart noStart(const KLVtc& current) {
    MovieStart s{{}, current};
    s.start.setTotalFrames(0);
    return s;
}

}  // namespace

std::string movieStartKey(const std::string& fileName) { return "movieStart-" + fileName; }

MovieStart startForLoadedMovie(const std::optional<std::string>& stored, const std::optional<TrackTimecode>& track,
                               const std::string& rateText, const KLVtc& current) {
    if (stored) {
        if (TcPtr tc = KLVtc::initWithString(*stored, rateText)) return taking(current, *tc);
    }
    if (!track) return noStart(current);
    const std::string text = twoDigits(track->hours) + ':' + twoDigits(track->minutes) + ':' +
                             twoDigits(track->seconds) + ':' + twoDigits(track->frames);
    if (TcPtr tc = KLVtc::initWithString(text, rateText)) return taking(current, *tc);
    return noStart(current);
}

MovieStart stepStartHour(const MovieStart& current, int stepperValue) {
    MovieStart s = current;
    s.start.hourShift(stepperValue == 1);
    s.field = s.start.tcAsString();
    return s;
}

MovieStart captureZeroPoint(const MovieStart& current, std::int64_t movieTime, std::int64_t timeScale, float rate,
                            const std::string& rateText) {
    const TcPtr hour = KLVtc::initWithString("01:00:00:00", rateText);
    if (!hour || timeScale <= 0) return current;
    const float seconds = static_cast<float>(movieTime) / static_cast<float>(timeScale);
    const float elapsed = std::round(seconds * rate);  // single precision, half away from zero
    MovieStart s = current;
    s.start.setFramerate(hour->framerate());
    if (std::isfinite(elapsed) && std::fabs(elapsed) < 2e9f)
        s.start.setTotalFrames(wrap32(std::int64_t{hour->totalFrames()} - static_cast<std::int64_t>(elapsed)));
    s.field = s.start.tcAsString();
    return s;
}

MovieStart startFromField(const MovieStart& current, const std::string& text, const std::string& rateText) {
    if (TcPtr tc = KLVtc::initWithString(text, rateText)) {
        MovieStart s = taking(current.start, *tc);
        s.field = text;
        return s;
    }
    MovieStart s{text, current.start};
    s.start.setTotalFrames(0);
    return s;
}

std::optional<std::string> startToStore(const MovieStart& start) {
    if (start.field.empty()) return std::nullopt;
    return start.start.tcAsString();
}

bool isValidStartEntry(const std::string& text, int tag, const std::string& oldRateText,
                       const std::string& newRateText) {
    return text.empty() || KLVtc::initWithString(text, tag != 0 ? newRateText : oldRateText) != nullptr;
}

}  // namespace rw
