#include "import/OtioDocument.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace rw::otio {

namespace {

using json = nlohmann::json;

// Turns a non-finite number word at `at` into a string of the same length
// (so offsets stay true); answers the index of its last byte, or `at`.
std::size_t quoteNonFinite(std::string& text, std::size_t at) {
    static constexpr std::array<std::string_view, 5> words = {"-Infinity", "Infinity", "-Inf", "Inf", "NaN"};
    for (std::string_view w : words) {
        if (text.compare(at, w.size(), w) != 0) continue;
        const std::size_t end = at + w.size();
        if (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) continue;
        text[at] = '"';
        text[end - 1] = '"';
        return end - 1;
    }
    return at;
}

// One pass outside the parser: the nesting limit (the parser itself would
// go as deep as asked) and the non-finite numbers.
Outcome<> patchAndMeasure(std::string& text) {
    int depth = 0;
    bool inString = false, escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
            continue;
        }
        switch (c) {
        case '"': inString = true; break;
        case '{':
        case '[':
            if (++depth > kMaxDepth)
                return Outcome<>::failure("nested deeper than " + std::to_string(kMaxDepth) + " levels at " +
                                          lineAndColumn(text, i));
            break;
        case '}':
        case ']': depth = std::max(0, depth - 1); break;
        case 'N':
        case 'I':
        case '-': i = quoteNonFinite(text, i); break;
        default: break;
        }
    }
    return Outcome<>::success();
}

// Builds the document from the parser's events, keeping only what the
// timeline reader asks for and at most kMaxValues values.
class KeptValues final : public json::json_sax_t {
public:
    explicit KeptValues(std::size_t maxValues) : maxValues_(maxValues) {}

    json root;
    std::string error;

    bool null() override { return put(json()); }
    bool boolean(bool v) override { return put(json(v)); }
    bool number_integer(number_integer_t v) override { return put(json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return put(json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return put(json(v)); }
    bool string(string_t& v) override { return put(json(std::move(v))); }
    bool binary(binary_t&) override { return put(json()); }
    bool start_object(std::size_t) override { return open(json::object()); }
    bool start_array(std::size_t) override { return open(json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& k) override {
        if (skipDepth_ > 0) return true;
        skipNext_ = filtered(k);
        metadataNext_ = k == "metadata";
        key_ = std::move(k);
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& ex) override {
        // "[json.exception.parse_error.101] parse error at line 3, column 7: ...; last read: '...'", without
        // the bytes last read: they may be anything, and the place says where they are.
        std::string what = ex.what();
        const std::size_t bracket = what.find("] ");
        what = bracket == std::string::npos ? what : what.substr(bracket + 2);
        error = "not JSON: " + what.substr(0, what.find("; last read"));
        return false;
    }

private:
    struct Open {
        json* value;
        bool metadata;  // keeps only the keys the reader uses
    };

    bool filtered(const std::string& k) const {
        if (!open_.empty() && open_.back().metadata) return k != "cmx_3600" && k != "reelwright";
        return k == "markers" || k == "parameters" || k == "available_image_bounds";
    }

    bool counted() {
        if (++values_ <= maxValues_) return true;
        error = "more than " + std::to_string(maxValues_) + " values: too large a timeline to read";
        return false;
    }

    json* place(json&& v) {
        if (open_.empty()) {
            root = std::move(v);
            return &root;
        }
        json& top = *open_.back().value;
        if (top.is_array()) {
            top.push_back(std::move(v));
            return &top.back();
        }
        json& slot = top[key_];  // a repeated key: the last one holds
        slot = std::move(v);
        return &slot;
    }

    bool put(json&& v) {
        const bool skip = skipDepth_ > 0 || skipNext_;
        skipNext_ = metadataNext_ = false;
        if (skip) return true;
        if (!counted()) return false;
        place(std::move(v));
        return true;
    }

    bool open(json&& v) {
        if (skipDepth_ > 0 || skipNext_) {
            skipNext_ = false;
            ++skipDepth_;
            return true;
        }
        if (!counted()) return false;
        const bool metadata = metadataNext_;
        metadataNext_ = false;
        open_.push_back({place(std::move(v)), metadata});
        return true;
    }

    bool close() {
        if (skipDepth_ > 0) --skipDepth_;
        else if (!open_.empty()) open_.pop_back();
        return true;
    }

    std::vector<Open> open_;
    std::string key_;
    int skipDepth_ = 0;
    bool skipNext_ = false, metadataNext_ = false;
    const std::size_t maxValues_;
    std::size_t values_ = 0;
};

}  // namespace

std::string lineAndColumn(const std::string& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
    const std::size_t lineStart = offset == 0 ? 0 : text.rfind('\n', offset - 1);
    const std::size_t column = lineStart == std::string::npos || offset == 0 ? offset + 1 : offset - lineStart;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

Outcome<> checkSize(std::uintmax_t bytes) {
    if (bytes <= kMaxBytes) return Outcome<>::success();
    return Outcome<>::failure("the file holds " + std::to_string(bytes >> 20) + " MB; timelines of up to " +
                              std::to_string(kMaxBytes >> 20) + " MB are read");
}

Outcome<json> parseDocument(std::string bytes, std::size_t maxValues) {
    using Parsed = Outcome<json>;
    if (Outcome<> size = checkSize(bytes.size()); !size) return Parsed::failure(size.error);
    if (Outcome<> shape = patchAndMeasure(bytes); !shape) return Parsed::failure(shape.error);
    KeptValues sax(maxValues);
    if (!json::sax_parse(bytes, &sax)) return Parsed::failure(sax.error.empty() ? "not JSON" : sax.error);
    return Parsed::success(std::move(sax.root));
}

}  // namespace rw::otio
