#include "core/HourCodeSheet.h"

#include "app/ConformController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rw::qt {

HourCodeSheet::HourCodeSheet(const QString& baseName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Hour Code"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(baseName, this));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Hour:"), this));
    hour_ = new QLineEdit(QString::fromStdString(hourCodeText(0)), this);
    hour_->setObjectName("hourField");
    row->addWidget(hour_);
    stepper_ = new QSpinBox(this);
    stepper_->setObjectName("hourStepper");
    stepper_->setRange(0, 23);
    stepper_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    stepper_->setFixedWidth(48);
    connect(stepper_, &QSpinBox::valueChanged, this, &HourCodeSheet::stepTo);
    row->addWidget(stepper_);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, HourCodeChoice> choices[] = {
        {"Cut List", HourCodeChoice::Cut}, {"EDL", HourCodeChoice::Edl}, {"Change List", HourCodeChoice::Change}};
    for (const auto& [text, choice] : choices) {
        auto* b = new QPushButton(tr(text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, c = choice] { finish(c); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
}

void HourCodeSheet::stepTo(int value) { hour_->setText(QString::fromStdString(hourCodeText(value))); }

QString HourCodeSheet::hourText() const { return hour_->text(); }

void HourCodeSheet::finish(HourCodeChoice choice) {
    answer_.choice = choice;
    answer_.hour = hour_->text().toStdString();
    accept();
}

}  // namespace rw::qt
