#pragma once
// Everything the window works on: the ports and the controller, built in the
// order the controller needs them, with the observer attached.

#include "ports/Clocks.h"
#include "app/ConformController.h"
#include "app/MovieReview.h"
#include "app/Verification.h"
#include "core/ModelSignals.h"
#include "core/QtUiPort.h"
#include "movies/MovieFeeds.h"

namespace rw::qt {

struct AppModel {
    explicit AppModel(Dialogs& dialogs) : ui(dialogs) {
        controller.setObserver(&observer);
        review.setObserver(&observer);
        controller.attachReview(review);
    }
    ~AppModel() {
        review.setObserver(nullptr);
        controller.setObserver(nullptr);
    }
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    QtUiPort ui;
    MovieFeeds movies;  // the movie files, each place decoding on its own thread
    SystemClock clock;  // playback runs on it
    MovieReview review{movies, clock};
    ModelSignals observer;
    conformController controller{ui, review};
    Verification verification{controller};  // the change list checked against the movies
};

}  // namespace rw::qt
