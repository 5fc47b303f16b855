#include "settings/Preferences.h"

#include "core/Text.h"

namespace rw {

std::string rateForListType(const std::string& t) {
    if (t == "film cutlist" || t == "24fps EDL/XML" || t == "PAL film") return "24";
    if (t == "PAL video") return "25";
    if (t == "NTSC") return "30";
    if (t == "NTSC df") return "29.97df";
    if (t == "50fps EDL/XML") return "50";
    if (t == "60fps EDL/XML") return "60";
    return "";
}

const std::map<std::string, std::string>& Preferences::registeredDefaults() {
    static const std::map<std::string, std::string> defaults = {
        {"EDL type", "film cutlist"},  {"compareTimebase", "24"},    {"compareFerocity", "aggressive"},
        {"conformSpeed", "fast"},      {"conformType", "Pro Tools"}, {"conformTimebase", "24"},
        {"conformEvents", "all events"}, {"compareLabClip", "Labroll"}, {"compareReelsCont", "reels"},
        {"conformCopy", "copy"},
        {"sel1", "scene"},   {"sel2", "shot"},   {"sel3", "version"},
        {"sep1", "_"},       {"sep2", "_"},      {"sep3", "_"},      {"prefix", "VFX_"},
        {"sel1_2", "scene"}, {"sel2_2", "shot"}, {"sel3_2", "version"},
        {"sep1_2", "_"},     {"sep2_2", "_"},    {"sep3_2", "_"},    {"prefix_2", "VFX_"},
    };
    return defaults;
}

namespace {
// Controls of keys with no registered default start from these, so a first
// save stores a usable third naming set and the switches as off.
const std::map<std::string, std::string>& initialControlValues() {
    static const std::map<std::string, std::string> initial = {
        {"smartVFX", "OFF"}, {"smartVFX_2", "OFF"}, {"smartVFX_3", "OFF"},
        {"sel1_3", "last"},  {"sep1_3", "_"},       {"VFXBeforeAfterTag", "1"},
    };
    return initial;
}
}  // namespace

Preferences::Preferences() : values_(registeredDefaults()) {
    values_.insert(initialControlValues().begin(), initialControlValues().end());
}

std::string Preferences::get(const std::string& key) const {
    auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

void Preferences::set(const std::string& key, const std::string& value) {
    auto [it, inserted] = values_.try_emplace(key, value);
    if (!inserted) {
        if (it->second == value) return;
        it->second = value;
    }
    if (observer_) observer_->modelChanged(ModelChange::Preferences);
}

namespace {
std::string shownValue(const std::string& key, const std::string& stored) {
    if (key == pref::EDLType) {
        if (stored == "24fps EDL") return "24fps EDL/XML";
        if (stored == "PAL film 1") return "PAL film";
    } else if (key == pref::ConformSpeed) {
        for (const char* old : {"fast", "medium", "slow", "very slow", "painfully slow"})
            if (stored == old) return "normal";
    } else if (key == pref::ConformType) {
        if (stored == "ProTools") return "Pro Tools";
    }
    return stored;
}
}  // namespace

void Preferences::loadStored(const SettingsPort& store) {
    for (const auto& [key, def] : registeredDefaults()) {
        std::string stored = store.stringForKey(key).value_or(def);
        values_[key] = shownValue(key, stored);
    }
    for (const char* key : {"allowPixAutoLoad", "smartVFX", "smartVFX_2"}) {
        if (auto v = store.stringForKey(key)) values_[key] = *v;
    }
    for (const char* key : pref::RememberedFolders) {
        if (auto v = store.stringForKey(key)) values_[key] = *v;
    }
    // The third naming set comes only as a whole, with a tag of 0 or more.
    const auto smart3 = store.stringForKey("smartVFX_3");
    const auto sel3 = store.stringForKey("sel1_3");
    const auto sep3 = store.stringForKey("sep1_3");
    const std::int64_t tag = parseInt(store.stringForKey("VFXBeforeAfterTag").value_or("0"));
    if (smart3 && sel3 && sep3 && tag >= 0) {
        values_["smartVFX_3"] = *smart3;
        values_["sel1_3"] = *sel3;
        values_["sep1_3"] = *sep3;
        values_["VFXBeforeAfterTag"] = std::to_string(tag);
    }
    if (observer_) observer_->modelChanged(ModelChange::Preferences);
}

}  // namespace rw
