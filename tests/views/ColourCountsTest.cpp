#include "views/ColourCounts.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace rw {
namespace {

std::vector<std::pair<std::string, int>> counted(const std::vector<Color>& colours) {
    EditArray events;
    for (const Color& c : colours) {
        events.push_back(std::make_shared<edit>());
        events.back()->setColor(c);
    }
    std::vector<std::pair<std::string, int>> out;
    for (const auto& c : countByColour(events)) out.emplace_back(c.name, c.count);
    return out;
}

TEST(ColourCounts, EachStandardColourHasItsColumnAndTheRestAreOther) {
    const struct {
        std::vector<Color> colours;
        std::vector<int> counts;  // plain, red, blue, other
    } cases[] = {
        {{}, {0, 0, 0, 0}},
        {{Color::black(), Color::textColor()}, {2, 0, 0, 0}},
        {{Color::rgb(1, 0, 0), Color::rgb(0, 0, 0.6f), Color::rgb(0, 0, 0.6f)}, {0, 1, 2, 0}},
        // The selection's lighter reds and blues, and any other colour, are not standard.
        {{Color::rgb(1, 0.6f, 0.6f), Color::rgb(0.6f, 0.6f, 1), Color::rgb(0, 0.5f, 0), Color::black()}, {1, 0, 0, 3}},
    };
    for (const auto& c : cases) {
        const auto got = counted(c.colours);
        EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"plain", c.counts[0]},
                                                                 {"red (missed or VFX)", c.counts[1]},
                                                                 {"blue (gap)", c.counts[2]},
                                                                 {"other", c.counts[3]}}))
            << c.colours.size() << " events";
    }
}

}  // namespace
}  // namespace rw
