#include "conform/ChangeListActions.h"

#include "app/ChangeListExports.h"
#include "app/ConformCommand.h"
#include "app/ConformController.h"
#include "conform/WorkstationConform.h"

#include <QObject>

namespace rw::qt {

namespace {

Outcome<ChangeListExport> exportOf(conformController& c, ExportKind kind, const std::string& senderTitle) {
    switch (kind) {
    case ExportKind::ChangeEdl: return exportChangeEDL(c, senderTitle);
    case ExportKind::Document: return exportC(c, senderTitle);
    case ExportKind::Otio: return exportOtio(c);
    case ExportKind::Euphonix: return exportEuphonix(c);
    case ExportKind::EuphonixRebalance: return exportEuphonixRebalance(c);
    case ExportKind::EuphonixRelative: return exportEuphonixRelative(c);
    case ExportKind::Note: return exportRelative(c, senderTitle);
    }
    return {};
}

}  // namespace

QString runExport(conformController& c, ExportKind kind, const std::string& senderTitle) {
    const Outcome<ChangeListExport> result = exportOf(c, kind, senderTitle);
    if (!result) {
        // The engine beeps; a beep alone would not say that nothing was saved
        // (a read-only folder, a full disk).
        c.ui().alert("file not saved", result.error);
        return QObject::tr("Not exported: %1").arg(QString::fromStdString(result.error));
    }
    switch (result.value.status) {
    case ChangeListExport::Status::Written:
        return QObject::tr("Exported to %1").arg(QString::fromStdString(result.value.path));
    case ChangeListExport::Status::Empty: return QObject::tr("The change list is empty: nothing to export.");
    default: return {};
    }
}

QString runConform(conformController& c, WorkstationConform& workstation, const std::string& senderTitle) {
    workstation.followConformTimebase();
    ConformCommand command(c, workstation.host());
    command.setProToolsConform(&workstation.control());
    command.setArdourHost(&workstation.ardour().host());
    const ConformOutcome outcome = command.conform(senderTitle);
    switch (outcome.step) {
    case ConformOutcome::Step::ArdourConfirmed:
        workstation.ardour().start(outcome.ardour);
        return QObject::tr("Conforming the Ardour session.");
    case ConformOutcome::Step::ProToolsConfirmed:
        if (command.plan().events.empty()) return QObject::tr("Conform not started: no event is left to conform.");
        return QObject::tr("Conforming the simulated Pro Tools session.");
    case ConformOutcome::Step::FileConform:
        if (!outcome.file.value.empty()) return QObject::tr("Written: %1").arg(QString::fromStdString(outcome.file.value));
        return {};
    default: return {};
    }
}

}  // namespace rw::qt
