#pragma once
// Small text helpers shared by the readers and writers. Text is UTF-8 inside
// the engine; positions count bytes unless a function says characters.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// Pieces between separators, empty pieces kept ("a::b" gives 3).
std::vector<std::string_view> splitView(std::string_view text, char sep);
std::vector<std::string> split(std::string_view text, char sep);
// Pieces separated by any run of the given characters, empty pieces dropped.
std::vector<std::string_view> words(std::string_view text, std::string_view separators);

std::string_view trimSpaceTab(std::string_view text);
// Trims every whitespace character (space, tab, line ends, vertical tab, form feed).
std::string_view trimWhitespace(std::string_view text);
// Trims ASCII control characters (below 0x20 and DEL).
std::string_view trimControl(std::string_view text);

bool startsWith(std::string_view text, std::string_view prefix);
bool containsNoCase(std::string_view text, std::string_view needle);
// Which needles `text` holds, ignoring ASCII case; the text is read once.
std::vector<bool> findAllNoCase(std::string_view text, const std::vector<std::string_view>& needles);
// Whether `text` holds every needle, ignoring ASCII case.
bool containsAllNoCase(std::string_view text, const std::vector<std::string_view>& needles);
std::string toLower(std::string_view text);
// The value of a hexadecimal digit; -1 for any other character.
int hexDigitValue(char c);

// One decimal integer, optional sign, surrounding whitespace allowed.
bool isIntegerString(std::string_view text);
// The integer that isIntegerString accepts (clamped to 32 bits); 0 otherwise.
std::int64_t parseInt(std::string_view text);
// The leading decimal number (like strtod on the C locale); 0 when none.
double leadingNumber(std::string_view text);

// Every U+0020 removed; other whitespace stays.
std::string removeWhitespace(std::string_view text);
// "feet+frames": exactly two integer parts around "+".
bool isFF(std::string_view text);
// "HH:MM:SS:FF": four integer parts at ":", 11 characters once trimmed.
bool isTC(std::string_view text);

// Lines split at LF, CR, CR LF and the Unicode line and paragraph separators
// (U+0085, U+2028, U+2029); line ends removed. A final line end adds no line.
std::vector<std::string> splitLines(std::string_view text);
// The same lines as views into `text`, which must outlive them.
std::vector<std::string_view> splitLineViews(std::string_view text);

// Bytes as UTF-8 text: valid UTF-8 is kept (a leading byte-order mark is
// dropped), anything else is read as Latin-1.
std::string decodeText(std::string_view bytes);
std::string decodeOwnedText(std::string&& bytes);  // no copy when the bytes are UTF-8 already
bool isValidUtf8(std::string_view bytes);

// The first n characters (code points) of a UTF-8 text, never half a character.
std::string utf8Prefix(std::string_view text, std::size_t n);
std::size_t utf8Length(std::string_view text);

}  // namespace rw
