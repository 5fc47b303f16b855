#include "Commands.h"
#include "Completion.h"

#include <ostream>

namespace rw::cli {

int run(int argc, const char* const* argv, Streams io) {
    CLI::App app{"reelwright: compare an OLD and a NEW picture cut and build the change list", "reelwright"};
    app.require_subcommand(1);
    app.set_version_flag("-V,--version", std::string("reelwright ") + RW_VERSION);
    // For the build, which installs the script it prints.
    app.add_flag_callback(
           "--bash-completion",
           [&app, io] {
               io.out << bashCompletion(app);
               throw CLI::Success();
           },
           "print the bash completion script")
        ->group("");
    int status = 0;
    addCompareCommand(app, io, status);
    addShowCommand(app, io, status);
    addExportCommand(app, io, status);
    addConformCommand(app, io, status);
    addSearchCommand(app, io, status);
    addMovieCommands(app, io, status);
    addVerifyCommand(app, io, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e, io.out, io.err);
        return code == 0 ? 0 : 2;
    }
    return status;
}

}  // namespace rw::cli
