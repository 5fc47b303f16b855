#pragma once
// `conform ardour`: conforms an Ardour session to the change list with
// Ardour's own headless tools, into a new snapshot beside the one read.

#include "ChangeListInput.h"
#include "Commands.h"

#include <string>

namespace rw::cli {

struct ArdourArgs {
    std::string session;   // NAME.ardour
    std::string snapshot;  // the new snapshot's name
};

void addArdourOptions(CLI::App& cmd, ArdourArgs& args);
int runArdourConform(const ArdourArgs& args, const ChangeListArgs& source, const std::string& timebase, Streams io);

}  // namespace rw::cli
