// Frame-exact decoding: seek to the key frame before a time, decode forward in
// presentation order, keep the run of decoded frames for nearby requests and
// the pictures made from them for going back.

#include "ReaderImpl.h"

#include <algorithm>

namespace rw::media {

namespace {

// Frames before the target that are decoded in full: more than any reordering spans.
constexpr int kFullDecodeFrames = 8;
// A request this far before the last one (seconds) steps or scrubs back:
// the frames on the way are kept.
constexpr int kBackSeconds = 10;
// warm(): frames made ready ahead of the position, and how close behind it
// the kept frames may begin before the group of pictures before is decoded.
constexpr int kWarmAhead = 12;
constexpr int kWarmBehindSeconds = 2;

}  // namespace

Outcome<FramePtr> MovieReader::Impl::decodeNext() {
    FramePtr frame = makeFrame();
    const Outcome<bool> decoded = next(*frame, [this](const AVPacket& p) { noteSent(p); });
    if (decoded.value) return Outcome<FramePtr>::success(std::move(frame));
    exhausted = true;
    return decoded ? Outcome<FramePtr>::success(nullptr) : Outcome<FramePtr>::failure(decoded.error);
}

void MovieReader::Impl::startSkipping(std::int64_t targetTime) {
    const std::int64_t margin = info.frames.frameStart(kFullDecodeFrames) / unit + 1;
    skipUntil = streamTicks(targetTime) - margin;
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
        return stopSkipping(sentWhileSkipping == INT64_MIN ? INT64_MIN : movieTime(std::max(sentWhileSkipping, firstPts)));
    }
    sentWhileSkipping = std::max(sentWhileSkipping, ts);
}

std::int64_t MovieReader::Impl::frameTime(const AVFrame& frame, std::int64_t fallback) const {
    const std::int64_t pts = frame.best_effort_timestamp;
    return pts == AV_NOPTS_VALUE ? fallback : movieTime(pts);
}

// A picture the decoder had to patch (a reference missing) is no frame of
// the movie: it is left out, and the frame before stands for it.
void MovieReader::Impl::append(std::int64_t time, FramePtr frame) {
    if (time < trustFrom || (frame->flags & AV_FRAME_FLAG_CORRUPT) || frame->decode_error_flags) return;
    if (!run.empty() && time <= run.rbegin()->first) return;  // out of order: a damaged stream
    run.emplace(time, CachedFrame{std::move(frame), nullptr});
    if (keeping && run.size() > 1) keep(std::prev(run.end(), 2));
    while (static_cast<int>(run.size()) > options.cacheFrames) run.erase(run.begin());
}

// A run frame becomes a kept picture once its end is known.
void MovieReader::Impl::keep(std::map<std::int64_t, CachedFrame>::iterator it) {
    const auto next = std::next(it);
    if (next == run.end() && !exhausted) return;
    const std::int64_t end = next != run.end() ? next->first : std::max(info.duration, it->first + 1);
    if (it->first < keepFrom || pictures.find(it->first) || !pictures.wouldKeep(it->first)) return;
    if (!it->second.rgb) it->second.rgb = toRgb(*it->second.decoded);
    pictures.put(it->first, end, it->second.rgb);
}

// Decodes on until a frame starts after `time` or the movie ends.
Outcome<> MovieReader::Impl::extendRunTo(std::int64_t time) {
    Outcome<> decoding = Outcome<>::success();
    while (!exhausted && (run.empty() || run.rbegin()->first <= time)) {
        if (interrupted && interrupted()) break;
        const std::int64_t guess = run.empty() ? time : info.frames.nextFrameTime(run.rbegin()->first);
        Outcome<FramePtr> next = decodeNext();
        if (!next.value) {
            if (!next) decoding = Outcome<>::failure(next.error);
            break;
        }
        const std::int64_t shown = frameTime(*next.value, guess);
        append(shown, std::move(next.value));
    }
    if (keeping && exhausted && !run.empty()) keep(std::prev(run.end()));
    return decoding;
}

// Transport and program streams are read from their first byte: a seek by
// time resumes after the first key frame's packet has begun.
Outcome<> MovieReader::Impl::seekTo(std::int64_t ticks, bool fromStart) {
    run.clear();
    restart();
    exhausted = false;
    int rc;
    if (fromStart && (format->iformat->flags & AVFMT_TS_DISCONT))
        rc = avformat_seek_file(format.get(), -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BYTE);
    else if (fromStart)
        rc = avformat_seek_file(format.get(), stream, INT64_MIN, firstPts, firstPts, 0);
    else
        rc = av_seek_frame(format.get(), stream, ticks, AVSEEK_FLAG_BACKWARD);
    return rc < 0 ? Outcome<>::failure(avError(rc)) : Outcome<>::success();
}

