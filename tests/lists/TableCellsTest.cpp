#include "lists/ListFakes.h"
#include "lists/TableCells.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(TableCells, CellTextsAreThePropertiesAsPrinted) {
    EditPtr e = event("007", "A001C003", "01:00:00:00", "01:00:10:00", "10:00:00:00", "10:00:10:00");
    e->setScene("12");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"editNum", "007"},        {"clip", "A001C003"},      {"sourceIn", "01:00:00:00"},
        {"sourceOut", "01:00:10:00"}, {"masterIn", "10:00:00:00"}, {"masterOut", "10:00:10:00"},
        {"scene", "12"},           {"shot", "(null)"},        {"nonsense", ""}};
    for (const auto& [column, text] : cases) EXPECT_EQ(cellText(*e, column), text) << column;
    edit blank;
    EXPECT_EQ(cellText(blank, "masterIn"), "(null)");
}

TEST(TableCells, OnlyClipAndTimesAreEditable) {
    for (const char* c : {"clip", "sourceIn", "sourceOut", "masterIn", "masterOut"}) EXPECT_TRUE(isColumnEditable(c));
    for (const char* c : {"editNum", "scene", "shot", "version", ""}) EXPECT_FALSE(isColumnEditable(c));
}

TEST(TableCells, SelectedRowsSwapColoursByList) {
    struct Case {
        Color color;
        bool selected, changeList;
        Color shown;
    };
    const Color other = Color::rgb(0.2f, 0.3f, 0.4f);
    const Case cases[] = {
        {standardColorText(), true, false, standardColorText()},
        {standardColorText(), true, true, standardColorText()},
        {standardColorMissed(), false, false, standardColorMissed()},
        {standardColorMissed(), true, false, standardColorMissedHilite()},
        {standardColorGap(), true, false, standardColorGap()},
        {standardColorGap(), true, true, standardColorGapHilite()},
        {standardColorGap(), false, true, standardColorGap()},
        {standardColorVFX(), true, false, standardColorVFXHilite()},
        {standardColorVFX(), true, true, standardColorVFXHilite()},
        {standardColorVFX(), false, true, standardColorVFX()},
        {other, true, true, other},
        {Color::black(), true, false, Color::black()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cellTextColor(c.color, c.selected, c.changeList), c.shown)
            << c.color.r << "," << c.color.g << "," << c.color.b << " selected " << c.selected << " C " << c.changeList;
}

TEST(TableCells, EightTypedCharactersAreFourPairs) {
    EXPECT_EQ(expandTypedTimecode("01000000"), "01:00:00:00");
    EXPECT_EQ(expandTypedTimecode("1:00:00:00"), "1:00:00:00");
    EXPECT_EQ(expandTypedTimecode("abcdefgh"), "ab:cd:ef:gh");
    EXPECT_EQ(expandTypedTimecode(""), "");
}

TEST(TableCells, SortsByDescriptorsStablyWithAbsentValuesFirst) {
    EditArray list = {eventAt("003", 0, 10, 50, 60), eventAt("001", 0, 10, 20, 30), eventAt("002", 5, 10, 20, 25)};
    list.push_back(std::make_shared<edit>());  // no times at all
    sortEvents(list, {{"masterIn", true}, {"masterOut", false}});
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"000", "001", "002", "003"}));
    sortEvents(list, {{"editNum", false}});
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"003", "002", "001", "000"}));
    // Equal keys keep their order.
    sortEvents(list, {{"sourceOut", true}});
    EXPECT_EQ(numbersOf(list), (std::vector<std::string>{"000", "003", "002", "001"}));
}

}  // namespace
}  // namespace rw::test
