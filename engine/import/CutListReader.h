#pragma once
// Film cut lists: events measured in 35 mm feet and frames (16 frames to the
// foot, 24 fps). An event line holds exactly five "+"; its fields sit at fixed
// character distances before them:
//
//   ...  0000+00  ....+..  0010+08  LABROLL___1234+05  ....+..  <TAB>clip name
//        ^record start     ^duration ^name    ^source start
//        (1st +)           (3rd +)  (15 before the 4th +)       (last column)
//
// The record times take their hour from the hour-code sheet.

#include "core/Edit.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

struct CutListOptions {
    std::optional<std::string> hourCode;  // the hour typed in the hour-code sheet
    bool compareByClipName = false;
    std::function<bool(std::string_view)> isVFXClip;  // VFX scheme 1 fits (and is switched on)
    std::function<void(edit&)> setVFXValues;          // called for every event made
};

// Appends the events of one file's lines to `events`, numbered after the
// events already there. Lines whose fields do not parse are skipped.
void readCutListLines(const std::vector<std::string_view>& lines, const CutListOptions& options, EditArray& events);

}  // namespace rw
