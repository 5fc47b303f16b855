// Moving through a list controller's rows and tabs, and following the
// selection with the movies and the block view.

#include "lists/DataSource.h"
#include "lists/ListHost.h"
#include "views/KLVBlockView.h"

namespace rw {

// A row before the first or after the last is not asked for: the selection stays.
void dataSource::moveTo(std::optional<std::size_t> row, bool extend) {
    if (!row || *row >= editArray_.size()) return;
    std::vector<std::size_t> rows = extend ? selection_ : std::vector<std::size_t>{};
    rows.push_back(*row);
    setSelection(std::move(rows), *row);
}

void dataSource::moveUp() {
    const auto row = selectedRow();
    if (row && *row > 0) moveTo(*row - 1, false);
}

void dataSource::moveDown() {
    const auto row = selectedRow();
    moveTo(row ? *row + 1 : 0, false);  // with nothing selected: the first row
}

void dataSource::moveUpShift() {
    const auto row = selectedRow();
    if (row && *row > 0) moveTo(*row - 1, true);
}

void dataSource::moveDownShift() {
    const auto row = selectedRow();
    moveTo(row ? *row + 1 : 0, true);
}

void dataSource::moveLeft() {
    if (conformer_) conformer_->nudgeMoviesBackOne();
}

void dataSource::moveRight() {
    if (conformer_) conformer_->nudgeMoviesForwardOne();
}

// Tab cycles OLD -> NEW -> change list -> OLD (the OLD and NEW lists also pass the fourth tab).
void dataSource::nextTab() {
    if (!conformer_) return;
    const int tab = conformer_->selectedTab();
    const int last = isChangeList() ? 2 : 3;
    conformer_->selectTab(tab == last ? 0 : tab + 1);
}

// By what the movies do, not by the last key: playback started or stopped
// elsewhere (the menu, a movie window, the end of the movie) must not make
// the next press do nothing.
void playOrStopMovies(ListHost& host, std::optional<int> senderTag) {
    const MoviePort& movies = host.movies();
    if (movies.playbackRate(MovieSide::Old) > 0 || movies.playbackRate(MovieSide::New) > 0)
        host.stopMovies(senderTag);
    else
        host.playMovies(senderTag);
}

void dataSource::playStopMovies() {
    if (isChangeList() && conformer_) playOrStopMovies(*conformer_, std::nullopt);
}

// OLD list events locate the OLD movie and NEW list events the NEW movie by
// their record times; a change event locates OLD by its old-cut and NEW by its new-cut times.
void dataSource::locateSelected(bool atStart) {
    const auto row = selectedRow();
    if (!row || !conformer_) return;
    const edit& e = *editArray_[*row];
    const TcPtr& source = atStart ? e.sourceIn() : e.sourceOut();
    const TcPtr& master = atStart ? e.masterIn() : e.masterOut();
    if (tag_ == 0) {
        if (master) conformer_->gotoTimeSource(*master);
        return;
    }
    if (source && isChangeList()) conformer_->gotoTimeSource(*source);
    if (master) conformer_->gotoTimeMaster(*master);
    if (atStart && isChangeList()) conformer_->refreshMovieDiffPanel();
}

void dataSource::tableViewSelectionDidChange() {
    gotoEditStart();
    if (selection_.size() == 1 && table_) table_->scrollRowToVisible(selection_.front());
    if (isChangeList() && !selection_.empty() && conformer_) conformer_->blockView().hiLightEdits(selectedEvents());
}

// The highlight of the change list's selection is drawn again on the new scale.
void dataSource::refreshBlockView() {
    if (!conformer_) return;
    dataSource& changes = conformer_->listForTab(2);
    conformer_->blockView().setBlocksFromEdits(changes.getEditArray());
    if (!changes.selectedRows().empty()) conformer_->blockView().hiLightEdits(changes.selectedEvents());
}

}  // namespace rw
