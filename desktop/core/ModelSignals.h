#pragma once
// The controller's one observer, as Qt signals for the widgets.

#include "ports/ModelObserver.h"

#include <QObject>

namespace rw::qt {

class ModelSignals : public QObject, public ModelObserver {
    Q_OBJECT
public:
    using QObject::QObject;
    void modelChanged(ModelChange change) override;

signals:
    void selectedTabChanged();
    void blockDrawerChanged();
    void preferencesChanged();
    void undoStackChanged();
    void moviesChanged();
};

}  // namespace rw::qt
