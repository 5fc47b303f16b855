#pragma once
// The program's arguments, read before any window exists so --help and
// --version work without a display.

#include <optional>
#include <string>
#include <vector>

namespace rw::qt {

struct StartOptions {
    std::vector<std::string> oldFiles, newFiles, changeFiles;
    bool compare = false;
    std::string oldMovie, newMovie;
    std::string screenshotDir;  // hidden: grab the windows there and quit
    std::string settingsFile;   // hidden: an explicit settings file (benchmarks, screenshots)
    bool quitWhenShown = false; // hidden: the benchmark's start-up timing
};

struct ParsedCommandLine {
    std::optional<StartOptions> options;  // none: exit with `exitCode` after printing `output`
    int exitCode = 0;
    std::string output;
};

ParsedCommandLine parseCommandLine(int argc, char** argv);

}  // namespace rw::qt
