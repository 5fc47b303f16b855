#include "lists/ListPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace rw::qt {

namespace {

// A label that shortens a long text in the middle rather than widen the
// window; the whole text stays its tooltip and accessible description.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {fontMetrics().horizontalAdvance("M") * 6, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {fontMetrics().horizontalAdvance("M") * 24, QLabel::sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = contentsRect();
        p.setPen(palette().color(foregroundRole()));
        p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }
};

// The names of a list's parts, one per line in the engine, side by side here.
QString shownName(const std::string& filename) {
    QStringList parts = QString::fromStdString(filename).split('\n', Qt::SkipEmptyParts);
    return parts.join(", ");
}

}  // namespace

ListPane::ListPane(dataSource& list, QWidget* parent) : QWidget(parent) {
    model_ = new ListTableModel(list, this);
    table_ = new ListTableView(*model_, this);
    filename_ = new ElidedLabel(this);
    filename_->setObjectName("filename");
    filename_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    count_ = new QLabel(this);
    count_->setObjectName("editCount");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    toolRow_ = new QHBoxLayout;
    toolRow_->addWidget(filename_, 1);
    toolRow_->addWidget(count_);
    layout->addLayout(toolRow_);
    layout->addWidget(table_, 1);
    connect(model_, &ListTableModel::labelsUpdated, this, &ListPane::showLabels);
    showLabels();
}

void ListPane::showLabels() {
    const QString name = shownName(model_->list().filename());
    filename_->setText(name);
    filename_->setToolTip(name);
    count_->setText(QString::fromStdString(model_->list().editCount()));
}

}  // namespace rw::qt
