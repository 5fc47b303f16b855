#include "lists/DataSource.h"

#include "comparison/Heal.h"
#include "lists/ListHost.h"
#include "views/UndoStack.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace rw {

std::string editCountText(std::size_t count) { return std::to_string(count) + (count == 1 ? " edit" : " edits"); }

namespace {

// FNV-1a over the texts and numbers a change list shows.
class Fingerprint {
public:
    void add(std::string_view text) {
        for (unsigned char ch : text) mix(ch);
        mix(0xff);
    }
    void add(std::int64_t value) {
        for (int i = 0; i < 8; ++i) mix(static_cast<unsigned char>(value >> (8 * i)));
    }
    std::uint64_t value() const { return hash_; }

private:
    void mix(unsigned char byte) { hash_ = (hash_ ^ byte) * 1099511628211ull; }
    std::uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace

std::uint64_t listFingerprint(const EditArray& events) {
    Fingerprint f;
    for (const auto& e : events) {
        f.add(e->editNum());
        f.add(e->clip());
        for (const TcPtr& t : {e->sourceIn(), e->sourceOut(), e->masterIn(), e->masterOut()}) {
            f.add(t ? std::int64_t{t->totalFrames()} : -1);
            f.add(t ? t->framerateString() : std::string());
        }
        const Color c = e->color();
        for (float v : {c.r, c.g, c.b, c.a}) f.add(static_cast<std::int64_t>(v * 65535));
    }
    return f.value();
}

void dataSource::updateCount() {
    std::string count = editCountText(editArray_.size());
    if (count == editCount_) return;
    editCount_ = std::move(count);
    if (table_) table_->labelsChanged();
}

void dataSource::setFilename(std::string text) {
    if (text == filename_) return;
    filename_ = std::move(text);
    if (table_) table_->labelsChanged();
}

void dataSource::setDocumentPath(std::string path) {
    if (path == documentPath_) return;
    documentPath_ = std::move(path);
    if (table_) table_->labelsChanged();
}

void dataSource::markSaved() { savedFingerprints_[documentPath_] = listFingerprint(editArray_); }

// A list nobody loaded or saved is modified as soon as it holds events.
bool dataSource::isModified() const {
    auto it = savedFingerprints_.find(documentPath_);
    const std::uint64_t saved = it == savedFingerprints_.end() ? listFingerprint({}) : it->second;
    return listFingerprint(editArray_) != saved;
}

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
    reorder([this](EditArray& events) { sortEvents(events, sortDescriptors_); });
}

void dataSource::sortByColumn(const std::string& column, bool ascending) {
    std::vector<SortDescriptor> descriptors = {{column, ascending}};
    for (const auto& d : sortDescriptors_)
        if (d.key != column) descriptors.push_back(d);
    setSortDescriptors(std::move(descriptors));
}

void dataSource::sortByHeaderClick(const std::string& column) {
    const bool again = !sortDescriptors_.empty() && sortDescriptors_.front().key == column;
    sortByColumn(column, !again || !sortDescriptors_.front().ascending);
}

void dataSource::sortForInsertion() {
    reorder([this](EditArray& events) {
        if (sortDescriptors_.empty()) sortByMasterTimes(events);
        else sortEvents(events, sortDescriptors_);
    });
}

void dataSource::notifyWill(RowChange::Kind kind, std::size_t first, std::size_t last) {
    if (table_) table_->rowsWillChange({kind, first, last});
}

void dataSource::notifyDid(RowChange::Kind kind, std::size_t first, std::size_t last) {
    if (table_) table_->rowsDidChange({kind, first, last});
}

// The selected rows move with the rows around them, as the table's own
// selection does; the count follows the rows.
void dataSource::insertEvents(std::size_t at, const EditArray& events) {
    if (events.empty()) return;
    at = std::min(at, editArray_.size());
    const std::size_t n = events.size();
    notifyWill(RowChange::Kind::Insert, at, at + n - 1);
    editArray_.insert(editArray_.begin() + static_cast<std::ptrdiff_t>(at), events.begin(), events.end());
    for (std::size_t& row : selection_)
        if (row >= at) row += n;
    if (current_ && *current_ >= at) *current_ += n;
    notifyDid(RowChange::Kind::Insert, at, at + n - 1);
    updateCount();
}

// Runs of neighbouring rows go in one step each, from the last run back.
void dataSource::removeRows(const std::vector<std::size_t>& rows) {
    std::vector<std::size_t> gone = rows;
    std::erase_if(gone, [&](std::size_t r) { return r >= editArray_.size(); });
    if (gone.empty()) return;
    for (std::size_t end = gone.size(); end > 0;) {
        std::size_t begin = end - 1;
        while (begin > 0 && gone[begin - 1] + 1 == gone[begin]) --begin;
        const std::size_t first = gone[begin], last = gone[end - 1], n = last - first + 1;
        notifyWill(RowChange::Kind::Remove, first, last);
        editArray_.erase(editArray_.begin() + static_cast<std::ptrdiff_t>(first),
                         editArray_.begin() + static_cast<std::ptrdiff_t>(last + 1));
        std::erase_if(selection_, [&](std::size_t r) { return r >= first && r <= last; });
        for (std::size_t& r : selection_)
            if (r > last) r -= n;
        if (current_ && *current_ >= first) {
            if (*current_ <= last) current_.reset();
            else *current_ -= n;
        }
        notifyDid(RowChange::Kind::Remove, first, last);
        end = begin;
    }
    updateCount();
}

void dataSource::removeEvents(const EditArray& events) {
    const std::unordered_set<const edit*> gone = [&] {
        std::unordered_set<const edit*> s;
        for (const auto& e : events) s.insert(e.get());
        return s;
    }();
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < editArray_.size(); ++i)
        if (gone.count(editArray_[i].get())) rows.push_back(i);
    removeRows(rows);
}

