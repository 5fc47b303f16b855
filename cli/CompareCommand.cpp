#include "CliUi.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "Options.h"

#include "app/ConformController.h"
#include "app/NullPorts.h"
#include "app/UnreadableFiles.h"
#include "core/Files.h"

#include <memory>
#include <ostream>

namespace rw::cli {

namespace {

struct CompareArgs {
    std::vector<std::string> olds, news;
    ListOptions lists;
    std::string output;
    bool noAutosave = false;
    bool json = false;
};

int runCompare(const CompareArgs& a, Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (!applyListOptions(a.lists, c, ui, io.err)) return 2;

    std::vector<std::string> inputs = a.olds;
    inputs.insert(inputs.end(), a.news.begin(), a.news.end());
    if (!a.output.empty() && wouldOverwriteInput(a.output, inputs, io.err)) return 1;
    // The lists are still read after one was named, so the alerts the
    // window would show follow; but nothing is written from half the input.
    const bool unreadable = alertUnreadable(ui, inputs);

    c.selectTab(0);
    c.openFiles(a.olds);
    c.selectTab(1);
    c.openFiles(a.news);
    const bool loaded =
        !unreadable && !c.dataSourceA().getEditArray().empty() && !c.dataSourceB().getEditArray().empty();
    c.setAutosave(loaded && !a.noAutosave);
    c.compare("Compare");
    if (!loaded) return 1;

    if (!c.lastCopy()) io.err << "change list copy not saved: " << c.lastCopy().error << "\n";
    const std::string text = a.json ? changeListJson(c) : c.changeListCopy();
    if (a.output.empty()) {
        io.out << text;
        return 0;
    }
    if (Outcome<> written = writeFileAtomic(a.output, text); !written) {
        io.err << written.error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

void addCompareCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<CompareArgs>();
    CLI::App* cmd = app.add_subcommand(
        "compare", "Compare the OLD and NEW lists and print the change list (the text of its automatic copy)");
    cmd->add_option("--old", args->olds, "an OLD list; all --old files are read in one import into the OLD list")
        ->required()
        ->take_all();
    cmd->add_option("--new", args->news, "a NEW list; all --new files are read in one import into the NEW list")
        ->required()
        ->take_all();
    addListOptions(*cmd, args->lists, true);
    cmd->add_option("--output", args->output, "write the change list to FILE instead of standard output");
    cmd->add_flag("--no-autosave", args->noAutosave, "do not keep a copy in \"Change Lists/\"");
    cmd->add_flag("--json", args->json,
                  "print the change list as one JSON document: the OLD and NEW list names, the rate and the change "
                  "events (the automatic copy stays text)");
    cmd->callback([args, io, &status] { status = runCompare(*args, io); });
}

}  // namespace rw::cli
