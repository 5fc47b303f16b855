#include "ChangeListInput.h"
#include "Commands.h"

#include "app/ChangeListExports.h"
#include "app/NullPorts.h"

#include <memory>
#include <ostream>

namespace rw::cli {

namespace {

struct ExportArgs {
    std::string type;
    ChangeListArgs source;
    std::string timebase;
    std::string output;
};

Outcome<ChangeListExport> runExportType(conformController& c, const ExportArgs& a) {
    const std::string sender = a.timebase.empty() ? "Export" : a.timebase;
    if (a.type == "change-edl") return exportChangeEDL(c, sender);
    if (a.type == "conform") return exportC(c, sender);
    if (a.type == "otio") return exportOtio(c);
    if (a.type == "euphonix") return exportEuphonix(c);
    if (a.type == "euphonix-rebalance") return exportEuphonixRebalance(c);
    if (a.type == "euphonix-relative") return exportEuphonixRelative(c);
    if (a.type == "note-ff") return exportRelative(c, "Export Feet+Frames Change Note");
    return exportRelative(c, "Export Change Note");
}

int runExport(const ExportArgs& a, Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (wouldOverwriteInput(a.output, changeListInputs(a.source), io.err)) return 1;
    if (!applyListOptions(a.source.lists, c, ui, io.err)) return 2;
    if (!loadChangeList(c, a.source, io.err)) return 1;
    ui.saveAnswer = a.output;
    const Outcome<ChangeListExport> result = runExportType(c, a);
    if (!result) {
        io.err << result.error << "\n";
        return 1;
    }
    switch (result.value.status) {
        case ChangeListExport::Status::Written:
            return 0;
        case ChangeListExport::Status::Empty:
            io.err << "the change list is empty\n";
            return 1;
        default:
            return 1;  // refused: the alert said why
    }
}

}  // namespace

void addExportCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<ExportArgs>();
    CLI::App* cmd = app.add_subcommand("export", "Write the change list as a change EDL, a change-list document, an "
                                                 "OpenTimelineIO timeline, a Euphonix change list or a relative "
                                                 "change note");
    cmd->add_option("type", args->type, "what to write")
        ->required()
        ->check(CLI::IsMember({"change-edl", "conform", "otio", "euphonix", "euphonix-rebalance", "euphonix-relative",
                               "note", "note-ff"}));
    addChangeListOptions(*cmd, args->source);
    cmd->add_option("--timebase", args->timebase,
                    "translate to this rate (change-edl and conform only; default: the list's own rate)")
        ->check(CLI::IsMember({"24", "25", "30", "29.97df", "59.94df", "60"}));
    cmd->add_option("--output", args->output, "the file to write")->required();
    cmd->callback([args, io, &status] {
        requireChangeListSource(args->source);
        if (!args->timebase.empty() && args->type != "change-edl" && args->type != "conform")
            throw CLI::ValidationError("--timebase", "applies to change-edl and conform only");
        status = runExport(*args, io);
    });
}

}  // namespace rw::cli
