#include "views/UndoStack.h"

#include <utility>

namespace rw {

const char* undoType(const UndoRecord& record) {
    static const char* const names[] = {"TCFieldChange", "captureTimes", "deleteEvents",
                                        "redoDeleteEvents", "newEvent", "nudgeEvents",
                                        "clipChange", "timesChange", "replaceList"};
    return names[record.index()];
}

void UndoStack::registerUndo(UndoRecord record) {
    std::vector<Step>& target = state_ == State::Undoing ? redo_ : undo_;
    if (state_ == State::Normal) redo_.clear();
    target.push_back({std::move(record), {}});
    lastTarget_ = &target;
}

void UndoStack::setActionName(std::string name) {
    if (lastTarget_ && !lastTarget_->empty()) lastTarget_->back().actionName = std::move(name);
    if (state_ == State::Normal) changed();
}

void UndoStack::changed() {
    if (observer_) observer_->modelChanged(ModelChange::UndoStack);
}

std::string UndoStack::undoActionName() const { return undo_.empty() ? std::string() : undo_.back().actionName; }
std::string UndoStack::redoActionName() const { return redo_.empty() ? std::string() : redo_.back().actionName; }

bool UndoStack::undo() { return apply(undo_, State::Undoing); }
bool UndoStack::redo() { return apply(redo_, State::Redoing); }

bool UndoStack::apply(std::vector<Step>& from, State state) {
    if (state_ != State::Normal || from.empty()) return true;  // not while a step is being applied
    Step step = std::move(from.back());
    from.pop_back();
    lastTarget_ = nullptr;
    struct Restore {
        State& s;
        ~Restore() { s = State::Normal; }
    } restore{state_};
    state_ = state;
    const bool applied = !performer_ || performer_(step.record);
    state_ = State::Normal;
    if (!applied) {
        removeAllActions();
        return false;
    }
    changed();
    return true;
}

void UndoStack::removeAllActions() {
    undo_.clear();
    redo_.clear();
    lastTarget_ = nullptr;
    changed();
}

}  // namespace rw
