#pragma once
// Flags shared by the subcommands that read lists. A flag that is not given
// leaves the setting at its registered default.

#include "app/Preferences.h"
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
};

void addListOptions(CLI::App& cmd, ListOptions& options, bool withFerocity);
void applyListOptions(const ListOptions& options, Preferences& prefs);
// Answers the hour-code sheet from --as and --hour. --hour also stands for
// an hour typed earlier, so a list that reads as a change list by its
// contents takes it too.
void applyHourCode(const ListOptions& options, conformController& controller, CliUi& ui);

// The VFX naming flags --vfx1, --vfx2 and --vfx3; each switches its scheme on.
void addVfxOptions(CLI::App& cmd, ListOptions& options);
void applyVfxOptions(const ListOptions& options, Preferences& prefs);

// True (after an error on err) when `output` is one of the inputs.
bool wouldOverwriteInput(const std::string& output, const std::vector<std::string>& inputs, std::ostream& err);

}  // namespace rw::cli
