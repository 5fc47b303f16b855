#pragma once
// Flags shared by the subcommands that read lists. A flag that is not given
// leaves the setting at its registered default.

#include "app/Preferences.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace rw::cli {

struct ListOptions {
    std::string edlType;
    std::string compare;   // labroll | clipname
    std::string palMode;   // reels | cont
    std::string ferocity;  // aggressive | forceful | normal
};

void addListOptions(CLI::App& cmd, ListOptions& options, bool withFerocity);
void applyListOptions(const ListOptions& options, Preferences& prefs);

// --settings FILE: the preferences read from an INI-style settings file, as
// the app shows its stored preferences at start-up. Apply it before the other
// flags, so that flags still win; without it the registered defaults hold.
void addSettingsOption(CLI::App& cmd, std::string& path);
// False (after an error on err) when the file cannot be read; an empty path does nothing.
bool loadSettingsFile(const std::string& path, Preferences& prefs, std::ostream& err);

// True (after an error on err) when `output` is one of the inputs.
bool wouldOverwriteInput(const std::string& output, const std::vector<std::string>& inputs, std::ostream& err);

}  // namespace rw::cli
