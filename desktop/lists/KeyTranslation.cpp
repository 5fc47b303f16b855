#include "lists/KeyTranslation.h"

#include <QKeyEvent>

namespace rw::qt {

namespace {
constexpr quint32 kXcbRightShift = 62;
}

bool ShiftTracker::track(const QKeyEvent& event, bool pressed) {
    if (event.key() != Qt::Key_Shift) return false;
    if (event.nativeScanCode() == kXcbRightShift) rightHeld_ = pressed;
    else if (!pressed) rightHeld_ = false;
    return true;
}

KeyPress toKeyPress(const QKeyEvent& event, bool rightShift) {
    KeyPress k;
    const Qt::KeyboardModifiers m = event.modifiers();
    if (m & Qt::ShiftModifier) k.modifiers |= rightShift ? keymod::RightShift : keymod::LeftShift;
    if (m & Qt::ControlModifier) k.modifiers |= keymod::Control;
    if (m & Qt::AltModifier) k.modifiers |= keymod::Option;
    if (m & Qt::MetaModifier) k.modifiers |= keymod::Command;
    switch (event.key()) {
    case Qt::Key_Up: k.key = KeyName::UpArrow; break;
    case Qt::Key_Down: k.key = KeyName::DownArrow; break;
    case Qt::Key_Left: k.key = KeyName::LeftArrow; break;
    case Qt::Key_Right: k.key = KeyName::RightArrow; break;
    case Qt::Key_Tab: k.key = KeyName::Tab; break;
    case Qt::Key_Backspace: k.key = KeyName::Backspace; break;
    default:
        // Typed characters (the space bar among them); Shift alone makes capitals.
        if (!event.text().isEmpty() && event.text().at(0).isPrint()) {
            k.key = KeyName::Text;
            k.text = event.text().toStdString();
            k.modifiers &= ~(keymod::LeftShift | keymod::RightShift);
        }
    }
    return k;
}

}  // namespace rw::qt
