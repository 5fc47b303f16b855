#pragma once
// The change list as a document: a ".conform" change-list document at the
// list's own rate. Save writes to the file the list was loaded from or last
// saved to, or asks where as Save As does; either way the file joins the
// recent documents. Writes are atomic: a failed save leaves the file as it was.

#include "core/Outcome.h"

#include <string>
#include <vector>

namespace rw {

class conformController;

// Where the recent documents are stored, newest first, one per line.
inline constexpr const char* kRecentChangeListsKey = "recentChangeLists";
inline constexpr std::size_t kMaxRecentChangeLists = 8;

// What a save did; a write that failed is the outcome's failure, with why.
struct ChangeListSave {
    enum class Status { Saved, Empty, Cancelled };
    Status status = Status::Empty;
    std::string path;  // the file saved
};

// The name the window shows: the document's file name, else the first line
// of the change list's label, else "Untitled".
std::string changeListDocumentName(conformController& c);

Outcome<ChangeListSave> saveChangeList(conformController& c);
Outcome<ChangeListSave> saveChangeListAs(conformController& c);

// Before the change list is replaced or the window closes: true when it may
// go (nothing to lose, saved, or "Don't Save"); false for Cancel or a save
// that did not happen.
bool mayDiscardChangeList(conformController& c);

std::vector<std::string> recentChangeLists(conformController& c);
void rememberRecentChangeList(conformController& c, const std::string& path);

}  // namespace rw
