#pragma once
// Everything the window works on: the ports and the controller, built in the
// order the controller needs them, with the observer attached.

#include "app/ConformController.h"
#include "app/NullPorts.h"
#include "core/ModelSignals.h"
#include "core/QtUiPort.h"

namespace rw::qt {

struct AppModel {
    explicit AppModel(Dialogs& dialogs) : ui(dialogs) { controller.setObserver(&observer); }
    ~AppModel() { controller.setObserver(nullptr); }
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    QtUiPort ui;
    NoMovies movies;  // the movie review attaches later
    ModelSignals observer;
    conformController controller{ui, movies};
};

}  // namespace rw::qt
