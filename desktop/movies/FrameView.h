#pragma once
// A place that shows a movie: the frame its feed has now, at its natural
// size centred, or scaled down with its aspect kept, on the window's
// background. The difference view shows the difference picture of two
// feeds' frames on black, so only what changed shows.

#include "media/MovieReader.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace rw::qt {

using FrameSource = std::function<media::Frame()>;
// Told the size a place shows pictures at (device pixels), so its movie is
// decoded no larger.
using SizeListener = std::function<void(QSize)>;

class FrameView : public QWidget {
    Q_OBJECT
public:
    FrameView(FrameSource source, QWidget* parent = nullptr);
    // Takes the feed's current frame and repaints.
    void refresh();
    const media::Frame& frame() const { return frame_; }
    QSize sizeHint() const override { return {320, 180}; }
    void setSizeListener(SizeListener listener) { sized_ = std::move(listener); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    FrameSource source_;
    SizeListener sized_;
    media::Frame frame_;
};

class DifferenceView : public QWidget {
    Q_OBJECT
public:
    DifferenceView(FrameSource oldSource, FrameSource newSource, QWidget* parent = nullptr);
    void refresh();
    // The picture last painted (RGBA), for tests.
    const QImage& picture() const { return picture_; }
    QSize sizeHint() const override { return {480, 270}; }
    void setSizeListener(SizeListener listener) { sized_ = std::move(listener); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The picture is made at the size shown: a new size makes it again.
    void resizeEvent(QResizeEvent*) override;

private:
    void compute();
    FrameSource oldSource_, newSource_;
    SizeListener sized_;
    media::Frame oldFrame_, newFrame_;
    QImage picture_;
    bool dirty_ = false;
};

// Where a picture of `natural` size is drawn in `area` (top-left origin).
QRect pictureRect(const QRect& area, QSize natural);

}  // namespace rw::qt
