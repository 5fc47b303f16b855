#include "media/PictureThread.h"

#include <sys/resource.h>
#include <unistd.h>

namespace rw::media {

namespace {

// Niceness of the thread: behind the frame feeds' decoders.
constexpr int kNice = 10;

}  // namespace

PictureThread::PictureThread() : thread_([this] { run(); }) {}

PictureThread::~PictureThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void PictureThread::offer(Job job) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = std::move(job);
    }
    wake_.notify_one();
}

void PictureThread::run() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kNice);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_) return;
        Job job = std::move(waiting_);
        waiting_ = nullptr;
        lock.unlock();
        job();
        job = nullptr;  // what it holds goes before the next wait
        lock.lock();
    }
}

}  // namespace rw::media
