#pragma once
// The workstation side of the window: the workstation host of this platform
// (the simulated Pro Tools session: there is no native host here), the stop
// panel, the running conform's control and the session locate.

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
class WorkstationHost;
}  // namespace rw

namespace rw::qt {

class WorkstationConform {
public:
    WorkstationConform(conformController& controller, QWidget* window);
    ~WorkstationConform();

    WorkstationHost& host();
    ProToolsConform& control() { return *control_; }
    SessionLocator& locator() { return *locator_; }
    StopPanel& panel() { return *panel_; }
    // The Ardour session conform: Ardour's tools and the run off the GUI thread.
    ArdourConformRun& ardour() { return *ardour_; }

private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<WorkstationHost> host_;
    StopPanel* panel_;  // owned by the window
    std::unique_ptr<ProToolsConform> control_;
    std::unique_ptr<SessionLocator> locator_;
    ArdourConformRun* ardour_;  // owned by the window
};

}  // namespace rw::qt
