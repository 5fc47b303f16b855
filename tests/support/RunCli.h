#pragma once
// Runs the reelwright command line in-process and keeps what it printed.

#include "Commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace rw::test {

struct CliOutcome {
    int status;
    std::string out, err;
};

inline CliOutcome runCli(std::vector<std::string> args) {
    args.insert(args.begin(), "reelwright");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), {out, err});
    return {status, out.str(), err.str()};
}

}  // namespace rw::test
