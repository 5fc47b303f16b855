#pragma once
// Where the export and conform commands take the change list from: a
// comparison of OLD and NEW lists (as `compare` takes them) or a change-list
// file (a ".conform" document, a change EDL or a film change list).

#include "CliUi.h"
#include "Options.h"

#include "app/ConformController.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace rw::cli {

struct ChangeListArgs {
    std::vector<std::string> olds, news;
    std::string changes;
    ListOptions lists;
};

void addChangeListOptions(CLI::App& cmd, ChangeListArgs& args);
// Refuses (CLI::ValidationError) unless exactly one of the two sources is given.
void requireChangeListSource(const ChangeListArgs& args);
std::vector<std::string> changeListInputs(const ChangeListArgs& args);

// Fills the change list, after naming each input that cannot be read. False,
// with the reason on err or in an alert, when an input cannot be read or the
// change list holds no events.
// --as and --hour answer the hour-code sheet through `ui`.
bool loadChangeList(conformController& c, const ChangeListArgs& args, std::ostream& err);

}  // namespace rw::cli
