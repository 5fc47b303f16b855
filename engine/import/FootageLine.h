#pragma once
// One line of a film cut list or change list. These lists are read by fixed
// columns around their "+" characters (feet+frames, "0012+07"), counted in
// characters, not bytes, so a clip name with accents does not shift the
// columns after it. Positions are found by walking from the nearest "+", so
// a line costs no more memory than its "+" signs, however long it is.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class FootageLine {
public:
    explicit FootageLine(std::string_view utf8);

    std::size_t size() const { return chars_; }  // characters
    // Character positions of every "+".
    const std::vector<std::size_t>& plusPositions() const { return plusChars_; }
    // Up to n characters from character position pos (clamped to the line).
    std::string_view substr(std::size_t pos, std::size_t n) const;

    // The 7 characters that begin 4 before the "+" at character position
    // `plus` (FFFF+ff); nullopt when the "+" lies within the first 4.
    std::optional<std::string_view> footageField(std::size_t plus) const;
    // The text after the last control character (such as a tab) that lies
    // before the line's final two characters; empty when there is none.
    std::string_view afterLastControl() const;
    // The text before the last white space that precedes the k-th "+";
    // nullopt when no white space precedes it.
    std::optional<std::string_view> beforeLastWhite(std::size_t k) const;

private:
    std::size_t walk(std::size_t byte, std::size_t chars) const;  // byte offset `chars` characters on
    std::size_t byteOffset(std::size_t pos) const;

    std::string_view text_;
    std::size_t chars_ = 0;
    std::vector<std::size_t> plusChars_, plusBytes_;
};

// The integer value of the hour-code text ("01" is 1); 0 when there is none
// or when it lies outside 0..24000 (beyond that no frame fits in 32 bits).
std::int64_t hourCodeValue(const std::optional<std::string>& hourCode);

bool isControlChar(char c);
bool isWhiteChar(char c);  // space, tab and the line ends

}  // namespace rw
