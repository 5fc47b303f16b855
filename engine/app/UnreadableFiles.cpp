#include "app/UnreadableFiles.h"

#include "core/Files.h"
#include "ports/UiPort.h"

namespace rw {

bool alertUnreadable(UiPort& ui, const std::vector<std::string>& paths) {
    bool any = false;
    for (const auto& path : paths) {
        const std::string reason = unreadableReason(path);
        if (reason.empty()) continue;
        ui.alert("cannot read " + path, reason);
        any = true;
    }
    return any;
}

}  // namespace rw
