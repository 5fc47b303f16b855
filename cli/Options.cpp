#include "settings/Choices.h"
#include "Options.h"

#include "app/ConformController.h"
#include "app/UnreadableFiles.h"
#include "core/Files.h"
#include "settings/FileSettings.h"
#include "views/PreferencesPanel.h"

#include <ostream>

namespace rw::cli {

namespace {

// An hour as the hour-code sheet's field takes it: one or two digits.
CLI::Validator hourCheck() {
    return CLI::Validator(
        [](std::string& v) -> std::string {
            if (v.empty() || v.size() > 2 || v.find_first_not_of("0123456789") != std::string::npos)
                return "the hour is one or two digits (00 to 99)";
            return {};
        },
        "HH");
}

}  // namespace

void addListOptions(CLI::App& cmd, ListOptions& o, bool withFerocity) {
    cmd.add_option("--edl-type", o.edlType, "list type: the frame rate of lists that carry none (default \"film cutlist\")")
        ->check(CLI::IsMember(choices::listTypes()));
    cmd.add_option("--compare", o.compare, "match events by lab roll (reel) or by clip name (default labroll)")
        ->check(CLI::IsMember({"labroll", "clipname"}));
    cmd.add_option("--pal-mode", o.palMode, "PAL film translation by reels or continuous (default reels)")
        ->check(CLI::IsMember({"reels", "cont"}));
    if (withFerocity)
        cmd.add_option("--ferocity", o.ferocity, "how far healing joins events (default aggressive)")
            ->check(CLI::IsMember({"aggressive", "forceful", "normal"}));
    cmd.add_option("--as", o.as,
                   "how a file without a list extension (.edl, .xml, .conform) is read: as an EDL (default), a film "
                   "cut list or a film change list; a file whose text is a change list is read as one whatever "
                   "this says")
        ->check(CLI::IsMember({"edl", "cut", "change"}));
    cmd.add_option("--hour", o.hour,
                   "the hour of a film cut list's or change list's record times (default 0); also used by a list "
                   "with a list extension that reads as a change list")
        ->check(hourCheck());
    cmd.add_option("--settings", o.settings,
                   "read the preferences from this settings file (key=value lines); flags still win");
    addVfxOptions(cmd, o);
}

namespace {

// Answers the hour-code sheet from --as and --hour. --hour also stands for
// an hour typed earlier, so a list that reads as a change list by its
// contents takes it too.
void applyHourCode(const ListOptions& o, conformController& controller, CliUi& ui) {
    HourCodeAnswer answer;
    if (o.as == "cut") answer.choice = HourCodeChoice::Cut;
    else if (o.as == "change") answer.choice = HourCodeChoice::Change;
    answer.hour = o.hour.empty() ? "0" : o.hour;
    ui.setHourCodeAnswer(answer);
    if (!o.hour.empty()) controller.setHourCode(o.hour);
}

}  // namespace

bool applyListOptions(const ListOptions& o, conformController& controller, CliUi& ui, std::ostream& err) {
    Preferences& prefs = controller.prefs();
    if (!loadSettingsFile(o.settings, prefs, err)) return false;
    if (!o.edlType.empty()) prefs.set(pref::EDLType, o.edlType);
    if (!o.compare.empty()) prefs.set(pref::CompareLabClip, o.compare == "labroll" ? "Labroll" : "Clipname");
    if (!o.palMode.empty()) prefs.set(pref::CompareReelsCont, o.palMode);
    if (!o.ferocity.empty()) prefs.set(pref::CompareFerocity, o.ferocity);
    applyVfxOptions(o, prefs);
    applyHourCode(o, controller, ui);
    return true;
}

bool loadSettingsFile(const std::string& path, Preferences& prefs, std::ostream& err) {
    if (path.empty()) return true;
    if (CliUi ui(err); alertUnreadable(ui, {path})) return false;
    FileSettings store(path);
    if (Outcome<> loaded = store.load(); !loaded) {
        err << loaded.error << "\n";
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
