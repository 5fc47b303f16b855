#pragma once
// The change EDL: the change events as a plain-text list with a frame-code
// mode header and the locations of the OLD and NEW movies, readable again by
// the EDL reader.

#include "core/Edit.h"

#include <string>

namespace rw {

struct ChangeEdlHeader {
    std::string fcmToken;
    std::string movieOld, movieNew;  // URL texts, empty when no movie is loaded
    std::string translatedFrom;      // the untranslated rate after an explicit translation, else empty
};

// `events` are already in the export's timebase.
std::string changeEdlText(const EditArray& events, const ChangeEdlHeader& header);

}  // namespace rw
