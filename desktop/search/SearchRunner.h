#pragma once
// Runs the search in other files on a worker thread: the folder panel and the
// results stay on the main thread (the engine's first and last steps), the
// file walk runs beside the event loop with a progress dialog whose Cancel
// stops it. Quitting (or destroying the runner) stops and joins the worker.

#include "app/ConformController.h"

#include <QObject>

#include <atomic>
#include <optional>
#include <thread>

class QProgressDialog;

namespace rw::qt {

class SearchRunner : public QObject {
    Q_OBJECT
public:
    SearchRunner(conformController& c, QWidget* window);
    ~SearchRunner() override;

    // Asks for the folder and starts the worker; false when there is nothing
    // to search or a search runs already.
    bool start();
    bool running() const { return job_.has_value(); }
    void cancel();
    // Blocks until the worker is done and its results are taken (tests, quitting).
    void wait();

signals:
    void finished();

private:
    void done(std::optional<std::vector<SearchResult>> results);

    conformController& c_;
    QWidget* window_;
    QProgressDialog* progress_ = nullptr;
    std::optional<conformController::SearchJob> job_;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> done_{0}, total_{0};
    std::jthread worker_;
};

}  // namespace rw::qt
