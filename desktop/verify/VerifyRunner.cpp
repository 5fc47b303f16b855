#include "verify/VerifyRunner.h"

#include "core/WorkerProgress.h"

#include "media/MoviePictures.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QProgressDialog>

namespace rw::qt {

namespace {

constexpr MovieSide kSides[] = {MovieSide::Old, MovieSide::New};

// Opens both movies of a check; a side that cannot be opened is noted in `setup`.
void openMovies(media::MoviePictures& pictures, const std::array<std::string, 2>& paths, VerifySetup& setup) {
    for (const MovieSide side : kSides) {
        const Outcome<> opened = pictures.open(side, paths[sideIndex(side)]);
        if (!opened)
            setup.movies[sideIndex(side)].problem =
                std::string(side == MovieSide::Old ? "the OLD" : "the NEW") + " movie cannot be read: " + opened.error;
    }
}

}  // namespace

VerifyRunner::VerifyRunner(Verification& verification, QWidget* window)
    : QObject(window), verification_(verification), window_(window) {}

VerifyRunner::~VerifyRunner() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

void VerifyRunner::showProgress(const QString& text, bool cancellable) {
    cancelled_ = false;
    done_ = 0;
    total_ = 0;
    progress_ = workerProgress(window_, text, cancellable ? tr("Cancel") : QString(), done_, total_, [this] { cancel(); });
}

template <class Work>
void VerifyRunner::launch(const QString& text, bool cancellable, Work&& work) {
    busy_ = true;
    showProgress(text, cancellable);
    if (worker_.joinable()) worker_.join();
    worker_ = std::jthread(std::forward<Work>(work));
}

bool VerifyRunner::start() {
    if (busy_) return false;
    std::optional<Verification::Job> job = verification_.begin();
    if (!job) return false;
    launch(tr("Verifying the change list against the movies..."), true, [this, job = std::move(*job)]() mutable {
        media::MoviePictures pictures({.ignoredShare = job.setup.tuning.ignoredShare});
        openMovies(pictures, job.moviePaths, job.setup);
        const VerifyOutcome outcome = Verification::run(job, pictures, [this](std::size_t done, std::size_t total) {
            done_ = done;
            total_ = total;
            return !cancelled_.load();
        });
        QMetaObject::invokeMethod(
            this, [this, job = std::move(job), outcome] {
                done();
                verification_.finish(job, outcome);
                emit finished();
            },
            Qt::QueuedConnection);
    });
    return true;
}

bool VerifyRunner::saveReport() {
    if (busy_) return false;
    std::optional<Verification::ReportJob> job = verification_.beginReport();
    if (!job) return false;
    launch(tr("Saving the verification report..."), false, [this, job = std::move(*job)]() mutable {
        media::MoviePictures pictures;
        openMovies(pictures, job.moviePaths, job.setup);
        Outcome<> written = Verification::writeReport(job, [&](const edit& e, const EventCheck& c) {
            ++done_;
            return pictures.shotsFor(job.setup, e, c);
        });
        QMetaObject::invokeMethod(
            this, [this, job = std::move(job), written = std::move(written)] {
                done();
                verification_.finishReport(job, written);
                emit finished();
                if (written) emit reportSaved(QString::fromStdString(job.path));
            },
            Qt::QueuedConnection);
    });
    return true;
}

void VerifyRunner::wait() {
    if (worker_.joinable()) worker_.join();
    // The worker's last act was to post its result here; take it now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void VerifyRunner::done() {
    if (worker_.joinable()) worker_.join();
    busy_ = false;
    if (progress_) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
}

}  // namespace rw::qt
