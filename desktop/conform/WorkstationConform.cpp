#include "conform/WorkstationConform.h"

#include "app/ConformController.h"
#include "app/SessionLocate.h"
#include "protools/ProToolsConform.h"
#include "workstation/Clocks.h"
#include "workstation/SimulatedWorkstation.h"

#include <QMainWindow>
#include <QStatusBar>

namespace rw::qt {

WorkstationConform::WorkstationConform(conformController& controller, QWidget* window, std::unique_ptr<Clock> clock)
    : controller_(controller),
      clock_(clock ? std::move(clock) : std::make_unique<SystemClock>()),
      session_(std::make_unique<SimulatedWorkstation>(*clock_, controller.prefs().get(pref::ConformTimebase))),
      panel_(new StopPanel(window)),
      ardour_(new ArdourConformRun(controller.ui(), window)) {
    control_ = std::make_unique<ProToolsConform>(*session_, *clock_, *panel_, controller.ui(), controller.prefs());
    locator_ = std::make_unique<SessionLocator>(controller, *session_, *clock_);
    panel_->onButton = [this](const std::string& title) { control_->abortConform(title); };
    // The worker beeps on its own thread; the window's beep sounds on the main one.
    session_->setBeepListener([panel = panel_, &ui = controller.ui()] {
        panel->runOnMainThread([&ui] { ui.beep(); });
    });
    if (auto* main = qobject_cast<QMainWindow*>(window))
        control_->setEndListener(
            [main](const std::string& line) { main->statusBar()->showMessage(QString::fromStdString(line)); });
}

// The worker stops and is joined before the host and clock it uses go.
WorkstationConform::~WorkstationConform() { control_.reset(); }

WorkstationHost& WorkstationConform::host() { return *session_; }

void WorkstationConform::followConformTimebase() {
    const std::string rate = controller_.prefs().get(pref::ConformTimebase);
    if (!control_->active() && session_->sessionRate() != rate) session_->setSessionRate(rate);
}

}  // namespace rw::qt
