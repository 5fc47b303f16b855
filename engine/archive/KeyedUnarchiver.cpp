#include "archive/KeyedArchive.h"

#include "archive/PlistHandle.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rw {

namespace {

// A document is a few hundred bytes an event; these bound hostile files
// (deep nesting, shared sub-objects referenced over and over).
constexpr std::size_t kMaxBytes = 64u << 20;
constexpr int kMaxDepth = 32;
constexpr std::size_t kMaxObjects = 500'000;

struct Failure {};

// Through the pointer accessor: the copying one aborts on a text holding a NUL.
std::string stringOf(plist_t node) {
    std::uint64_t length = 0;
    const char* s = plist_get_string_ptr(node, &length);
    return s ? std::string(s, length) : std::string();
}

bool isString(plist_t node) { return node && plist_get_node_type(node) == PLIST_STRING; }

// A UID reference; XML property lists write it as a dictionary holding only
// "CF$UID", which libplist leaves a dictionary.
std::optional<std::uint64_t> uidOf(plist_t node) {
    if (!node) return std::nullopt;
    std::uint64_t v = 0;
    if (plist_get_node_type(node) == PLIST_UID) {
        plist_get_uid_val(node, &v);
        return v;
    }
    if (plist_get_node_type(node) != PLIST_DICT || plist_dict_get_size(node) != 1) return std::nullopt;
    plist_t n = plist_dict_get_item(node, "CF$UID");
    if (!n || plist_get_node_type(n) != PLIST_UINT) return std::nullopt;
    plist_get_uint_val(n, &v);
    return v;
}

// The colour components of "NSRGB" or "NSWhite": numbers separated by spaces.
std::vector<float> components(plist_t data) {
    if (!data || plist_get_node_type(data) != PLIST_DATA) throw Failure{};
    std::uint64_t length = 0;
    const char* bytes = plist_get_data_ptr(data, &length);
    std::string text = bytes ? std::string(bytes, length) : std::string();
    std::vector<float> out;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && out.size() < 5) {
        while (p < end && (*p == ' ' || *p == '\0')) ++p;
        if (p == end) break;
        float f = 0;
        auto res = std::from_chars(p, end, f);
        if (res.ec != std::errc() || !std::isfinite(f)) throw Failure{};
        out.push_back(f);
        p = res.ptr;
    }
    return out;
}

class Unarchiver {
public:
    explicit Unarchiver(plist_t objects) : objects_(objects), count_(plist_array_get_size(objects)) {}

    ArchiveValue decode(std::uint64_t uid, int depth) {
        if (uid == 0) return {};
        if (uid >= count_ || depth > kMaxDepth || ++decoded_ > kMaxObjects) throw Failure{};
        plist_t node = plist_array_get_item(objects_, static_cast<std::uint32_t>(uid));
        if (isString(node)) return stringOf(node);
        if (!node || plist_get_node_type(node) != PLIST_DICT) throw Failure{};
        const std::string cls = className(plist_dict_get_item(node, "$class"));
        if (cls == "NSDictionary" || cls == "NSMutableDictionary") return dictionary(node, depth);
        if (cls == "NSArray" || cls == "NSMutableArray") return array(node, depth);
        if (cls == "NSString" || cls == "NSMutableString") {
            plist_t s = plist_dict_get_item(node, "NS.string");
            if (!isString(s)) throw Failure{};
            return stringOf(s);
        }
        if (cls == "NSColor") return color(node, depth);
        throw Failure{};
    }

private:
    plist_t object(std::uint64_t uid) const {
        if (uid == 0 || uid >= count_) throw Failure{};
        return plist_array_get_item(objects_, static_cast<std::uint32_t>(uid));
    }

    std::string className(plist_t ref) const {
        auto uid = uidOf(ref);
        if (!uid) throw Failure{};
        plist_t record = object(*uid);
        if (!record || plist_get_node_type(record) != PLIST_DICT) throw Failure{};
        plist_t name = plist_dict_get_item(record, "$classname");
        if (!isString(name)) throw Failure{};
        return stringOf(name);
    }

    std::vector<std::uint64_t> uids(plist_t list) const {
        if (!list || plist_get_node_type(list) != PLIST_ARRAY) throw Failure{};
        std::vector<std::uint64_t> out;
        const std::uint32_t n = plist_array_get_size(list);
        for (std::uint32_t i = 0; i < n; ++i) {
            auto uid = uidOf(plist_array_get_item(list, i));
            if (!uid) throw Failure{};
            out.push_back(*uid);
        }
        return out;
    }

