#pragma once
// The preferences panel over the live settings: which control shows what,
// which controls are enabled, and how the panel saves. The dialog binds its
// widgets to these calls and holds no rule of its own.
//
// Check boxes and exclusive pairs are kept in the settings as the texts they
// save: "ON"/"OFF", and the pair's first or second value ("all events" /
// "edit by edit", "copy"/"cut", "Labroll"/"Clipname", "reels"/"cont").

#include "settings/Preferences.h"
#include "ports/SettingsPort.h"

#include <optional>
#include <string>

namespace rw {

class PreferencesPanel {
public:
    explicit PreferencesPanel(Preferences& controls) : controls_(controls) {}

    // Start-up: the stored values into the controls, values of earlier
    // versions replaced, then the enabling rule ("Pro Tools" enables).
    void showStored(const SettingsPort& store);

    // The copy/cut, all-events/edit-by-edit and speed controls.
    bool proToolsOptionsEnabled() const { return proToolsOptionsEnabled_; }

    // Stores the enabling rule, then every setting in the panel's order.
    void savePrefs(SettingsPort& store);

    // Check boxes ("allowPixAutoLoad", "smartVFX", "smartVFX_2", "smartVFX_3").
    bool isChecked(const std::string& key) const;
    void setChecked(const std::string& key, bool on);
    // Exclusive pairs ("conformEvents", "conformCopy", "compareLabClip",
    // "compareReelsCont"): whether the first button is on.
    bool isFirstOn(const std::string& key) const;
    void setFirstOn(const std::string& key, bool on);
    // The before/after choice of the third naming set.
    int vfxBeforeAfterTag() const;

    // The large movie window's frame as the app writes it; saved under "movieLg".
    void setMovieWindowFrame(std::string frame) { movieWindowFrame_ = std::move(frame); }

private:
    Preferences& controls_;
    bool proToolsOptionsEnabled_ = true;
    std::optional<std::string> movieWindowFrame_;
};

}  // namespace rw
