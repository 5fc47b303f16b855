#pragma once
// The change-list document (".conform"): the change events with their colours
// and the movie locations, as a scrambled keyed archive. Read back by the
// change-list document reader.

#include "archive/KeyedArchive.h"
#include "core/Edit.h"

#include <string>
#include <string_view>

namespace rw {

struct ChangeDocumentHeader {
    std::string fcmToken;
    std::string movieOld, movieNew;  // URL texts, "" when no movie is loaded
};

// The archived dictionary: "version", "FCM", "moviepath_Old", "moviepath_New", "edits".
ArchiveValue changeDocumentRoot(const EditArray& events, const ChangeDocumentHeader& header);

// The bytes of the document file: the archive, scrambled.
std::string changeDocumentBytes(const EditArray& events, const ChangeDocumentHeader& header);

}  // namespace rw
