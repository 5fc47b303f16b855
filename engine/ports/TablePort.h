#pragma once
// What a list controller tells the table that shows its list. The list, the
// selection and the sort order live in the controller; the table follows them
// change by change, as a table model announces its rows, so an open cell
// editor, the scroll position, the current row and the selection survive
// every command. There is no "read everything again".

#include <cstddef>

namespace rw {

struct RowChange {
    enum class Kind {
        Insert,   // rows first..last are new (numbered as they stand after the insertion)
        Remove,   // rows first..last go (numbered as they stand before the removal)
        Reorder,  // the same events in another order (a sort); first..last cover the list
        Values,   // what rows first..last show changed (times, names, numbers, colours)
    };
    Kind kind = Kind::Values;
    std::size_t first = 0, last = 0;  // inclusive
};

class TablePort {
public:
    virtual ~TablePort() = default;
    // Before an Insert, Remove or Reorder, while the list still stands as it was.
    virtual void rowsWillChange(const RowChange& change) = 0;
    // After every change, the list as it now stands.
    virtual void rowsDidChange(const RowChange& change) = 0;
    // The file-name or count label changed.
    virtual void labelsChanged() = 0;
    // The controller's selection changed; show it.
    virtual void selectionChanged() = 0;
    virtual void scrollRowToVisible(std::size_t row) = 0;
};

}  // namespace rw
