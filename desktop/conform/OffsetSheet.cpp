#include "conform/OffsetSheet.h"

#include "app/ConformController.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

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
    message_ = new QLabel(tr("Moves the selected events: [+|-]HH:MM:SS:FF"), this);
    message_->setObjectName("offsetMessage");
    message_->setWordWrap(true);
    form->addRow(message_);
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
    if (panel_.offsetSheetAction(title.toStdString())) {
        accept();
        return;
    }
    // Refused: why, in the sheet and in the window's status bar.
    const QString why = QString::fromStdString(panel_.message());
    message_->setText(why);
    if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) window->statusBar()->showMessage(why, 10000);
}

void runOffsetSheet(conformController& c, QWidget* parent) {
    OffsetSheet sheet(c.offsetPanel(), parent);
    sheet.exec();
}

}  // namespace rw::qt
