// The change list's own commands: events made by hand from the movie
// positions, in and out times captured from the movies, healing the selected
// events, and moving every event an hour on one side.

#include "comparison/Heal.h"
#include "views/SenderTitles.h"
#include "lists/DataSource.h"
#include "lists/ListHost.h"
#include "lists/MoviePosition.h"

#include <array>
#include <set>

namespace rw {

namespace {

std::vector<std::string> numbersOf(const EditArray& events) {
    std::vector<std::string> numbers;
    for (const auto& e : events) numbers.push_back(e->editNum());
    return numbers;
}

TcPtr timeAt(std::int32_t frames, const std::string& timebase) {
    TcPtr t = KLVtc::initWithFrames(frames, timebase);
    return t ? t : std::make_shared<KLVtc>();
}

// The movie is taken to start at the hour of `first`, a time of the list's first event.
PositionRequest fromHourOf(const TcPtr& first, float rate, bool ntscDf) {
    if (!first) return {rate, 0, 0, ntscDf};
    return {rate, first->hours(), dropAllowance(*first, first->hours()), ntscDf};
}

}  // namespace

void dataSource::newEvent() {
    if (!isChangeList() || !conformer_) return;
    const std::string timebase = conformer_->changeTimebase();
    const TcPtr probe = KLVtc::initWithFrames(0, timebase);  // "29.97df" counts at 30
    const float rate = probe ? static_cast<float>(probe->framerate()) : 24.0f;
    const bool ntscDf = conformer_->prefs().edlType() == "NTSC df";
    const EditPtr first = editArray_.empty() ? nullptr : editArray_.front();
    const PositionRequest oldSide = fromHourOf(first ? first->sourceIn() : nullptr, rate, ntscDf);
    const PositionRequest newSide = fromHourOf(first ? first->masterIn() : nullptr, rate, ntscDf);
    const MoviePort& movies = conformer_->movies();
    const auto frameOf = [&](MovieSide side, const PositionRequest& req) {
        return movies.hasMovie(side) ? movieFramePosition(movies, side, req) : 0;
    };
    const std::int32_t oldFrame = frameOf(MovieSide::Old, oldSide);
    const std::int32_t newFrame = frameOf(MovieSide::New, newSide);

    // Zero length: Set In/Out Times give it its ends.
    EditPtr e = edit::initWithNum("000", "user_event", timeAt(oldFrame, timebase), timeAt(oldFrame, timebase),
                                  timeAt(newFrame, timebase), timeAt(newFrame, timebase));
    NewEvent record{e, tag_, editArray_, numbersOf(editArray_), {}, {}};
    insertEvents(editArray_.size(), {e});
    sortForInsertion();
    renumberArray(editArray_);
    allRowsChanged();
    record.after = editArray_;
    record.numbersAfter = numbersOf(editArray_);
    selectRows({*rowOfEvent(e)});
    refreshBlockView();
    conformer_->selectTab(2);
    registerUndo(std::move(record), "Create New Event");
}

std::optional<std::int32_t> dataSource::capturedFrame(MovieSide side, const KLVtc& time) const {
    const MoviePort& movies = conformer_->movies();
    if (!movies.hasMovie(side)) return std::nullopt;  // no movie, no position: the time stays
    const PositionRequest req{static_cast<float>(time.framerate()), time.hours(), dropAllowance(time, time.hours()),
                              conformer_->prefs().edlType() == "NTSC df"};
    return movieFramePosition(movies, side, req);
}

void dataSource::setTimes(const std::string& title) {
    const bool in = title == title::SetInTimes;
    if (!isChangeList() || !conformer_ || (!in && title != title::SetOutTimes)) return;
    const auto row = selectedRow();
    if (!row) return;
    const edit& e = *editArray_[*row];
    const TcPtr source = in ? e.sourceIn() : e.sourceOut();
    const TcPtr master = in ? e.masterIn() : e.masterOut();
    if (!source || !master) return;
    const auto sourceFrame = capturedFrame(MovieSide::Old, *source);
    const auto masterFrame = capturedFrame(MovieSide::New, *master);
    if (!sourceFrame && !masterFrame) {
        conformer_->ui().beep();
        return;
    }
    registerUndo(CaptureTimes{source, master, source->totalFrames(), master->totalFrames(), tag_, title}, title);
    if (sourceFrame) source->setTotalFrames(*sourceFrame);
    if (masterFrame) master->setTotalFrames(*masterFrame);
    rowsChanged(*row, *row);
    refreshBlockView();
}

// The picked events are healed as copies, so the step can give back the
// events exactly as they were.
std::pair<std::size_t, std::size_t> dataSource::healSelected() {
    if (!isChangeList()) return {0, 0};
    if (selection_.empty()) {
        if (conformer_) conformer_->ui().beep();
        return {0, 0};
    }
    const ListState before = state();
    EditArray picked;
    for (const auto& e : selectedEvents()) picked.push_back(e->deepCopy());
    const EditArray none;
    EditArray healed = healArray(picked, "aggressive", conformer_ ? conformer_->listForTab(1).getEditArray() : none);
    const std::size_t in = selection_.size();
    removeRows(std::vector<std::size_t>(selection_));
    insertEvents(editArray_.size(), healed);
    sortForInsertion();
    deselectAll();
    refreshBlockView();
    registerUndo(ReplaceList{tag_, before, editArray_, "Heal Selected"}, "Heal Selected");
    return {in, healed.size()};
}

void dataSource::sourceHour() { shiftHours(true, stepperSource_); }
void dataSource::masterHour() { shiftHours(false, stepperMaster_); }

void dataSource::stepHour(bool sourceSide, double stepperValue) {
    (sourceSide ? stepperSource_ : stepperMaster_) = stepperValue;
    shiftHours(sourceSide, sourceSide ? stepperSource_ : stepperMaster_);
}

std::string dataSource::hourShown(bool sourceSide) const {
    const EditPtr first = editArray_.empty() ? nullptr : editArray_.front();
    const TcPtr time = first ? (sourceSide ? first->sourceIn() : first->masterIn()) : nullptr;
    if (!time) return "--";
    const std::string hour = std::to_string(time->hours());
    return hour.size() < 2 ? "0" + hour : hour;
}

void dataSource::shiftHours(bool sourceSide, double& stepper) {
    if (!isChangeList()) return;
    const double value = stepper;
    stepper = 0;
    const bool up = value == 1;
    std::set<const KLVtc*> shifted;  // a timecode shared by two fields moves once
    for (const auto& e : editArray_) {
        const auto times = sourceSide ? std::array{e->sourceIn(), e->sourceOut()} : std::array{e->masterIn(), e->masterOut()};
        for (const TcPtr& t : times)
            if (t && shifted.insert(t.get()).second) t->hourShift(up);
    }
    allRowsChanged();
    refreshBlockView();
    gotoEditStart();
    registerUndo(NudgeEvents{sourceSide ? "source" : "master", std::to_string(value)},
                 sourceSide ? "Nudge Copy Hour" : "Nudge Paste Hour");
}

}  // namespace rw
