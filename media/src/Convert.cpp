// Decoded pictures to 8-bit RGB.

#include "ReaderImpl.h"

namespace rw::media {

Image Image::blank(int width, int height, int channels) {
    Image image;
    if (width <= 0 || height <= 0 || channels <= 0) return image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    image.bytes.assign(image.stride * static_cast<std::size_t>(height), 0);
    return image;
}

std::shared_ptr<const Image> MovieReader::Impl::toRgb(const AVFrame& frame) {
    const auto format = static_cast<AVPixelFormat>(frame.format);
    if (frame.width <= 0 || frame.height <= 0 || format == AV_PIX_FMT_NONE) return nullptr;
    scaler.reset(sws_getCachedContext(scaler.release(), frame.width, frame.height, format, frame.width, frame.height,
                                      AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) return nullptr;
    auto image = std::make_shared<Image>(Image::blank(frame.width, frame.height, 3));
    std::uint8_t* planes[4] = {image->bytes.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image->stride), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides) != frame.height)
        return nullptr;
    return image;
}

}  // namespace rw::media
