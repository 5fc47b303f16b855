// In-place editing and deletion of a list controller's events.

#include "lists/DataSource.h"
#include "lists/ListHost.h"

namespace rw {

CellEditResult dataSource::setObjectValue(const std::string& value, std::string_view column, std::size_t row) {
    using Status = CellEditResult::Status;
    if (row >= editArray_.size()) return {};
    const EditPtr& e = editArray_[row];
    if (column == "clip") {
        if (value == e->clip()) return {};
        registerUndo(ClipChange{e, e->clip(), tag_}, "Clip Name Change");
        e->setClip(value);
        if (!isChangeList() && conformer_) conformer_->setVFXValuesForEdit(*e);
        rowsChanged(row, row);
        return {Status::Changed, ""};
    }
    const TcPtr current = timecodeForColumn(*e, column);
    if (!current) return {};
    const TcPtr typed = KLVtc::initWithString(expandTypedTimecode(value), current->timebase());
    if (!typed) {
        if (conformer_) conformer_->ui().beep();
        rowsChanged(row, row);  // the cell shows its old value again
        return {Status::Refused, "\"" + value + "\" is not a timecode at " + current->framerateString() +
                                     " fps: type HH:MM:SS:FF or HHMMSSFF"};
    }
    if (typed->totalFrames() == current->totalFrames()) {
        rowsChanged(row, row);
        return {};
    }
    registerUndo(TCFieldChange{current, current->totalFrames(), tag_}, "Timecode Change");
    // Changed in place: every holder of this timecode sees the new time.
    current->setTotalFrames(typed->totalFrames());
    rowsChanged(row, row);
    if (isChangeList()) refreshBlockView();
    return {Status::Changed, ""};
}

void dataSource::deleteEvents() {
    if (selection_.empty()) {  // nothing to remove, so no undo step either
        if (editArray_.empty()) setFilename(kNoFileLoaded);
        return;
    }
    const std::vector<std::size_t> rows = selection_;
    DeleteEvents record{selectedEvents(), rows, tag_, filename_};
    registerUndo(std::move(record), "Delete Events");
    removeRows(rows);
    if (editArray_.empty()) setFilename(kNoFileLoaded);
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
