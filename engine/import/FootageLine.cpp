#include "import/FootageLine.h"

#include "core/Text.h"

#include <cmath>

namespace rw {

FootageLine::FootageLine(std::string_view utf8) : text_(utf8) {
    offsets_.reserve(utf8.size() + 1);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (utf8[i] == '+') plus_.push_back(offsets_.size());
        offsets_.push_back(i);
    }
    offsets_.push_back(utf8.size());
}

std::string_view FootageLine::substr(std::size_t pos, std::size_t n) const {
    const std::size_t chars = size();
    if (pos >= chars) return {};
    const std::size_t end = n >= chars - pos ? chars : pos + n;
    return text_.substr(offsets_[pos], offsets_[end] - offsets_[pos]);
}

char FootageLine::at(std::size_t pos) const {
    if (pos >= size()) return '\0';
    if (offsets_[pos + 1] - offsets_[pos] != 1) return '\x80';
    return text_[offsets_[pos]];
}

std::optional<std::string_view> FootageLine::footageField(std::size_t plus) const {
    if (plus < 4) return std::nullopt;
    return substr(plus - 4, 7);
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
