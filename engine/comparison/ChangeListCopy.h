#pragma once
// The plain-text copy of every fresh comparison, kept in "Change Lists/".

#include "core/Edit.h"

#include <string>

namespace rw {

// The "FCM:" token the copy's header carries for a list type.
std::string fcmTokenForEdlType(const std::string& edlType);

// "FCM: <token>\n", then one line per change event:
// number, two spaces, the clip cut or padded to 6 characters, two spaces,
// the four times separated by single spaces.
std::string changeListCopyText(const EditArray& changes, const std::string& edlType);

}  // namespace rw
