#pragma once
// The VFX naming schemes as the preference controls now stand: the comparison
// takes them as a value and never reads the settings itself.

#include "comparison/VfxNaming.h"
#include "settings/Preferences.h"

namespace rw {

VfxSettings vfxSettingsFrom(const Preferences& prefs);

}  // namespace rw
