#pragma once
// The offset panel: shifts the selected events of the list in front by a
// source and a master offset ("-00:00:01:00", "+01:00:00:00", "00:00:00:00").
// The app runs the panel as a sheet and ends it when offsetSheetAction()
// answers true.

#include <string>

namespace rw {

class ListHost;

class OffsetPanel {
public:
    explicit OffsetPanel(ListHost& host) : host_(host) {}

    // The two offset fields (offsetValueSource, offsetValueMaster).
    std::string offsetValueSource;
    std::string offsetValueMaster;

    // A button of the panel. "Offset" applies the offsets; any other title
    // just closes. True when the panel's modal run stops; false (after a
    // beep) when a field is not a timecode, so the panel stays open.
    // The offset is one undo step, "Offset Events".
    bool offsetSheetAction(const std::string& senderTitle);
    // What the last action did, or why it was refused; empty after closing.
    const std::string& message() const { return message_; }

private:
    ListHost& host_;
    std::string message_;
};

}  // namespace rw
