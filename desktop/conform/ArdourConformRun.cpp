#include "conform/ArdourConformRun.h"

#include "ardour/ArdourConform.h"
#include "ports/UiPort.h"

#include <QMainWindow>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>

namespace rw::qt {

ArdourConformRun::ArdourConformRun(UiPort& ui, QWidget* window) : QObject(window), ui_(ui), window_(window) {}

// A window closed during a run waits for Ardour: its snapshot is saved whole or not at all.
ArdourConformRun::~ArdourConformRun() {
    if (worker_.joinable()) worker_.join();
}

void ArdourConformRun::start(std::shared_ptr<const ArdourJob> job) {
    if (running() || !job) return;
    progress_ = new QProgressDialog(tr("Ardour is conforming the session…"), QString(), 0, 0, window_);
    progress_->setWindowTitle(tr("Conform Ardour session"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->show();
    QPointer<ArdourConformRun> self(this);
    worker_ = std::thread([this, self, job] {
        const auto progress = [self, this](int done, int total) {
            QMetaObject::invokeMethod(this, [self, this, done, total] {
                if (!self || !progress_) return;
                progress_->setMaximum(total);
                progress_->setValue(done);
            }, Qt::QueuedConnection);
        };
        const Outcome<> result = runArdourConform(*job, tools_, progress);
        const QString text = QString::fromStdString(ardourSummary(*job, result));
        QMetaObject::invokeMethod(this, [self, this, written = result.ok(), text] {
            if (self) finish(written, text);
        }, Qt::QueuedConnection);
    });
}

void ArdourConformRun::finish(bool written, const QString& text) {
    if (worker_.joinable()) worker_.join();
    delete progress_;
    progress_ = nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(window_))
        main->statusBar()->showMessage(written ? tr("Ardour session conformed") : tr("Ardour session not conformed"), 5000);
    ui_.alert(written ? "Ardour session conformed" : "session not conformed", text.toStdString());
}

}  // namespace rw::qt
