#include "app/MainView.h"

#include "app/ConformController.h"
#include "app/UnreadableFiles.h"

namespace rw {

void insertText(ListHost& host, std::string_view text, int viewTag) {
    if (text != " ") return;
    const MoviePort& movies = host.movies();
    const bool playing = movies.playbackRate(MovieSide::Old) > 0 || movies.playbackRate(MovieSide::New) > 0;
    if (playing) host.stopMovies(viewTag);
    else host.playMovies(viewTag);
}

DragOperation draggingEntered(UiPort& ui, const DragInfo& drag) {
    ui.activateApplication();
    if (drag.fileNames.empty()) return DragOperation::None;
    return drag.sourceAllowsCopy ? DragOperation::Copy : DragOperation::None;
}

bool performDragOperation(conformController& controller, const DragInfo& drag) {
    if (drag.fileNames.empty()) return true;
    alertUnreadable(controller.ui(), drag.fileNames);
    controller.openFiles(drag.fileNames);
    return true;
}

}  // namespace rw
