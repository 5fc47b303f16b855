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

// RGB rows with room after them: the converters write whole blocks of pixels.
Image paddedRgb(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.stride = (static_cast<std::size_t>(width) * 3 + 63) / 64 * 64;
    image.bytes.assign(image.stride * static_cast<std::size_t>(height) + 64, 0);
    return image;
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

// Another size is made in the frame's own pixel format first: scaling and
// converting the colours in one pass costs three times as much.
const AVFrame* MovieReader::Impl::resized(const AVFrame& frame, int width, int height) {
    if (width == frame.width && height == frame.height) return &frame;
    const auto format = static_cast<AVPixelFormat>(frame.format);
    if (!sized || sized->width != width || sized->height != height || sized->format != frame.format) {
        sized = makeFrame();
        sized->width = width;
        sized->height = height;
        sized->format = frame.format;
        if (av_frame_get_buffer(sized.get(), 0) < 0) return nullptr;
    }
    resizer.reset(sws_getCachedContext(resizer.release(), frame.width, frame.height, format, width, height, format,
                                       SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!resizer || sws_scale(resizer.get(), frame.data, frame.linesize, 0, frame.height, sized->data,
                              sized->linesize) != height)
        return nullptr;
    return sized.get();
}

std::shared_ptr<const Image> MovieReader::Impl::toRgb(const AVFrame& decoded) {
    if (decoded.width <= 0 || decoded.height <= 0 || decoded.format == AV_PIX_FMT_NONE) return nullptr;
    const auto [width, height] = pictureSize(decoded.width, decoded.height);
    const AVFrame* frame = resized(decoded, width, height);
    if (!frame) return nullptr;
    scaler.reset(sws_getCachedContext(scaler.release(), width, height, static_cast<AVPixelFormat>(frame->format),
                                      width, height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) return nullptr;
    auto image = std::make_shared<Image>(paddedRgb(width, height));
    std::uint8_t* planes[4] = {image->bytes.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image->stride), 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, planes, strides) != height) return nullptr;
    if (info.rotation != 0) *image = turned(*image, info.rotation);
    return image;
}

}  // namespace rw::media
