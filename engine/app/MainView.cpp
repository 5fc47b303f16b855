#include "app/MainView.h"

#include "app/ConformController.h"
#include "app/UnreadableFiles.h"
#include "core/Files.h"
#include "core/Text.h"

#include <algorithm>
#include <iterator>

namespace rw {

void insertText(ListHost& host, std::string_view text, int viewTag) {
    if (text == " ") playOrStopMovies(host, viewTag);
}

DragOperation draggingEntered(UiPort& ui, const DragInfo& drag) {
    ui.activateApplication();
    if (drag.fileNames.empty()) return DragOperation::None;
    return drag.sourceAllowsCopy ? DragOperation::Copy : DragOperation::None;
}

bool isMovieFile(const std::string& path) {
    static const char* const extensions[] = {"mov", "mp4", "m4v", "mxf", "avi", "mkv", "mpg", "mpeg",
                                             "mts", "m2ts", "webm", "dv", "qt", "wmv"};
    const std::string ext = toLower(pathExtension(path));
    return std::any_of(std::begin(extensions), std::end(extensions), [&](const char* e) { return ext == e; });
}

bool performDragOperation(conformController& controller, const DragInfo& drag) {
    // The files the user dropped that cannot be read are named first.
    alertUnreadable(controller.ui(), drag.fileNames);
    std::vector<std::string> lists;
    for (const auto& path : drag.fileNames) {
        if (!isMovieFile(path)) {
            lists.push_back(path);
            continue;
        }
        const auto side = drag.movieTarget ? drag.movieTarget : controller.ui().askMovieSide(lastPathComponent(path));
        if (side && controller.review()) controller.review()->load(*side, path, true);
    }
    if (!lists.empty()) controller.openFiles(lists);
    return true;
}

}  // namespace rw
