// Decoded pictures to 8-bit RGB as shown: square pixels, turned upright,
// no larger than the box asked for.

#include "ReaderImpl.h"

#include <algorithm>
#include <cmath>

namespace rw::media {

namespace {

// Turned clockwise by a quarter, a half or three quarters.
Image turned(const Image& in, int degrees) {
    const bool sideways = degrees % 180 != 0;
    Image out = Image::blank(sideways ? in.height : in.width, sideways ? in.width : in.height, in.channels);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            const int tx = degrees == 90 ? in.height - 1 - y : degrees == 180 ? in.width - 1 - x : degrees == 270 ? y : x;
            const int ty = degrees == 90 ? x : degrees == 180 ? in.height - 1 - y : degrees == 270 ? in.width - 1 - x : y;
            std::copy_n(in.pixel(x, y), in.channels, out.pixel(tx, ty));
        }
    }
    return out;
}

}  // namespace

// The pixel aspect applied, then fitted into the box (turned the same way)
// without enlarging.
std::pair<int, int> MovieReader::Impl::pictureSize(int width, int height) const {
    const double w = static_cast<double>(width) * sar.num / sar.den, h = height;
    const bool sideways = info.rotation % 180 != 0;
    const int boxWidth = sideways ? options.pictureHeight : options.pictureWidth;
    const int boxHeight = sideways ? options.pictureWidth : options.pictureHeight;
    double scale = 1;
    if (boxWidth > 0 && boxHeight > 0) scale = std::min({1.0, boxWidth / w, boxHeight / h});
    return {std::max(1, static_cast<int>(std::lround(w * scale))), std::max(1, static_cast<int>(std::lround(h * scale)))};
}

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
    const auto [width, height] = pictureSize(frame.width, frame.height);
    scaler.reset(sws_getCachedContext(scaler.release(), frame.width, frame.height, format, width, height,
                                      AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) return nullptr;
    auto image = std::make_shared<Image>(Image::blank(width, height, 3));
    std::uint8_t* planes[4] = {image->bytes.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image->stride), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides) != height)
        return nullptr;
    if (info.rotation != 0) *image = turned(*image, info.rotation);
    return image;
}

}  // namespace rw::media
