#pragma once
// A thread of its own, below the decoders in priority, for pictures made
// from the frames shown (the difference picture): it runs the newest job
// offered, and a job offered while another runs replaces the one waiting,
// so a busy processor skips these pictures, never movie frames.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace rw::media {

class PictureThread {
public:
    using Job = std::function<void()>;
    PictureThread();
    // Waits for the job running; the one waiting is dropped.
    ~PictureThread();
    PictureThread(const PictureThread&) = delete;
    PictureThread& operator=(const PictureThread&) = delete;

    void offer(Job job);

private:
    void run();
    std::mutex mutex_;
    std::condition_variable wake_;
    Job waiting_;
    bool stopping_ = false;
    std::thread thread_;  // last: started once the rest is made
};

}  // namespace rw::media
