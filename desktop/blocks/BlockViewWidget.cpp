#include "blocks/BlockViewWidget.h"

#include <QPainter>
#include <QResizeEvent>

namespace rw::qt {

BlockViewWidget::BlockViewWidget(KLVBlockView& view, QWidget* parent) : QWidget(parent), view_(view) {
    setObjectName("blockView");
    setMinimumHeight(80);
    view_.setNeedsDisplayHandler([this] { update(); });
}

BlockViewWidget::~BlockViewWidget() { view_.setNeedsDisplayHandler({}); }

QRectF BlockViewWidget::toWidget(const BlockRect& r) const {
    const qreal h = height();
    return QRectF(QPointF(r.left, h - r.top), QPointF(r.right, h - r.bottom)).normalized();
}

void BlockViewWidget::resizeEvent(QResizeEvent* event) {
    // Qt reports each step of a resize; each is a whole live resize here.
    view_.viewWillStartLiveResize();
    view_.setFrameSize(static_cast<float>(event->size().width()), static_cast<float>(event->size().height()));
    view_.viewDidEndLiveResize();
    QWidget::resizeEvent(event);
}

void BlockViewWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 170, 170));
    for (const EventBlocks& b : view_.blocks()) {
        p.drawRect(toWidget(b.oldCut));
        p.drawRect(toWidget(b.newCut));
    }
    p.setPen(QPen(QColor(20, 60, 200), 1));
    p.setBrush(QColor(60, 110, 230, 200));
    for (const EventBlocks& b : view_.hiLights()) {
        p.drawRect(toWidget(b.oldCut));
        p.drawRect(toWidget(b.newCut));
    }
    for (const auto* head : {&view_.playheadOld(), &view_.playheadNew()}) {
        if (!*head) continue;
        p.setPen(QPen(QColor(0, 170, 0), (*head)->lineWidth));
        p.drawLine(QPointF((*head)->x, height() - (*head)->from), QPointF((*head)->x, height() - (*head)->to));
    }
}

}  // namespace rw::qt
