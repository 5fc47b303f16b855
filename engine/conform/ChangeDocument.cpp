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

std::string mungeData(std::string_view data) {
    std::string out(data);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(static_cast<std::uint8_t>(out[i]) ^ static_cast<std::uint8_t>((i + 2) & 0xFF));
    return out;
}

}  // namespace rw
