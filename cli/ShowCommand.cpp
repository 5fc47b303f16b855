#include "CliUi.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "Options.h"

#include "app/ConformController.h"
#include "app/NullPorts.h"
#include "app/UnreadableFiles.h"

#include <memory>
#include <ostream>

namespace rw::cli {

namespace {

struct ShowArgs {
    std::vector<std::string> files;
    ListOptions lists;
    std::string list = "old";  // old | new | changes
    bool json = false;
};

int tabFor(const std::string& list) { return list == "new" ? 1 : list == "changes" ? 2 : 0; }

int runShow(const ShowArgs& a, Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (!applyListOptions(a.lists, c, ui, io.err)) return 2;
    const bool unreadable = alertUnreadable(ui, a.files);
    c.selectTab(tabFor(a.list));
    c.openFiles(a.files);
    const EditArray& events = c.listForTab(c.selectedTab()).getEditArray();
    if (unreadable || events.empty()) return 1;
    if (a.json) {
        io.out << listJson(c);
        return 0;
    }
    std::string text;  // one write: a list may hold hundreds of thousands of events
    for (const auto& e : events) {
        text += e->editNum() + '|' + e->clip() + '|' + describe(e->sourceIn()) + '|' + describe(e->sourceOut()) + '|' +
                describe(e->masterIn()) + '|' + describe(e->masterOut()) + (e->isMotionEffected() ? "|1\n" : "|0\n");
    }
    io.out << text;
    return 0;
}

}  // namespace

void addShowCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<ShowArgs>();
    CLI::App* cmd = app.add_subcommand(
        "show", "Print the events one import reads: editNum|clip|sourceIn|sourceOut|masterIn|masterOut|M");
    cmd->add_option("files", args->files, "the lists, read in one import")->required();
    cmd->add_option("--list", args->list,
                    "the list the import is for: old (the OLD list, default), new (the NEW list) or changes (the "
                    "change list); the frame-rate check of XML sequences depends on it")
        ->check(CLI::IsMember({"old", "new", "changes"}));
    addListOptions(*cmd, args->lists, false);
    cmd->add_flag("--json", args->json, "print the events as one JSON document");
    cmd->callback([args, io, &status] { status = runShow(*args, io); });
}

}  // namespace rw::cli
