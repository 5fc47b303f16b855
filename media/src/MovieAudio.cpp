// A movie's sound: demux the first audio stream, decode, resample to 16-bit
// interleaved PCM, and line it up with the picture's clock after each seek.

#include "media/MovieAudio.h"

#include "DecodingStream.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <vector>

namespace rw::media {

namespace {

struct SwrFreer {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;

// A first sound further than this from where it was asked for is a damaged
// time stamp, not a gap to fill with silence or to skip.
constexpr double kMaxGapSeconds = 600;
// The rates a sound card plays; a stream claiming another is damaged.
constexpr int kLowestRate = 8000, kHighestRate = 384000;
// Sample frames converted at a time at most; the resampler holds the rest.
constexpr int kMaxChunk = 1 << 14;

bool playableRate(int rate) { return rate >= kLowestRate && rate <= kHighestRate; }

}  // namespace

struct MovieAudio::Impl : DecodingStream {
    FramePtr frame = makeFrame();
    SwrPtr resampler;
    double origin = 0;  // seconds on the file's clock of movie time 0
    int rate = 48000, channels = 2;
    bool finished = false;

    // The resampler's input, to notice a change mid-stream.
    int inRate = 0, inFormat = -1, inChannels = 0;

    std::vector<std::int16_t> buffer;  // converted sound not yet read
    std::size_t readFrom = 0;          // values of buffer already read
    std::int64_t silence = 0;          // sample frames of silence before the buffer
    std::int64_t discard = 0;          // sample frames still to drop
    bool aligning = true;              // the next decoded frame fixes silence or discard
    std::int64_t target = 0;           // sample frames from movie time 0 of the seek
    bool resamplerFull = false;        // the last conversion filled its chunk: more may wait in it

    Outcome<> open(const std::string& path);
    AVFrame* decodeNext();
    bool resamplerFor(const AVFrame& f);
    void align(const AVFrame& f);
    void append(const std::uint8_t** data, int samples);
    bool fill();
};

Outcome<> MovieAudio::Impl::open(const std::string& path) {
    if (Outcome<> file = openFile(path); !file) return file;
    AVFormatContext* raw = format.get();
    stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream < 0) return Outcome<>::failure(path + ": the movie has no sound");
    const int video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video >= 0 && raw->streams[video]->start_time != AV_NOPTS_VALUE)
        origin = static_cast<double>(raw->streams[video]->start_time) * av_q2d(raw->streams[video]->time_base);
    const int sampleRate = raw->streams[stream]->codecpar->sample_rate;
    if (!playableRate(sampleRate))
        return Outcome<>::failure(path + ": its sound's rate (" + std::to_string(sampleRate) +
                                  " Hz) is not one a sound card plays");
    return openDecoder(path, "sound", 1);
}

AVFrame* MovieAudio::Impl::decodeNext() {
    if (!finished && next(*frame).value) return frame.get();
    finished = true;
    return nullptr;
}

bool MovieAudio::Impl::resamplerFor(const AVFrame& f) {
    if (resampler && f.sample_rate == inRate && f.format == inFormat && f.ch_layout.nb_channels == inChannels)
        return true;
    if (!playableRate(f.sample_rate)) return false;
    AVChannelLayout in{}, out{};
    if (f.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&f.ch_layout) == 0)
        av_channel_layout_default(&in, f.ch_layout.nb_channels);
    else
        av_channel_layout_copy(&in, &f.ch_layout);
    av_channel_layout_default(&out, channels);
    SwrContext* raw = nullptr;
    int rc = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, rate, &in, static_cast<AVSampleFormat>(f.format),
                                 f.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    resampler.reset(raw);
    if (rc < 0 || swr_init(raw) < 0) {
        resampler.reset();
        return false;
    }
    inRate = f.sample_rate, inFormat = f.format, inChannels = f.ch_layout.nb_channels;
    return true;
}

// The first frame after a seek: silence up to where it starts, or the part
// of it before the target dropped.
void MovieAudio::Impl::align(const AVFrame& f) {
    aligning = false;
    const std::int64_t pts = f.best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) return;
    const double seconds = static_cast<double>(pts) * av_q2d(format->streams[stream]->time_base) - origin;
    const double targetSeconds = static_cast<double>(target) / rate;
    if (!(std::abs(seconds - targetSeconds) < kMaxGapSeconds)) return;  // a damaged time: play on as it comes
    const std::int64_t starts = std::llround(seconds * rate);
    if (starts > target) silence = starts - target;
    else discard = target - starts;
}

