#include "settings/FileSettings.h"

#include "core/Files.h"
#include "core/Text.h"

namespace rw {

namespace {

const char kHex[] = "0123456789ABCDEF";

void appendHex(std::string& out, unsigned char c) {
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

// The Unicode line separators end a line when the file is read back.
std::size_t lineSeparatorLength(std::string_view t, std::size_t i) {
    if (t.compare(i, 2, "\xC2\x85") == 0) return 2;
    if (t.compare(i, 3, "\xE2\x80\xA8") == 0 || t.compare(i, 3, "\xE2\x80\xA9") == 0) return 3;
    return 0;
}

// Every byte that could end a line, vanish in trimming or be read back as
// Latin-1 is written as an escape, so any text comes back byte for byte.
std::string escape(std::string_view text, bool inKey) {
    const bool utf8 = isValidUtf8(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (const std::size_t n = lineSeparatorLength(text, i)) {
            for (std::size_t k = 0; k < n; ++k) appendHex(out, static_cast<unsigned char>(text[i + k]));
            i += n - 1;
        } else if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) appendHex(out, c);
        else if (c == '"' && !inKey) out += "\\\"";
        else if (c == '=' && inKey) out += "\\=";
        else if (c == ' ' && inKey && (i == 0 || i + 1 == text.size())) out += "\\s";
        else out += static_cast<char>(c);
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size() && hexDigitValue(text[i + 1]) >= 0 && hexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 's' ? ' ' : c;  // \\ \" \= as they are
        }
    }
    return out;
}

// The first "=" that no backslash escapes.
std::size_t separator(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') ++i;
        else if (line[i] == '=') return i;
    }
    return std::string_view::npos;
}

std::string formatKey(const std::string& key) {
    std::string k = escape(key, true);
    // A key that would read as a comment or a section is guarded by a backslash.
    if (!k.empty() && (k.front() == ';' || k.front() == '#' || k.front() == '[')) k = "\\" + k;
    return k;
}

std::string formatValue(const std::string& value) {
    std::string v = escape(value, false);
    const bool quote = !v.empty() && (v.front() == ' ' || v.back() == ' ' || v.front() == '"');
    return quote ? "\"" + v + "\"" : v;
}

// A closing quote that an odd run of backslashes escapes is part of the text.
bool closingQuoteIsBare(std::string_view raw) {
    std::size_t slashes = 0;
    for (std::size_t i = raw.size() - 1; i > 0 && raw[i - 1] == '\\'; --i) ++slashes;
    return slashes % 2 == 0;
}

std::string parseValue(std::string_view raw) {
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"' && closingQuoteIsBare(raw))
        raw = raw.substr(1, raw.size() - 2);
    return unescape(raw);
}

}  // namespace

std::string FileSettings::format(const std::map<std::string, std::string>& values) {
    std::string text = "; reelwright preferences\n[reelwright]\n";
    for (const auto& [key, value] : values) text += formatKey(key) + "=" + formatValue(value) + "\n";
    return text;
}

Outcome<std::map<std::string, std::string>> FileSettings::parse(const std::string& text) {
    using Values = Outcome<std::map<std::string, std::string>>;
    std::map<std::string, std::string> values;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = trimWhitespace(lines[n]);
        if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') continue;
        const std::size_t eq = separator(line);
        if (eq == std::string_view::npos || eq == 0)
            return Values::failure(std::to_string(n + 1) + ": not a setting (expected key=value)");
        values[unescape(trimWhitespace(line.substr(0, eq)))] = parseValue(trimWhitespace(line.substr(eq + 1)));
    }
    return Values::success(std::move(values));
}

Outcome<> FileSettings::load() {
    const Outcome<std::string> bytes = readFileBytes(path_);
    if (!bytes) return Outcome<>::failure("cannot read settings file " + path_);
    auto values = parse(decodeText(bytes.value));
    if (!values) return Outcome<>::failure(path_ + ":" + values.error);
    values_ = std::move(values.value);
    return Outcome<>::success();
}

Outcome<> FileSettings::synchronize() const { return writeFileAtomic(path_, format(values_)); }

std::optional<std::string> FileSettings::stringForKey(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

}  // namespace rw

