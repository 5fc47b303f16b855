#pragma once
// The exports of the change list (list C): change EDL, change-list document,
// OpenTimelineIO timeline, the three Euphonix change lists and the relative
// change notes. Each asks for the file in a save panel that starts in
// "exportPath" and proposes the change list's name (its document's, or the
// first line of its label) with the file type's extension.

#include <string>

namespace rw {

class conformController;

struct ExportResult {
    enum class Status {
        Written,
        Empty,        // list C holds no events
        Refused,      // the list cannot be written in this form (alert shown)
        Cancelled,    // the save panel was cancelled
        WriteFailed,  // a beep; `error` says why
    };
    Status status = Status::Empty;
    std::string path;
    std::string error;
};

// The sender's title picks the timebase ("24", "25", "30", "29.97df",
// "59.94df", "60"); any other keeps list C's own.
ExportResult exportChangeEDL(conformController& c, const std::string& senderTitle);
ExportResult exportC(conformController& c, const std::string& senderTitle);

// The change list as an OpenTimelineIO timeline at the list's own rate;
// refused (with an alert) when its events cannot lie on one track.
ExportResult exportOtio(conformController& c);

ExportResult exportEuphonix(conformController& c);
ExportResult exportEuphonixRebalance(conformController& c);
ExportResult exportEuphonixRelative(conformController& c);

// "Export Feet+Frames Change Note" writes feet and frames, any other sender timecode.
ExportResult exportRelative(conformController& c, const std::string& senderTitle);

// The contents the exports write, for the current list C.
std::string changeEdlContent(conformController& c, const std::string& senderTitle);
std::string changeDocumentContent(conformController& c, const std::string& senderTitle);
std::string otioChangeListContent(conformController& c);

}  // namespace rw
