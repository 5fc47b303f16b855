#include "search/SearchRunner.h"

#include "core/WorkerProgress.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QProgressDialog>

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
    progress_ = workerProgress(window_, tr("Searching the lists below %1...").arg(QString::fromStdString(job_->folder)),
                               tr("Cancel"), done_, total_, [this] { cancel(); });
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
