// What a movie tells about itself: rate, length, size as stored and as
// shown, and its start timecode.

#include "ReaderImpl.h"

#include "movies/MovieRate.h"

extern "C" {
#include <libavutil/display.h>
}

#include <cmath>
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
    tc.drop = s3 == ';';
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

// The display matrix's turn, to the nearest quarter, clockwise.
int rotationOf(const AVStream& st) {
    const std::uint8_t* matrix = av_stream_get_side_data(&st, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix) return 0;
    const double counterclockwise = av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix));
    if (!std::isfinite(counterclockwise)) return 0;
    const long quarters = std::lround(-counterclockwise / 90);
    return static_cast<int>(((quarters % 4) + 4) % 4) * 90;
}

// Square pixels: the width stretched or narrowed by the pixel aspect, then turned.
void displaySize(MovieReader::Impl& impl, AVStream& st, MovieInfo& info) {
    AVRational sar = av_guess_sample_aspect_ratio(impl.format.get(), &st, nullptr);
    if (sar.num <= 0 || sar.den <= 0 || av_cmp_q(sar, AVRational{100, 1}) > 0 || av_cmp_q(sar, AVRational{1, 100}) < 0)
        sar = AVRational{1, 1};
    impl.sar = sar;
    const std::int64_t width = av_rescale(info.width, sar.num, sar.den);
    info.displayWidth = static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(width, 1 << 16)));
    info.displayHeight = info.height;
    info.rotation = rotationOf(st);
    if (info.rotation % 180 != 0) std::swap(info.displayWidth, info.displayHeight);
}

}  // namespace

Outcome<> describeMovie(MovieReader::Impl& impl, const AVFrame& first) {
    const AVFormatContext& fmt = *impl.format;
    AVStream& st = *fmt.streams[impl.stream];
    MovieInfo& info = impl.info;
    info.timeScale = st.time_base.den;
    info.width = st.codecpar->width > 0 ? st.codecpar->width : first.width;
    info.height = st.codecpar->height > 0 ? st.codecpar->height : first.height;
    displaySize(impl, st, info);
    if (Outcome<> measured = measureFrames(impl); !measured) return measured;
    info.rateText = framerateText(static_cast<float>(info.rate));
    readTimecode(fmt, impl.stream, info);
    const MovieStart start = startForLoadedMovie(std::nullopt, info.timecode, info.rateText, KLVtc());
    info.startTimecode = start.field;
    return Outcome<>::success();
}

}  // namespace rw::media
