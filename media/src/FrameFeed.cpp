// The feed's thread: requests first, then frames ahead while playing. The
// reader is touched by this thread only; everything else under mutex_.

#include "media/FrameFeed.h"

#include <climits>

namespace rw::media {

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
        warmDone_ = false;
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

void FrameFeed::setPictureBox(int width, int height) {
    {
        std::lock_guard lock(mutex_);
        box_ = std::make_pair(width, height);
        queue_.clear();  // made at the old size
    }
    wake_.notify_one();
}

bool FrameFeed::serveFromQueue(std::int64_t time, std::uint64_t number) {
    auto it = queue_.upper_bound(time);
    if (it == queue_.begin()) return false;
    --it;
    if (time >= it->second.until || !it->second.known) return false;
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
    queue_[decoded.value.time] = Queued{INT64_MAX, false, decoded.value};
    publish(decoded.value, request.number);
}

bool FrameFeed::wantsAhead() const {
    return playing_ && !aheadBlocked_ && !queue_.empty() && static_cast<int>(queue_.size()) <= kAheadFrames;
}

void FrameFeed::decodeAhead(std::unique_lock<std::mutex>& lock) {
    const std::int64_t from = queue_.rbegin()->first;
    lock.unlock();
    auto decoded = reader_->frameAfter(from);
    lock.lock();
    if (!decoded || !decoded.value.image) {
        aheadBlocked_ = true;  // damaged: wait for the next request
        return;
    }
    if (queue_.empty() || queue_.rbegin()->first != from) return;  // the queue moved on meanwhile
    Queued& last = queue_.rbegin()->second;
    last.known = true;
    if (decoded.value.time <= from) {  // the movie's last frame
        last.until = INT64_MAX;
        aheadBlocked_ = true;
    } else {
        last.until = decoded.value.time;
        queue_[decoded.value.time] = Queued{INT64_MAX, false, decoded.value};
    }
    if (pending_ && serveFromQueue(pending_->time, pending_->number)) pending_.reset();
}

bool FrameFeed::wantsWarm() const { return !playing_ && !pending_ && !warmDone_ && shownNumber_ > 0; }

// Asked between frames while warming: stop for anything but a request the
// warming itself is about to answer.
bool FrameFeed::warmInterrupted() {
    std::lock_guard lock(mutex_);
    if (stopping_ || playing_ || box_) return true;
    return pending_ && (reader_->hasPicture(pending_->time) || !reader_->isFilling(pending_->time));
}

void FrameFeed::warm(std::unique_lock<std::mutex>& lock) {
    const std::int64_t around = playTime_;
    lock.unlock();
    const bool more = reader_->warm(around, [this] { return warmInterrupted(); });
    lock.lock();
    if (!more && around == playTime_) warmDone_ = true;
}

// The shown frame stays until the next request.
void FrameFeed::applyBox(std::unique_lock<std::mutex>& lock) {
    const auto [width, height] = *box_;
    box_.reset();
    lock.unlock();
    reader_->setPictureBox(width, height);
    lock.lock();
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
        wake_.wait(lock, [this] {
            return stopping_ || frameChanged_ || box_ || pending_ || wantsAhead() || wantsWarm();
        });
        if (stopping_) return;
        if (frameChanged_) {
            notifyFrame(lock);
        } else if (box_) {
            applyBox(lock);
        } else if (pending_) {
            const Request request = *pending_;
            pending_.reset();
            decodeRequest(lock, request);
        } else if (wantsAhead()) {
            decodeAhead(lock);
        } else {
            warm(lock);
        }
    }
}

}  // namespace rw::media
