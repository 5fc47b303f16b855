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

using Decoded = Outcome<ArchiveValue>;
using Uids = Outcome<std::vector<std::uint64_t>>;
using Text = Outcome<std::string>;

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
Outcome<std::vector<float>> components(plist_t data) {
    using Floats = Outcome<std::vector<float>>;
    if (!data || plist_get_node_type(data) != PLIST_DATA) return Floats::failure("a colour without its components");
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
        if (res.ec != std::errc() || !std::isfinite(f)) return Floats::failure("a colour component is not a number");
        out.push_back(f);
        p = res.ptr;
    }
    return Floats::success(std::move(out));
}

// Each step returns its value or the first reason the archive cannot be read,
// so a damaged or hostile file stops the walk where it is found.
class Unarchiver {
public:
    explicit Unarchiver(plist_t objects) : objects_(objects), count_(plist_array_get_size(objects)) {}

    Decoded decode(std::uint64_t uid, int depth) {
        if (uid == 0) return Decoded::success();
        if (uid >= count_) return Decoded::failure("a reference past the last object");
        if (depth > kMaxDepth) return Decoded::failure("objects nested deeper than " + std::to_string(kMaxDepth));
        if (++decoded_ > kMaxObjects) return Decoded::failure("more than " + std::to_string(kMaxObjects) + " objects");
        plist_t node = plist_array_get_item(objects_, static_cast<std::uint32_t>(uid));
        if (isString(node)) return Decoded::success(stringOf(node));
        if (!node || plist_get_node_type(node) != PLIST_DICT) return Decoded::failure("an object of no known kind");
        const Text cls = className(plist_dict_get_item(node, "$class"));
        if (!cls) return Decoded::failure(cls.error);
        if (cls.value == "NSDictionary" || cls.value == "NSMutableDictionary") return dictionary(node, depth);
        if (cls.value == "NSArray" || cls.value == "NSMutableArray") return array(node, depth);
        if (cls.value == "NSString" || cls.value == "NSMutableString") {
            plist_t s = plist_dict_get_item(node, "NS.string");
            if (!isString(s)) return Decoded::failure("a string object without its text");
            return Decoded::success(stringOf(s));
        }
        if (cls.value == "NSColor") return color(node, depth);
        return Decoded::failure("an object of unknown class " + cls.value);
    }

private:
    Text className(plist_t ref) const {
        auto uid = uidOf(ref);
        if (!uid || *uid == 0 || *uid >= count_) return Text::failure("an object without its class");
        plist_t record = plist_array_get_item(objects_, static_cast<std::uint32_t>(*uid));
        plist_t name = record && plist_get_node_type(record) == PLIST_DICT ? plist_dict_get_item(record, "$classname")
                                                                          : nullptr;
        if (!isString(name)) return Text::failure("a class record without its name");
        return Text::success(stringOf(name));
    }

    Uids uids(plist_t list) const {
        if (!list || plist_get_node_type(list) != PLIST_ARRAY) return Uids::failure("a collection without its members");
        std::vector<std::uint64_t> out;
        const std::uint32_t n = plist_array_get_size(list);
        for (std::uint32_t i = 0; i < n; ++i) {
            auto uid = uidOf(plist_array_get_item(list, i));
            if (!uid) return Uids::failure("a collection member that is not a reference");
            out.push_back(*uid);
        }
        return Uids::success(std::move(out));
    }

    Decoded array(plist_t node, int depth) {
        const Uids members = uids(plist_dict_get_item(node, "NS.objects"));
        if (!members) return Decoded::failure(members.error);
        ArchiveArray out;
        for (auto uid : members.value) {
            Decoded item = decode(uid, depth + 1);
            if (!item) return item;
            out.push_back(std::move(item.value));
        }
        return Decoded::success(std::move(out));
    }

