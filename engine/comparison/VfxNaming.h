#pragma once
// Visual-effects shot names. A VFX shot is delivered again and again under
// new clip names (a new version each time), so the comparison matches two VFX
// events by scene and shot instead of by clip name. Up to three naming
// schemes describe how a clip name splits:
//
//   schemes 1, 2   PREFIX c1 SEP1 c2 SEP2 c3 SEP3 ...     VFX_123_03_11_comp
//                  (the popups say which of c1..c3 is scene, shot, version)
//   scheme 3       before SEP after, split at the 1st, 2nd, 3rd or last SEP;
//                  the scene is always "NONE", the shot one side, the
//                  version the other                       A12-B-007
//
// All searches are literal and case-sensitive.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rw {

class edit;

struct VfxScheme {
    bool on = false;
    std::string prefix;
    std::array<std::string, 3> sel;  // "scene", "shot" or "version"
    std::array<std::string, 3> sep;
};

struct VfxSplitScheme {
    bool on = false;
    std::string occurrence;  // "1st", "2nd", "3rd" or "last"
    std::string separator;
    int beforeAfterTag = 0;  // 2: the shot is the part before the separator
};

struct VfxSettings {
    VfxScheme scheme1, scheme2;
    VfxSplitScheme scheme3;
};

// scene, shot, version
using VfxComponents = std::array<std::string, 3>;

// The first scheme that fits (1, then 2, then 3); nullopt when none does.
std::optional<VfxComponents> VFXComponentsForString(std::string_view name, const VfxSettings& settings);
bool isVFXClip(std::string_view name, const VfxSettings& settings);
bool isVFXClip_2(std::string_view name, const VfxSettings& settings);
bool isVFXClip_3(std::string_view name, const VfxSettings& settings);

// Sets scene, shot, version and isVFX from the clip name; a name that fits no
// scheme clears isVFX and keeps the three strings as they were.
void setVFXValuesForEdit(edit& e, const VfxSettings& settings);

// "eg: " then the prefix, a sample of each component and the separators.
std::string vfxExampleString(const VfxScheme& scheme);

// Each scheme's controls are enabled exactly when its switch is on.
struct VfxControlsEnabled {
    bool scheme1 = false, scheme2 = false, scheme3 = false;
};
VfxControlsEnabled vfxControlsEnabled(const VfxSettings& settings);

}  // namespace rw
