#include "views/PreferencesPanel.h"

#include "core/Text.h"

namespace rw {

namespace {

struct Pair {
    const char* key;
    const char* first;
    const char* second;
};

constexpr Pair kPairs[] = {{"conformEvents", "all events", "edit by edit"},
                           {"conformCopy", "copy", "cut"},
                           {"compareLabClip", "Labroll", "Clipname"},
                           {"compareReelsCont", "reels", "cont"}};

const Pair* pairFor(const std::string& key) {
    for (const auto& p : kPairs)
        if (key == p.key) return &p;
    return nullptr;
}

constexpr const char* kCheckBoxes[] = {"allowPixAutoLoad", "smartVFX", "smartVFX_2", "smartVFX_3"};

// The order in which savePrefs stores; the window frame and the pairs follow.
constexpr const char* kSavedKeys[] = {
    "EDL type", "compareFerocity", "conformSpeed", "conformType", "conformTimebase", "allowPixAutoLoad",
    "sel1",     "sel2",            "sel3",         "sep1",        "sep2",            "sep3",
    "prefix",   "smartVFX",        "sel1_2",       "sel2_2",      "sel3_2",          "sep1_2",
    "sep2_2",   "sep3_2",          "prefix_2",     "smartVFX_2",  "smartVFX_3",      "sel1_3",
    "sep1_3",   "VFXBeforeAfterTag"};

bool isCheckBox(const std::string& key) {
    for (const char* k : kCheckBoxes)
        if (key == k) return true;
    return false;
}

bool isFileConform(const std::string& type) {
    return type == "file - tab separated" || type == "file - comma separated" || type == "file - TC6000 .EVL";
}

}  // namespace

// The pixel auto-load box is on unless "OFF" is stored; the others only with "ON".
bool PreferencesPanel::isChecked(const std::string& key) const {
    const std::string v = controls_.get(key);
    return key == "allowPixAutoLoad" ? v != "OFF" : v == "ON";
}

void PreferencesPanel::setChecked(const std::string& key, bool on) { controls_.set(key, on ? "ON" : "OFF"); }

bool PreferencesPanel::isFirstOn(const std::string& key) const {
    const Pair* p = pairFor(key);
    return p && controls_.get(key) == p->first;
}

void PreferencesPanel::setFirstOn(const std::string& key, bool on) {
    if (const Pair* p = pairFor(key)) controls_.set(key, on ? p->first : p->second);
}

int PreferencesPanel::vfxBeforeAfterTag() const {
    return static_cast<int>(parseInt(controls_.get("VFXBeforeAfterTag")));
}

void PreferencesPanel::showStored(const SettingsPort& store) {
    controls_.loadStored(store);
    for (const char* key : kCheckBoxes)
        if (controls_.has(key) || std::string(key) == "allowPixAutoLoad") setChecked(key, isChecked(key));
    for (const auto& p : kPairs) setFirstOn(p.key, isFirstOn(p.key));
    proToolsOptionsEnabled_ = controls_.get(pref::ConformType) == "Pro Tools";
}

void PreferencesPanel::savePrefs(SettingsPort& store) {
    proToolsOptionsEnabled_ = !isFileConform(controls_.get(pref::ConformType));
    for (const char* key : kSavedKeys) {
        std::string value = controls_.get(key);
        if (isCheckBox(key)) value = isChecked(key) ? "ON" : "OFF";
        else if (std::string(key) == "VFXBeforeAfterTag") value = std::to_string(vfxBeforeAfterTag());
        store.setString(key, value);
    }
    if (movieWindowFrame_) store.setString("movieLg", *movieWindowFrame_);
    for (const auto& p : kPairs) store.setString(p.key, isFirstOn(p.key) ? p.first : p.second);
}

}  // namespace rw
