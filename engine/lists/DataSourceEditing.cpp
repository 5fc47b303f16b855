// In-place editing and deletion of a list controller's events.

#include "lists/DataSource.h"
#include "lists/ListHost.h"

namespace rw {

void dataSource::setObjectValue(const std::string& value, std::string_view column, std::size_t row) {
    if (row >= editArray_.size()) return;
    edit& e = *editArray_[row];
    if (column == "clip") {
        // No undo step and no reload for a name, as typing it shows it already.
        e.setClip(value);
        if (!isChangeList() && conformer_) conformer_->setVFXValuesForEdit(e);
        return;
    }
    const TcPtr current = timecodeForColumn(e, column);
    if (!current) return;
    const TcPtr typed = KLVtc::initWithString(expandTypedTimecode(value), current->timebase());
    if (!typed || typed->totalFrames() == current->totalFrames()) {
        reloadData();  // the cell shows its old value again
        return;
    }
    registerUndo(TCFieldChange{current, current->totalFrames(), tag_}, "Timecode Change");
    // Changed in place: every holder of this timecode sees the new time.
    current->setTotalFrames(typed->totalFrames());
    reloadData();
    if (isChangeList()) refreshBlockView();
}

void dataSource::deleteEvents() {
    if (selection_.empty()) {  // nothing to remove, so no undo step either
        updateCount();
        if (editArray_.empty()) filename_ = kNoFileLoaded;
        return;
    }
    const std::vector<std::size_t> rows = selection_;
    DeleteEvents record{{}, rows, tag_, filename_};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto at = editArray_.begin() + static_cast<std::ptrdiff_t>(rows[k] - k);
        record.events.push_back(*at);
        editArray_.erase(at);
    }
    registerUndo(std::move(record), "Delete Events");
    // The old rows name other events now; the table reads the selection again on reload.
    selection_.clear();
    current_.reset();
    if (editArray_.empty()) filename_ = kNoFileLoaded;
    reloadData();
    // The event that followed the deleted block takes the selection.
    if (editArray_.size() > rows.front()) selectRows({rows.front()});
    else deselectAll();
    if (isChangeList()) refreshBlockView();
}

void dataSource::deleteAll() {
    selectAll();
    deleteEvents();
}

}  // namespace rw
