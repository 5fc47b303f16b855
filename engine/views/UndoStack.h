#pragma once
// The main window's undo manager: a stack of undo records with action names.
// Undoing a step applies its record through the performer, which registers the
// opposite record; registered while undoing it lands on the redo stack, while
// redoing on the undo stack. A new change made by the user clears the redo stack.
// A step the performer cannot apply (its list changed behind it) ends the
// whole history, so no older step acts on a list it was not made for.

#include "ports/ModelObserver.h"
#include "views/UndoRecord.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace rw {

class UndoStack {
public:
    using Performer = std::function<bool(const UndoRecord&)>;

    void setPerformer(Performer performer) { performer_ = std::move(performer); }
    // Told when the names or the counts the Edit menu shows may have changed.
    void setObserver(ModelObserver* observer) { observer_ = observer; }

    void registerUndo(UndoRecord record);
    // Names the step registered last ("Timecode Change", "Delete Events", ...).
    void setActionName(std::string name);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The names the Edit menu shows; empty when there is nothing to undo/redo.
    std::string undoActionName() const;
    std::string redoActionName() const;
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }

    // False when the step could not be applied (the history is then gone).
    bool undo();
    bool redo();
    bool isUndoing() const { return state_ == State::Undoing; }
    bool isRedoing() const { return state_ == State::Redoing; }
    void removeAllActions();

private:
    struct Step {
        UndoRecord record;
        std::string actionName;
    };
    enum class State { Normal, Undoing, Redoing };

    bool apply(std::vector<Step>& from, State state);
    void changed();

    Performer performer_;
    ModelObserver* observer_ = nullptr;
    std::vector<Step> undo_, redo_;
    std::vector<Step>* lastTarget_ = nullptr;
    State state_ = State::Normal;
};

}  // namespace rw
