#pragma once
// Runs the change-list check on a worker thread, beside the event loop, with
// a progress dialog whose Cancel stops it within the event being compared;
// the verdicts go to the engine's Verification on the main thread. The
// report's pictures need the movies decoded too, so the report is made on
// the worker as well. Destroying the runner stops and joins the worker.

#include "app/Verification.h"

#include <QObject>

#include <atomic>
#include <cstddef>
#include <thread>

class QProgressDialog;

namespace rw::qt {

class VerifyRunner : public QObject {
    Q_OBJECT
public:
    VerifyRunner(Verification& verification, QWidget* window);
    ~VerifyRunner() override;

    // Change List ▸ Verify Against Movies; false when nothing runs (no
    // events, no movies, or a check or report is running already).
    bool start();
    // File ▸ Save Verification Report; false when nothing is written.
    bool saveReport();
    bool running() const { return busy_; }
    void cancel() { cancelled_ = true; }
    // Blocks until the worker is done and its result is taken (tests, quitting).
    void wait();

signals:
    void finished();
    void reportSaved(const QString& path);

private:
    void showProgress(const QString& text, bool cancellable);
    // Shows the progress and runs `work` on the worker thread.
    template <class Work>
    void launch(const QString& text, bool cancellable, Work&& work);
    void done();

    Verification& verification_;
    QWidget* window_;
    QProgressDialog* progress_ = nullptr;
    bool busy_ = false;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> done_{0}, total_{0};
    std::jthread worker_;
};

}  // namespace rw::qt
