#include "Options.h"

#include "core/Text.h"

#include <algorithm>
#include <cstdio>

namespace rw::cli {

namespace {

bool oneOf(const std::string& v, std::initializer_list<const char*> allowed) {
    return std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return v == a; });
}

// "PREFIX,SEL1,SEP1,SEL2,SEP2,SEL3,SEP3"
std::string checkScheme(const std::string& v) {
    auto p = split(v, ',');
    if (p.size() != 7) return "give PREFIX,SEL1,SEP1,SEL2,SEP2,SEL3,SEP3 (seven fields, commas between)";
    for (int i : {1, 3, 5})
        if (!oneOf(p[i], {"scene", "shot", "version"})) return "SEL1..SEL3 are scene, shot or version";
    if (p[2].empty() || p[4].empty()) return "SEP1 and SEP2 must not be empty";
    return {};
}

// "WHICH,SEP,before|after"
std::string checkSplit(const std::string& v) {
    auto p = split(v, ',');
    if (p.size() != 3) return "give WHICH,SEP,before|after (three fields, commas between)";
    if (!oneOf(p[0], {"1st", "2nd", "3rd", "last"})) return "WHICH is 1st, 2nd, 3rd or last";
    if (p[1].empty()) return "SEP must not be empty";
    if (!oneOf(p[2], {"before", "after"})) return "the shot lies before or after the separator";
    return {};
}

CLI::Validator validator(std::string (*check)(const std::string&), const char* name) {
    return CLI::Validator([check](std::string& v) { return check(v); }, name);
}

void setScheme(Preferences& prefs, const std::string& value, const std::string& suffix) {
    auto p = split(value, ',');
    prefs.set("prefix" + suffix, p[0]);
    for (int i = 0; i < 3; ++i) {
        prefs.set("sel" + std::to_string(i + 1) + suffix, p[1 + 2 * i]);
        prefs.set("sep" + std::to_string(i + 1) + suffix, p[2 + 2 * i]);
    }
    prefs.set("smartVFX" + suffix, "ON");
}

}  // namespace

void addVfxOptions(CLI::App& cmd, ListOptions& o) {
    const char* scheme =
        "VFX naming scheme %s, switched on: PREFIX,SEL1,SEP1,SEL2,SEP2,SEL3,SEP3 where each SEL is scene, shot or "
        "version and SEP3 may be empty (e.g. VFX_,scene,_,shot,_,version,_ reads VFX_123_03_11_comp as scene 123, "
        "shot 03, version 11); a comma cannot be a separator here";
    char help[512];
    std::snprintf(help, sizeof help, scheme, "1");
    cmd.add_option("--vfx1", o.vfx1, help)->check(validator(checkScheme, "SCHEME"));
    std::snprintf(help, sizeof help, scheme, "2");
    cmd.add_option("--vfx2", o.vfx2, help)->check(validator(checkScheme, "SCHEME"));
    cmd.add_option("--vfx3", o.vfx3,
                   "VFX naming scheme 3, switched on: WHICH,SEP,before|after splits the name at the 1st, 2nd, 3rd or "
                   "last SEP, the shot lying before or after it (e.g. last,-,before reads A12-B-007 as shot A12-B, "
                   "version 007; the scene is NONE)")
        ->check(validator(checkSplit, "SPLIT"));
}

void applyVfxOptions(const ListOptions& o, Preferences& prefs) {
    if (!o.vfx1.empty()) setScheme(prefs, o.vfx1, "");
    if (!o.vfx2.empty()) setScheme(prefs, o.vfx2, "_2");
    if (!o.vfx3.empty()) {
        auto p = split(o.vfx3, ',');
        prefs.set("sel1_3", p[0]);
        prefs.set("sep1_3", p[1]);
        prefs.set("VFXBeforeAfterTag", p[2] == "before" ? "2" : "1");
        prefs.set("smartVFX_3", "ON");
    }
}

}  // namespace rw::cli
