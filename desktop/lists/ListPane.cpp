#include "lists/ListPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace rw::qt {

ListPane::ListPane(dataSource& list, QWidget* parent) : QWidget(parent) {
    model_ = new ListTableModel(list, this);
    table_ = new ListTableView(*model_, this);
    filename_ = new QLabel(this);
    filename_->setObjectName("filename");
    filename_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    count_ = new QLabel(this);
    count_->setObjectName("editCount");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    toolRow_ = new QHBoxLayout;
    toolRow_->addWidget(filename_, 1);
    toolRow_->addWidget(count_);
    layout->addLayout(toolRow_);
    layout->addWidget(table_, 1);
    connect(model_, &ListTableModel::reloaded, this, &ListPane::showLabels);
    showLabels();
}

void ListPane::showLabels() {
    filename_->setText(QString::fromStdString(model_->list().filename()));
    count_->setText(QString::fromStdString(model_->list().editCount()));
}

}  // namespace rw::qt
