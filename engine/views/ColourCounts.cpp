#include "views/ColourCounts.h"

namespace rw {

std::vector<ColourCount> countByColour(const EditArray& events) {
    // Missed and VFX share the same red; the list they are in tells them apart.
    std::vector<ColourCount> counts = {{"plain", 0}, {"red (missed or VFX)", 0}, {"blue (gap)", 0}, {"other", 0}};
    for (const auto& e : events) {
        const Color c = e->color();
        if (c == standardColorText() || c == Color::black()) ++counts[0].count;
        else if (c == standardColorMissed() || c == standardColorVFX()) ++counts[1].count;
        else if (c == standardColorGap()) ++counts[2].count;
        else ++counts[3].count;
    }
    return counts;
}

}  // namespace rw