// At most a chunk at a time: a long frame at a low rate waits in the
// resampler rather than in one large buffer.
void MovieAudio::Impl::append(const std::uint8_t** data, int samples) {
    const int room = std::min(swr_get_out_samples(resampler.get(), samples), kMaxChunk);
    resamplerFull = false;
    if (room <= 0) return;
    const std::size_t old = buffer.size();
    buffer.resize(old + static_cast<std::size_t>(room) * channels);
    std::uint8_t* out = reinterpret_cast<std::uint8_t*>(buffer.data() + old);
    const int made = swr_convert(resampler.get(), &out, room, data, samples);
    resamplerFull = made == room;
    buffer.resize(old + static_cast<std::size_t>(std::max(made, 0)) * channels);
    const std::int64_t drop = std::min<std::int64_t>(discard, std::max(made, 0));
    buffer.erase(buffer.begin() + static_cast<std::ptrdiff_t>(old),
                 buffer.begin() + static_cast<std::ptrdiff_t>(old + static_cast<std::size_t>(drop) * channels));
    discard -= drop;
}

// Converts the next decoded frame into the buffer; at the end, what the
// resampler still holds. False when nothing more will come.
bool MovieAudio::Impl::fill() {
    if (resampler && resamplerFull) {
        const std::uint8_t* none[AV_NUM_DATA_POINTERS] = {};
        append(none, 0);
        if (!buffer.empty()) return true;
    }
    while (const AVFrame* f = decodeNext()) {
        if (!resamplerFor(*f)) continue;  // a frame of a layout that cannot be converted
        if (aligning) align(*f);
        append(const_cast<const std::uint8_t**>(f->extended_data), f->nb_samples);
        return true;
    }
    if (!resampler) return false;
    append(nullptr, 0);
    if (!resamplerFull) resampler.reset();
    return !buffer.empty();
}

MovieAudio::MovieAudio(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
MovieAudio::~MovieAudio() = default;

Outcome<std::unique_ptr<MovieAudio>> MovieAudio::open(const std::string& path, int sampleRate, int channels) {
    using Result = Outcome<std::unique_ptr<MovieAudio>>;
    if (sampleRate < 8000 || sampleRate > 384000 || channels < 1 || channels > 8)
        return Result::failure("unsupported sound output: " + std::to_string(sampleRate) + " Hz, " +
                               std::to_string(channels) + " channels");
    if (Outcome<> may = mayBeMovie(path); !may) return Result::failure(may.error);
    auto impl = std::make_unique<Impl>();
    impl->rate = sampleRate;
    impl->channels = channels;
    if (Outcome<> opened = impl->open(path); !opened) return Result::failure(opened.error);
    return Result{std::make_unique<MovieAudio>(std::move(impl)), {}};
}

int MovieAudio::sampleRate() const { return impl_->rate; }
int MovieAudio::channels() const { return impl_->channels; }

Outcome<> MovieAudio::seek(std::int64_t time, std::int64_t timeScale) {
    Impl& a = *impl_;
    if (timeScale <= 0) return Outcome<>::failure("no time scale");
    const AVStream& st = *a.format->streams[a.stream];
    const double seconds = a.origin + static_cast<double>(time) / static_cast<double>(timeScale);
    const double ticks = seconds / av_q2d(st.time_base);
    if (!(std::abs(ticks) < 1e18)) return Outcome<>::failure("no such time in the sound");
    std::int64_t pts = std::llround(ticks);
    if (st.start_time != AV_NOPTS_VALUE) pts = std::max(pts, st.start_time);
    const int rc = av_seek_frame(a.format.get(), a.stream, pts, AVSEEK_FLAG_BACKWARD);
    if (rc < 0) return Outcome<>::failure("the sound cannot be positioned (" + avError(rc) + ")");
    a.restart();
    a.resampler.reset();  // drops what it held from before
    a.resamplerFull = false;
    a.buffer.clear();
    a.readFrom = 0;
    a.silence = a.discard = 0;
    a.aligning = true;
    a.target = av_rescale(time, a.rate, timeScale);
    a.finished = false;
    return Outcome<>::success();
}

std::size_t MovieAudio::read(std::int16_t* out, std::size_t frames) {
    Impl& a = *impl_;
    const auto ch = static_cast<std::size_t>(a.channels);
    std::size_t written = 0;
    while (written < frames) {
        const std::size_t want = frames - written;
        if (a.silence > 0) {
            const std::size_t n = std::min<std::size_t>(want, static_cast<std::size_t>(a.silence));
            std::fill_n(out + written * ch, n * ch, std::int16_t{0});
            a.silence -= static_cast<std::int64_t>(n);
            written += n;
            continue;
        }
        const std::size_t available = (a.buffer.size() - a.readFrom) / ch;
        if (available > 0) {
            const std::size_t n = std::min(want, available);
            std::copy_n(a.buffer.data() + a.readFrom, n * ch, out + written * ch);
            a.readFrom += n * ch;
            written += n;
            continue;
        }
        a.buffer.clear();
        a.readFrom = 0;
        if (!a.fill()) break;
    }
    return written;
}

}  // namespace rw::media
