#pragma once
// The keys of a list table, as operations the table adapter calls. The
// adapter turns its platform's key event into a KeyPress and lets the table's
// own handling run only when keyDown() answers false (Shift+Up from the right
// Shift key, Page Down, Home, ...).
//
//   Left Shift + Down / Up      moveDownShift / moveUpShift (extend the selection)
//   Down, Up, Left, Right       moveDown, moveUp, moveLeft, moveRight
//   Tab                         nextTab
//   Backspace (Mac "delete")    deleteEvents
//   typed " "                   playStopMovies; other typed text is swallowed

#include "lists/DataSource.h"

#include <cstdint>
#include <string>

namespace rw {

enum class KeyName { Other, UpArrow, DownArrow, LeftArrow, RightArrow, Tab, Backspace, Text };

namespace keymod {
inline constexpr std::uint32_t LeftShift = 1u << 0;
inline constexpr std::uint32_t RightShift = 1u << 1;
inline constexpr std::uint32_t Control = 1u << 2;
inline constexpr std::uint32_t Option = 1u << 3;  // Alt
inline constexpr std::uint32_t Command = 1u << 4;  // Meta
inline constexpr std::uint32_t CapsLock = 1u << 5;
}  // namespace keymod

struct KeyPress {
    KeyName key = KeyName::Other;
    std::uint32_t modifiers = 0;  // keymod bits, exactly those held
    std::string text;             // the typed characters, for KeyName::Text
};

class KLVTableView {
public:
    explicit KLVTableView(dataSource& delegate) : delegate_(delegate) {}

    // True when the key was handled here.
    bool keyDown(const KeyPress& key);

private:
    dataSource& delegate_;
};

}  // namespace rw
