#pragma once
// Runs the command line in-process and keeps what it printed.

#include "Commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace rw::test {

struct CliResult {
    int status;
    std::string out, err;
};

// The arguments after the program name.
inline CliResult runCli(std::vector<std::string> args) {
    args.insert(args.begin(), "reelwright");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), {out, err});
    return {status, out.str(), err.str()};
}

}  // namespace rw::test
