#include "app/UnreadableFiles.h"

#include "core/Files.h"
#include "ports/UiPort.h"

namespace rw {

bool alertUnreadable(UiPort& ui, const std::vector<std::string>& paths) {
    bool any = false;
    for (const auto& path : paths) {
        const Outcome<> readable = checkReadable(path);
        if (readable) continue;
        ui.alert("cannot read " + path, readable.error);
        any = true;
    }
    return any;
}

}  // namespace rw
