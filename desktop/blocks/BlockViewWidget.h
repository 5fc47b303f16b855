#pragma once
// Paints the engine's block-view geometry: the OLD (old cut) band above the
// NEW (new cut) band, each labelled, under a time ruler; blocks gray,
// highlights blue, events whose pictures did not match outlined amber,
// playheads green. The engine's y runs upward from the bottom of its area.
// Pointing at a block shows its event; a click selects it.

#include "views/KLVBlockView.h"

#include <QWidget>

namespace rw::qt {

class BlockViewWidget : public QWidget {
    Q_OBJECT
public:
    BlockViewWidget(KLVBlockView& view, QWidget* parent);
    ~BlockViewWidget() override;
    QSize sizeHint() const override { return {800, 150}; }
    // Where an engine rectangle is drawn, in the widget.
    QRectF toWidget(const BlockRect& r) const;

signals:
    void eventClicked(const EditPtr& event);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    EditPtr eventAt(const QPointF& point) const;
    void paintRuler(QPainter& p);
    void paintBandLabels(QPainter& p);
    int gutter() const;  // the band labels' column
    int rulerHeight() const;

    KLVBlockView& view_;
};

}  // namespace rw::qt
