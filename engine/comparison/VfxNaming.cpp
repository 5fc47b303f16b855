#include "comparison/VfxNaming.h"

#include "core/Edit.h"
#include "core/Text.h"

#include <vector>

namespace rw {

namespace {

struct Parts {
    std::string_view c1, c2, c3;
};

// Steps 1 to 3 of schemes 1 and 2, and the three components in order of appearance.
std::optional<Parts> splitByScheme(std::string_view name, const VfxScheme& s) {
    if (!s.on || name.size() <= s.prefix.size() || !startsWith(name, s.prefix)) return std::nullopt;
    if (s.sep[0].empty() || s.sep[1].empty()) return std::nullopt;
    const std::size_t first = name.find(s.sep[0], s.prefix.size());
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t afterFirst = first + s.sep[0].size();
    const std::size_t second = name.find(s.sep[1], afterFirst);
    if (second == std::string_view::npos) return std::nullopt;
    const std::size_t afterSecond = second + s.sep[1].size();
    std::size_t third = std::string_view::npos;
    if (!s.sep[2].empty()) {
        third = name.find(s.sep[2], afterSecond);
        if (third == std::string_view::npos) return std::nullopt;  // a set third separator must be there
    }
    Parts p;
    p.c1 = name.substr(s.prefix.size(), first - s.prefix.size());
    p.c2 = name.substr(afterFirst, second - afterFirst);
    p.c3 = third == std::string_view::npos ? name.substr(afterSecond) : name.substr(afterSecond, third - afterSecond);
    return p;
}

// Which component (1 to 3) holds `what`: the third popup wins, then the
// second; the first popup is never consulted.
std::string_view component(const Parts& p, const VfxScheme& s, std::string_view what) {
    if (s.sel[2] == what) return p.c3;
    if (s.sel[1] == what) return p.c2;
    return p.c1;
}

std::optional<VfxComponents> schemeComponents(std::string_view name, const VfxScheme& s) {
    auto p = splitByScheme(name, s);
    if (!p) return std::nullopt;
    return VfxComponents{std::string(component(*p, s, "scene")), std::string(component(*p, s, "shot")),
                         std::string(component(*p, s, "version"))};
}

// The position of the separator occurrence scheme 3 splits at.
std::optional<std::size_t> splitPosition(std::string_view name, const VfxSplitScheme& s) {
    if (!s.on || s.separator.empty()) return std::nullopt;
    std::vector<std::size_t> at;
    for (std::size_t i = name.find(s.separator); i != std::string_view::npos;
         i = name.find(s.separator, i + s.separator.size()))
        at.push_back(i);
    std::size_t wanted;
    if (s.occurrence == "1st") wanted = 0;
    else if (s.occurrence == "2nd") wanted = 1;
    else if (s.occurrence == "3rd") wanted = 2;
    else if (s.occurrence == "last" && !at.empty()) wanted = at.size() - 1;
    else return std::nullopt;
    if (wanted >= at.size()) return std::nullopt;
    return at[wanted];
}

std::optional<VfxComponents> splitComponents(std::string_view name, const VfxSplitScheme& s) {
    auto pos = splitPosition(name, s);
    if (!pos) return std::nullopt;
    std::string before(name.substr(0, *pos));
    std::string after(name.substr(*pos + s.separator.size()));
    if (s.beforeAfterTag == 2) return VfxComponents{"NONE", before, after};
    return VfxComponents{"NONE", after, before};
}

std::string_view sample(const std::string& sel) {
    if (sel == "scene") return "123";
    if (sel == "shot") return "03";
    return "11";
}

}  // namespace

std::optional<VfxComponents> VFXComponentsForString(std::string_view name, const VfxSettings& settings) {
    if (auto c = schemeComponents(name, settings.scheme1)) return c;
    if (auto c = schemeComponents(name, settings.scheme2)) return c;
    return splitComponents(name, settings.scheme3);
}

bool isVFXClip(std::string_view name, const VfxSettings& s) { return splitByScheme(name, s.scheme1).has_value(); }
bool isVFXClip_2(std::string_view name, const VfxSettings& s) { return splitByScheme(name, s.scheme2).has_value(); }
bool isVFXClip_3(std::string_view name, const VfxSettings& s) { return splitPosition(name, s.scheme3).has_value(); }

void setVFXValuesForEdit(edit& e, const VfxSettings& settings) {
    auto c = VFXComponentsForString(e.clip(), settings);
    if (!c) {
        e.setIsVFX(false);
        return;
    }
    e.setScene((*c)[0]);
    e.setShot((*c)[1]);
    e.setVersion((*c)[2]);
    e.setIsVFX(true);
}

std::string vfxExampleString(const VfxScheme& s) {
    std::string out = "eg: " + s.prefix;
    for (int i = 0; i < 3; ++i) {
        out += sample(s.sel[i]);
        out += s.sep[i];
    }
    return out;
}

VfxControlsEnabled vfxControlsEnabled(const VfxSettings& s) { return {s.scheme1.on, s.scheme2.on, s.scheme3.on}; }

}  // namespace rw
