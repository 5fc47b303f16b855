#include "blocks/BlockViewWidget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>

namespace rw::qt {

BlockViewWidget::BlockViewWidget(KLVBlockView& view, QWidget* parent) : QWidget(parent), view_(view) {
    setObjectName("blockView");
    setMinimumHeight(100);
    setAccessibleName(tr("Blocks"));
    setAccessibleDescription(tr("The change list drawn as blocks: the old cut above, the new cut below, on one time scale"));
    view_.setNeedsDisplayHandler([this] { update(); });
}

BlockViewWidget::~BlockViewWidget() { view_.setNeedsDisplayHandler({}); }

int BlockViewWidget::gutter() const { return fontMetrics().horizontalAdvance("NEW") + 14; }
int BlockViewWidget::rulerHeight() const { return fontMetrics().height() + 8; }

// The engine's area starts right of the labels and below the ruler.
QRectF BlockViewWidget::toWidget(const BlockRect& r) const {
    const qreal bottom = height();
    return QRectF(QPointF(gutter() + r.left, bottom - r.top), QPointF(gutter() + r.right, bottom - r.bottom)).normalized();
}

EditPtr BlockViewWidget::eventAt(const QPointF& point) const {
    return view_.eventAt(static_cast<float>(point.x() - gutter()), static_cast<float>(height() - point.y()));
}

void BlockViewWidget::resizeEvent(QResizeEvent* event) {
    // Qt reports each step of a resize; each is a whole live resize here.
    // One pixel is kept free on the right, so the last block's outline shows.
    view_.viewWillStartLiveResize();
    view_.setFrameSize(static_cast<float>(std::max(1, event->size().width() - gutter() - 1)),
                       static_cast<float>(std::max(1, event->size().height() - rulerHeight())));
    view_.viewDidEndLiveResize();
    QWidget::resizeEvent(event);
}

bool BlockViewWidget::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        if (const EditPtr hit = eventAt(help->pos())) QToolTip::showText(help->globalPos(), QString::fromStdString(blockToolTip(*hit)), this);
        else QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void BlockViewWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        if (const EditPtr hit = eventAt(e->position())) emit eventClicked(hit);
    QWidget::mousePressEvent(e);
}

void BlockViewWidget::paintRuler(QPainter& p) {
    const int ruler = rulerHeight();
    p.fillRect(QRect(0, 0, width(), ruler), palette().window());
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, ruler - 1, width(), ruler - 1);
    p.setPen(palette().color(QPalette::WindowText));
    const float spacing = static_cast<float>(fontMetrics().horizontalAdvance("00:00:00:00") + 24);
    for (const RulerTick& tick : view_.rulerTicks(spacing)) {
        const qreal x = gutter() + tick.x;
        p.drawLine(QPointF(x, ruler - 6), QPointF(x, ruler - 1));
        const QString label = QString::fromStdString(tick.label);
        if (x + 3 + fontMetrics().horizontalAdvance(label) <= width()) p.drawText(QPointF(x + 3, ruler - 6), label);
    }
}

void BlockViewWidget::paintBandLabels(QPainter& p) {
    p.setPen(palette().color(QPalette::WindowText));
    const int h = height() - rulerHeight();
    const QRect old(0, rulerHeight(), gutter() - 4, h / 2), nu(0, rulerHeight() + h / 2, gutter() - 4, h - h / 2);
    p.drawText(old, Qt::AlignRight | Qt::AlignVCenter, tr("OLD"));
    p.drawText(nu, Qt::AlignRight | Qt::AlignVCenter, tr("NEW"));
}

void BlockViewWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    paintRuler(p);
    paintBandLabels(p);
    p.setClipRect(QRect(gutter(), rulerHeight(), width() - gutter(), height() - rulerHeight()));
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
    // Over the highlight, so a selected event still shows its mark.
    p.setPen(QPen(QColor(230, 120, 0), 3));
    p.setBrush(Qt::NoBrush);
    for (const EventBlocks& b : view_.marks()) {
        p.drawRect(toWidget(b.oldCut).adjusted(1, 1, -1, -1));
        p.drawRect(toWidget(b.newCut).adjusted(1, 1, -1, -1));
    }
    for (const auto* head : {&view_.playheadOld(), &view_.playheadNew()}) {
        if (!*head) continue;
        p.setPen(QPen(QColor(0, 170, 0), (*head)->lineWidth));
        const qreal x = gutter() + (*head)->x;
        p.drawLine(QPointF(x, height() - (*head)->from), QPointF(x, height() - (*head)->to));
    }
}

}  // namespace rw::qt
