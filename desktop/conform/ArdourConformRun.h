#pragma once
// A confirmed Ardour conform, run off the GUI thread: a window-modal
// progress dialog counts the pieces Ardour places, and the end is an alert
// with the new snapshot's path (or why nothing was written) and a line in
// the window's status bar.

#include "workstation/ArdourTools.h"

#include <QObject>

#include <memory>
#include <thread>

class QProgressDialog;
class QWidget;

namespace rw {
class UiPort;
struct ArdourJob;
}  // namespace rw

namespace rw::qt {

class ArdourConformRun : public QObject {
    Q_OBJECT
public:
    ArdourConformRun(UiPort& ui, QWidget* window);
    ~ArdourConformRun() override;

    ArdourHost& host() { return tools_; }
    bool running() const { return worker_.joinable(); }
    // Starts the job; nothing when one runs already.
    void start(std::shared_ptr<const ArdourJob> job);

private:
    void finish(bool written, const QString& text);

    UiPort& ui_;
    QWidget* window_;
    ArdourTools tools_;
    QProgressDialog* progress_ = nullptr;
    std::thread worker_;
};

}  // namespace rw::qt
