#include "lists/KLVTableView.h"

namespace rw {

bool KLVTableView::keyDown(const KeyPress& k) {
    // Only the left Shift key, and nothing else, extends the selection here.
    if (k.modifiers == keymod::LeftShift && (k.key == KeyName::DownArrow || k.key == KeyName::UpArrow)) {
        if (k.key == KeyName::DownArrow) delegate_.moveDownShift();
        else delegate_.moveUpShift();
        return true;
    }
    if (k.key == KeyName::Text) {
        if (k.modifiers & (keymod::Control | keymod::Command)) return false;  // menu shortcuts
        if (k.text == " ") delegate_.playStopMovies();
        return true;
    }
    if (k.modifiers != 0) return false;
    switch (k.key) {
    case KeyName::DownArrow: delegate_.moveDown(); return true;
    case KeyName::UpArrow: delegate_.moveUp(); return true;
    case KeyName::LeftArrow: delegate_.moveLeft(); return true;
    case KeyName::RightArrow: delegate_.moveRight(); return true;
    case KeyName::Tab: delegate_.nextTab(); return true;
    case KeyName::Backspace: delegate_.deleteEvents(); return true;
    default: return false;
    }
}

}  // namespace rw
