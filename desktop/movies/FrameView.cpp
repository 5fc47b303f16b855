#include "movies/FrameView.h"

#include "media/Difference.h"
#include "movies/MovieRect.h"

#include <QPainter>

#include <cmath>

namespace rw::qt {

namespace {

// Wraps the frame's bytes; the frame must outlive the image.
QImage wrap(const media::Image& image) {
    const auto format = image.channels == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    return QImage(image.bytes.data(), image.width, image.height, static_cast<qsizetype>(image.stride), format);
}

media::Image unwrap(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    media::Image image = media::Image::blank(rgb.width(), rgb.height(), 3);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3, image.pixel(0, y));
    return image;
}

QSize devicePixels(const QWidget& widget) { return widget.size() * widget.devicePixelRatioF(); }

}  // namespace

// The fit is worked out with the origin at the bottom, as the rule has it,
// then turned over for Qt.
QRect pictureRect(const QRect& area, QSize natural) {
    if (natural.isEmpty() || area.isEmpty()) return {};
    const MovieRectangle r = movieRect({0, 0, double(area.width()), double(area.height())}, natural.width(),
                                       natural.height());
    const int height = static_cast<int>(std::lround(r.height));
    const int top = area.height() - static_cast<int>(r.y) - height;
    return {area.x() + static_cast<int>(r.x), area.y() + top, static_cast<int>(std::lround(r.width)), height};
}

FrameView::FrameView(FrameSource source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
    setMinimumSize(160, 90);
}

// Called on every frame callback and every playback beat: only a new frame repaints.
void FrameView::refresh() {
    media::Frame frame = source_();
    if (frame.image == frame_.image && frame.time == frame_.time) return;
    frame_ = std::move(frame);
    update();
}

void FrameView::resizeEvent(QResizeEvent*) {
    if (sized_) sized_(devicePixels(*this));
}

void FrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!frame_.image || frame_.image->empty()) return;
    const QImage picture = wrap(*frame_.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(rect(), picture.size()), picture);
}

DifferenceView::DifferenceView(FrameSource oldSource, FrameSource newSource, QWidget* parent)
    : QWidget(parent), oldSource_(std::move(oldSource)), newSource_(std::move(newSource)) {
    setMinimumSize(160, 90);
}

void DifferenceView::resizeEvent(QResizeEvent*) {
    dirty_ = true;
    if (sized_) sized_(devicePixels(*this));
}

void DifferenceView::refresh() {
    media::Frame oldFrame = oldSource_(), newFrame = newSource_();
    if (oldFrame.image == oldFrame_.image && newFrame.image == newFrame_.image) return;
    oldFrame_ = std::move(oldFrame);
    newFrame_ = std::move(newFrame);
    dirty_ = true;
    update();
}

// Worked out at the size it is shown, so a large movie costs no more than
// the window shows of it.
void DifferenceView::compute() {
    dirty_ = false;
    const media::Frame &oldFrame = oldFrame_, &newFrame = newFrame_;
    if (!oldFrame.image || !newFrame.image || oldFrame.image->empty() || newFrame.image->empty()) {
        picture_ = {};
        return;
    }
    const QRect target = pictureRect(rect(), {oldFrame.image->width, oldFrame.image->height});
    if (target.isEmpty()) return;
    const auto scaled = [&](const media::Image& image) {
        return unwrap(wrap(image).scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    };
    const media::Image difference = media::differencePicture(scaled(*oldFrame.image), scaled(*newFrame.image));
    picture_ = wrap(difference).copy();
}

void DifferenceView::paintEvent(QPaintEvent*) {
    if (dirty_) compute();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) painter.drawImage(pictureRect(rect(), picture_.size()), picture_);
}

}  // namespace rw::qt
