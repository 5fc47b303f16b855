#include "Options.h"

#include "core/Files.h"
#include "ports/FileSettings.h"
#include "views/PreferencesPanel.h"

#include <ostream>

namespace rw::cli {

void addListOptions(CLI::App& cmd, ListOptions& o, bool withFerocity) {
    cmd.add_option("--edl-type", o.edlType, "list type: the frame rate of lists that carry none (default \"film cutlist\")")
        ->check(CLI::IsMember(listTypes()));
    cmd.add_option("--compare", o.compare, "match events by lab roll (reel) or by clip name (default labroll)")
        ->check(CLI::IsMember({"labroll", "clipname"}));
    cmd.add_option("--pal-mode", o.palMode, "PAL film translation by reels or continuous (default reels)")
        ->check(CLI::IsMember({"reels", "cont"}));
    if (withFerocity)
        cmd.add_option("--ferocity", o.ferocity, "how far healing joins events (default aggressive)")
            ->check(CLI::IsMember({"aggressive", "forceful", "normal"}));
    cmd.add_option("--settings", o.settings,
                   "read the preferences from this settings file (key=value lines); flags still win");
}

bool applyListOptions(const ListOptions& o, Preferences& prefs, std::ostream& err) {
    if (!loadSettingsFile(o.settings, prefs, err)) return false;
    if (!o.edlType.empty()) prefs.set(pref::EDLType, o.edlType);
    if (!o.compare.empty()) prefs.set(pref::CompareLabClip, o.compare == "labroll" ? "Labroll" : "Clipname");
    if (!o.palMode.empty()) prefs.set(pref::CompareReelsCont, o.palMode);
    if (!o.ferocity.empty()) prefs.set(pref::CompareFerocity, o.ferocity);
    return true;
}

bool loadSettingsFile(const std::string& path, Preferences& prefs, std::ostream& err) {
    if (path.empty()) return true;
    FileSettings store(path);
    if (std::string error = store.load(); !error.empty()) {
        err << error << "\n";
        return false;
    }
    PreferencesPanel(prefs).showStored(store);
    return true;
}

bool wouldOverwriteInput(const std::string& output, const std::vector<std::string>& inputs, std::ostream& err) {
    for (const auto& in : inputs) {
        if (in == output || sameFile(in, output)) {
            err << "refusing to write " << output << ": it is one of the input files\n";
            return true;
        }
    }
    return false;
}

}  // namespace rw::cli
