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

// True (after an error on err) when `output` is one of the inputs.
bool wouldOverwriteInput(const std::string& output, const std::vector<std::string>& inputs, std::ostream& err);

}  // namespace rw::cli
