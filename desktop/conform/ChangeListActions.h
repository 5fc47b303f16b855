#pragma once
// The conform and export commands of the change list as the menus run them.

#include <QString>

#include <string>

namespace rw {
class conformController;
}

namespace rw::qt {

enum class ExportKind { ChangeEdl, Document, Otio, Euphonix, EuphonixRebalance, EuphonixRelative, Note };

// Runs one export; a failed write is shown as an alert with its reason.
// Answers a line for the status bar: where it went, or why not.
QString runExport(conformController& c, ExportKind kind, const std::string& senderTitle);

class WorkstationConform;

// Runs the conform command; a confirmed Pro Tools conform starts on the
// workstation. Answers a line for the status bar.
QString runConform(conformController& c, WorkstationConform& workstation, const std::string& senderTitle);

}  // namespace rw::qt
