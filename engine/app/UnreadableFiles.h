#pragma once
// Files the user chose are named when they cannot be read, so a wrong path or
// a folder is not mistaken for a list without events. Files the system finds
// for itself (movies named in a document, the files of a search) stay quiet.

#include <string>
#include <vector>

namespace rw {

class UiPort;

// One alert per path that cannot be read: "cannot read PATH" with the reason.
// True when there was any.
bool alertUnreadable(UiPort& ui, const std::vector<std::string>& paths);

}  // namespace rw
