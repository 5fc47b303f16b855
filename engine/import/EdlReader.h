#pragma once
// CMX-style edit decision lists. No header is required: every line is looked
// at, "FCM:" lines set the frame-code mode, and a line holding exactly four
// timecodes is an event. Record times are read at the list's rate, source
// times at the rate of the current "FCM:" mode; clip names come from the
// comment lines under an event; "BL", "AX" and "CLOCK" reels are not events.

#include "core/Edit.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class MoviePort;

struct EdlReadOptions {
    std::string edlType;           // the list type ("EDL type")
    std::string currentRate;       // the rate that list type implies
    bool compareByClipName = false;
    // The list import reads "MovieOld:"/"MovieNew:" lines and knows the
    // "29.97 NON-DROP FRAME" mode; the search in other files does not.
    bool importVariant = true;
    MoviePort* movies = nullptr;   // where movie lines go (import only)
    std::function<void(edit&)> setVFXValues;  // called for every event made
};

// Appends the events of one file's lines to `events`. The duplicate-number
// test looks at the last event already in `events`, which may come from an
// earlier file of the same import.
void readEdlLines(const std::vector<std::string_view>& lines, const EdlReadOptions& options, EditArray& events);

// One file into a new array, split as the search in other files splits: at
// "\n", or at "\r" when that gives a single line. Unreadable files give none.
EditArray extractEDLDataFromPath(const std::string& path, EdlReadOptions options);

}  // namespace rw
