#pragma once
// Flags shared by the subcommands that read lists. A flag that is not given
// leaves the setting at its registered default.

#include "settings/Preferences.h"
#include "CliUi.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace rw {
class conformController;
}

namespace rw::cli {

struct ListOptions {
    std::string edlType;
    std::string compare;   // labroll | clipname
    std::string palMode;   // reels | cont
    std::string ferocity;  // aggressive | forceful | normal
    // The hour-code sheet, for files without a list extension.
    std::string as;    // edl | cut | change
    std::string hour;  // HH
    // VFX naming schemes: "PREFIX,SEL1,SEP1,SEL2,SEP2,SEL3,SEP3" and "WHICH,SEP,before|after".
    std::string vfx1, vfx2, vfx3;
    // --settings FILE: the preferences read from an INI-style settings file,
    // as the app shows its stored preferences at start-up; the flags still win.
    std::string settings;
};

// Adds the list flags and --settings.
void addListOptions(CLI::App& cmd, ListOptions& options, bool withFerocity);
// The settings file first, then the flags, then the hour-code answer. False
// (after an error on err) when the settings file cannot be read: the caller exits 2.
bool applyListOptions(const ListOptions& options, conformController& controller, CliUi& ui, std::ostream& err);

// False (after an error on err) when the file cannot be read; an empty path does nothing.
bool loadSettingsFile(const std::string& path, Preferences& prefs, std::ostream& err);

// The VFX naming flags --vfx1, --vfx2 and --vfx3; each switches its scheme on.
void addVfxOptions(CLI::App& cmd, ListOptions& options);
void applyVfxOptions(const ListOptions& options, Preferences& prefs);

// True (after an error on err) when `output` is one of the inputs.
bool wouldOverwriteInput(const std::string& output, const std::vector<std::string>& inputs, std::ostream& err);

}  // namespace rw::cli
