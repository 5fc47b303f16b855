#include "archive/KeyedArchive.h"

#include "archive/PlistHandle.h"

#include <charconv>
#include <cstdint>
#include <map>

namespace rw {

const ArchiveValue* ArchiveValue::find(std::string_view key) const {
    const ArchiveDict* d = dict();
    if (!d) return nullptr;
    for (const auto& [k, v] : *d)
        if (k == key) return &v;
    return nullptr;
}

namespace {

// Colour spaces as the keyed archive numbers them.
constexpr std::uint64_t kSpaceCalibratedRGB = 1;
constexpr std::uint64_t kSpaceCalibratedWhite = 3;
constexpr std::uint64_t kSpaceCatalog = 6;

std::string componentText(std::initializer_list<float> parts) {
    std::string out;
    for (float f : parts) {
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, f);
        if (!out.empty()) out += ' ';
        out.append(buf, res.ptr);
    }
    return out;
}

plist_t componentData(std::string text) {
    text.push_back('\0');  // the archiver stores the text with its terminator
    return plist_new_data(text.data(), text.size());
}

// Builds "$objects" the way the archiver does: an object takes its slot
// before its members are encoded, texts and class records are shared.
class Archiver {
public:
    Archiver() { slots_.emplace_back(plist_new_string("$null")); }

    std::uint64_t encode(const ArchiveValue& v) {
        return std::visit([this](const auto& x) { return encodeOne(x); }, v.value);
    }

    PlistHandle finish(std::uint64_t root) {
        PlistHandle objects(plist_new_array());
        for (auto& slot : slots_) plist_array_append_item(objects.get(), slot.release());
        PlistHandle top(plist_new_dict());
        plist_dict_set_item(top.get(), "root", plist_new_uid(root));
        PlistHandle doc(plist_new_dict());
        plist_dict_set_item(doc.get(), "$archiver", plist_new_string("NSKeyedArchiver"));
        plist_dict_set_item(doc.get(), "$objects", objects.release());
        plist_dict_set_item(doc.get(), "$top", top.release());
        plist_dict_set_item(doc.get(), "$version", plist_new_uint(100000));
        return doc;
    }

private:
    std::uint64_t add(plist_t node) {
        slots_.emplace_back(node);
        return slots_.size() - 1;
    }
    std::uint64_t reserve() { return add(nullptr); }
    void fill(std::uint64_t slot, PlistHandle node) { slots_[slot] = std::move(node); }

    std::uint64_t encodeOne(std::monostate) { return 0; }

    std::uint64_t encodeOne(const std::string& s) {
        auto it = strings_.find(s);
        if (it != strings_.end()) return it->second;
        return strings_[s] = add(plist_new_string(s.c_str()));
    }

    std::uint64_t encodeOne(const ArchiveArray& a) {
        std::uint64_t slot = reserve();
        PlistHandle node(plist_new_dict());
        PlistHandle members(plist_new_array());
        for (const auto& item : a) plist_array_append_item(members.get(), plist_new_uid(encode(item)));
        plist_dict_set_item(node.get(), "NS.objects", members.release());
        setClass(node.get(), {"NSMutableArray", "NSArray", "NSObject"});
        fill(slot, std::move(node));
        return slot;
    }

    std::uint64_t encodeOne(const ArchiveDict& d) {
        std::uint64_t slot = reserve();
        PlistHandle node(plist_new_dict());
        PlistHandle keys(plist_new_array());
        PlistHandle members(plist_new_array());
        for (const auto& [k, v] : d) {
            plist_array_append_item(keys.get(), plist_new_uid(encodeOne(k)));
            plist_array_append_item(members.get(), plist_new_uid(encode(v)));
        }
        plist_dict_set_item(node.get(), "NS.keys", keys.release());
        plist_dict_set_item(node.get(), "NS.objects", members.release());
        setClass(node.get(), {"NSMutableDictionary", "NSDictionary", "NSObject"});
        fill(slot, std::move(node));
        return slot;
    }

    std::uint64_t encodeOne(const Color& c) {
        std::uint64_t slot = reserve();
        PlistHandle node(plist_new_dict());
        switch (c.space) {
            case Color::Space::CalibratedRGB:
                plist_dict_set_item(node.get(), "NSColorSpace", plist_new_uint(kSpaceCalibratedRGB));
                plist_dict_set_item(node.get(), "NSRGB",
                                    componentData(c.a == 1 ? componentText({c.r, c.g, c.b})
                                                           : componentText({c.r, c.g, c.b, c.a})));
                break;
            case Color::Space::CalibratedWhite:
                plist_dict_set_item(node.get(), "NSColorSpace", plist_new_uint(kSpaceCalibratedWhite));
                plist_dict_set_item(node.get(), "NSWhite",
                                    componentData(c.a == 1 ? componentText({c.r}) : componentText({c.r, c.a})));
                break;
            case Color::Space::SystemText:
                plist_dict_set_item(node.get(), "NSColorSpace", plist_new_uint(kSpaceCatalog));
                plist_dict_set_item(node.get(), "NSCatalogName", plist_new_uid(encodeOne(std::string("System"))));
                plist_dict_set_item(node.get(), "NSColorName", plist_new_uid(encodeOne(std::string("textColor"))));
                // Readers that do not know the catalogue fall back to this.
                plist_dict_set_item(node.get(), "NSColor", plist_new_uid(encodeOne(Color::black())));
                break;
        }
        setClass(node.get(), {"NSColor", "NSObject"});
        fill(slot, std::move(node));
        return slot;
    }

    void setClass(plist_t node, std::initializer_list<const char*> chain) {
        const std::string name = *chain.begin();
        auto it = classes_.find(name);
        std::uint64_t uid;
        if (it != classes_.end()) {
            uid = it->second;
        } else {
            PlistHandle record(plist_new_dict());
            PlistHandle names(plist_new_array());
            for (const char* n : chain) plist_array_append_item(names.get(), plist_new_string(n));
            plist_dict_set_item(record.get(), "$classes", names.release());
            plist_dict_set_item(record.get(), "$classname", plist_new_string(name.c_str()));
            uid = classes_[name] = add(static_cast<plist_t>(record.release()));
        }
        plist_dict_set_item(node, "$class", plist_new_uid(uid));
    }

    std::vector<PlistHandle> slots_;
    std::map<std::string, std::uint64_t> strings_;
    std::map<std::string, std::uint64_t> classes_;
};

}  // namespace

std::string archivedDataWithRootObject(const ArchiveValue& root) {
    Archiver archiver;
    std::uint64_t uid = archiver.encode(root);
    PlistHandle doc = archiver.finish(uid);
    char* bin = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(static_cast<plist_t>(doc.get()), &bin, &length);
    std::string out = bin ? std::string(bin, length) : std::string();
    plist_to_bin_free(bin);
    return out;
}

std::string mungeData(std::string_view data) {
    std::string out(data);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(static_cast<std::uint8_t>(out[i]) ^ static_cast<std::uint8_t>((i + 2) & 0xFF));
    return out;
}

}  // namespace rw
