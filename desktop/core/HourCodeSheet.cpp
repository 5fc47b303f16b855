#include "core/HourCodeSheet.h"

#include "app/ConformController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rw::qt {

// Asked for a file whose extension names no list type: which kind of list
// it is, and for feet-and-frames lists the hour their timecodes start at.
HourCodeSheet::HourCodeSheet(const QString& baseName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("What Kind of List?"));
    setWindowModality(Qt::WindowModal);
    answer_.choice = HourCodeChoice::Cancel;  // the close box and Escape leave the file out
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(tr("<b>%1</b> is not an EDL, an XML sequence or a change-list document. "
                                   "Read it as which kind of list?")
                                    .arg(baseName.toHtmlEscaped()),
                                this);
    question->setObjectName("question");
    question->setWordWrap(true);
    layout->addWidget(question);
    auto* note = new QLabel(tr("Film cut lists and film change lists count in feet and frames: "
                               "give the hour their timecodes start at."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* row = new QHBoxLayout;
    auto* hourLabel = new QLabel(tr("Start &hour:"), this);
    row->addWidget(hourLabel);
    hour_ = new QLineEdit(QString::fromStdString(hourCodeText(0)), this);
    hour_->setObjectName("hourField");
    hour_->setMaximumWidth(fontMetrics().horizontalAdvance("0000") + 16);
    hourLabel->setBuddy(hour_);
    row->addWidget(hour_);
    stepper_ = new QSpinBox(this);
    stepper_->setObjectName("hourStepper");
    stepper_->setRange(0, 23);
    stepper_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    stepper_->setFixedWidth(48);
    stepper_->setAccessibleName(tr("Start hour stepper"));
    connect(stepper_, &QSpinBox::valueChanged, this, &HourCodeSheet::stepTo);
    row->addWidget(stepper_);
    row->addStretch(1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancel");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    const std::pair<const char*, HourCodeChoice> choices[] = {
        {"Film Cut List", HourCodeChoice::Cut}, {"EDL", HourCodeChoice::Edl}, {"Film Change List", HourCodeChoice::Change}};
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
