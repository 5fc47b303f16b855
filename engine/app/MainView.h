#pragma once
// The main window's own view: the space bar, and files dragged onto the window.

#include "ports/MoviePort.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class ListHost;
class UiPort;
class conformController;

// The space bar (a single " "; other text does nothing): both movies start
// when neither small movie plays forward, else both stop. `viewTag` is the
// view's own tag, which picks the set of movies the transport drives.
void insertText(ListHost& host, std::string_view text, int viewTag = 0);

enum class DragOperation { None, Copy };

struct DragInfo {
    std::vector<std::string> fileNames;  // empty: the drag carries no file names
    bool sourceAllowsCopy = true;
    std::optional<MovieSide> movieTarget;  // dropped on that movie's place in the drawer
};

// A movie file, by its extension (any letter case): dropped, it loads as a
// movie, never as a list.
bool isMovieFile(const std::string& path);

// Brings the application to the front; file names are accepted as a copy.
DragOperation draggingEntered(UiPort& ui, const DragInfo& drag);
// Opens dropped file names as if the user had opened them; always answers
// yes. Movie files load as the movie of the drop target's side, else of the
// side the user picks (none: not loaded).
bool performDragOperation(conformController& controller, const DragInfo& drag);

}  // namespace rw
