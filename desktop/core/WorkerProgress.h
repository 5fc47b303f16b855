#pragma once
// The progress dialog of a job on a worker thread: modal to the window,
// shown once the job takes longer than a moment, and fed from the counters
// the worker sets, read ten times a second. Cancel (when offered) calls
// `cancel`; the dialog goes when it is deleted.

#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <cstddef>
#include <functional>

namespace rw::qt {

inline QProgressDialog* workerProgress(QWidget* window, const QString& text, const QString& cancelText,
                                       const std::atomic<std::size_t>& done, const std::atomic<std::size_t>& total,
                                       std::function<void()> cancel) {
    auto* progress = new QProgressDialog(text, cancelText, 0, 0, window);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    QObject::connect(progress, &QProgressDialog::canceled, progress, std::move(cancel));
    auto* poll = new QTimer(progress);
    QObject::connect(poll, &QTimer::timeout, progress, [progress, &done, &total] {
        progress->setMaximum(static_cast<int>(total.load()));
        progress->setValue(static_cast<int>(done.load()));
    });
    poll->start(100);
    return progress;
}

}  // namespace rw::qt
