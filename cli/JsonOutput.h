#pragma once
// The --json documents of compare, show and search: the content of their text
// output as named fields, so scripts need not take the text apart.

#include "import/SearchFiles.h"

#include <string>
#include <vector>

namespace rw {
class conformController;
}

namespace rw::cli {

// show: {"events": [...]}, the events of the front list.
std::string listJson(conformController& c);
// compare: the OLD and NEW list names, the rate of the change events, and the change events.
std::string changeListJson(conformController& c);
// search: the files the comparison found shots in, in rank order.
std::string searchJson(const std::vector<SearchResult>& finds);

}  // namespace rw::cli
