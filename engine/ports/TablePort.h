#pragma once
// What a list controller asks of the table that shows its list. The list, the
// selection and the sort order live in the controller; the table only redraws
// from them (in the app a QAbstractTableModel over the controller).

#include <cstddef>

namespace rw {

class TablePort {
public:
    virtual ~TablePort() = default;
    // The rows, the labels, the selection or the sort order changed: read everything again.
    virtual void reloadData() = 0;
    // The controller's selection changed; show it.
    virtual void selectionChanged() = 0;
    virtual void scrollRowToVisible(std::size_t row) = 0;
};

}  // namespace rw
