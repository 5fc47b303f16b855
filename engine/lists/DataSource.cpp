#include "lists/DataSource.h"

#include "comparison/Heal.h"
#include "lists/ListHost.h"
#include "views/UndoStack.h"

#include <algorithm>

namespace rw {

void dataSource::updateCount() { editCount_ = std::to_string(editArray_.size()) + " edits"; }

EditArray dataSource::selectedEvents() const {
    EditArray out;
    for (std::size_t row : selection_)
        if (row < editArray_.size()) out.push_back(editArray_[row]);
    return out;
}

std::optional<std::size_t> dataSource::selectedRow() const {
    if (selection_.empty()) return std::nullopt;
    return current_.value_or(selection_.front());
}

std::optional<std::size_t> dataSource::rowOfEvent(const EditPtr& e) const {
    auto it = std::find(editArray_.begin(), editArray_.end(), e);
    if (it == editArray_.end()) return std::nullopt;
    return static_cast<std::size_t>(it - editArray_.begin());
}

void dataSource::selectRows(std::vector<std::size_t> rows, std::optional<std::size_t> current) {
    setSelection(std::move(rows), current);
}

void dataSource::selectAll() {
    std::vector<std::size_t> rows(editArray_.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    setSelection(std::move(rows), std::nullopt);
}

void dataSource::setSelection(std::vector<std::size_t> rows, std::optional<std::size_t> current) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= editArray_.size(); });
    if (current && !std::binary_search(rows.begin(), rows.end(), *current)) current.reset();
    if (rows == selection_ && current == current_) return;
    selection_ = std::move(rows);
    current_ = current;
    if (table_) table_->selectionChanged();
    tableViewSelectionDidChange();
}

std::string dataSource::objectValue(std::string_view column, std::size_t row) const {
    return row < editArray_.size() ? cellText(*editArray_[row], column) : std::string();
}

Color dataSource::textColor(std::size_t row) const {
    if (row >= editArray_.size()) return standardColorText();
    const bool selected = std::binary_search(selection_.begin(), selection_.end(), row);
    return cellTextColor(editArray_[row]->color(), selected, isChangeList());
}

void dataSource::setSortDescriptors(std::vector<SortDescriptor> descriptors) {
    sortDescriptors_ = std::move(descriptors);
    sortEvents(editArray_, sortDescriptors_);
    reloadData();
}

void dataSource::sortByColumn(const std::string& column, bool ascending) {
    std::vector<SortDescriptor> descriptors = {{column, ascending}};
    for (const auto& d : sortDescriptors_)
        if (d.key != column) descriptors.push_back(d);
    setSortDescriptors(std::move(descriptors));
}

void dataSource::sortForInsertion() {
    if (sortDescriptors_.empty()) sortByMasterTimes(editArray_);
    else sortEvents(editArray_, sortDescriptors_);
}

// Rows that no longer exist leave the selection, as a table drops them on
// reload; the count label is brought up to date first, so the table reads
// the final texts.
void dataSource::reloadData() {
    updateCount();
    if (!selection_.empty() && selection_.back() >= editArray_.size()) {
        std::vector<std::size_t> rows = selection_;
        setSelection(std::move(rows), current_);
    }
    if (table_) table_->reloadData();
}

void dataSource::addEdits(const EditArray& events) {
    clearSortDescriptors();
    editArray_.insert(editArray_.end(), events.begin(), events.end());
    reloadData();
    if (isChangeList()) refreshBlockView();
    updateCount();
}

void dataSource::importList() {
    if (!conformer_) return;
    static const char* const letters[] = {"a", "b", "c"};
    const int index = isChangeList() ? 2 : tag_;
    if (isChangeList()) conformer_->openBlockDrawer();
    clearSortDescriptors();
    std::optional<EditArray> events = conformer_->import(letters[index]);
    addEdits(events.value_or(EditArray{}));
    conformer_->selectTab(index);
}

void dataSource::registerUndo(UndoRecord record, const std::string& actionName) {
    if (!conformer_) return;
    UndoStack& undo = conformer_->undoManager();
    undo.registerUndo(std::move(record));
    undo.setActionName(actionName);
}

}  // namespace rw