// Seeks to a key frame whose first decoded picture is not later than `time`,
// stepping back further when the demuxer's key frame shows later (decode
// order differs from presentation order, or the seek lost the key frame)
// and, last, from the very start.
Outcome<> MovieReader::Impl::seekBefore(std::int64_t time, bool fastForward, std::int64_t decodeFrom) {
    const AVStream* st = format->streams[stream];
    const std::int64_t ticksPerSecond = std::max<std::int64_t>(1, st->time_base.den / unit);
    std::int64_t target = streamTicks(time);
    Outcome<> last = Outcome<>::success();
    for (int attempt = 0; attempt < 4; ++attempt) {
        const bool fromStart = attempt == 3 || target <= firstPts;
        last = seekTo(target, fromStart);
        if (fastForward) startSkipping(std::min(time, decodeFrom));
        else stopSkipping(INT64_MIN);
        if (!last) {
            target = firstPts;
            continue;
        }
        Outcome<FramePtr> first = decodeNext();
        if (!first) last = Outcome<>::failure(first.error);
        const bool decoded = first.value != nullptr;
        const std::int64_t shown = decoded ? frameTime(*first.value, time) : INT64_MAX;
        if (decoded) append(shown, std::move(first.value));
        if (shown <= time || (fromStart && decoded)) return last;
        target = std::max(target - (ticksPerSecond << attempt), firstPts);
    }
    return last;
}

// Keeping the frames up to `time`: as many before it as the budget holds.
void MovieReader::Impl::keepBackTo(std::int64_t time) {
    const auto [width, height] = pictureSize(info.width, info.height);
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 + sizeof(Image);
    const auto fit = static_cast<std::int64_t>(options.cacheBytes / bytes);
    keeping = true;
    keepFrom = info.frames.frameStart(info.frames.frameIndexAt(time) - fit + 1);
}

Frame MovieReader::Impl::frameOf(std::int64_t time, std::shared_ptr<const Image> image) const {
    return Frame{std::move(image), time, info.frames.nearestFrame(time), {}};
}

// The frame at or before `time` in the run (else the first after it), with a
// note when it is not the one asked for.
Outcome<FrameSpan> MovieReader::Impl::frameFromRun(std::int64_t time, const Outcome<>& decoding) {
    if (run.empty())
        return Outcome<FrameSpan>::failure("no picture can be decoded here" +
                                           (decoding ? std::string() : " (" + decoding.error + ")"));
    auto it = run.upper_bound(time);
    if (it != run.begin()) --it;
    CachedFrame& cached = it->second;
    if (!cached.rgb) cached.rgb = toRgb(*cached.decoded);
    if (!cached.rgb) return Outcome<FrameSpan>::failure("a picture could not be converted");
    const auto next = std::next(it);
    const bool last = next == run.end() && exhausted;
    const std::int64_t end = next != run.end() ? next->first : last ? std::max(info.duration, it->first + 1) : -1;
    if (end > it->first) pictures.put(it->first, end, cached.rgb);
    FrameSpan span{frameOf(it->first, cached.rgb), end};
    // Frames missing around it: before it, between it and the next, or after the last.
    const std::int64_t asked = info.frames.frameIndexAt(time), index = span.frame.index;
    const bool gap = next != run.end() && info.frames.nearestFrame(next->first) > index + 1 && asked > index;
    const std::string shown = "frame " + std::to_string(index);
    if (it->first > time || gap)
        span.frame.note = "frame " + std::to_string(asked) + " cannot be decoded; showing " + shown;
    else if (last && asked > index)
        span.frame.note = "the file's pictures end at " + shown + " (it is cut short or damaged)";
    return Outcome<FrameSpan>{std::move(span), {}};
}

Outcome<FrameSpan> MovieReader::Impl::spanAt(std::int64_t time) {
    const std::int64_t lastAsked = pictures.focus();
    pictures.setFocus(time);
    if (const Pictures::Item* kept = pictures.find(time))
        return Outcome<FrameSpan>{FrameSpan{frameOf(kept->first, kept->second.image), kept->second.end}, {}};
    const bool inRun = !run.empty() && run.begin()->first <= time && (run.rbegin()->first > time || exhausted);
    Outcome<> decoding = Outcome<>::success();  // the last seek or decode of this request that failed
    const auto note = [&decoding](Outcome<> step) {
        if (!step) decoding = std::move(step);
    };
    if (!inRun) {
        // Just past the run: decoding on is cheaper than a seek.
        const std::int64_t reach = run.empty() ? -1 : info.frames.step(run.rbegin()->first, options.cacheFrames / 2);
        const bool ahead = !run.empty() && run.begin()->first <= time && time <= reach;
        const bool back = time < lastAsked && lastAsked - time <= kBackSeconds * info.timeScale;
        if (back) keepBackTo(time);
        if (!ahead) note(seekBefore(time, true, back ? keepFrom : INT64_MAX));
        note(extendRunTo(time));
        if (!ahead && (run.empty() || run.begin()->first > time)) {
            note(seekBefore(time, false));  // fast forward left a gap: decode every frame
            note(extendRunTo(time));
        }
        keeping = false;
    }
    return frameFromRun(time, decoding);
}

