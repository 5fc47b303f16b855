#pragma once
// The workstation side of the window: the workstation host of this platform
// (the simulated Pro Tools session: there is no native host here), the stop
// panel, the running conform's control and the session locate. The session
// runs at the conform timebase, the worker's beeps are heard through the
// window's beep, and the status bar ends with what became of each conform.

#include "conform/ArdourConformRun.h"
#include "conform/StopPanel.h"

#include <memory>
#include <string>

class QWidget;

namespace rw {
class conformController;
class Clock;
class ProToolsConform;
class SessionLocator;
class SimulatedWorkstation;
class WorkstationHost;
}  // namespace rw

namespace rw::qt {

class WorkstationConform {
public:
    // The system clock unless another is given (tests hand in a virtual one).
    WorkstationConform(conformController& controller, QWidget* window, std::unique_ptr<Clock> clock = nullptr);
    ~WorkstationConform();

    WorkstationHost& host();
    SimulatedWorkstation& session() { return *session_; }
    ProToolsConform& control() { return *control_; }
    SessionLocator& locator() { return *locator_; }
    StopPanel& panel() { return *panel_; }
    // The Ardour session conform: Ardour's tools and the run off the GUI thread.
    ArdourConformRun& ardour() { return *ardour_; }

    // Before a conform: a new simulated session at the conform timebase when
    // its rate is another one and no conform holds the panel.
    void followConformTimebase();

private:
    conformController& controller_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<SimulatedWorkstation> session_;
    StopPanel* panel_;  // owned by the window
    std::unique_ptr<ProToolsConform> control_;
    std::unique_ptr<SessionLocator> locator_;
    ArdourConformRun* ardour_;  // owned by the window
};

}  // namespace rw::qt
