// What a movie tells about itself: rate, length, size and start timecode.

#include "ReaderImpl.h"

#include "movies/MovieRate.h"

#include <cstdio>

namespace rw::media {

namespace {

constexpr std::uint32_t kTmcd = MKTAG('t', 'm', 'c', 'd');

std::optional<TrackTimecode> parseTimecodeTag(const char* text) {
    TrackTimecode tc;
    char s1 = 0, s2 = 0, s3 = 0;
    if (!text ||
        std::sscanf(text, "%d%c%d%c%d%c%d", &tc.hours, &s1, &tc.minutes, &s2, &tc.seconds, &s3, &tc.frames) != 7)
        return std::nullopt;
    if (s1 != ':' || s2 != ':' || (s3 != ':' && s3 != ';' && s3 != '.' && s3 != ','))
        return std::nullopt;
    return tc;
}

const char* timecodeTag(const AVDictionary* metadata) {
    const AVDictionaryEntry* e = av_dict_get(metadata, "timecode", nullptr, 0);
    return e ? e->value : nullptr;
}

// The last timecode track's timecode, else a timecode tag on the video
// stream, the file or any other stream, as FFmpeg reports them.
void readTimecode(const AVFormatContext& fmt, int video, MovieInfo& info) {
    const char* found = nullptr;
    for (unsigned i = 0; i < fmt.nb_streams; ++i) {
        const AVStream* st = fmt.streams[i];
        if (st->codecpar->codec_tag != kTmcd) continue;
        info.hasTimecodeTrack = true;
        if (const char* t = timecodeTag(st->metadata)) found = t;
    }
    if (!found) found = timecodeTag(fmt.streams[video]->metadata);
    if (!found) found = timecodeTag(fmt.metadata);
    for (unsigned i = 0; !found && i < fmt.nb_streams; ++i) found = timecodeTag(fmt.streams[i]->metadata);
    info.timecode = parseTimecodeTag(found);
}

bool isMpegVideo(AVCodecID id) { return id == AV_CODEC_ID_MPEG1VIDEO || id == AV_CODEC_ID_MPEG2VIDEO; }

std::int64_t streamDuration(const AVFormatContext& fmt, const AVStream& st) {
    if (st.duration > 0 && st.duration != AV_NOPTS_VALUE) return st.duration;
    if (fmt.duration > 0 && fmt.duration != AV_NOPTS_VALUE)
        return av_rescale_q(fmt.duration, AV_TIME_BASE_Q, st.time_base);
    return 0;
}

// Frame starts: the container's duration over its sample count, exact for a
// constant rate and the average for a variable one; without a count
// (Matroska, some MXF) or for MPEG-1/2, the stream's own rate.
FrameGrid frameGrid(const AVStream& st, const MovieInfo& info, bool mpeg) {
    if (!mpeg && st.nb_frames > 0 && info.duration > 0) return FrameGrid{info.duration, st.nb_frames, info.duration};
    const AVRational r = mpeg || st.avg_frame_rate.num <= 0 ? st.r_frame_rate : st.avg_frame_rate;
    return FrameGrid::fromRate(r.num, r.den, info.timeScale, info.duration);
}

void measureRate(const AVFormatContext& fmt, const AVStream& st, MovieInfo& info, std::int64_t unit) {
    FrameRateSource source;
    source.hasVideo = true;
    source.isMpeg = isMpegVideo(st.codecpar->codec_id);
    source.encodedRate = av_q2d(st.r_frame_rate);
    source.sampleCount = st.nb_frames;
    source.duration = streamDuration(fmt, st) * unit;
    source.timeScale = info.timeScale;
    info.rate = staticFrameRate(source);
    info.duration = source.duration;
    info.frames = frameGrid(st, info, source.isMpeg);
    if (info.rate <= 0 && info.frames.valid())  // nothing counted: the stream's rate stands in
        info.rate = static_cast<double>(info.timeScale) * info.frames.lengthDen / info.frames.lengthNum;
    info.frameCount = st.nb_frames > 0 ? st.nb_frames : info.frames.frameCount();
}

}  // namespace

void describeMovie(MovieReader::Impl& impl) {
    const AVFormatContext& fmt = *impl.format;
    const AVStream& st = *fmt.streams[impl.stream];
    MovieInfo& info = impl.info;
    info.timeScale = st.time_base.den;
    info.width = st.codecpar->width;
    info.height = st.codecpar->height;
    measureRate(fmt, st, info, impl.unit);
    info.rateText = framerateText(static_cast<float>(info.rate));
    readTimecode(fmt, impl.stream, info);
    const MovieStart start = startForLoadedMovie(std::nullopt, info.timecode, info.rateText, KLVtc());
    info.startTimecode = start.field;
}

}  // namespace rw::media
