// Which frames a movie shows and when, as a player shows them: an edit
// list's hidden frames left out, a file cut short counted to its last whole
// frame, a variable rate given each frame's own start. The container's index
// answers for QuickTime, MP4 and AVI; the end of the file is read to check
// it, and to check any other container's claims; a variable rate without an
// index is read packet by packet.

#include "ReaderImpl.h"

#include "movies/MovieRate.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <set>

namespace rw::media {

namespace {

constexpr double kLongestHours = 1000;      // longer than this, a length is a damaged number
constexpr int kTailPackets = 5000;          // a tail that is not read by then is left as claimed
constexpr std::int64_t kTailBytes = 4 << 20;  // of a transport stream, decoded to check its end
constexpr std::int64_t kScanPackets = 2'000'000;
constexpr std::int64_t kScanBytes = std::int64_t{8} << 30;

using Wide = __int128;
Wide wide(std::int64_t v) { return v; }
// Far beyond any movie, yet nothing overflows when it is added or scaled once more.
std::int64_t saturate(Wide v) { return static_cast<std::int64_t>(std::clamp<Wide>(v, -(Wide{1} << 62), Wide{1} << 62)); }

bool isMpegVideo(AVCodecID id) { return id == AV_CODEC_ID_MPEG1VIDEO || id == AV_CODEC_ID_MPEG2VIDEO; }

std::int64_t claimedTicks(const AVFormatContext& fmt, const AVStream& st) {
    if (st.duration > 0 && st.duration != AV_NOPTS_VALUE) return st.duration;
    if (fmt.duration > 0 && fmt.duration != AV_NOPTS_VALUE)
        return av_rescale_q(fmt.duration, AV_TIME_BASE_Q, st.time_base);
    return 0;
}

// The shown frames by the container's index, when it lists every frame.
struct IndexFrames {
    std::vector<std::int64_t> shownTicks;  // decode times of the frames shown, in decode order
    bool even = true;                      // all frames, hidden ones too, one interval apart
    std::int64_t spanTicks = 0;            // from the first frame's decode time to the last's
    std::int64_t intervals = 0;
    std::int64_t cutKeyTicks = AV_NOPTS_VALUE;  // the key frame before the first frame not all in the file
};

std::optional<IndexFrames> indexFrames(AVFormatContext& fmt, AVStream& st) {
    const int count = avformat_index_get_entries_count(&st);
    if (count <= 0 || st.nb_frames <= 0 || count < st.nb_frames) return std::nullopt;
    const std::int64_t fileSize = fmt.pb ? avio_size(fmt.pb) : -1;
    IndexFrames out;
    std::vector<std::int64_t> all;  // every frame's decode time, hidden ones too
    std::int64_t key = AV_NOPTS_VALUE;
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* e = avformat_index_get_entry(&st, i);
        if (fileSize > 0 && wide(e->pos) + e->size > fileSize) {
            out.cutKeyTicks = key;
            break;
        }
        if (e->flags & AVINDEX_KEYFRAME) key = e->timestamp;
        if (!(e->flags & AVINDEX_DISCARD_FRAME)) out.shownTicks.push_back(e->timestamp);
        all.push_back(e->timestamp);
    }
    if (out.shownTicks.empty()) return std::nullopt;
    // Even when every time lies within a tick of the average interval's (rounded times wander).
    out.intervals = static_cast<std::int64_t>(all.size()) - 1;
    out.spanTicks = saturate(wide(all.back()) - all.front());
    for (std::size_t i = 1; i + 1 < all.size() && out.even; ++i) {
        const Wide off = (wide(all[i]) - all.front()) * out.intervals - wide(out.spanTicks) * static_cast<std::int64_t>(i);
        out.even = off <= out.intervals && off >= -out.intervals;
    }
    return out;
}

// A grid of `count` frames, one interval of `spanUnits / intervals` each.
FrameGrid evenGrid(std::int64_t spanUnits, std::int64_t intervals, std::int64_t count) {
    FrameGrid g;
    const std::int64_t d = std::gcd(spanUnits, intervals);
    g.lengthNum = spanUnits / d;
    g.lengthDen = intervals / d;
    g.duration = g.frameStart(count);
    return g;
}

FrameGrid rateGrid(const AVStream& st, std::int64_t timeScale, std::int64_t duration) {
    const AVRational r = isMpegVideo(st.codecpar->codec_id) || st.avg_frame_rate.num <= 0 ? st.r_frame_rate
                                                                                          : st.avg_frame_rate;
    FrameGrid g = FrameGrid::fromRate(r.num, r.den, timeScale, duration);
    g.duration = g.frameStart(g.frameCount());
    return g;
}

// The times of the whole packets of the video stream from the current
// position on, up to `packets` of them; empty when the file does not end by then.
std::optional<std::vector<std::int64_t>> packetTimes(MovieReader::Impl& m, std::int64_t packets, std::int64_t bytes,
                                                     std::int64_t* firstKey = nullptr) {
    std::vector<std::int64_t> times;
    const PacketPtr packet = makePacket();
    AVPacket* p = packet.get();
    for (std::int64_t read = 0; av_read_frame(m.format.get(), p) >= 0; av_packet_unref(p)) {
        if (++read > packets || (m.format->pb && avio_tell(m.format->pb) > bytes)) {
            av_packet_unref(p);
            return std::nullopt;
        }
        const std::int64_t ts = p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
        if (p->stream_index != m.stream || ts == AV_NOPTS_VALUE) continue;
        if (p->flags & (AV_PKT_FLAG_CORRUPT | AV_PKT_FLAG_DISCARD)) continue;
        times.push_back(m.movieTime(ts));
        if (firstKey && *firstKey == INT64_MAX && (p->flags & AV_PKT_FLAG_KEY)) *firstKey = times.back();
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

// The frames really in the file from the key frame before `from` on, as
// indices on `grid`: the count is where the first one is missing. Also
// whether the times read keep to the grid at all.
struct Tail {
    std::int64_t count = 0;
    bool onGrid = true;
};

// Transport and program streams do not say how long a packet is, so a
// packet cut short at the end looks whole: their tail is decoded, from
// some way before the end.
std::optional<std::vector<std::int64_t>> decodedTimes(MovieReader::Impl& m, std::int64_t* firstKey) {
    const std::int64_t size = m.format->pb ? avio_size(m.format->pb) : -1;
    const std::int64_t from = std::max<std::int64_t>(0, size - std::max<std::int64_t>(kTailBytes, size / 16));
    if (size <= 0 || avformat_seek_file(m.format.get(), -1, INT64_MIN, from, from, AVSEEK_FLAG_BYTE) < 0)
        return std::nullopt;
    m.restart();
    m.exhausted = false;
    m.stopSkipping(INT64_MIN);
    std::vector<std::int64_t> times;
    for (int n = 0; n < kTailPackets; ++n) {
        const FramePtr f = m.decodeNext().value;
        if (!f) return times;
        if ((f->flags & AV_FRAME_FLAG_CORRUPT) || f->decode_error_flags || f->best_effort_timestamp == AV_NOPTS_VALUE)
            continue;
        times.push_back(m.movieTime(f->best_effort_timestamp));
        if (*firstKey == INT64_MAX && f->key_frame) *firstKey = times.back();
    }
    return std::nullopt;
}

std::optional<Tail> readTail(MovieReader::Impl& m, const FrameGrid& grid, std::int64_t fromTicks) {
    std::int64_t key = INT64_MAX;
    std::optional<std::vector<std::int64_t>> times;
    if (m.format->iformat->flags & AVFMT_TS_DISCONT) times = decodedTimes(m, &key);
    else if (av_seek_frame(m.format.get(), m.stream, fromTicks, AVSEEK_FLAG_BACKWARD) >= 0)
        times = packetTimes(m, kTailPackets, INT64_MAX, &key);
    if (!times || times->empty()) return std::nullopt;
    Tail tail;
    std::set<std::int64_t> present;
    for (std::int64_t t : *times) {
        const std::int64_t k = grid.nearestFrame(t);
        if (grid.frameStart(k) - t > 2 * m.unit || t - grid.frameStart(k) > 2 * m.unit || !present.insert(k).second)
            tail.onGrid = false;
    }
    // Frames shown before the first key frame read may need earlier packets.
    tail.count = key == INT64_MAX ? *present.begin() : grid.nearestFrame(key);
    while (present.count(tail.count)) ++tail.count;
    return tail;
}

// Every frame's start read packet by packet, for a variable rate the
// container does not index; nothing when the file is too large to read so.
// The last frame ends where the container says, when that is after it and
// no later than two frames on; else an average frame after it.
std::int64_t lastEnd(const std::vector<std::int64_t>& starts, std::int64_t claimed) {
    const std::int64_t last = starts.back();
    const std::int64_t average = std::max<std::int64_t>(1, last / static_cast<std::int64_t>(starts.size() - 1));
    return claimed > last && claimed <= last + 2 * average ? claimed : last + average;
}

std::optional<FrameGrid> scannedGrid(MovieReader::Impl& m, std::int64_t claimed) {
    if (!m.seekTo(m.firstPts, true)) return std::nullopt;
    auto times = packetTimes(m, kScanPackets, kScanBytes);
    if (!times) return std::nullopt;
    times->erase(times->begin(), std::lower_bound(times->begin(), times->end(), 0));
    if (times->size() < 2 || times->front() != 0) return std::nullopt;
    const std::int64_t end = lastEnd(*times, claimed);
    FrameGrid g = FrameGrid::fromStarts(std::move(*times), end);
    if (!g.valid()) return std::nullopt;
    return g;
}

std::string hoursText(double hours) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f hours", hours);
    return buf;
}

// The index's frames on a grid: one interval apart, else each at its own
// time (decode times are presentation times without reordering); nothing
// when only reading the packets tells.
std::optional<FrameGrid> indexGrid(const MovieReader::Impl& m, const IndexFrames& index, std::int64_t claimed) {
    const auto count = static_cast<std::int64_t>(index.shownTicks.size());
    if (index.even && index.intervals > 0 && index.spanTicks > 0)
        return evenGrid(saturate(wide(index.spanTicks) * m.unit), index.intervals, count);
    if (m.format->streams[m.stream]->codecpar->video_delay > 0 || count < 2) return std::nullopt;
    std::vector<std::int64_t> starts;
    for (std::int64_t t : index.shownTicks) starts.push_back(saturate((wide(t) - index.shownTicks.front()) * m.unit));
    std::sort(starts.begin(), starts.end());
    const std::int64_t end = lastEnd(starts, claimed);
    FrameGrid g = FrameGrid::fromStarts(std::move(starts), end);
    if (!g.valid()) return std::nullopt;
    return g;
}

}  // namespace

std::int64_t MovieReader::Impl::movieTime(std::int64_t pts) const { return saturate((wide(pts) - firstPts) * unit); }

std::int64_t MovieReader::Impl::streamTicks(std::int64_t time) const { return saturate(wide(firstPts) + time / unit); }

Outcome<> measureFrames(MovieReader::Impl& m) {
    AVStream& st = *m.format->streams[m.stream];
    MovieInfo& info = m.info;
    const Wide claimed = wide(claimedTicks(*m.format, st)) * m.unit;
    const double hours = static_cast<double>(claimed) / static_cast<double>(info.timeScale) / 3600;
    if (hours > kLongestHours)
        return Outcome<>::failure("its length (" + hoursText(hours) + ") cannot be right: the file is damaged");

    const std::optional<IndexFrames> index = indexFrames(*m.format, st);
    std::optional<FrameGrid> grid = index ? indexGrid(m, *index, static_cast<std::int64_t>(claimed)) : std::nullopt;
    const bool indexed = index.has_value();
    if (!grid) grid = rateGrid(st, info.timeScale, static_cast<std::int64_t>(claimed));
    const bool checkEnd = !indexed || index->cutKeyTicks != AV_NOPTS_VALUE;
    std::optional<Tail> tail;
    if (checkEnd && grid->valid()) {
        const std::int64_t from = indexed && index->cutKeyTicks != AV_NOPTS_VALUE
                                      ? index->cutKeyTicks
                                      : m.streamTicks(grid->frameStart(std::max<std::int64_t>(grid->frameCount() - 1, 0)));
        tail = readTail(m, *grid, from);
    }
    const bool variable = (indexed && !index->even) || (tail && !tail->onGrid);
    if (variable && !grid->variable()) {
        if (auto scanned = scannedGrid(m, static_cast<std::int64_t>(claimed))) grid = std::move(*scanned);
    } else if (tail && !grid->variable() && tail->count > 0) {
        grid->duration = grid->frameStart(indexed ? std::min(tail->count, grid->frameCount()) : tail->count);
    }
    if (static_cast<double>(grid->duration) / static_cast<double>(info.timeScale) / 3600 > kLongestHours)
        return Outcome<>::failure("its frames' times cannot be right: the file is damaged");
    info.frames = *grid;
    info.variableRate = variable;
    info.duration = grid->duration;
    info.frameCount = grid->frameCount();

    FrameRateSource source;
    source.hasVideo = true;
    source.isMpeg = isMpegVideo(st.codecpar->codec_id);
    source.encodedRate = av_q2d(st.r_frame_rate);
    source.sampleCount = info.frameCount;
    source.duration = info.duration;
    source.timeScale = info.timeScale;
    info.rate = staticFrameRate(source);
    return Outcome<>::success();
}

}  // namespace rw::media
