#include "import/FootageLine.h"

#include "core/Text.h"

#include <algorithm>
#include <cmath>

namespace rw {

namespace {
bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

FootageLine::FootageLine(std::string_view utf8) : text_(utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (continuation(utf8[i])) continue;
        if (utf8[i] == '+') {
            plusChars_.push_back(chars_);
            plusBytes_.push_back(i);
        }
        ++chars_;
    }
}

std::size_t FootageLine::walk(std::size_t byte, std::size_t chars) const {
    for (; chars > 0 && byte < text_.size(); --chars) {
        ++byte;
        while (byte < text_.size() && continuation(text_[byte])) ++byte;
    }
    return byte;
}

std::size_t FootageLine::byteOffset(std::size_t pos) const {
    auto after = std::upper_bound(plusChars_.begin(), plusChars_.end(), pos);
    if (after == plusChars_.begin()) return walk(0, pos);
    const std::size_t k = static_cast<std::size_t>(after - plusChars_.begin()) - 1;
    return walk(plusBytes_[k], pos - plusChars_[k]);
}

std::string_view FootageLine::substr(std::size_t pos, std::size_t n) const {
    if (pos >= chars_) return {};
    const std::size_t from = byteOffset(pos);
    return text_.substr(from, walk(from, n) - from);
}

std::optional<std::string_view> FootageLine::footageField(std::size_t plus) const {
    if (plus < 4) return std::nullopt;
    return substr(plus - 4, 7);
}

std::string_view FootageLine::afterLastControl() const {
    if (chars_ < 2) return {};
    std::size_t end = text_.size();  // the byte where the final two characters begin
    for (int k = 0; k < 2; ++k) {
        --end;
        while (end > 0 && continuation(text_[end])) --end;
    }
    for (std::size_t i = end; i-- > 0;)  // control characters are single bytes
        if (isControlChar(text_[i])) return text_.substr(i + 1);
    return {};
}

std::optional<std::string_view> FootageLine::beforeLastWhite(std::size_t k) const {
    if (k >= plusBytes_.size()) return std::nullopt;
    for (std::size_t i = plusBytes_[k]; i-- > 0;)  // white space is single bytes
        if (isWhiteChar(text_[i])) return text_.substr(0, i);
    return std::nullopt;
}

std::int64_t hourCodeValue(const std::optional<std::string>& hourCode) {
    if (!hourCode) return 0;
    const double v = std::trunc(leadingNumber(*hourCode));
    // Hours beyond these cannot place a single frame in 32 bits.
    if (!(v >= 0 && v <= 24000)) return 0;
    return static_cast<std::int64_t>(v);
}

bool isControlChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

bool isWhiteChar(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace rw