void dataSource::replaceEvents(const EditArray& events) {
    std::unordered_map<const edit*, std::size_t> wanted;
    for (std::size_t i = 0; i < events.size(); ++i) wanted.emplace(events[i].get(), i);
    EditArray leaving;
    std::unordered_set<const edit*> staying;
    for (const auto& e : editArray_) {
        if (wanted.count(e.get())) staying.insert(e.get());
        else leaving.push_back(e);
    }
    removeEvents(leaving);
    EditArray arriving;
    for (const auto& e : events)
        if (!staying.count(e.get())) arriving.push_back(e);
    insertEvents(editArray_.size(), arriving);
    if (editArray_ != events)
        reorder([&](EditArray& list) {
            std::stable_sort(list.begin(), list.end(),
                             [&](const EditPtr& x, const EditPtr& y) { return wanted.at(x.get()) < wanted.at(y.get()); });
        });
}

// The same events in another order: the selection stays with its events.
void dataSource::reorder(const std::function<void(EditArray&)>& how) {
    if (editArray_.empty()) return;
    const EditArray selected = selectedEvents();
    const EditPtr current = current_ && *current_ < editArray_.size() ? editArray_[*current_] : nullptr;
    notifyWill(RowChange::Kind::Reorder, 0, editArray_.size() - 1);
    how(editArray_);
    std::unordered_map<const edit*, std::size_t> rowOf;
    for (std::size_t i = 0; i < editArray_.size(); ++i) rowOf.emplace(editArray_[i].get(), i);
    selection_.clear();
    for (const auto& e : selected) selection_.push_back(rowOf.at(e.get()));
    std::sort(selection_.begin(), selection_.end());
    current_ = current ? std::optional<std::size_t>(rowOf.at(current.get())) : std::nullopt;
    notifyDid(RowChange::Kind::Reorder, 0, editArray_.size() - 1);
}

void dataSource::rowsChanged(std::size_t first, std::size_t last) {
    if (first > last || last >= editArray_.size()) return;
    notifyDid(RowChange::Kind::Values, first, last);
}

void dataSource::allRowsChanged() {
    if (!editArray_.empty()) rowsChanged(0, editArray_.size() - 1);
}

void dataSource::addEdits(const EditArray& events) {
    clearSortDescriptors();
    insertEvents(editArray_.size(), events);
    if (isChangeList()) refreshBlockView();
    updateCount();
}

void dataSource::importList() {
    if (!conformer_) return;
    static const char* const letters[] = {"a", "b", "c"};
    const int index = isChangeList() ? 2 : tag_;
    if (isChangeList()) conformer_->openBlockDrawer();
    clearSortDescriptors();
    conformer_->import(letters[index]);
    conformer_->selectTab(index);
}

ListState dataSource::state() const { return {editArray_, filename_, documentPath_, {}}; }

void dataSource::registerUndo(UndoRecord record, const std::string& actionName) {
    if (!conformer_) return;
    UndoStack& undo = conformer_->undoManager();
    undo.registerUndo(std::move(record));
    undo.setActionName(actionName);
}

}  // namespace rw
