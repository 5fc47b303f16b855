#pragma once
// The offset sheet: source and master offset fields over the engine's offset
// panel; it closes when the panel says its modal run stops, and otherwise
// says why it stays.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace rw {
class OffsetPanel;
class conformController;
}  // namespace rw

namespace rw::qt {

class OffsetSheet : public QDialog {
    Q_OBJECT
public:
    OffsetSheet(OffsetPanel& panel, QWidget* parent);
    QLineEdit& sourceField() { return *source_; }
    QLineEdit& masterField() { return *master_; }
    // A button of the sheet, by its title ("Offset", "Cancel").
    void press(const QString& title);

private:
    OffsetPanel& panel_;
    QLineEdit* source_;
    QLineEdit* master_;
    QLabel* message_;
};

void runOffsetSheet(conformController& c, QWidget* parent);

}  // namespace rw::qt
