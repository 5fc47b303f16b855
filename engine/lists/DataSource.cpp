#include "lists/DataSource.h"

#include <algorithm>

namespace rw {

EditArray dataSource::selectedEvents() const {
    EditArray out;
    for (std::size_t row : selection_)
        if (row < editArray_.size()) out.push_back(editArray_[row]);
    return out;
}

void dataSource::selectRows(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= editArray_.size(); });
    selection_ = std::move(rows);
}

void dataSource::selectAll() {
    selection_.resize(editArray_.size());
    for (std::size_t i = 0; i < selection_.size(); ++i) selection_[i] = i;
}

void dataSource::addEdits(const EditArray& events) {
    editArray_.insert(editArray_.end(), events.begin(), events.end());
    updateCount();
}

void dataSource::deleteEvents() {
    for (auto it = selection_.rbegin(); it != selection_.rend(); ++it)
        if (*it < editArray_.size()) editArray_.erase(editArray_.begin() + static_cast<std::ptrdiff_t>(*it));
    selection_.clear();
    if (editArray_.empty()) filename_ = kNoFileLoaded;
    updateCount();
}

void dataSource::deleteAll() {
    selectAll();
    deleteEvents();
}

void dataSource::updateCount() { editCount_ = std::to_string(editArray_.size()) + " edits"; }

}  // namespace rw
