#pragma once
// The hour-code sheet: what it asks about which file, the hour field with
// its stepper, and Cancel / Film Cut List / EDL / Film Change List.

#include "ports/UiPort.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace rw::qt {

class HourCodeSheet : public QDialog {
    Q_OBJECT
public:
    HourCodeSheet(const QString& baseName, QWidget* parent);
    HourCodeAnswer answer() const { return answer_; }
    // The stepper's action: its value into the field, padded by the engine.
    void stepTo(int value);
    QString hourText() const;

private:
    void finish(HourCodeChoice choice);

    QLineEdit* hour_ = nullptr;
    QSpinBox* stepper_ = nullptr;
    HourCodeAnswer answer_;
};

}  // namespace rw::qt
