#include "conform/WorkstationConform.h"

#include "app/ConformController.h"
#include "app/SessionLocate.h"
#include "protools/ProToolsConform.h"
#include "workstation/Clocks.h"
#include "workstation/SimulatedWorkstation.h"

namespace rw::qt {

WorkstationConform::WorkstationConform(conformController& controller, QWidget* window)
    : clock_(std::make_unique<SystemClock>()),
      host_(std::make_unique<SimulatedWorkstation>(*clock_)),
      panel_(new StopPanel(window)),
      ardour_(new ArdourConformRun(controller.ui(), window)) {
    control_ = std::make_unique<ProToolsConform>(*host_, *clock_, *panel_, controller.ui(), controller.prefs());
    locator_ = std::make_unique<SessionLocator>(controller, *host_, *clock_);
    panel_->onButton = [this](const std::string& title) { control_->abortConform(title); };
}

// The worker stops and is joined before the host and clock it uses go.
WorkstationConform::~WorkstationConform() { control_.reset(); }

WorkstationHost& WorkstationConform::host() { return *host_; }

}  // namespace rw::qt
