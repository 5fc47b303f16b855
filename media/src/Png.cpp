#include "media/Png.h"

#include "FFmpeg.h"

#include <cstring>

namespace rw::media {

namespace {

std::string encodeFrame(AVCodecContext& codec, const AVFrame& frame) {
    PacketPtr packet = makePacket();
    int rc = avcodec_send_frame(&codec, &frame);
    if (rc >= 0) rc = avcodec_send_frame(&codec, nullptr);
    std::string bytes;
    while (rc >= 0 && (rc = avcodec_receive_packet(&codec, packet.get())) >= 0) {
        bytes.append(reinterpret_cast<const char*>(packet->data), static_cast<std::size_t>(packet->size));
        av_packet_unref(packet.get());
    }
    return rc == AVERROR_EOF ? bytes : std::string();
}

}  // namespace

Outcome<std::string> encodePng(const Image& image) {
    using Result = Outcome<std::string>;
    if (image.empty() || (image.channels != 3 && image.channels != 4)) return Result::failure("no picture to write");
    const AVCodec* png = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (!png) return Result::failure("FFmpeg has no PNG encoder");
    CodecPtr codec(avcodec_alloc_context3(png));
    FramePtr frame = makeFrame();
    if (!codec || !frame) return Result::failure("out of memory");
    const AVPixelFormat format = image.channels == 4 ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
    codec->width = frame->width = image.width;
    codec->height = frame->height = image.height;
    codec->pix_fmt = format;
    frame->format = format;
    codec->time_base = AVRational{1, 1};
    int rc = avcodec_open2(codec.get(), png, nullptr);
    if (rc >= 0) rc = av_frame_get_buffer(frame.get(), 0);
    if (rc < 0) return Result::failure("PNG encoder: " + avError(rc));
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.channels);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0], image.pixel(0, y), rowBytes);
    std::string bytes = encodeFrame(*codec, *frame);
    if (bytes.empty()) return Result::failure("the PNG encoder gave no picture");
    return Result{std::move(bytes), {}};
}

}  // namespace rw::media
