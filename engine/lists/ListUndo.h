#pragma once
// performUndo() applies an undo record to the lists and registers the opposite
// record, which the undo manager then holds as the redo (or, while redoing,
// as the next undo).

#include "views/UndoRecord.h"

namespace rw {

class ListHost;

void performUndo(ListHost& host, const UndoRecord& record);

}  // namespace rw
