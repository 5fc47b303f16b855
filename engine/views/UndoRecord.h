#pragma once
// Undo records: what an undoable list change needs to be reversed. Applying a
// record (performUndo) reverses the change and registers the opposite record,
// so undo and redo are one mechanism.
//
// Records hold the live timecodes and events, not copies: a timecode changed
// in place is seen by every holder. A list is named by its table's tag
// (0 OLD, 1 NEW, anything else the change list); a controller keeps its list
// for its whole life, so the tag always reaches the same list.

#include "core/Edit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace rw {

// A timecode edited in place in a table cell.
struct TCFieldChange {
    TcPtr object;
    std::int32_t totalFrames = 0;  // before the change
    int tableView = 0;
};

// Two timecodes set together from the movies ("Set In Times", "Set Out Times").
struct CaptureTimes {
    TcPtr object1, object2;  // source side, master side
    std::int32_t totalFrames1 = 0, totalFrames2 = 0;
    int tableView = 2;
    std::string action;  // the action name to show
};

// Events removed from a list, in their former order, with the rows they stood
// at, so that undo puts every event back exactly where it was, and the list's
// file-name label, which an emptied list loses.
struct DeleteEvents {
    EditArray events;
    std::vector<std::size_t> rows;  // ascending, one per event
    int tableView = 0;
    std::string filename;
};

// The redo of a deletion: the same events removed again.
struct RedoDeleteEvents {
    EditArray events;
    std::vector<std::size_t> rows;
    int tableView = 0;
    std::string filename;
};

// A change event made by hand; applying the record toggles it in or out.
// The list and its numbers just without and just with the event, so that
// each toggle gives back exactly the list the user saw (a header sort since
// changes only the order).
struct NewEvent {
    EditPtr theEdit;
    int tableView = 2;
    EditArray before;
    std::vector<std::string> numbersBefore;
    EditArray after;
    std::vector<std::string> numbersAfter;
};

// Every change event moved one hour on one side.
struct NudgeEvents {
    std::string sourceMaster;  // "source" or "master"; names the side's stepper too
    std::string direction;     // the stepper's value printed with "%f"
};

// A name typed into a clip cell; applying it puts the name before the change back.
struct ClipChange {
    EditPtr event;
    std::string clip;  // before the change
    int tableView = 0;
};

// Timecodes moved together (the offset of the selected events), each with
// its frame count before the change.
struct TimesChange {
    std::vector<std::pair<TcPtr, std::int32_t>> times;
    int tableView = 0;
    std::string action;
};

// What the user saw of a list: its events in their order, its file-name
// label, the document the change list was loaded from or saved to, and the
// colours of other events (the OLD and NEW events a comparison recolours).
struct ListState {
    EditArray events;
    std::string filename;
    std::string documentPath;
    std::vector<std::pair<EditPtr, Color>> colours;
};

// A list changed as a whole (a comparison, healing, a load): applying it
// puts `before` back. It applies only while the list holds exactly `after`.
struct ReplaceList {
    int tableView = 2;
    ListState before;
    EditArray after;
    std::string action;
};

using UndoRecord = std::variant<TCFieldChange, CaptureTimes, DeleteEvents, RedoDeleteEvents, NewEvent, NudgeEvents,
                                ClipChange, TimesChange, ReplaceList>;

// The record's "undoType" name ("TCFieldChange", "captureTimes", ...).
const char* undoType(const UndoRecord& record);

}  // namespace rw
