// Frame-exact decoding: seek to the key frame before a time, decode forward in
// presentation order, keep the run of decoded frames for nearby requests.

#include "ReaderImpl.h"

#include <algorithm>

namespace rw::media {

namespace {

// Packets read for one request at most: a damaged file never keeps a request busy.
constexpr int kPacketBudget = 20000;
// Frames before the target that are decoded in full: more than any reordering spans.
constexpr int kFullDecodeFrames = 8;

}  // namespace

FramePtr MovieReader::Impl::decodeNext() {
    FramePtr frame = makeFrame();
    for (int budget = kPacketBudget; budget > 0; --budget) {
        int rc = avcodec_receive_frame(decoder.get(), frame.get());
        if (rc == 0) return frame;
        if (rc == AVERROR_EOF) break;
        if (rc != AVERROR(EAGAIN)) lastError = avError(rc);  // a damaged frame: go on with the next
        if (draining) break;
        rc = av_read_frame(format.get(), packet.get());
        if (rc < 0) {
            draining = true;
            avcodec_send_packet(decoder.get(), nullptr);
            continue;
        }
        if (packet->stream_index == stream) {
            noteSent(*packet);
            rc = avcodec_send_packet(decoder.get(), packet.get());
            if (rc < 0 && rc != AVERROR(EAGAIN)) lastError = avError(rc);
        }
        av_packet_unref(packet.get());
    }
    exhausted = true;
    return nullptr;
}

void MovieReader::Impl::startSkipping(std::int64_t targetTime) {
    const std::int64_t margin = info.frames.frameStart(kFullDecodeFrames) / unit + 1;
    skipUntil = firstPts + targetTime / unit - margin;
    sentWhileSkipping = INT64_MIN;
    skipping = true;
    trustFrom = INT64_MAX;
    decoder->skip_frame = AVDISCARD_NONREF;
}

void MovieReader::Impl::stopSkipping(std::int64_t trustTime) {
    skipping = false;
    trustFrom = trustTime;
    decoder->skip_frame = AVDISCARD_DEFAULT;
}

// Every frame shown from the last skipping packet's time on was decoded: the
// packets of later frames all came after skipping stopped.
void MovieReader::Impl::noteSent(const AVPacket& p) {
    if (!skipping) return;
    const std::int64_t ts = p.pts != AV_NOPTS_VALUE ? p.pts : p.dts;
    if (ts == AV_NOPTS_VALUE) return stopSkipping(INT64_MAX);  // cannot tell: trust nothing, seek again
    if (ts >= skipUntil) {
        const std::int64_t last = std::max(sentWhileSkipping, firstPts);
        return stopSkipping(sentWhileSkipping == INT64_MIN ? INT64_MIN : (last - firstPts) * unit);
    }
    sentWhileSkipping = std::max(sentWhileSkipping, ts);
}

std::int64_t MovieReader::Impl::movieTime(const AVFrame& frame, std::int64_t fallback) const {
    const std::int64_t pts = frame.best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) return fallback;
    return (pts - firstPts) * unit;
}

void MovieReader::Impl::append(std::int64_t time, FramePtr frame) {
    if (time < trustFrom) return;
    if (!run.empty() && time <= run.rbegin()->first) return;  // out of order: a damaged stream
    run.emplace(time, CachedFrame{std::move(frame), nullptr});
    while (static_cast<int>(run.size()) > options.cacheFrames) run.erase(run.begin());
}

// Decodes on until a frame starts after `time` or the movie ends. False when
// nothing at all could be decoded.
bool MovieReader::Impl::extendRunTo(std::int64_t time) {
    while (!exhausted && (run.empty() || run.rbegin()->first <= time)) {
        const std::int64_t guess = run.empty() ? time : info.frames.nextFrameTime(run.rbegin()->first);
        FramePtr next = decodeNext();
        if (!next) break;
        const std::int64_t shown = movieTime(*next, guess);
        append(shown, std::move(next));
    }
    return !run.empty();
}

