#pragma once
// The texts every preference popup offers, in menu order. The windows show
// them (translated where they like) and hand back these exact texts: the
// engine compares settings as texts.

#include <string>
#include <vector>

namespace rw::choices {

// "EDL type": the list types.
const std::vector<std::string>& listTypes();
// "compareFerocity": how far the comparison heals.
const std::vector<std::string>& ferocities();
// "conformType".
const std::vector<std::string>& conformTypes();
// "conformSpeed": the paces of the Pro Tools conform.
const std::vector<std::string>& paces();
// "conformTimebase".
const std::vector<std::string>& conformTimebases();
// VFX naming fields ("sel1" ...) and separators ("sep1" ...).
const std::vector<std::string>& vfxFields();
const std::vector<std::string>& vfxSeparators();
// The third naming set: which occurrence of the separator splits ("sel1_3"),
// and the before/after choice as button tags ("VFXBeforeAfterTag").
const std::vector<std::string>& vfxOccurrences();
inline constexpr int kShotAfterTag = 1;
inline constexpr int kShotBeforeTag = 2;

}  // namespace rw::choices
