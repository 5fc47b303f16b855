#pragma once
// Paints the engine's block-view geometry: blocks gray, highlights blue,
// playheads green. The engine's y runs upward from the bottom edge.

#include "views/KLVBlockView.h"

#include <QWidget>

namespace rw::qt {

class BlockViewWidget : public QWidget {
    Q_OBJECT
public:
    BlockViewWidget(KLVBlockView& view, QWidget* parent);
    ~BlockViewWidget() override;
    QSize sizeHint() const override { return {800, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF toWidget(const BlockRect& r) const;

    KLVBlockView& view_;
};

}  // namespace rw::qt
