#pragma once
// The exports of the change list (list C): change EDL, change-list document,
// OpenTimelineIO timeline, the three Euphonix change lists and the relative
// change notes. Each asks for the file in a save panel that starts in
// "exportPath" and proposes the change list's name (its document's, or the
// first line of its label) with the file type's extension.

#include "core/Outcome.h"

#include <string>

namespace rw {

class conformController;

// What an export did. A write that failed is the outcome's failure, with why
// (and a beep).
struct ChangeListExport {
    enum class Status {
        Written,
        Empty,      // list C holds no events
        Refused,    // the list cannot be written in this form (alert shown)
        Cancelled,  // the save panel was cancelled
    };
    Status status = Status::Empty;
    std::string path;  // the file written
};

// The sender's title picks the timebase ("24", "25", "30", "29.97df",
// "59.94df", "60"); any other keeps list C's own.
Outcome<ChangeListExport> exportChangeEDL(conformController& c, const std::string& senderTitle);
Outcome<ChangeListExport> exportC(conformController& c, const std::string& senderTitle);

// The change list as an OpenTimelineIO timeline at the list's own rate;
// refused (with an alert) when its events cannot lie on one track.
Outcome<ChangeListExport> exportOtio(conformController& c);

Outcome<ChangeListExport> exportEuphonix(conformController& c);
Outcome<ChangeListExport> exportEuphonixRebalance(conformController& c);
Outcome<ChangeListExport> exportEuphonixRelative(conformController& c);

// "Export Feet+Frames Change Note" writes feet and frames, any other sender timecode.
Outcome<ChangeListExport> exportRelative(conformController& c, const std::string& senderTitle);

// The contents the exports write, for the current list C.
std::string changeEdlContent(conformController& c, const std::string& senderTitle);
std::string changeDocumentContent(conformController& c, const std::string& senderTitle);
std::string otioChangeListContent(conformController& c);

}  // namespace rw
