#pragma once
// The file conforms, from the open panel on: the chosen file is conformed to
// the events and the copy written beside it.

#include "core/Edit.h"
#include "core/Outcome.h"

#include <string>

namespace rw {

// Conforms one file of the conform type ("file - tab separated", "file - comma
// separated", "file - TC6000 .EVL"); `events` are in `timebase`. The path of
// the conformed copy, or why nothing was written.
Outcome<std::string> conformChosenFile(const std::string& input, const std::string& type, const EditArray& events,
                                    const std::string& timebase);

// Where the conformed copy of `input` goes for the conform type.
std::string conformedPath(const std::string& input, const std::string& type);

// The path of `outputName` in the input's folder. A name that would be the
// input itself gets "-1" before its extension, so the input is never replaced.
std::string outputPathBeside(const std::string& input, const std::string& outputName);

}  // namespace rw
