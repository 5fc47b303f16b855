#include "core/ModelSignals.h"

namespace rw::qt {

void ModelSignals::modelChanged(ModelChange change) {
    switch (change) {
    case ModelChange::SelectedTab: emit selectedTabChanged(); break;
    case ModelChange::BlockDrawer: emit blockDrawerChanged(); break;
    case ModelChange::Preferences: emit preferencesChanged(); break;
    case ModelChange::UndoStack: emit undoStackChanged(); break;
    case ModelChange::Movies: emit moviesChanged(); break;
    }
}

}  // namespace rw::qt