// Seeks to a key frame whose first decoded picture is not later than `time`,
// stepping back further when the demuxer's key frame shows later (decode
// order differs from presentation order) and, last, from the very start.
bool MovieReader::Impl::seekBefore(std::int64_t time, bool fastForward) {
    const AVStream* st = format->streams[stream];
    const std::int64_t ticksPerSecond = std::max<std::int64_t>(1, st->time_base.den / unit);
    std::int64_t target = firstPts + time / unit;
    for (int attempt = 0; attempt < 4; ++attempt) {
        run.clear();
        avcodec_flush_buffers(decoder.get());
        draining = exhausted = false;
        if (fastForward) startSkipping(time);
        else stopSkipping(INT64_MIN);
        const bool fromStart = attempt == 3 || target <= firstPts;
        const int rc = fromStart ? avformat_seek_file(format.get(), stream, INT64_MIN, firstPts, firstPts, 0)
                                 : av_seek_frame(format.get(), stream, target, AVSEEK_FLAG_BACKWARD);
        if (rc < 0) {
            lastError = avError(rc);
            target = firstPts;
            continue;
        }
        FramePtr first = decodeNext();
        if (!first) {
            target -= ticksPerSecond << attempt;
            continue;
        }
        const std::int64_t shown = movieTime(*first, time);
        append(shown, std::move(first));
        if (shown <= time || fromStart) return true;
        target -= ticksPerSecond << attempt;
    }
    return !run.empty();
}

Outcome<Frame> MovieReader::Impl::frameFromRun(std::int64_t time) {
    if (run.empty()) return Outcome<Frame>::failure("no picture can be decoded here" +
                                                    (lastError.empty() ? std::string() : " (" + lastError + ")"));
    auto it = run.upper_bound(time);
    if (it != run.begin()) --it;  // the frame at or before time; else the first one after it
    CachedFrame& cached = it->second;
    if (!cached.rgb) cached.rgb = toRgb(*cached.decoded);
    if (!cached.rgb) return Outcome<Frame>::failure("a picture could not be converted");
    return Outcome<Frame>{Frame{cached.rgb, it->first, info.frames.nearestFrame(it->first)}, {}};
}

Outcome<Frame> MovieReader::frameAt(std::int64_t time) {
    Impl& m = *impl_;
    const std::int64_t end = m.info.duration > 0 ? m.info.duration - 1 : std::max<std::int64_t>(lastFrameTime(), 0);
    time = std::clamp<std::int64_t>(time, 0, std::max(end, lastFrameTime()));
    const bool inRun = !m.run.empty() && m.run.begin()->first <= time &&
                       (m.run.rbegin()->first > time || m.exhausted);
    if (!inRun) {
        // Just past the run: decoding on is cheaper than a seek.
        const std::int64_t reach =
            m.run.empty() ? -1 : m.info.frames.step(m.run.rbegin()->first, m.options.cacheFrames / 2);
        const bool ahead = !m.run.empty() && m.run.begin()->first <= time && time <= reach;
        if (!ahead) m.seekBefore(time, true);
        m.extendRunTo(time);
        if (!ahead && (m.run.empty() || m.run.begin()->first > time)) {
            m.seekBefore(time, false);  // fast forward left a gap: decode every frame
            m.extendRunTo(time);
        }
    }
    return m.frameFromRun(time);
}

// frameAt leaves the run holding a frame after t, unless the movie ends there.
Outcome<Frame> MovieReader::frameAfter(std::int64_t time) {
    auto at = frameAt(time);
    if (!at) return at;
    const auto next = impl_->run.upper_bound(at.value.time);
    return next == impl_->run.end() ? at : impl_->frameFromRun(next->first);
}

Outcome<Frame> MovieReader::frameNumber(std::int64_t index) { return frameAt(impl_->info.frames.frameStart(index)); }

std::int64_t MovieReader::stepTime(std::int64_t from, int n) const {
    return std::clamp<std::int64_t>(impl_->info.frames.step(from, n), 0, std::max<std::int64_t>(lastFrameTime(), 0));
}

std::int64_t MovieReader::lastFrameTime() const {
    const MovieInfo& info = impl_->info;
    return info.frameCount > 0 ? info.frames.frameStart(info.frameCount - 1) : 0;
}

}  // namespace rw::media
