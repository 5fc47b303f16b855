#include "MovieMaker.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <numbers>
#include <fstream>
#include <iterator>
#include <memory>

namespace rw::test {

namespace {

struct FormatFree {
    void operator()(AVFormatContext* c) const {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct SwsFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

constexpr int kBits = 16;

bool bitAt(int n, int x, int y, int w, int h) {
    const int bit = (y * 4 / h) * 4 + (x * 4 / w);
    return (n >> bit) & 1;
}

// Luma carries the bar code (and the texture) or the recipe's own picture;
// chroma stays neutral.
void paint(AVFrame& f, int n, const MovieRecipe& s) {
    const bool texture = s.texture;
    for (int y = 0; y < f.height && !s.painter; ++y) {
        for (int x = 0; x < f.width; ++x) {
            int v = bitAt(n, x, y, f.width, f.height) ? 220 : 30;
            const int panned = x + 2 * n;  // detail that moves, as picture does
            if (texture) v += static_cast<int>(((panned * 7 + y * 13) ^ (panned * y)) % 23) - 11;
            f.data[0][y * f.linesize[0] + x] = static_cast<std::uint8_t>(v);
        }
    }
    if (s.painter) s.painter(n, f.data[0], f.linesize[0]);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < (f.height + 1) / 2; ++y)
            for (int x = 0; x < (f.width + 1) / 2; ++x) f.data[p][y * f.linesize[p] + x] = 128;
}

struct Track {
    std::unique_ptr<AVCodecContext, CodecFree> codec;
    AVStream* stream = nullptr;
};

struct Writer {
    std::unique_ptr<AVFormatContext, FormatFree> format;
    Track video, audio;
    std::unique_ptr<AVPacket, PacketFree> packet{av_packet_alloc()};
    std::int64_t samplesSent = 0;
    std::int64_t videoShift = 0;  // subtracted from every picture time (codec ticks)

    int drain(Track& t) {
        int rc;
        while ((rc = avcodec_receive_packet(t.codec.get(), packet.get())) >= 0) {
            if (&t == &video) {
                packet->pts -= videoShift;
                packet->dts -= videoShift;
            }
            av_packet_rescale_ts(packet.get(), t.codec->time_base, t.stream->time_base);
            packet->stream_index = t.stream->index;
            if ((rc = av_interleaved_write_frame(format.get(), packet.get())) < 0) return rc;
        }
        return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF ? 0 : rc;
    }
    int drain() { return drain(video); }
};

constexpr int kSoundRate = 48000;
constexpr double kToneHz = 440;

std::string openSound(Writer& w) {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!aac) return "no AAC encoder";
    w.audio.codec.reset(avcodec_alloc_context3(aac));
    AVCodecContext& c = *w.audio.codec;
    c.sample_rate = kSoundRate;
    c.sample_fmt = AV_SAMPLE_FMT_FLTP;
    c.bit_rate = 128000;
    av_channel_layout_default(&c.ch_layout, 2);
    c.time_base = AVRational{1, kSoundRate};
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(&c, aac, nullptr) < 0) return "cannot open the AAC encoder";
    w.audio.stream = avformat_new_stream(w.format.get(), nullptr);
    avcodec_parameters_from_context(w.audio.stream->codecpar, &c);
    w.audio.stream->time_base = c.time_base;
    return {};
}

// The tone up to `until` (samples), in the encoder's frame size.
std::string sendSound(Writer& w, std::int64_t until) {
    AVCodecContext& c = *w.audio.codec;
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    while (w.samplesSent < until) {
        frame->nb_samples = c.frame_size > 0 ? c.frame_size : 1024;
        frame->format = c.sample_fmt;
        frame->sample_rate = c.sample_rate;
        av_channel_layout_copy(&frame->ch_layout, &c.ch_layout);
        if (av_frame_get_buffer(frame.get(), 0) < 0) return "no sound frame memory";
        for (int i = 0; i < frame->nb_samples; ++i) {
            const double t = static_cast<double>(w.samplesSent + i) / kSoundRate;
            const auto v = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * kToneHz * t));
            for (int ch = 0; ch < c.ch_layout.nb_channels; ++ch) reinterpret_cast<float*>(frame->data[ch])[i] = v;
        }
        frame->pts = w.samplesSent;
        w.samplesSent += frame->nb_samples;
        if (avcodec_send_frame(&c, frame.get()) < 0 || w.drain(w.audio) < 0) return "cannot encode sound";
        av_frame_unref(frame.get());
    }
    return {};
}

