#pragma once
// The floating stop panel of a running Pro Tools conform: the event number,
// the progress in events, the status line in white or red, Stop and "next".
// It stays above other applications' windows; the worker's updates arrive as
// queued calls on the main thread. Closing it from its title bar is Stop: a
// conform never goes on behind a panel that is gone.

#include "ports/StopPanelPort.h"

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace rw::qt {

class StopPanel : public QWidget, public StopPanelPort {
    Q_OBJECT
public:
    explicit StopPanel(QWidget* parent = nullptr);

    // A button was pressed: its sender title ("next", or Stop's).
    std::function<void(const std::string& senderTitle)> onButton;

    void runOnMainThread(std::function<void()> work) override;
    void showFloating() override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void advanceProgress() override;
    void setEventNumber(std::optional<int> number) override;
    void setStatus(const std::string& text, StatusColor color) override;
    void setNextEnabled(bool enabled) override;
    void close() override;

    QString statusText() const;
    bool statusIsRed() const { return red_; }
    int progressValue() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* event_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* next_ = nullptr;
    bool red_ = false;
};

}  // namespace rw::qt
