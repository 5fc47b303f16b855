#pragma once
// What a list table shows, as plain functions of the events: the text and
// colour of every cell, which columns may be edited, and the sort order.
// Columns are named after the event property they show ("editNum", "clip",
// "sourceIn", "sourceOut", "masterIn", "masterOut", "scene", "shot", "version").

#include "core/Color.h"
#include "core/Edit.h"

#include <string>
#include <string_view>
#include <vector>

namespace rw {

bool isTimecodeColumn(std::string_view column);
// Only the clip name and the four times can be typed into.
bool isColumnEditable(std::string_view column);

// The property as text: texts as they are, times as HH:MM:SS:FF; an absent
// value (no VFX scene, shot or version) and a column no event property has
// show as "".
std::string cellText(const edit& e, std::string_view column);
// The columns a list's table has, in order: the OLD and NEW lists also have
// the VFX fields ("scene", "shot", "version") the naming schemes fill.
std::vector<std::string> tableColumns(bool changeList);
// Whether a column shows: a VFX column hides while no event has a value in it.
bool isColumnShown(const EditArray& events, std::string_view column);
// The live timecode a timecode column shows (nullptr for other columns).
TcPtr timecodeForColumn(const edit& e, std::string_view column);

// A selected row swaps the colours that are hard to read on the selection
// highlight for their highlight variants; the change list keeps missed red
// (a VFX match there) but lightens the gap blue.
Color cellTextColor(const Color& eventColor, bool selected, bool changeList);

// Eight typed characters are HHMMSSFF: 01000000 reads as 01:00:00:00.
std::string expandTypedTimecode(std::string_view text);

struct SortDescriptor {
    std::string key;  // a column name
    bool ascending = true;
    friend bool operator==(const SortDescriptor&, const SortDescriptor&) = default;
};

// Stable sort by the descriptors, the first one deciding first. Times sort
// by frame count, texts by their characters; absent values come first.
void sortEvents(EditArray& events, const std::vector<SortDescriptor>& descriptors);

}  // namespace rw
