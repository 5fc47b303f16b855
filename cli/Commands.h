#pragma once
// The reelwright command line. Each subcommand lives in its own file and
// registers itself on the app; run() parses and dispatches.

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace rw::cli {

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// Exit status: 0 done, 1 the job failed (an alert said why), 2 bad arguments.
int run(int argc, const char* const* argv, Streams io);

// Each registers one subcommand; its callback stores the exit status.
void addCompareCommand(CLI::App& app, Streams io, int& status);
void addShowCommand(CLI::App& app, Streams io, int& status);
void addExportCommand(CLI::App& app, Streams io, int& status);
void addConformCommand(CLI::App& app, Streams io, int& status);
void addSearchCommand(CLI::App& app, Streams io, int& status);
// movie-info, frame and difference.
void addMovieCommands(CLI::App& app, Streams io, int& status);
void addVerifyCommand(CLI::App& app, Streams io, int& status);

}  // namespace rw::cli
