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

std::string openDecoder(MovieReader::Impl& impl, const std::string& path) {
    const AVCodecParameters* par = impl.format->streams[impl.stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec) return path + ": no decoder for its video (" + avcodec_get_name(par->codec_id) + ")";
    impl.decoder.reset(avcodec_alloc_context3(codec));
    if (!impl.decoder) return path + ": out of memory";
    int rc = avcodec_parameters_to_context(impl.decoder.get(), par);
    if (rc >= 0) {
        impl.decoder->thread_count = impl.options.decoderThreads;
        impl.decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
        if (impl.options.decodeSmall) impl.decoder->lowres = smallDecode(*codec, *par, impl.options);
        rc = avcodec_open2(impl.decoder.get(), codec, nullptr);
    }
    if (rc < 0) return path + ": its video cannot be decoded (" + avError(rc) + ")";
    return {};
}

std::string openFormat(MovieReader::Impl& impl, const std::string& path) {
    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (rc < 0) return path + ": not a movie (" + avError(rc) + ")";
    impl.format.reset(raw);
    raw->flags |= AVFMT_FLAG_DISCARD_CORRUPT;  // a packet cut short never reaches the decoder
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) return path + ": its streams cannot be read (" + avError(rc) + ")";
    impl.stream = videoStream(*raw);
    if (impl.stream < 0) return path + ": the file has no video";
    const AVRational tb = raw->streams[impl.stream]->time_base;
    if (tb.num <= 0 || tb.den <= 0) return path + ": its video has no time base";
    impl.unit = tb.num;
    return {};
}

}  // namespace

std::string fileProblem(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return path + ": no such file";
    if (!std::filesystem::is_regular_file(status)) return path + ": not a file";
    if (std::filesystem::file_size(path, ec) == 0 || ec) return path + ": the file is empty";
    return {};
}

MovieReader::MovieReader(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
MovieReader::~MovieReader() = default;

Outcome<std::unique_ptr<MovieReader>> MovieReader::open(const std::string& path, const ReaderOptions& options) {
    using Result = Outcome<std::unique_ptr<MovieReader>>;
    if (std::string why = fileProblem(path); !why.empty()) return Result::failure(why);
    auto impl = std::make_unique<Impl>();
    impl->options = options;
    if (impl->options.cacheFrames < 2) impl->options.cacheFrames = 2;
    impl->pictures.setBudget(impl->options.cacheBytes);
    if (std::string why = openFormat(*impl, path); !why.empty()) return Result::failure(why);
    if (std::string why = openDecoder(*impl, path); !why.empty()) return Result::failure(why);
    FramePtr first = impl->decodeNext();
    if (!first)
        return Result::failure(path + ": no picture in it can be decoded" +
                               (impl->lastError.empty() ? "" : " (" + impl->lastError + ")"));
    const std::int64_t pts = first->best_effort_timestamp;
    impl->firstPts = pts != AV_NOPTS_VALUE ? pts : 0;
    if (std::string why = describeMovie(*impl, *first); !why.empty()) return Result::failure(path + ": " + why);
    impl->seekBefore(0, false);  // measuring may have read on anywhere
    return Result{std::make_unique<MovieReader>(std::move(impl)), {}};
}

const MovieInfo& MovieReader::info() const { return impl_->info; }

void quietFFmpegLog() { av_log_set_level(AV_LOG_QUIET); }

}  // namespace rw::media
