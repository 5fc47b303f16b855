#pragma once
// The fourth tab: the last comparison counted by colour, per list.

#include "core/Edit.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;

namespace rw {
class conformController;
}

namespace rw::qt {

struct ColourCount {
    std::string name;
    int count = 0;
};

// Events by their standard colour, in a fixed order; colours outside the
// standard set are counted as "other".
std::vector<ColourCount> countByColour(const EditArray& events);

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
