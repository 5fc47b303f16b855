// The feed's thread: requests first, then frames ahead while playing. The
// reader is touched by this thread only; everything else under mutex_.

#include "media/FrameFeed.h"

#include <climits>

namespace rw::media {

namespace {

// Where the frame starting at `start` ends: the next grid step, or never for
// the last frame. Frames decoded after it correct this.
std::int64_t frameEnd(const MovieReader& reader, std::int64_t start) {
    const std::int64_t next = reader.stepTime(start, 1);
    return next > start ? next : INT64_MAX;
}

}  // namespace

Outcome<std::unique_ptr<FrameFeed>> FrameFeed::open(const std::string& path, const ReaderOptions& options) {
    auto reader = MovieReader::open(path, options);
    if (!reader) return Outcome<std::unique_ptr<FrameFeed>>::failure(reader.error);
    return {std::make_unique<FrameFeed>(std::move(reader.value)), {}};
}

FrameFeed::FrameFeed(std::unique_ptr<MovieReader> reader)
    : reader_(std::move(reader)), info_(reader_->info()), thread_([this] { run(); }) {}

FrameFeed::~FrameFeed() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void FrameFeed::show(std::int64_t time, bool playing) {
    {
        std::lock_guard lock(mutex_);
        ++stats_.requests;
        const std::uint64_t number = ++requestNumber_;
        playing_ = playing;
        playTime_ = time;
        aheadBlocked_ = false;
        if (pending_) ++stats_.dropped;  // never started: the newest request wins
        pending_.reset();
        if (!serveFromQueue(time, number)) pending_ = Request{time, number};
    }
    wake_.notify_one();
}

Frame FrameFeed::current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

void FrameFeed::setOnFrame(std::function<void()> callback) {
    std::lock_guard lock(mutex_);
    onFrame_ = std::move(callback);
}

FrameFeed::Stats FrameFeed::stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

int FrameFeed::queued() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(queue_.size());
}

bool FrameFeed::serveFromQueue(std::int64_t time, std::uint64_t number) {
    auto it = queue_.upper_bound(time);
    if (it == queue_.begin()) return false;
    --it;
    if (time >= it->second.until) return false;
    publish(it->second.frame, number);
    queue_.erase(queue_.begin(), it);  // frames before the shown one are done with
    return true;
}

void FrameFeed::publish(const Frame& frame, std::uint64_t number) {
    if (number <= shownNumber_) {  // a newer request is shown already
        ++stats_.dropped;
        return;
    }
    ++stats_.served;
    shownNumber_ = number;
    if (frame.image != current_.image || frame.time != current_.time) frameChanged_ = true;
    current_ = frame;
}

void FrameFeed::decodeRequest(std::unique_lock<std::mutex>& lock, Request request) {
    lock.unlock();
    auto decoded = reader_->frameAt(request.time);
    const std::int64_t until = decoded ? frameEnd(*reader_, decoded.value.time) : 0;
    lock.lock();
    if (!decoded || !decoded.value.image) {  // keep the last good frame
        ++stats_.dropped;
        aheadBlocked_ = true;
        return;
    }
    if (request.number < shownNumber_) {  // a newer request was served from the queue meanwhile
        ++stats_.dropped;
        return;
    }
    queue_.clear();  // the frames ahead now follow this one
    queue_[decoded.value.time] = Queued{until, decoded.value};
    publish(decoded.value, request.number);
}

bool FrameFeed::wantsAhead() const {
    return playing_ && !aheadBlocked_ && !queue_.empty() && static_cast<int>(queue_.size()) <= kAheadFrames;
}

void FrameFeed::decodeAhead(std::unique_lock<std::mutex>& lock) {
    const std::int64_t from = queue_.rbegin()->first;
    const std::int64_t next = reader_->stepTime(from, 1);
    if (next <= from) {
        aheadBlocked_ = true;  // the last frame
        return;
    }
    lock.unlock();
    auto decoded = reader_->frameAt(next);
    const std::int64_t until = decoded ? frameEnd(*reader_, decoded.value.time) : 0;
    lock.lock();
    if (!decoded || !decoded.value.image || decoded.value.time <= from) {
        aheadBlocked_ = true;  // damaged or no later frame: wait for the next request
        return;
    }
    if (queue_.empty() || queue_.rbegin()->first != from) return;  // the queue moved on meanwhile
    queue_.rbegin()->second.until = decoded.value.time;
    queue_[decoded.value.time] = Queued{until, decoded.value};
    if (pending_ && serveFromQueue(pending_->time, pending_->number)) pending_.reset();
}

void FrameFeed::notifyFrame(std::unique_lock<std::mutex>& lock) {
    frameChanged_ = false;
    const std::function<void()> callback = onFrame_;
    if (!callback) return;
    lock.unlock();
    callback();
    lock.lock();
}

void FrameFeed::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || frameChanged_ || pending_ || wantsAhead(); });
        if (stopping_) return;
        if (frameChanged_) {
            notifyFrame(lock);
        } else if (pending_) {
            const Request request = *pending_;
            pending_.reset();
            decodeRequest(lock, request);
        } else {
            decodeAhead(lock);
        }
    }
}

}  // namespace rw::media
