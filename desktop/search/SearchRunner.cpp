#include "search/SearchRunner.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QProgressDialog>
#include <QTimer>

namespace rw::qt {

SearchRunner::SearchRunner(conformController& c, QWidget* window) : QObject(window), c_(c), window_(window) {}

SearchRunner::~SearchRunner() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

bool SearchRunner::start() {
    if (running()) return false;
    job_ = c_.beginSearch();
    if (!job_) return false;
    cancelled_ = false;
    done_ = 0;
    total_ = 0;
    progress_ = new QProgressDialog(tr("Searching the lists below %1...").arg(QString::fromStdString(job_->folder)),
                                    tr("Cancel"), 0, 0, window_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(300);
    connect(progress_, &QProgressDialog::canceled, this, &SearchRunner::cancel);
    auto* poll = new QTimer(progress_);
    connect(poll, &QTimer::timeout, this, [this] {
        if (!progress_) return;
        progress_->setMaximum(static_cast<int>(total_.load()));
        progress_->setValue(static_cast<int>(done_.load()));
    });
    poll->start(100);
    const conformController::SearchJob job = *job_;
    if (worker_.joinable()) worker_.join();
    worker_ = std::jthread([this, job] {
        auto results = conformController::runSearch(job, [this](std::size_t done, std::size_t total) {
            done_ = done;
            total_ = total;
            return !cancelled_.load();
        });
        if (cancelled_) results.reset();
        QMetaObject::invokeMethod(this, [this, r = std::move(results)]() mutable { done(std::move(r)); },
                                  Qt::QueuedConnection);
    });
    return true;
}

void SearchRunner::cancel() { cancelled_ = true; }

void SearchRunner::wait() {
    if (worker_.joinable()) worker_.join();
    // The worker's last act was to post its results here; take them now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void SearchRunner::done(std::optional<std::vector<SearchResult>> results) {
    if (worker_.joinable()) worker_.join();
    if (progress_) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
    if (!job_) return;
    const conformController::SearchJob job = std::move(*job_);
    job_.reset();
    c_.finishSearch(job, std::move(results));
    emit finished();
}

}  // namespace rw::qt
