#pragma once
// One line of a film cut list or change list. These lists are read by fixed
// columns around their "+" characters (feet+frames, "0012+07"), counted in
// characters, not bytes, so a clip name with accents does not shift the
// columns after it.

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

    std::size_t size() const { return offsets_.size() - 1; }  // characters
    // Character positions of every "+".
    const std::vector<std::size_t>& plusPositions() const { return plus_; }
    // Up to n characters from character position pos (clamped to the line).
    std::string_view substr(std::size_t pos, std::size_t n) const;
    // Everything from character position pos.
    std::string_view from(std::size_t pos) const { return substr(pos, size()); }
    // The character at pos when it is a single byte; '\x80' stands for any other.
    char at(std::size_t pos) const;

    // The 7 characters that begin 4 before the "+" at character position
    // `plus` (FFFF+ff); nullopt when the "+" lies within the first 4.
    std::optional<std::string_view> footageField(std::size_t plus) const;

private:
    std::string_view text_;
    std::vector<std::size_t> offsets_;  // byte offset of each character, then the end
    std::vector<std::size_t> plus_;
};

// The integer value of the hour-code text ("01" is 1); 0 when there is none
// or when it lies outside 0..24000 (beyond that no frame fits in 32 bits).
std::int64_t hourCodeValue(const std::optional<std::string>& hourCode);

bool isControlChar(char c);
bool isWhiteChar(char c);  // space, tab and the line ends

}  // namespace rw
