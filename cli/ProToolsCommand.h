#pragma once
// `conform protools`: the Pro Tools conform rehearsed against the simulated
// workstation on a virtual clock, listing every action the worker takes and
// then the session it left.

#include "ChangeListInput.h"
#include "Commands.h"

#include <string>

namespace rw::cli {

struct ProToolsArgs {
    bool simulate = false;
    std::string sessionRate;  // empty: the conform timebase
    std::string pace;
    bool cut = false;
    bool oneAtATime = false;
    std::string nudgePasteHour;  // up | down
};

void addProToolsOptions(CLI::App& cmd, ProToolsArgs& args);
int runProToolsConform(const ProToolsArgs& args, const ChangeListArgs& source, const std::string& timebase,
                       Streams io);

}  // namespace rw::cli
