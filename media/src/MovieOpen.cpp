// Opening a movie: every way a file can fail to be one gets its own reason.

#include "ReaderImpl.h"

#include <filesystem>

namespace rw::media {

namespace {

using Opened = Outcome<std::unique_ptr<MovieReader::Impl>>;

// The first video stream that is a picture sequence (not cover art).
int videoStream(const AVFormatContext& fmt) {
    const int best = av_find_best_stream(const_cast<AVFormatContext*>(&fmt), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (best >= 0 && !(fmt.streams[best]->disposition & AV_DISPOSITION_ATTACHED_PIC)) return best;
    for (unsigned i = 0; i < fmt.nb_streams; ++i) {
        const AVStream* st = fmt.streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

// The largest reduction (a power of two) that keeps both sides at least as
// large as the box needs for the picture fitted into it, whichever way the
// picture is turned and whatever its pixel aspect.
int smallDecode(const AVCodec& codec, const AVCodecParameters& par, const ReaderOptions& options) {
    if (options.pictureWidth <= 0 || options.pictureHeight <= 0 || par.width <= 0 || par.height <= 0) return 0;
    const AVRational sar = par.sample_aspect_ratio;
    const double shownWidth = par.width * (sar.num > 0 && sar.den > 0 ? av_q2d(sar) : 1.0);
    const double box = std::min(options.pictureWidth, options.pictureHeight);
    const double fit = std::min(1.0, box / std::max(shownWidth, static_cast<double>(par.height)));
    int lowres = 0;
    while (lowres < codec.max_lowres && (par.width >> (lowres + 1)) >= fit * par.width &&
           (par.height >> (lowres + 1)) >= fit * par.height)
        ++lowres;
    return lowres;
}

// Opens the movie's video and its decoder; a packet cut short never
// reaches the decoder.
Outcome<> openVideo(MovieReader::Impl& impl, const std::string& path) {
    if (Outcome<> file = impl.openFile(path, AVFMT_FLAG_DISCARD_CORRUPT); !file) return file;
    impl.stream = videoStream(*impl.format);
    if (impl.stream < 0) return Outcome<>::failure(path + ": the file has no video");
    const AVRational tb = impl.format->streams[impl.stream]->time_base;
    if (tb.num <= 0 || tb.den <= 0) return Outcome<>::failure(path + ": its video has no time base");
    impl.unit = tb.num;
    const AVCodecParameters& par = *impl.format->streams[impl.stream]->codecpar;
    return impl.openDecoder(path, "video", impl.options.decoderThreads, [&](AVCodecContext& decoder, const AVCodec& codec) {
        if (impl.options.decodeSmall) decoder.lowres = smallDecode(codec, par, impl.options);
    });
}

}  // namespace

Outcome<> mayBeMovie(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return Outcome<>::failure(path + ": no such file");
    if (!std::filesystem::is_regular_file(status)) return Outcome<>::failure(path + ": not a file");
    if (std::filesystem::file_size(path, ec) == 0 || ec) return Outcome<>::failure(path + ": the file is empty");
    return Outcome<>::success();
}

MovieReader::MovieReader(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
MovieReader::~MovieReader() = default;

Outcome<std::unique_ptr<MovieReader>> MovieReader::open(const std::string& path, const ReaderOptions& options) {
    using Result = Outcome<std::unique_ptr<MovieReader>>;
    if (Outcome<> may = mayBeMovie(path); !may) return Result::failure(may.error);
    auto impl = std::make_unique<Impl>();
    impl->options = options;
    if (impl->options.cacheFrames < 2) impl->options.cacheFrames = 2;
    impl->pictures.setBudget(impl->options.cacheBytes);
    if (Outcome<> video = openVideo(*impl, path); !video) return Result::failure(video.error);
    Outcome<FramePtr> first = impl->decodeNext();
    if (!first.value)
        return Result::failure(path + ": no picture in it can be decoded" + (first ? "" : " (" + first.error + ")"));
    const std::int64_t pts = first.value->best_effort_timestamp;
    impl->firstPts = pts != AV_NOPTS_VALUE ? pts : 0;
    if (Outcome<> described = describeMovie(*impl, *first.value); !described)
        return Result::failure(path + ": " + described.error);
    impl->seekBefore(0, false);  // measuring may have read on anywhere
    return Result{std::make_unique<MovieReader>(std::move(impl)), {}};
}

const MovieInfo& MovieReader::info() const { return impl_->info; }

void quietFFmpegLog() { av_log_set_level(AV_LOG_QUIET); }

}  // namespace rw::media
