#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace rw::qt {

ParsedCommandLine parseCommandLine(int argc, char** argv) {
    StartOptions o;
    CLI::App app("reelwright: compare OLD and NEW picture edit lists and conform sound to the new cut",
                 "reelwright-app");
    app.set_version_flag("--version", std::string("reelwright-app ") + RW_VERSION);
    app.add_option("--old", o.oldFiles, "load into the OLD list, as if dropped on its tab");
    app.add_option("--new", o.newFiles, "load into the NEW list");
    app.add_option("--changes", o.changeFiles, "load into the change list");
    app.add_flag("--compare", o.compare, "compare once the files are in");
    app.add_option("--old-movie", o.oldMovie, "load the OLD movie (the picture of the old cut)");
    app.add_option("--new-movie", o.newMovie, "load the NEW movie");
    app.add_option("--screenshot-dir", o.screenshotDir)->group("");
    app.add_option("--settings-file", o.settingsFile)->group("");
    app.add_flag("--quit-when-shown", o.quitWhenShown)->group("");
    ParsedCommandLine result;
    try {
        app.parse(argc, argv);
        result.options = o;
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        result.exitCode = app.exit(e, out, err);
        result.output = out.str() + err.str();
    }
    return result;
}

}  // namespace rw::qt
