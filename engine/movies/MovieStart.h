#pragma once
// The start timecode of a movie: the timecode of its first frame, which ties a
// list timecode to a movie time. It comes from the start remembered for the
// movie's file name, else from the movie's timecode track, else there is none.
// Every text here is read at the movie's frame-rate text (framerateText), as
// drop frame when it is 29.97 or 59.94 and the text has ';' before the frames.

#include "core/KLVtc.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rw {

// The settings key a start is remembered under: per file name, not per path.
std::string movieStartKey(const std::string& fileName);

// A timecode track's first timecode, as the movie reports its fields.
struct TrackTimecode {
    std::int32_t hours = 0, minutes = 0, seconds = 0, frames = 0;
    bool drop = false;  // drop-frame counting
};

// The start field's text and the start timecode behind it.
struct MovieStart {
    std::string field;  // empty: no start is set
    KLVtc start;
};

// Loading a movie. `stored` is the value remembered under movieStartKey, if
// any; `track` the timecode track's first timecode, if the movie has one.
// `current` is the side's start timecode object before the load: only its
// rate and count change (the labels follow the count).
MovieStart startForLoadedMovie(const std::optional<std::string>& stored, const std::optional<TrackTimecode>& track,
                               const std::string& rateText, const KLVtc& current);

// The stepper beside a start field: value 1 is one hour up, anything else one
// hour down, wrapping at 23 and 0.
MovieStart stepStartHour(const MovieStart& current, int stepperValue);

// "Capture ... Zero Point": the movie's frame `elapsedFrames` (its index,
// the first frame 0) becomes 01:00:00:00. A start that would fall before
// 00:00:00:00 leaves the count unchanged; a rate text no timecode parses at
// changes nothing.
MovieStart captureZeroPoint(const MovieStart& current, std::int64_t elapsedFrames, const std::string& rateText);

// A text typed into the start field: taken when it parses, else the count
// becomes 0 and the field keeps the text.
MovieStart startFromField(const MovieStart& current, const std::string& text, const std::string& rateText);

// The value to remember after a change: nothing for an empty field.
std::optional<std::string> startToStore(const MovieStart& start);

// Whether the start field accepts an entry: empty, or a timecode at the
// rate text of the field's movie (tag 0 OLD, any other NEW).
bool isValidStartEntry(const std::string& text, int tag, const std::string& oldRateText,
                       const std::string& newRateText);
// Why the start field refuses `text` at its movie's rate text (empty when no
// movie is loaded), as the status bar says it beside the beep.
std::string startEntryRefusal(const std::string& text, const std::string& rateText);

}  // namespace rw
