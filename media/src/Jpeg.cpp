#include "media/Jpeg.h"

#include "FFmpeg.h"

#include <algorithm>

namespace rw::media {

Outcome<std::string> encodeJpeg(const Image& image, int quality) {
    using Result = Outcome<std::string>;
    if (image.empty() || (image.channels != 3 && image.channels != 4)) return Result::failure("no picture to write");
    const AVCodec* jpeg = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!jpeg) return Result::failure("FFmpeg has no JPEG encoder");
    CodecPtr codec(avcodec_alloc_context3(jpeg));
    FramePtr frame = makeFrame();
    PacketPtr packet = makePacket();
    if (!codec || !frame || !packet) return Result::failure("out of memory");
    codec->width = frame->width = image.width;
    codec->height = frame->height = image.height;
    codec->pix_fmt = AV_PIX_FMT_YUVJ420P;
    frame->format = AV_PIX_FMT_YUVJ420P;
    codec->time_base = AVRational{1, 1};
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = frame->quality = FF_QP2LAMBDA * (32 - std::clamp(quality, 1, 31));
    int rc = avcodec_open2(codec.get(), jpeg, nullptr);
    if (rc >= 0) rc = av_frame_get_buffer(frame.get(), 0);
    if (rc < 0) return Result::failure("JPEG encoder: " + avError(rc));
    const AVPixelFormat from = image.channels == 4 ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
    SwsPtr scaler(sws_getContext(image.width, image.height, from, image.width, image.height, AV_PIX_FMT_YUVJ420P,
                                 SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) return Result::failure("JPEG encoder: no colour conversion");
    const std::uint8_t* planes[4] = {image.bytes.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image.stride), 0, 0, 0};
    sws_scale(scaler.get(), planes, strides, 0, image.height, frame->data, frame->linesize);
    rc = avcodec_send_frame(codec.get(), frame.get());
    if (rc >= 0) rc = avcodec_receive_packet(codec.get(), packet.get());
    if (rc < 0) return Result::failure("JPEG encoder: " + avError(rc));
    return Result{std::string(reinterpret_cast<const char*>(packet->data), static_cast<std::size_t>(packet->size)), {}};
}

}  // namespace rw::media
