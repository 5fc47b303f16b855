#include "ports/SettingsPort.h"
#include "views/PreferencesPanel.h"
#include "settings/MemorySettings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace rw {
namespace {

MemorySettings stored(std::initializer_list<std::pair<std::string, std::string>> values) {
    MemorySettings s;
    for (const auto& [k, v] : values) s.setString(k, v);
    return s;
}

TEST(PreferencesPanel, EarlierValuesShowAndSaveReplaced) {
    struct Case {
        std::string key, stored, shown;
    };
    const Case cases[] = {
        {"EDL type", "PAL film 1", "PAL film"},   {"EDL type", "24fps EDL", "24fps EDL/XML"},
        {"conformSpeed", "very slow", "normal"},  {"conformSpeed", "careful", "careful"},
        {"conformType", "ProTools", "Pro Tools"}, {"conformEvents", "junk", "edit by edit"},
        {"compareLabClip", "labroll", "Clipname"}, {"allowPixAutoLoad", "maybe", "ON"},
        {"allowPixAutoLoad", "OFF", "OFF"},       {"smartVFX", "yes", "OFF"},
    };
    for (const auto& c : cases) {
        Preferences controls;
        PreferencesPanel panel(controls);
        panel.showStored(stored({{c.key, c.stored}}));
        EXPECT_EQ(controls.get(c.key), c.shown) << c.key << "=" << c.stored;
        MemorySettings out;
        panel.savePrefs(out);
        EXPECT_EQ(out.stringForKey(c.key), c.shown) << c.key << "=" << c.stored;
    }
}

TEST(PreferencesPanel, ProToolsOptionsEnableOnlyForProToolsAutomation) {
    struct Case {
        std::string type, picked;  // stored, then what the user picks ("": nothing)
        bool atStartUp, afterSave;
    };
    const Case cases[] = {{"Pro Tools", "", true, true},
                          {"ProTools", "", true, true},
                          {"file - TC6000 .EVL", "", false, false},
                          {"file - comma separated", "", false, false},
                          {"something newer", "", false, true},
                          {"file - TC6000 .EVL", "Pro Tools", false, true}};  // the choice sends savePrefs
    for (const auto& c : cases) {
        Preferences controls;
        PreferencesPanel panel(controls);
        panel.showStored(stored({{"conformType", c.type}}));
        EXPECT_EQ(panel.proToolsOptionsEnabled(), c.atStartUp) << c.type;
        if (!c.picked.empty()) controls.set(pref::ConformType, c.picked);
        MemorySettings out;
        panel.savePrefs(out);
        EXPECT_EQ(panel.proToolsOptionsEnabled(), c.afterSave) << c.type << " " << c.picked;
    }
}

// What a first save writes: every control, the switches off and a usable
// third naming set, an old speed default as "normal".
TEST(PreferencesPanel, SavesEverySettingAsTheControlsHoldIt) {
    Preferences controls;
    PreferencesPanel panel(controls);
    panel.showStored(MemorySettings{});
    MemorySettings noFrame;
    panel.savePrefs(noFrame);
    EXPECT_FALSE(noFrame.stringForKey("movieLg")) << "no frame, nothing saved for it";
    panel.setMovieWindowFrame("10 20 640 480");
    MemorySettings out;
    panel.savePrefs(out);
    const std::map<std::string, std::string> expected = {
        {"EDL type", "film cutlist"}, {"compareFerocity", "aggressive"}, {"conformSpeed", "normal"},
        {"conformType", "Pro Tools"}, {"conformTimebase", "24"},         {"allowPixAutoLoad", "ON"},
        {"sel1", "scene"},            {"sel2", "shot"},                  {"sel3", "version"},
        {"sep1", "_"},                {"sep2", "_"},                     {"sep3", "_"},
        {"prefix", "VFX_"},           {"smartVFX", "OFF"},               {"sel1_2", "scene"},
        {"sel2_2", "shot"},           {"sel3_2", "version"},             {"sep1_2", "_"},
        {"sep2_2", "_"},              {"sep3_2", "_"},                   {"prefix_2", "VFX_"},
        {"smartVFX_2", "OFF"},        {"smartVFX_3", "OFF"},             {"sel1_3", "last"},
        {"sep1_3", "_"},              {"VFXBeforeAfterTag", "1"},        {"movieLg", "10 20 640 480"},
        {"conformEvents", "all events"}, {"conformCopy", "copy"},        {"compareLabClip", "Labroll"},
        {"compareReelsCont", "reels"}};
    EXPECT_EQ(out.values(), expected);

    // What the controls hold is saved without validation.
    controls.set("prefix", "  odd prefix ");
    panel.setChecked("allowPixAutoLoad", false);
    panel.setFirstOn("conformCopy", false);
    panel.savePrefs(out);
    EXPECT_EQ(out.stringForKey("prefix"), "  odd prefix ");
    EXPECT_EQ(out.stringForKey("allowPixAutoLoad"), "OFF");
    EXPECT_EQ(out.stringForKey("conformCopy"), "cut");
}

TEST(PreferencesPanel, TheThirdNamingSetLoadsOnlyWhole) {
    const std::pair<MemorySettings, bool> cases[] = {
        {stored({{"smartVFX_3", "ON"}, {"sel1_3", "shot"}, {"sep1_3", "-"}, {"VFXBeforeAfterTag", "2"}}), true},
        {stored({{"smartVFX_3", "ON"}, {"sel1_3", "shot"}, {"sep1_3", "-"}}), true},  // no tag counts as 0
        {stored({{"smartVFX_3", "ON"}, {"sel1_3", "shot"}}), false},
        {stored({{"smartVFX_3", "ON"}, {"sel1_3", "shot"}, {"sep1_3", "-"}, {"VFXBeforeAfterTag", "-1"}}), false},
    };
    for (const auto& [store, loaded] : cases) {
        Preferences controls;
        controls.set("sel1_3", "as the panel came");
        PreferencesPanel panel(controls);
        panel.showStored(store);
        EXPECT_EQ(controls.get("sel1_3"), loaded ? "shot" : "as the panel came");
        EXPECT_EQ(panel.isChecked("smartVFX_3"), loaded);
        const int storedTag = store.stringForKey("VFXBeforeAfterTag") == "2" ? 2 : 0;
        EXPECT_EQ(panel.vfxBeforeAfterTag(), loaded ? storedTag : 1);  // else the control's own first value
    }
}

}  // namespace
}  // namespace rw