// Makes the frames from `from` (decoding on from the run when it reaches
// there, else from the key frame before) up to `to`, keeping each; going
// backward, as many before `to` as will be kept.
void MovieReader::Impl::fill(std::int64_t from, std::int64_t to, bool backward) {
    keepBackTo(to);
    fillFrom = backward ? std::max(keepFrom, std::int64_t{0}) : from;
    fillTo = to;
    const bool onRun = !run.empty() && run.begin()->first <= from && run.rbegin()->first >= info.frames.step(from, -1);
    if (!onRun) seekBefore(from, true, backward ? keepFrom : INT64_MAX);
    for (auto it = run.begin(); it != run.end(); ++it) keep(it);
    extendRunTo(to);
    keeping = false;
    fillTo = -1;
}

Outcome<Frame> MovieReader::frameAt(std::int64_t time) {
    Impl& m = *impl_;
    time = std::clamp<std::int64_t>(time, 0, std::max<std::int64_t>(m.info.duration - 1, lastFrameTime()));
    auto span = m.spanAt(time);
    if (!span) return Outcome<Frame>::failure(span.error);
    return Outcome<Frame>{std::move(span.value.frame), {}};
}

Outcome<Frame> MovieReader::frameAfter(std::int64_t time) {
    Impl& m = *impl_;
    auto at = m.spanAt(std::clamp<std::int64_t>(time, 0, std::max<std::int64_t>(m.info.duration - 1, lastFrameTime())));
    if (!at) return Outcome<Frame>::failure(at.error);
    if (at.value.end <= at.value.frame.time || at.value.end >= std::max(m.info.duration, at.value.frame.time + 1))
        return Outcome<Frame>{std::move(at.value.frame), {}};
    return frameAt(at.value.end);
}

Outcome<Frame> MovieReader::frameNumber(std::int64_t index) { return frameAt(impl_->info.frames.frameStart(index)); }

std::int64_t MovieReader::stepTime(std::int64_t from, int n) const {
    return std::clamp<std::int64_t>(impl_->info.frames.step(from, n), 0, std::max<std::int64_t>(lastFrameTime(), 0));
}

std::int64_t MovieReader::lastFrameTime() const {
    const MovieInfo& info = impl_->info;
    return info.frameCount > 0 ? info.frames.frameStart(info.frameCount - 1) : 0;
}

void MovieReader::setPictureBox(int width, int height) {
    Impl& m = *impl_;
    if (width == m.options.pictureWidth && height == m.options.pictureHeight) return;
    m.options.pictureWidth = width;
    m.options.pictureHeight = height;
    m.pictures.clear();
    for (auto& [time, cached] : m.run) cached.rgb.reset();
}

bool MovieReader::hasPicture(std::int64_t time) const { return impl_->pictures.find(time) != nullptr; }

bool MovieReader::isFilling(std::int64_t time) const {
    return impl_->fillFrom <= time && time < impl_->fillTo;
}

// Ahead first (cheap, and the next step forward wants it), then the group
// of pictures before the kept ones, while they begin close behind and there
// is room to keep what it makes.
bool MovieReader::warm(std::int64_t position, const std::function<bool()>& interrupted) {
    Impl& m = *impl_;
    const FrameGrid& grid = m.info.frames;
    const auto [first, end] = m.pictures.runAround(position);
    if (!grid.valid() || first == end) return false;
    const std::int64_t k = grid.frameIndexAt(position);
    const std::int64_t behind = std::max<std::int64_t>(kWarmAhead, kWarmBehindSeconds * static_cast<std::int64_t>(m.info.rate));
    m.interrupted = interrupted;
    if (end < m.info.duration && grid.frameIndexAt(end) - k < kWarmAhead) {
        m.fill(end, grid.frameStart(k + kWarmAhead), false);
    } else if (first > 0 && k - grid.frameIndexAt(first) < behind && m.pictures.wouldKeep(grid.step(first, -1))) {
        m.fill(grid.step(first, -1), first, true);
    }
    m.interrupted = nullptr;
    return m.pictures.runAround(position) != std::make_pair(first, end);
}

}  // namespace rw::media