std::string openWriter(Writer& w, const std::string& path, const MovieRecipe& s) {
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, nullptr, path.c_str()) < 0) return "no container for " + path;
    w.format.reset(raw);
    const AVCodec* codec = avcodec_find_encoder_by_name(s.codec.c_str());
    if (!codec) return "no encoder " + s.codec;
    w.video.codec.reset(avcodec_alloc_context3(codec));
    AVCodecContext& c = *w.video.codec;
    c.width = s.width;
    c.height = s.height;
    c.time_base = AVRational{s.rateDen, s.jitter ? 2 * s.rateNum : s.rateNum};
    c.framerate = AVRational{s.rateNum, s.rateDen};
    c.pix_fmt = s.codec == "mjpeg" ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
    c.sample_aspect_ratio = AVRational{s.sarNum, s.sarDen};
    c.gop_size = s.gop;
    c.max_b_frames = s.codec == "mjpeg" ? 0 : 2;
    if (s.codec == "libx264") {
        av_opt_set(c.priv_data, "preset", "veryfast", 0);
        const std::string params = "keyint=" + std::to_string(s.gop) + ":min-keyint=" + std::to_string(s.gop) +
                                   ":scenecut=0:bframes=2:b-adapt=0";
        av_opt_set(c.priv_data, "x264-params", params.c_str(), 0);
    }
    if (s.codec == "mjpeg") c.flags |= AV_CODEC_FLAG_QSCALE, c.global_quality = FF_QP2LAMBDA * 3;
    if (raw->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(&c, codec, nullptr) < 0) return "cannot open encoder " + s.codec;
    w.video.stream = avformat_new_stream(raw, nullptr);
    avcodec_parameters_from_context(w.video.stream->codecpar, &c);
    w.video.stream->time_base = c.time_base;
    w.video.stream->avg_frame_rate = c.framerate;
    w.video.stream->sample_aspect_ratio = c.sample_aspect_ratio;
    w.videoShift = static_cast<std::int64_t>(s.trimFrames) * (s.jitter ? 2 : 1);
    if (s.rotation != 0) {
        auto* matrix = reinterpret_cast<std::int32_t*>(
            av_stream_new_side_data(w.video.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(std::int32_t)));
        if (!matrix) return "no display matrix";
        av_display_rotation_set(matrix, s.rotation);
    }
    if (!s.timecode.empty()) av_dict_set(&w.video.stream->metadata, "timecode", s.timecode.c_str(), 0);
    if (s.sound)
        if (std::string why = openSound(w); !why.empty()) return why;
    if (avio_open(&raw->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return "cannot write " + path;
    AVDictionary* options = nullptr;
    if (s.frontIndex) av_dict_set(&options, "movflags", "faststart", 0);
    const int rc = avformat_write_header(raw, &options);
    av_dict_free(&options);
    if (rc < 0) return "cannot start " + path;
    return {};
}

}  // namespace

// Sound up to the end of picture frame n (samples at 48 kHz).
std::int64_t soundUntil(const MovieRecipe& s, int n) {
    return static_cast<std::int64_t>(n) * s.rateDen * kSoundRate / s.rateNum;
}

std::string makeMovie(const std::string& path, const MovieRecipe& s) {
    Writer w;
    if (std::string why = openWriter(w, path, s); !why.empty()) return why;
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    frame->format = w.video.codec->pix_fmt;
    frame->width = s.width;
    frame->height = s.height;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return "no frame memory";
    for (int n = 0; n < s.frames; ++n) {
        if (av_frame_make_writable(frame.get()) < 0) return "frame not writable";
        paint(*frame, n, s);
        frame->pts = s.jitter ? 2 * n + n % 2 : n;
        if (avcodec_send_frame(w.video.codec.get(), frame.get()) < 0 || w.drain() < 0) return "cannot encode frame";
        if (s.sound)
            if (std::string why = sendSound(w, soundUntil(s, n + 1)); !why.empty()) return why;
    }
    if (avcodec_send_frame(w.video.codec.get(), nullptr) < 0 || w.drain() < 0) return "cannot finish encoding";
    if (s.sound && (avcodec_send_frame(w.audio.codec.get(), nullptr) < 0 || w.drain(w.audio) < 0))
        return "cannot finish the sound";
    if (av_write_trailer(w.format.get()) < 0) return "cannot finish " + path;
    return {};
}

int frameNumberIn(const media::Image& image) {
    if (image.empty()) return -1;
    int n = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        const int x = (bit % 4) * image.width / 4 + image.width / 8;
        const int y = (bit / 4) * image.height / 4 + image.height / 8;
        const std::uint8_t* p = image.pixel(x, y);
        const int grey = (p[0] + p[1] + p[2]) / 3;
        if (grey > 70 && grey < 180) return -1;  // neither block colour: no bar code
        if (grey >= 125) n |= 1 << bit;
    }
    return n;
}

media::Image readPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) return {};
    const AVCodec* png = avcodec_find_decoder(AV_CODEC_ID_PNG);
    std::unique_ptr<AVCodecContext, CodecFree> codec(avcodec_alloc_context3(png));
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (avcodec_open2(codec.get(), png, nullptr) < 0 || av_new_packet(packet.get(), static_cast<int>(bytes.size())) < 0)
        return {};
    std::copy(bytes.begin(), bytes.end(), packet->data);
    if (avcodec_send_packet(codec.get(), packet.get()) < 0 || avcodec_receive_frame(codec.get(), frame.get()) < 0)
        return {};
    media::Image image = media::Image::blank(frame->width, frame->height, 4);
    const auto format = static_cast<AVPixelFormat>(frame->format);
    std::unique_ptr<SwsContext, SwsFree> sws(sws_getContext(frame->width, frame->height, format, frame->width,
                                                            frame->height, AV_PIX_FMT_RGBA, SWS_POINT, nullptr,
                                                            nullptr, nullptr));
    if (!sws) return {};
    std::uint8_t* planes[4] = {image.bytes.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image.stride), 0, 0, 0};
    sws_scale(sws.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return image;
}

}  // namespace rw::test
