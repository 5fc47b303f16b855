#include "conform/OffsetSheet.h"

#include "app/ConformController.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace rw::qt {

OffsetSheet::OffsetSheet(OffsetPanel& panel, QWidget* parent) : QDialog(parent), panel_(panel) {
    setWindowTitle(tr("Offset Selected Events"));
    setWindowModality(Qt::WindowModal);
    auto* form = new QFormLayout(this);
    source_ = new QLineEdit(QString::fromStdString(panel.offsetValueSource.empty() ? "00:00:00:00" : panel.offsetValueSource), this);
    master_ = new QLineEdit(QString::fromStdString(panel.offsetValueMaster.empty() ? "00:00:00:00" : panel.offsetValueMaster), this);
    source_->setObjectName("offsetSource");
    master_->setObjectName("offsetMaster");
    form->addRow(tr("Source (old) offset:"), source_);
    form->addRow(tr("Master (new) offset:"), master_);
    auto* buttons = new QHBoxLayout;
    for (const char* title : {"Cancel", "Offset"}) {
        auto* b = new QPushButton(tr(title), this);
        b->setDefault(QString(title) == "Offset");
        connect(b, &QPushButton::clicked, this, [this, title] { press(title); });
        buttons->addWidget(b);
    }
    form->addRow(buttons);
}

void OffsetSheet::press(const QString& title) {
    panel_.offsetValueSource = source_->text().toStdString();
    panel_.offsetValueMaster = master_->text().toStdString();
    if (panel_.offsetSheetAction(title.toStdString())) accept();
}

void runOffsetSheet(conformController& c, QWidget* parent) {
    OffsetSheet sheet(c.offsetPanel(), parent);
    sheet.exec();
}

}  // namespace rw::qt
