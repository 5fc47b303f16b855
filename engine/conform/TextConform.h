#pragma once
// Conform of tab- and comma-separated cue and note lists: every field that is
// a timecode or a footage is moved to where its material now lies, and each
// line gets a status word ("CONFORMED", "RESPOT", "NOCODE").

#include "core/Edit.h"

#include <string>

namespace rw {

// `events` are in the conform timebase; `timebase` is that timebase's text.
std::string conformTextFile(const std::string& text, const EditArray& events, char separator,
                            const std::string& timebase);

// The conformed copy's file name, never longer than 31 characters.
std::string conformedTextName(const std::string& inputName);

}  // namespace rw
