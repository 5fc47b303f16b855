#include "movies/MovieStart.h"

namespace rw {

namespace {

std::string twoDigits(std::int32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// A start text at the movie's rate: "01:00:00;00" of a 29.97 or 59.94 movie
// is drop frame.
TcPtr parseStart(const std::string& text, const std::string& rateText) {
    const bool drop = text.find(';') != std::string::npos && (rateText == "29.97" || rateText == "59.94");
    return KLVtc::initWithString(text, drop ? rateText + "df" : rateText);
}

// The start takes the parsed rate, count and drop flag.
MovieStart taking(const KLVtc& current, const KLVtc& parsed) {
    MovieStart s{{}, current};
    s.start.setIsDrop(parsed.isDrop());
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
        if (TcPtr tc = parseStart(*stored, rateText)) return taking(current, *tc);
    }
    if (!track) return noStart(current);
    const bool drop = track->drop && (rateText == "29.97" || rateText == "59.94");
    const std::string text = twoDigits(track->hours) + ':' + twoDigits(track->minutes) + ':' +
                             twoDigits(track->seconds) + (drop ? ';' : ':') + twoDigits(track->frames);
    if (TcPtr tc = parseStart(text, rateText)) return taking(current, *tc);
    return noStart(current);
}

MovieStart stepStartHour(const MovieStart& current, int stepperValue) {
    MovieStart s = current;
    s.start.hourShift(stepperValue == 1);
    s.field = s.start.tcAsString();
    return s;
}

MovieStart captureZeroPoint(const MovieStart& current, std::int64_t elapsedFrames, const std::string& rateText) {
    const TcPtr hour = parseStart(current.start.isDrop() ? "01:00:00;00" : "01:00:00:00", rateText);
    if (!hour) return current;
    MovieStart s = current;
    s.start.setIsDrop(hour->isDrop());
    s.start.setFramerate(hour->framerate());
    if (elapsedFrames >= 0 && elapsedFrames <= hour->totalFrames())
        s.start.setTotalFrames(static_cast<std::int32_t>(hour->totalFrames() - elapsedFrames));
    s.field = s.start.tcAsString();
    return s;
}

MovieStart startFromField(const MovieStart& current, const std::string& text, const std::string& rateText) {
    if (TcPtr tc = parseStart(text, rateText)) {
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
    return text.empty() || parseStart(text, tag != 0 ? newRateText : oldRateText) != nullptr;
}

std::string startEntryRefusal(const std::string& text, const std::string& rateText) {
    if (rateText.empty()) return "Load the movie before typing its start timecode.";
    return "\"" + text + "\" is not a start timecode at " + rateText + " fps: type HH:MM:SS:FF, or nothing";
}

}  // namespace rw