    Decoded dictionary(plist_t node, int depth) {
        const Uids keys = uids(plist_dict_get_item(node, "NS.keys"));
        const Uids values = uids(plist_dict_get_item(node, "NS.objects"));
        if (!keys || !values) return Decoded::failure(keys ? values.error : keys.error);
        if (keys.value.size() != values.value.size()) return Decoded::failure("a dictionary whose keys and values differ in number");
        ArchiveDict out;
        for (std::size_t i = 0; i < keys.value.size(); ++i) {
            Text key = referencedString(keys.value[i], depth);
            if (!key) return Decoded::failure(key.error);
            Decoded value = decode(values.value[i], depth + 1);
            if (!value) return value;
            out.emplace_back(std::move(key.value), std::move(value.value));
        }
        return Decoded::success(std::move(out));
    }

    Text referencedString(std::optional<std::uint64_t> uid, int depth) {
        if (!uid) return Text::failure("a missing reference to a string");
        Decoded v = decode(*uid, depth + 1);
        if (!v) return Text::failure(v.error);
        if (!v.value.string()) return Text::failure("a reference to a string that is not one");
        return Text::success(*v.value.string());
    }

    Decoded color(plist_t node, int depth) {
        plist_t spaceNode = plist_dict_get_item(node, "NSColorSpace");
        if (!spaceNode || plist_get_node_type(spaceNode) != PLIST_UINT)
            return Decoded::failure("a colour without its space");
        std::uint64_t space = 0;
        plist_get_uint_val(spaceNode, &space);
        if (space == 1 || space == 2) {  // calibrated or device RGB
            auto c = components(plist_dict_get_item(node, "NSRGB"));
            if (!c || (c.value.size() != 3 && c.value.size() != 4)) return badComponents(c);
            const auto& v = c.value;
            return Decoded::success(Color::rgb(v[0], v[1], v[2], v.size() == 4 ? v[3] : 1.0f));
        }
        if (space == 3 || space == 4) {  // calibrated or device white
            auto c = components(plist_dict_get_item(node, "NSWhite"));
            if (!c || (c.value.size() != 1 && c.value.size() != 2)) return badComponents(c);
            const auto& v = c.value;
            return Decoded::success(Color{Color::Space::CalibratedWhite, v[0], 0, 0, v.size() == 2 ? v[1] : 1.0f});
        }
        if (space == 6) return catalogueColor(node, depth);
        return Decoded::failure("a colour in an unknown space");
    }

    static Decoded badComponents(const Outcome<std::vector<float>>& c) {
        return Decoded::failure(c ? "a colour with the wrong number of components" : c.error);
    }

    // Only the text colour of the catalogue is known, else its fallback.
    Decoded catalogueColor(plist_t node, int depth) {
        const Text catalogue = referencedString(uidOf(plist_dict_get_item(node, "NSCatalogName")), depth);
        if (!catalogue) return Decoded::failure(catalogue.error);
        if (catalogue.value == "System") {
            const Text name = referencedString(uidOf(plist_dict_get_item(node, "NSColorName")), depth);
            if (!name) return Decoded::failure(name.error);
            if (name.value == "textColor") return Decoded::success(Color::textColor());
        }
        auto fallback = uidOf(plist_dict_get_item(node, "NSColor"));
        if (!fallback) return Decoded::failure("a catalogue colour without its fallback");
        Decoded v = decode(*fallback, depth + 1);
        if (v && !v.value.color()) return Decoded::failure("a catalogue colour whose fallback is not a colour");
        return v;
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

Outcome<ArchiveValue> unarchiveObjectWithData(std::string_view bytes) {
    if (bytes.size() < 8) return Decoded::failure("too short for a keyed archive");
    if (bytes.size() > kMaxBytes) return Decoded::failure("larger than " + std::to_string(kMaxBytes >> 20) + " MB");
    plist_t raw = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    PlistHandle doc(raw);
    if (!isKeyedArchive(raw)) return Decoded::failure("not a keyed archive");
    plist_t top = plist_dict_get_item(raw, "$top");
    auto root = top && plist_get_node_type(top) == PLIST_DICT ? uidOf(plist_dict_get_item(top, "root")) : std::nullopt;
    if (!root || *root == 0) return Decoded::failure("a keyed archive without its root object");
    return Unarchiver(plist_dict_get_item(raw, "$objects")).decode(*root, 0);
}

}  // namespace rw