    ArchiveValue array(plist_t node, int depth) {
        ArchiveArray out;
        for (auto uid : uids(plist_dict_get_item(node, "NS.objects"))) out.push_back(decode(uid, depth + 1));
        return out;
    }

    ArchiveValue dictionary(plist_t node, int depth) {
        auto keys = uids(plist_dict_get_item(node, "NS.keys"));
        auto values = uids(plist_dict_get_item(node, "NS.objects"));
        if (keys.size() != values.size()) throw Failure{};
        ArchiveDict out;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            ArchiveValue key = decode(keys[i], depth + 1);
            if (!key.string()) throw Failure{};
            out.emplace_back(*key.string(), decode(values[i], depth + 1));
        }
        return out;
    }

    std::string referencedString(plist_t node, const char* key, int depth) {
        auto uid = uidOf(plist_dict_get_item(node, key));
        if (!uid) throw Failure{};
        ArchiveValue v = decode(*uid, depth + 1);
        if (!v.string()) throw Failure{};
        return *v.string();
    }

    ArchiveValue color(plist_t node, int depth) {
        plist_t spaceNode = plist_dict_get_item(node, "NSColorSpace");
        if (!spaceNode || plist_get_node_type(spaceNode) != PLIST_UINT) throw Failure{};
        std::uint64_t space = 0;
        plist_get_uint_val(spaceNode, &space);
        if (space == 1 || space == 2) {  // calibrated or device RGB
            auto c = components(plist_dict_get_item(node, "NSRGB"));
            if (c.size() != 3 && c.size() != 4) throw Failure{};
            return Color::rgb(c[0], c[1], c[2], c.size() == 4 ? c[3] : 1.0f);
        }
        if (space == 3 || space == 4) {  // calibrated or device white
            auto c = components(plist_dict_get_item(node, "NSWhite"));
            if (c.size() != 1 && c.size() != 2) throw Failure{};
            return Color{Color::Space::CalibratedWhite, c[0], 0, 0, c.size() == 2 ? c[1] : 1.0f};
        }
        if (space == 6) {  // a catalogue colour: only the text colour is known, else its fallback
            if (referencedString(node, "NSCatalogName", depth) == "System" &&
                referencedString(node, "NSColorName", depth) == "textColor")
                return Color::textColor();
            auto fallback = uidOf(plist_dict_get_item(node, "NSColor"));
            if (!fallback) throw Failure{};
            ArchiveValue v = decode(*fallback, depth + 1);
            if (!v.color()) throw Failure{};
            return v;
        }
        throw Failure{};
    }

    plist_t objects_;
    std::uint32_t count_;
    std::size_t decoded_ = 0;
};

bool isKeyedArchive(plist_t doc) {
    if (!doc || plist_get_node_type(doc) != PLIST_DICT) return false;
    plist_t archiver = plist_dict_get_item(doc, "$archiver");
    plist_t version = plist_dict_get_item(doc, "$version");
    plist_t objects = plist_dict_get_item(doc, "$objects");
    if (!isString(archiver) || stringOf(archiver) != "NSKeyedArchiver") return false;
    if (!version || plist_get_node_type(version) != PLIST_UINT) return false;
    std::uint64_t v = 0;
    plist_get_uint_val(version, &v);
    return v == 100000 && objects && plist_get_node_type(objects) == PLIST_ARRAY;
}

}  // namespace

std::optional<ArchiveValue> unarchiveObjectWithData(std::string_view bytes) {
    if (bytes.size() < 8 || bytes.size() > kMaxBytes) return std::nullopt;
    plist_t raw = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    PlistHandle doc(raw);
    if (!isKeyedArchive(raw)) return std::nullopt;
    plist_t top = plist_dict_get_item(raw, "$top");
    if (!top || plist_get_node_type(top) != PLIST_DICT) return std::nullopt;
    auto root = uidOf(plist_dict_get_item(top, "root"));
    if (!root || *root == 0) return std::nullopt;
    try {
        return Unarchiver(plist_dict_get_item(raw, "$objects")).decode(*root, 0);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

}  // namespace rw
