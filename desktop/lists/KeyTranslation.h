#pragma once
// A Qt key press as the engine's platform-neutral KeyPress. Qt does not say
// which Shift key is held, so the table remembers the last Shift key pressed
// by its native scan code (X11/xcb: 50 left, 62 right). Where the native code
// is unknown (0, as on the offscreen and Wayland platforms), Shift counts as
// the left Shift key.

#include "lists/KLVTableView.h"

class QKeyEvent;

namespace rw::qt {

class ShiftTracker {
public:
    // Call with every key press and release; answers whether it was a Shift key.
    bool track(const QKeyEvent& event, bool pressed);
    bool rightShiftHeld() const { return rightHeld_; }

private:
    bool rightHeld_ = false;
};

KeyPress toKeyPress(const QKeyEvent& event, bool rightShift);

}  // namespace rw::qt
