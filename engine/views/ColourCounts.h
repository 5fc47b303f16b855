#pragma once
// The summary tab's count of a list's events by their standard colour.

#include "core/Edit.h"

#include <string>
#include <vector>

namespace rw {

struct ColourCount {
    std::string name;
    int count = 0;
};

// Events by their standard colour, in a fixed order ("plain", "red (missed
// or VFX)", "blue (gap)", "other"); colours outside the standard set are
// counted as "other". No events give the four names with counts of zero.
std::vector<ColourCount> countByColour(const EditArray& events);

}  // namespace rw
