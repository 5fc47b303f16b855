#pragma once
// A list controller: owns one list (tag 0 the OLD list A, 1 the NEW list B,
// 2 the change list C), its selection, sort order and labels, and turns table
// activity into work. The three controllers are near-twins, so one class
// serves all three; where the change list differs (colours, tab cycling,
// block view, the hand-made events and hour nudges) it asks isChangeList().
//
// The table adapter holds no rule: it shows numberOfRowsInTableView(),
// objectValue() and textColor(), forwards typed values to setObjectValue(),
// keys through KLVTableView, header clicks to sortByColumn() and
// selection clicks to selectRows(), and redraws when its TablePort is called.

#include "core/Edit.h"
#include "lists/TableCells.h"
#include "ports/MoviePort.h"
#include "ports/TablePort.h"
#include "views/UndoRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class ListHost;

inline constexpr const char* kNoFileLoaded = "no file loaded";

// What a hand-typed cell value did: the reason when it was refused.
struct CellEditResult {
    enum class Status { Changed, Unchanged, Refused };
    Status status = Status::Unchanged;
    std::string reason;  // for Refused
};

class dataSource {
public:
    explicit dataSource(int tag, ListHost* conformer = nullptr) : tag_(tag), conformer_(conformer) {}

    int tag() const { return tag_; }
    bool isChangeList() const { return tag_ != 0 && tag_ != 1; }
    void setTable(TablePort* table) { table_ = table; }

    // The live list (getEditArrayA/B/C). It changes only through the
    // operations below, each announced to the table as it happens.
    const EditArray& getEditArray() const { return editArray_; }

    // Labels beside the table.
    const std::string& filename() const { return filename_; }
    void setFilename(std::string text);
    const std::string& editCount() const { return editCount_; }
    void updateCount();

    // The change list as a document: the ".conform" file it was loaded from
    // or saved to (empty for none), and whether it differs from what that
    // file (or, with none, the last load) holds.
    const std::string& documentPath() const { return documentPath_; }
    void setDocumentPath(std::string path);
    // The list as it now stands is what `documentPath()` holds.
    void markSaved();
    bool isModified() const;

    // Selection. selectedRow() is the row selected or added last (the first
    // selected row when the table said nothing more), none when empty.
    EditArray selectedEvents() const;
    const std::vector<std::size_t>& selectedRows() const { return selection_; }
    std::optional<std::size_t> selectedRow() const;
    // Replaces the selection (rows past the end are dropped); a change runs
    // tableViewSelectionDidChange().
    void selectRows(std::vector<std::size_t> rows, std::optional<std::size_t> current = std::nullopt);
    void selectAll();
    void deselectAll() { selectRows({}); }
    // Where this very event stands in the list.
    std::optional<std::size_t> rowOfEvent(const EditPtr& e) const;

    // The table's data source and delegate.
    std::size_t numberOfRowsInTableView() const { return editArray_.size(); }
    std::string objectValue(std::string_view column, std::size_t row) const;
    Color textColor(std::size_t row) const;
    // In-place editing of a clip name or a time, each with an undo step.
    CellEditResult setObjectValue(const std::string& value, std::string_view column, std::size_t row);
    const std::vector<SortDescriptor>& sortDescriptors() const { return sortDescriptors_; }
    // New sort descriptors: the list sorts itself; the
    // selection stays with its events.
    void setSortDescriptors(std::vector<SortDescriptor> descriptors);
    // A header click: that column's order becomes the first descriptor, the others follow.
    void sortByColumn(const std::string& column, bool ascending);
    // A click on a column's header sorts by it ascending; a second click on
    // the first sort column reverses it.
    void sortByHeaderClick(const std::string& column);
    void clearSortDescriptors() { sortDescriptors_.clear(); }
    // Sorts by the sort descriptors, or by masterIn then masterOut without any.
    void sortForInsertion();
    void tableViewSelectionDidChange();

    // Changes of the list, each announced to the table. Rows are ascending.
    void insertEvents(std::size_t at, const EditArray& events);
    void removeRows(const std::vector<std::size_t>& rows);
    void removeEvents(const EditArray& events);
    // The list becomes `events`: events it keeps stay (with their rows'
    // selection), the others go, the new ones come in, then the order is set.
    void replaceEvents(const EditArray& events);
    // Times, names, numbers or colours of these rows changed in place.
    void rowsChanged(std::size_t first, std::size_t last);
    void allRowsChanged();

    // Loading and clearing. importList() serves each list's Import command.
    void addEdits(const EditArray& events);
    void importList();
    // Removes the selected events with an undo step.
    void deleteEvents();
    // Each list's Clear command: select every row and delete.
    void deleteAll();

    // Keys of the table, reached through KLVTableView. The moves stay put at
    // the first and last row.
    void moveUp();
    void moveDown();
    void moveUpShift();
    void moveDownShift();
    void moveLeft();
    void moveRight();
    void nextTab();
    // Change list: the space bar plays the movies, or stops them when they play.
    void playStopMovies();

    // The movies to the selected event's start or end.
    void gotoEditStart() { locateSelected(true); }
    void gotoEditEnd() { locateSelected(false); }

    // Change list only.
    void refreshBlockView();
    void newEvent();
    // "Set In Times" or "Set Out Times" from the movie positions; other titles do nothing.
    void setTimes(const std::string& senderTitle);
    // Heals the selected events with an undo step; answers how many went in
    // and how many came out (0 and 0 when nothing was selected).
    std::pair<std::size_t, std::size_t> healSelected();
    // The hour steppers: the app sets the value (1 up, -1 down) and sends the action.
    double stepperSource() const { return stepperSource_; }
    double stepperMaster() const { return stepperMaster_; }
    void setStepperSource(double v) { stepperSource_ = v; }
    void setStepperMaster(double v) { stepperMaster_ = v; }
    void sourceHour();
    void masterHour();
    // A stepper pressed: its value (1 up, -1 down) and then its action.
    void stepHour(bool sourceSide, double stepperValue);
    // The hour beside a side's steppers: the first event's copy (source) or
    // paste (master) in-time hour as two digits, or "--" without one.
    std::string hourShown(bool sourceSide) const;

    // What the list shows now, for an undo record.
    ListState state() const;
    void registerUndo(UndoRecord record, const std::string& actionName);

private:
    void setSelection(std::vector<std::size_t> rows, std::optional<std::size_t> current);
    void moveTo(std::optional<std::size_t> row, bool extend);
    void locateSelected(bool atStart);
    void shiftHours(bool sourceSide, double& stepper);
    std::optional<std::int32_t> capturedFrame(MovieSide side, const KLVtc& time) const;
    void reorder(const std::function<void(EditArray&)>& how);
    void notifyWill(RowChange::Kind kind, std::size_t first, std::size_t last);
    void notifyDid(RowChange::Kind kind, std::size_t first, std::size_t last);

    int tag_;
    ListHost* conformer_;
    TablePort* table_ = nullptr;
    EditArray editArray_;
    std::vector<std::size_t> selection_;
    std::optional<std::size_t> current_;
    std::vector<SortDescriptor> sortDescriptors_;
    std::string filename_ = kNoFileLoaded;
    std::string editCount_ = "0 edits";
    std::string documentPath_;
    // What each document (and, under "", the last load without one) held when loaded or saved.
    std::map<std::string, std::uint64_t> savedFingerprints_;
    double stepperSource_ = 0, stepperMaster_ = 0;
};

// "1 edit", "8 edits".
std::string editCountText(std::size_t count);
// A fingerprint of what a change list shows (numbers, names, times, colours).
std::uint64_t listFingerprint(const EditArray& events);

}  // namespace rw
