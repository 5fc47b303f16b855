#pragma once
// One movie instance's pictures, decoded on a thread of its own so that the
// thread showing them never waits for a decoder.
//
// The showing side asks for the frame of a movie time (show) and paints the
// newest frame there is (current). Only the newest request counts: requests
// the thread has not started on are dropped, so a slow decoder drops frames,
// never the clock. While playing, the thread decodes a few frames ahead of
// the asked time into a short queue, and show() answers from that queue at
// once.
//
//   show(t) ──► queued frame holds t?  yes: current = it (at once)
//                                      no:  pending = t ──► thread: frameAt(t)
//   thread, idle and playing: frames after the newest one ──► queue
//   thread, idle and stopped: the reader warms the frames around t, so that
//                             steps either way are answered from its cache

#include "media/MovieReader.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace rw::media {

class FrameFeed {
public:
    static Outcome<std::unique_ptr<FrameFeed>> open(const std::string& path, const ReaderOptions& options = {});
    explicit FrameFeed(std::unique_ptr<MovieReader> reader);
    ~FrameFeed();  // stops and joins the thread
    FrameFeed(const FrameFeed&) = delete;
    FrameFeed& operator=(const FrameFeed&) = delete;

    const MovieInfo& info() const { return info_; }

    // Ask for the frame shown at movie time t; returns at once. A frame
    // already in the queue becomes current() before this returns.
    void show(std::int64_t time, bool playing = false);
    // The newest frame decoded for a request; an empty Frame before the first.
    Frame current() const;
    // Called on the feed's thread each time current() changes; may be empty.
    // For a frame show() took from the queue it comes when the thread is next
    // free (after the frame it is decoding): a view that paints on its own
    // tick can paint current() right after show().
    void setOnFrame(std::function<void()> callback);

    struct Stats {
        std::int64_t requests = 0, served = 0, dropped = 0;  // dropped: requests never shown
    };
    Stats stats() const;
    // Frames decoded and waiting in the queue (the shown one included).
    int queued() const;
    // The size of the place the pictures are shown in (see ReaderOptions);
    // 0 by 0 for the movie's own size.
    void setPictureBox(int width, int height);

    static constexpr int kAheadFrames = 6;  // the queue while playing: a quarter second at 24 fps

private:
    // A decoded frame; it answers requests once the frame after it is
    // decoded too (or it is known to be the last), as only that tells where
    // it ends.
    struct Queued {
        std::int64_t until = 0;  // the start of the next frame
        bool known = false;
        Frame frame;
    };
    struct Request {
        std::int64_t time = 0;
        std::uint64_t number = 0;
    };

    void run();
    bool serveFromQueue(std::int64_t time, std::uint64_t number);  // with mutex_ held
    void publish(const Frame& frame, std::uint64_t number);         // with mutex_ held
    void decodeRequest(std::unique_lock<std::mutex>& lock, Request request);
    void decodeAhead(std::unique_lock<std::mutex>& lock);
    bool wantsAhead() const;  // with mutex_ held
    bool wantsWarm() const;   // with mutex_ held
    void warm(std::unique_lock<std::mutex>& lock);
    bool warmInterrupted();
    void applyBox(std::unique_lock<std::mutex>& lock);
    void notifyFrame(std::unique_lock<std::mutex>& lock);

    std::unique_ptr<MovieReader> reader_;  // used on the feed's thread only
    const MovieInfo info_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    std::uint64_t requestNumber_ = 0;  // of the newest request
    std::uint64_t shownNumber_ = 0;    // of the request current_ answers
    std::int64_t playTime_ = 0;        // the newest asked time
    bool playing_ = false;
    bool aheadBlocked_ = false;        // the movie ended or failed ahead: wait for a request
    bool frameChanged_ = false;        // current_ changed since the callback last ran
    bool warmDone_ = true;             // nothing more to warm around playTime_
    std::optional<std::pair<int, int>> box_;  // a new picture box for the thread to apply
    bool stopping_ = false;
    Frame current_;
    std::map<std::int64_t, Queued> queue_;  // by frame start
    std::function<void()> onFrame_;
    Stats stats_;

    std::thread thread_;  // last: started once everything above exists
};

}  // namespace rw::media
