#include "ChangeListInput.h"

#include "app/UnreadableFiles.h"

namespace rw::cli {

void addChangeListOptions(CLI::App& cmd, ChangeListArgs& a) {
    CLI::Option* olds =
        cmd.add_option("--old", a.olds, "OLD lists, compared with the NEW lists to make the change list")->take_all();
    CLI::Option* news = cmd.add_option("--new", a.news, "NEW lists")->take_all();
    CLI::Option* changes = cmd.add_option(
        "--changes", a.changes,
        "the change list from a file: a \".conform\" document, an OpenTimelineIO timeline written by export otio, a "
        "change EDL, or a film change list (--as change --hour HH)");
    olds->needs(news);
    news->needs(olds);
    changes->excludes(olds)->excludes(news);
    addListOptions(cmd, a.lists, true);
}

void requireChangeListSource(const ChangeListArgs& a) {
    if (a.changes.empty() && a.olds.empty())
        throw CLI::ValidationError("the change list", "give --old and --new, or --changes FILE");
}

std::vector<std::string> changeListInputs(const ChangeListArgs& a) {
    std::vector<std::string> inputs = a.olds;
    inputs.insert(inputs.end(), a.news.begin(), a.news.end());
    if (!a.changes.empty()) inputs.push_back(a.changes);
    return inputs;
}

bool loadChangeList(conformController& c, const ChangeListArgs& a, std::ostream& err) {
    // Unreadable files are named first; the lists are still read, so the
    // alerts of the import follow, but no change list comes of half the input.
    const bool unreadable = alertUnreadable(c.ui(), changeListInputs(a));
    if (!a.changes.empty()) {
        c.selectTab(2);
        c.openFiles({a.changes});
        return !unreadable && !c.dataSourceC().getEditArray().empty();
    }
    c.selectTab(0);
    c.openFiles(a.olds);
    c.selectTab(1);
    c.openFiles(a.news);
    if (unreadable || c.dataSourceA().getEditArray().empty() || c.dataSourceB().getEditArray().empty()) return false;
    c.setAutosave(false);  // the change list goes to the command's own output
    c.compare("Compare");
    if (c.dataSourceC().getEditArray().empty()) {
        err << "the comparison made no change events\n";
        return false;
    }
    return true;
}

bool CliUi::confirm(const std::string& message, const std::string& informativeText) {
    err_ << message << ": " << informativeText;
    if (informativeText.empty() || informativeText.back() != '\n') err_ << "\n";
    return true;
}

std::optional<OpenPanelResult> CliUi::openPanel(const std::string& folder, bool) {
    if (!openAnswer) return std::nullopt;
    return OpenPanelResult{{*openAnswer}, folder};
}

}  // namespace rw::cli
