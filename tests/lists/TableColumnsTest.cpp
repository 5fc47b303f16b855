#include "lists/TableCells.h"

#include <gtest/gtest.h>

#include <memory>

namespace rw {
namespace {

TEST(TableColumns, TheChangeListHasNoVfxColumns) {
    EXPECT_EQ(tableColumns(true),
              (std::vector<std::string>{"editNum", "clip", "sourceIn", "sourceOut", "masterIn", "masterOut"}));
    EXPECT_EQ(tableColumns(false), (std::vector<std::string>{"editNum", "clip", "sourceIn", "sourceOut", "masterIn",
                                                             "masterOut", "scene", "shot", "version"}));
}

TEST(TableColumns, AVfxColumnShowsOnlyWhileAnEventHasAValue) {
    EditArray events = {std::make_shared<edit>(), std::make_shared<edit>()};
    events[1]->setShot("010");
    events[1]->setVersion("");  // an empty value is no value
    const struct {
        const char* column;
        bool shownEmpty, shown;  // without events; with the two above
    } cases[] = {{"editNum", true, true},   {"clip", true, true},   {"masterOut", true, true},
                 {"scene", false, false},   {"shot", false, true},  {"version", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(isColumnShown({}, c.column), c.shownEmpty) << c.column;
        EXPECT_EQ(isColumnShown(events, c.column), c.shown) << c.column;
    }
}

}  // namespace
}  // namespace rw
