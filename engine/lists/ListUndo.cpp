#include "lists/ListUndo.h"

#include "comparison/Heal.h"
#include "core/Text.h"
#include "lists/DataSource.h"
#include "lists/ListHost.h"
#include "views/UndoStack.h"

#include <algorithm>

namespace rw {

namespace {

void registerOpposite(ListHost& host, UndoRecord record, const std::string& actionName) {
    host.undoManager().registerUndo(std::move(record));
    host.undoManager().setActionName(actionName);
}

void apply(ListHost& host, const TCFieldChange& r) {
    if (!r.object) return;
    const std::int32_t now = r.object->totalFrames();
    r.object->setTotalFrames(r.totalFrames);
    host.listForTab(r.tableView).reloadData();
    host.listForTab(2).refreshBlockView();
    registerOpposite(host, TCFieldChange{r.object, now, r.tableView}, "Timecode Change");
}

void apply(ListHost& host, const CaptureTimes& r) {
    if (!r.object1 || !r.object2) return;
    const std::int32_t now1 = r.object1->totalFrames(), now2 = r.object2->totalFrames();
    r.object1->setTotalFrames(r.totalFrames1);
    r.object2->setTotalFrames(r.totalFrames2);
    host.listForTab(r.tableView).reloadData();
    host.listForTab(2).refreshBlockView();
    registerOpposite(host, CaptureTimes{r.object1, r.object2, now1, now2, r.tableView, r.action}, r.action);
}

// Undo of a deletion: every event goes back to the row it stood at. (Rows
// past the end, left by changes that have no undo, put it at the end.)
void apply(ListHost& host, const DeleteEvents& r) {
    dataSource& list = host.listForTab(r.tableView);
    EditArray& events = list.getEditArray();
    std::vector<std::size_t> rows;
    for (std::size_t k = 0; k < r.events.size(); ++k) {
        const std::size_t row = std::min(k < r.rows.size() ? r.rows[k] : events.size(), events.size());
        events.insert(events.begin() + static_cast<std::ptrdiff_t>(row), r.events[k]);
        rows.push_back(row);
    }
    // An emptied list read "no file loaded"; its events are back, so is its name
    // (a comparison refuses a list without one).
    if (!r.events.empty() && list.filename() == kNoFileLoaded) list.setFilename(r.filename);
    list.reloadData();
    list.addEdits({});  // the labels, as an import shows them
    list.selectRows(rows);
    registerOpposite(host, RedoDeleteEvents{r.events, rows, r.tableView, r.filename}, "Delete Events");
}

// Redo of a deletion: the events are removed wherever they now stand.
void apply(ListHost& host, const RedoDeleteEvents& r) {
    dataSource& list = host.listForTab(r.tableView);
    EditArray& events = list.getEditArray();
    DeleteEvents again{{}, {}, r.tableView, list.filename()};
    for (std::size_t i = 0; i < events.size(); ++i)
        if (std::find(r.events.begin(), r.events.end(), events[i]) != r.events.end()) {
            again.events.push_back(events[i]);
            again.rows.push_back(i);
        }
    std::erase_if(events, [&](const EditPtr& e) {
        return std::find(r.events.begin(), r.events.end(), e) != r.events.end();
    });
    if (events.empty()) list.setFilename(kNoFileLoaded);  // as the deletion itself left it
    list.reloadData();
    list.deselectAll();
    list.addEdits({});
    registerOpposite(host, std::move(again), "Delete Events");
}

// A toggle: puts a hand-made event back in (redo) or takes it out (undo).
void apply(ListHost& host, const NewEvent& r) {
    dataSource& list = host.listForTab(r.tableView);
    EditArray& events = list.getEditArray();
    NewEvent next{r.theEdit, r.tableView, {}, {}, {}};
    if (const auto row = list.rowOfEvent(r.theEdit)) {
        const bool untouched = events == r.after;
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(*row));
        if (untouched) {  // back to the exact order and numbers
            events = r.before;
            for (std::size_t i = 0; i < events.size() && i < r.numbersBefore.size(); ++i)
                events[i]->setEditNum(r.numbersBefore[i]);
        } else {
            renumberArray(events);
        }
    } else {
        next.before = events;
        for (const auto& e : events) next.numbersBefore.push_back(e->editNum());
        events.push_back(r.theEdit);
        list.sortForInsertion();
        renumberArray(events);
        next.after = events;
        list.selectRows({*list.rowOfEvent(r.theEdit)});
    }
    list.refreshBlockView();
    list.updateCount();
    host.selectTab(2);
    list.reloadData();
    registerOpposite(host, std::move(next), "Create New Event");
}

// The hour shift the other way round registers its own record.
void apply(ListHost& host, const NudgeEvents& r) {
    dataSource& changes = host.listForTab(2);
    const double opposite = static_cast<float>(leadingNumber(r.direction)) == 1.0f ? -1 : 1;
    if (r.sourceMaster == "source") {
        changes.setStepperSource(opposite);
        changes.sourceHour();
    } else {
        changes.setStepperMaster(opposite);
        changes.masterHour();
    }
}

}  // namespace

void performUndo(ListHost& host, const UndoRecord& record) {
    std::visit([&host](const auto& r) { apply(host, r); }, record);
}

}  // namespace rw
