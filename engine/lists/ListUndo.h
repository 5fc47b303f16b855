#pragma once
// performUndo: applies an undo record to the lists and registers the opposite
// record, which the undo manager then holds as the redo (or, while redoing,
// as the next undo). A record that no longer fits its list (its events gone,
// or back when they should be gone) is not applied: false.

#include "views/UndoRecord.h"

namespace rw {

class ListHost;

bool performUndo(ListHost& host, const UndoRecord& record);

}  // namespace rw
