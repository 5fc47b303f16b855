#include "lists/ListUndo.h"

#include "comparison/Heal.h"
#include "core/Text.h"
#include "lists/DataSource.h"
#include "lists/ListHost.h"
#include "views/UndoStack.h"

#include <algorithm>
#include <unordered_set>

namespace rw {

namespace {

void registerOpposite(ListHost& host, UndoRecord record, const std::string& actionName) {
    host.undoManager().registerUndo(std::move(record));
    host.undoManager().setActionName(actionName);
}

std::vector<std::string> numbersOf(const EditArray& events) {
    std::vector<std::string> numbers;
    for (const auto& e : events) numbers.push_back(e->editNum());
    return numbers;
}

// The same events, in any order (a header click reorders without a step).
bool sameEvents(const EditArray& a, const EditArray& b) {
    if (a.size() != b.size()) return false;
    std::unordered_set<const edit*> in;
    for (const auto& e : b) in.insert(e.get());
    return std::all_of(a.begin(), a.end(), [&](const EditPtr& e) { return in.count(e.get()) != 0; });
}

// The events back with their numbers, in the list's sort order if it has one.
void restore(dataSource& list, const EditArray& events, const std::vector<std::string>& numbers) {
    list.replaceEvents(events);
    for (std::size_t i = 0; i < events.size() && i < numbers.size(); ++i) events[i]->setEditNum(numbers[i]);
    if (!list.sortDescriptors().empty()) list.setSortDescriptors(list.sortDescriptors());
}

bool holds(const dataSource& list, const EditPtr& e) { return list.rowOfEvent(e).has_value(); }

// Whether a timecode is one of the times the list shows.
bool showsTime(const dataSource& list, const TcPtr& t) {
    for (const auto& e : list.getEditArray())
        if (e->sourceIn() == t || e->sourceOut() == t || e->masterIn() == t || e->masterOut() == t) return true;
    return false;
}

// The times changed in place show in their list's rows and in the block view.
void timesChanged(ListHost& host, int tableView) {
    host.listForTab(tableView).allRowsChanged();
    host.listForTab(2).refreshBlockView();
}

// A record applies only to the list it was made against: its events still
// there (or, for an undone deletion, still gone).
bool applies(ListHost& host, const TCFieldChange& r) { return r.object && showsTime(host.listForTab(r.tableView), r.object); }
bool applies(ListHost& host, const CaptureTimes& r) {
    const dataSource& list = host.listForTab(r.tableView);
    return r.object1 && r.object2 && showsTime(list, r.object1) && showsTime(list, r.object2);
}
bool applies(ListHost& host, const DeleteEvents& r) {
    const dataSource& list = host.listForTab(r.tableView);
    return std::none_of(r.events.begin(), r.events.end(), [&](const EditPtr& e) { return holds(list, e); });
}
bool applies(ListHost& host, const RedoDeleteEvents& r) {
    const dataSource& list = host.listForTab(r.tableView);
    return std::all_of(r.events.begin(), r.events.end(), [&](const EditPtr& e) { return holds(list, e); });
}
bool applies(ListHost&, const NewEvent& r) { return r.theEdit != nullptr; }
bool applies(ListHost&, const NudgeEvents&) { return true; }
bool applies(ListHost& host, const ClipChange& r) { return r.event && holds(host.listForTab(r.tableView), r.event); }
bool applies(ListHost& host, const TimesChange& r) {
    const dataSource& list = host.listForTab(r.tableView);
    return std::all_of(r.times.begin(), r.times.end(), [&](const auto& t) { return t.first && showsTime(list, t.first); });
}
// A header click since reorders the list without a step of its own: the
// same events in any order still fit.
bool applies(ListHost& host, const ReplaceList& r) { return sameEvents(host.listForTab(r.tableView).getEditArray(), r.after); }

void apply(ListHost& host, const TCFieldChange& r) {
    const std::int32_t now = r.object->totalFrames();
    r.object->setTotalFrames(r.totalFrames);
    timesChanged(host, r.tableView);
    registerOpposite(host, TCFieldChange{r.object, now, r.tableView}, "Timecode Change");
}

void apply(ListHost& host, const CaptureTimes& r) {
    const std::int32_t now1 = r.object1->totalFrames(), now2 = r.object2->totalFrames();
    r.object1->setTotalFrames(r.totalFrames1);
    r.object2->setTotalFrames(r.totalFrames2);
    timesChanged(host, r.tableView);
    registerOpposite(host, CaptureTimes{r.object1, r.object2, now1, now2, r.tableView, r.action}, r.action);
}

void apply(ListHost& host, const TimesChange& r) {
    TimesChange opposite{{}, r.tableView, r.action};
    for (const auto& [time, frames] : r.times) {
        opposite.times.emplace_back(time, time->totalFrames());
        time->setTotalFrames(frames);
    }
    timesChanged(host, r.tableView);
    registerOpposite(host, std::move(opposite), r.action);
}

void apply(ListHost& host, const ClipChange& r) {
    dataSource& list = host.listForTab(r.tableView);
    const std::string now = r.event->clip();
    r.event->setClip(r.clip);
    if (!list.isChangeList()) host.setVFXValuesForEdit(*r.event);
    const std::size_t row = *list.rowOfEvent(r.event);
    list.rowsChanged(row, row);
    registerOpposite(host, ClipChange{r.event, now, r.tableView}, "Clip Name Change");
}

// Undo of a deletion: every event goes back to the row it stood at, or, in
// a list sorted since by a header click, to its place in that order.
void apply(ListHost& host, const DeleteEvents& r) {
    dataSource& list = host.listForTab(r.tableView);
    for (std::size_t k = 0; k < r.events.size(); ++k) {
        const std::size_t row = k < r.rows.size() ? r.rows[k] : list.numberOfRowsInTableView();
        list.insertEvents(row, {r.events[k]});
    }
    if (!list.sortDescriptors().empty()) list.setSortDescriptors(list.sortDescriptors());
    // An emptied list read "no file loaded"; its events are back, so is its name
    // (a comparison refuses a list without one).
    if (!r.events.empty() && list.filename() == kNoFileLoaded) list.setFilename(r.filename);
    std::vector<std::size_t> rows;
    for (const auto& e : r.events) rows.push_back(*list.rowOfEvent(e));
    list.selectRows(rows);
    if (list.isChangeList()) list.refreshBlockView();
    registerOpposite(host, RedoDeleteEvents{r.events, rows, r.tableView, r.filename}, "Delete Events");
}

// Redo of a deletion: the events are removed wherever they now stand.
void apply(ListHost& host, const RedoDeleteEvents& r) {
    dataSource& list = host.listForTab(r.tableView);
    DeleteEvents again{{}, {}, r.tableView, list.filename()};
    for (std::size_t i = 0; i < list.getEditArray().size(); ++i) {
        const EditPtr& e = list.getEditArray()[i];
        if (std::find(r.events.begin(), r.events.end(), e) != r.events.end()) {
            again.events.push_back(e);
            again.rows.push_back(i);
        }
    }
    list.removeRows(again.rows);
    if (list.getEditArray().empty()) list.setFilename(kNoFileLoaded);  // as the deletion itself left it
    list.deselectAll();
    if (list.isChangeList()) list.refreshBlockView();
    registerOpposite(host, std::move(again), "Delete Events");
}

// A toggle: takes a hand-made event out (undo) or puts it back in (redo),
// exactly as it stood; a list changed otherwise since is renumbered instead.
void apply(ListHost& host, const NewEvent& r) {
    dataSource& list = host.listForTab(r.tableView);
    const EditArray& events = list.getEditArray();
    NewEvent next{r.theEdit, r.tableView, {}, {}, events, numbersOf(events)};
    if (list.rowOfEvent(r.theEdit)) {
        next.after = events;
        next.numbersAfter = numbersOf(events);
        if (sameEvents(events, r.after)) {
            restore(list, r.before, r.numbersBefore);
        } else {
            list.removeEvents({r.theEdit});
            renumberArray(events);
        }
        next.before = events;
        next.numbersBefore = numbersOf(events);
    } else {
        next.before = events;
        next.numbersBefore = numbersOf(events);
        if (sameEvents(events, r.before)) {
            restore(list, r.after, r.numbersAfter);
        } else {
            list.insertEvents(events.size(), {r.theEdit});
            list.sortForInsertion();
            renumberArray(events);
        }
        next.after = events;
        next.numbersAfter = numbersOf(events);
        list.selectRows({*list.rowOfEvent(r.theEdit)});
    }
    list.allRowsChanged();
    list.refreshBlockView();
    host.selectTab(2);
    registerOpposite(host, std::move(next), "Create New Event");
}

// The hour shift the other way round registers its own record.
void apply(ListHost& host, const NudgeEvents& r) {
    dataSource& changes = host.listForTab(2);
    const double opposite = static_cast<float>(leadingNumber(r.direction)) == 1.0f ? -1 : 1;
    changes.stepHour(r.sourceMaster == "source", opposite);
}

// The list, its labels and document back as they were; the colours too,
// where a comparison gave the OLD and NEW events new ones.
void apply(ListHost& host, const ReplaceList& r) {
    dataSource& list = host.listForTab(r.tableView);
    ReplaceList opposite{r.tableView, list.state(), r.before.events, r.action};
    for (const auto& [e, colour] : r.before.colours) {
        opposite.before.colours.emplace_back(e, e->color());
        e->setColor(colour);
    }
    list.replaceEvents(r.before.events);
    if (!list.sortDescriptors().empty()) list.setSortDescriptors(list.sortDescriptors());
    list.setFilename(r.before.filename);
    list.setDocumentPath(r.before.documentPath);
    list.deselectAll();
    if (!r.before.colours.empty())
        for (int tab : {0, 1}) host.listForTab(tab).allRowsChanged();
    if (list.isChangeList()) list.refreshBlockView();
    registerOpposite(host, std::move(opposite), r.action);
}

}  // namespace

bool performUndo(ListHost& host, const UndoRecord& record) {
    const bool ok = std::visit([&host](const auto& r) { return applies(host, r); }, record);
    if (ok) std::visit([&host](const auto& r) { apply(host, r); }, record);
    return ok;
}

}  // namespace rw
