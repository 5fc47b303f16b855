#pragma once
// The fourth tab: the last comparison counted by colour, per list.

#include <QWidget>

class QLabel;

namespace rw {
class conformController;
}

namespace rw::qt {

class SummaryPane : public QWidget {
    Q_OBJECT
public:
    SummaryPane(conformController& controller, QWidget* parent);
    void refresh();
    QString text() const;

private:
    conformController& controller_;
    QLabel* label_;
};

}  // namespace rw::qt
