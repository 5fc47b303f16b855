#include "core/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cctype>
#include <charconv>
#include <limits>

namespace rw {

namespace {
bool isSpaceChar(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

std::vector<std::string_view> splitView(std::string_view text, char sep) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t pos = text.find(sep, start);
        if (pos == std::string_view::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::vector<std::string> split(std::string_view text, char sep) {
    std::vector<std::string> out;
    for (auto piece : splitView(text, sep)) out.emplace_back(piece);
    return out;
}

std::vector<std::string_view> words(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t b = text.find_first_not_of(separators, i);
        if (b == std::string_view::npos) break;
        std::size_t e = text.find_first_of(separators, b);
        if (e == std::string_view::npos) e = text.size();
        out.push_back(text.substr(b, e - b));
        i = e;
    }
    return out;
}

std::string_view trimSpaceTab(std::string_view text) {
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    std::size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

std::string_view trimWhitespace(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isSpaceChar(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && isSpaceChar(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

std::string_view trimControl(std::string_view text) {
    auto isCtl = [](char c) { auto u = static_cast<unsigned char>(c); return u < 0x20 || u == 0x7f; };
    std::size_t b = 0, e = text.size();
    while (b < e && isCtl(text[b])) ++b;
    while (e > b && isCtl(text[e - 1])) --e;
    return text.substr(b, e - b);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string toLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(u + ((static_cast<unsigned char>(u - 'A') < 26) << 5));
    }
    return out;
}

std::vector<bool> findAllNoCase(std::string_view text, const std::vector<std::string_view>& needles) {
    // Lower-cased in blocks that overlap by the longest needle, so a long text
    // is read once and never copied whole.
    std::size_t longest = 0;
    std::vector<std::string> lowered;
    for (auto n : needles) {
        longest = std::max(longest, n.size());
        lowered.push_back(toLower(n));
    }
    std::vector<bool> found(needles.size(), false);
    std::size_t left = needles.size();
    for (std::size_t k = 0; k < needles.size(); ++k)
        if (needles[k].empty()) found[k] = true, --left;
    constexpr std::size_t kBlock = 1 << 16;
    std::string block;
    for (std::size_t at = 0; at < text.size() && left > 0; at += kBlock) {
        block = toLower(text.substr(at, kBlock + longest));
        for (std::size_t k = 0; k < lowered.size(); ++k)
            if (!found[k] && block.find(lowered[k]) != std::string::npos) {
                found[k] = true;
                --left;
            }
    }
    return found;
}

bool containsAllNoCase(std::string_view text, const std::vector<std::string_view>& needles) {
    auto found = findAllNoCase(text, needles);
    return std::all_of(found.begin(), found.end(), [](bool f) { return f; });
}

bool containsNoCase(std::string_view text, std::string_view needle) { return containsAllNoCase(text, {needle}); }

namespace {
// Scans [ws] [sign] digits [ws]; true with the value when that is the whole text.
bool scanInteger(std::string_view text, std::int64_t& value) {
    std::string_view t = trimWhitespace(text);
    if (t.empty()) return false;
    bool neg = false;
    if (t[0] == '+' || t[0] == '-') {
        neg = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    std::int64_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
        if (v < (std::int64_t{1} << 40)) v = v * 10 + (c - '0');  // past 2^40 it is clamped anyway
    }
    v = neg ? -v : v;
    v = std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    value = v;
    return true;
}
}  // namespace

bool isIntegerString(std::string_view text) {
    std::int64_t v;
    return scanInteger(text, v);
}

std::int64_t parseInt(std::string_view text) {
    std::int64_t v = 0;
    return scanInteger(text, v) ? v : 0;
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpaceChar(static_cast<unsigned char>(text[i]))) ++i;
    std::string_view rest = text.substr(i);
    if (!rest.empty() && rest[0] == '+') rest.remove_prefix(1);
    double v = 0;
    auto res = std::from_chars(rest.data(), rest.data() + rest.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc()) return 0;
    return v;
}

std::string removeWhitespace(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out.push_back(c);
    return out;
}

bool isFF(std::string_view text) {
    auto parts = splitView(text, '+');
    return parts.size() == 2 && isIntegerString(parts[0]) && isIntegerString(parts[1]);
}

bool isTC(std::string_view text) {
    auto parts = splitView(text, ':');
    if (parts.size() != 4 || trimWhitespace(text).size() != 11) return false;
    return std::all_of(parts.begin(), parts.end(), [](auto p) { return isIntegerString(p); });
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (auto line : splitLineViews(text)) lines.emplace_back(line);
    return lines;
}

std::vector<std::string_view> splitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    // The common case, LF only: split with memchr.
    if (std::memchr(text.data(), '\r', text.size()) == nullptr &&
        std::memchr(text.data(), 0xC2, text.size()) == nullptr && std::memchr(text.data(), 0xE2, text.size()) == nullptr) {
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            const char* e = nl ? static_cast<const char*>(nl) : end;
            lines.emplace_back(p, static_cast<std::size_t>(e - p));
            p = e + 1;
        }
        return lines;
    }
    std::size_t start = 0, i = 0;
    auto endLine = [&](std::size_t end, std::size_t next) {
        lines.push_back(text.substr(start, end - start));
        start = i = next;
    };
    // Bytes that may end a line: LF, CR and the lead bytes of U+0085, U+2028, U+2029.
    static constexpr auto kMayEnd = [] {
        std::array<bool, 256> t{};
        t['\n'] = t['\r'] = t[0xC2] = t[0xE2] = true;
        return t;
    }();
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && !kMayEnd[static_cast<unsigned char>(text[i])]) ++i;
        if (i >= n) break;
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') endLine(i, i + 1);
        else if (c == '\r') endLine(i, (i + 1 < text.size() && text[i + 1] == '\n') ? i + 2 : i + 1);
        else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x85) endLine(i, i + 2);
        else if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                 (static_cast<unsigned char>(text[i + 2]) == 0xA8 || static_cast<unsigned char>(text[i + 2]) == 0xA9))
            endLine(i, i + 3);
        else ++i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0, n = s.size();
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if (word & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= n) break;
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) { ++i; continue; }
        std::size_t len;
        std::uint32_t cp;
        if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
        else return false;
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

std::string decodeOwnedText(std::string&& bytes) {
    if (!isValidUtf8(bytes)) return decodeText(std::string_view(bytes));
    if (startsWith(bytes, "\xEF\xBB\xBF")) bytes.erase(0, 3);
    return std::move(bytes);
}

std::string decodeText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) out.push_back(ch);
        else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string utf8Prefix(std::string_view text, std::size_t n) {
    std::size_t i = 0, count = 0;
    while (i < text.size() && count < n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        ++count;
    }
    return std::string(text.substr(0, i));
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace rw
