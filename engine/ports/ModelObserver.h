#pragma once
// What the windows hear from the model beyond their own table's redraws: the
// front tab, the block-view drawer, preferences the engine changed itself, the
// undo stack (for the Edit menu's "Undo <action>" / "Redo <action>"), the
// movies.
// One observer with what changed; the window reads the new state from the
// controller.

namespace rw {

enum class ModelChange {
    SelectedTab,   // the front tab changed
    BlockDrawer,   // the block-view drawer opened or closed
    Preferences,   // a preference control's value changed
    UndoStack,     // a step was registered, undone or redone
    Movies,        // a movie loaded, a start timecode, a movie window, play or stop
};

class ModelObserver {
public:
    virtual ~ModelObserver() = default;
    virtual void modelChanged(ModelChange change) = 0;
};

}  // namespace rw
