#include "app/VfxPreferences.h"

#include "core/Text.h"

#include <string>

namespace rw {

namespace {

VfxScheme schemeFrom(const Preferences& prefs, const std::string& suffix) {
    VfxScheme s;
    s.on = prefs.get("smartVFX" + suffix) == "ON";
    s.prefix = prefs.get("prefix" + suffix);
    for (int i = 0; i < 3; ++i) {
        s.sel[i] = prefs.get("sel" + std::to_string(i + 1) + suffix);
        s.sep[i] = prefs.get("sep" + std::to_string(i + 1) + suffix);
    }
    return s;
}

}  // namespace

VfxSettings vfxSettingsFrom(const Preferences& prefs) {
    VfxSettings v;
    v.scheme1 = schemeFrom(prefs, "");
    v.scheme2 = schemeFrom(prefs, "_2");
    v.scheme3.on = prefs.get("smartVFX_3") == "ON";
    v.scheme3.occurrence = prefs.get("sel1_3");
    v.scheme3.separator = prefs.get("sep1_3");
    v.scheme3.beforeAfterTag = static_cast<int>(parseInt(prefs.get("VFXBeforeAfterTag")));
    return v;
}

}  // namespace rw
