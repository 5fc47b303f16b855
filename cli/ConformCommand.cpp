#include "ArdourCommand.h"
#include "ChangeListInput.h"
#include "Commands.h"
#include "ProToolsCommand.h"

#include "app/ConformCommand.h"
#include "app/NullPorts.h"
#include "app/UnreadableFiles.h"

#include <memory>
#include <ostream>

namespace rw::cli {

namespace {

struct ConformArgs {
    std::string type;
    ChangeListArgs source;
    std::string file;
    std::string timebase;
    ProToolsArgs protools;
    ArdourArgs ardour;
};

std::string conformTypeFor(const std::string& type) {
    if (type == "csv") return conformtype::Comma;
    if (type == "evl") return conformtype::Tc6000;
    return conformtype::Tab;
}

int runConform(const ConformArgs& a, Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    const std::string type = conformTypeFor(a.type);
    if (wouldOverwriteInput(conformedPath(a.file, type), changeListInputs(a.source), io.err)) return 1;
    if (!applyListOptions(a.source.lists, c, ui, io.err)) return 2;
    alertUnreadable(ui, {a.file});  // the conform's own alert follows when it cannot read it
    if (!loadChangeList(c, a.source, io.err)) return 1;
    c.prefs().set(pref::ConformType, type);
    if (!a.timebase.empty()) c.prefs().set(pref::ConformTimebase, a.timebase);
    ui.openAnswer = a.file;
    NoWorkstation host;
    ConformCommand command(c, host);
    ConformOutcome outcome = command.conform("Conform");
    if (outcome.file.value.empty()) return 1;  // the alert said why
    io.out << outcome.file.value << "\n";
    return 0;
}

}  // namespace

void addConformCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<ConformArgs>();
    CLI::App* cmd = app.add_subcommand(
        "conform", "Conform a tab or comma separated file or a TC6000 .EVL list to the change list; the copy is "
                   "written beside the file and its path printed. protools: rehearse the Pro Tools conform "
                   "(--simulate), listing each action and then the session. ardour: conform an Ardour session into "
                   "a new snapshot");
    cmd->add_option("type", args->type, "tab, csv, evl, protools or ardour")
        ->required()
        ->check(CLI::IsMember({"tab", "csv", "evl", "protools", "ardour"}));
    addChangeListOptions(*cmd, args->source);
    cmd->add_option("--file", args->file, "the file to conform (tab, csv, evl)");
    cmd->add_option("--timebase", args->timebase, "the conform timebase (default 24; ardour: the session's own)")
        ->check(CLI::IsMember({"23.976", "24", "25", "29.97", "29.97df", "30", "50", "59.94", "59.94df", "60"}));
    addProToolsOptions(*cmd, args->protools);
    addArdourOptions(*cmd, args->ardour);
    cmd->callback([args, io, &status] {
        requireChangeListSource(args->source);
        if (args->type == "protools") {
            status = runProToolsConform(args->protools, args->source, args->timebase, io);
            return;
        }
        if (args->type == "ardour") {
            status = runArdourConform(args->ardour, args->source, args->timebase, io);
            return;
        }
        if (args->file.empty()) throw CLI::RequiredError("--file");
        status = runConform(*args, io);
    });
}

}  // namespace rw::cli
