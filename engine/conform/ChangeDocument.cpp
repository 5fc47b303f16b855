#include "conform/ChangeDocument.h"

#include <cstdint>

namespace rw {

ArchiveValue changeDocumentRoot(const EditArray& events, const ChangeDocumentHeader& h) {
    ArchiveArray edits;
    edits.reserve(events.size());
    for (const auto& e : events) {
        edits.push_back(ArchiveDict{
            {"num", e->editNum()},
            {"clip", e->clip()},
            {"colour", e->color()},
            {"sI", describe(e->sourceIn())},
            {"sO", describe(e->sourceOut())},
            {"mI", describe(e->masterIn())},
            {"mO", describe(e->masterOut())},
        });
    }
    return ArchiveDict{
        {"version", "1"},
        {"FCM", h.fcmToken},
        {"moviepath_Old", h.movieOld},
        {"moviepath_New", h.movieNew},
        {"edits", std::move(edits)},
    };
}

std::string changeDocumentBytes(const EditArray& events, const ChangeDocumentHeader& header) {
    return mungeData(archivedDataWithRootObject(changeDocumentRoot(events, header)));
}

}  // namespace rw
