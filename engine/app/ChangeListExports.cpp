#include "app/ChangeListExports.h"

#include "app/ChangeListDocument.h"
#include "app/ConformController.h"
#include "views/SenderTitles.h"
#include "conform/ChangeDocument.h"
#include "conform/ChangeEdl.h"
#include "conform/Euphonix.h"
#include "conform/ExportTimebase.h"
#include "conform/OtioWriter.h"
#include "conform/RelativeNote.h"
#include "core/Files.h"

#include <filesystem>

namespace rw {

namespace {


const EditArray& listC(conformController& c) { return c.dataSourceC().getEditArray(); }

// The change list's own name, never the empty list's "no file loaded".
std::string proposedName(conformController& c, const std::string& extension) {
    std::string name = changeListDocumentName(c);
    if (pathExtension(name) == "conform") name = deletingPathExtension(name);
    return name + extension;
}

// The save panel and the write. A failed write beeps, in every export:
// silence would pass it off as done.
Outcome<ChangeListExport> done(ChangeListExport::Status status, std::string path = {}) {
    return Outcome<ChangeListExport>::success({status, std::move(path)});
}

Outcome<ChangeListExport> save(conformController& c, const std::string& content, const std::string& extension) {
    auto path = c.ui().savePanel(c.prefs().get(pref::ExportPath), proposedName(c, extension));
    if (!path) return done(ChangeListExport::Status::Cancelled);
    const Outcome<> written = writeFileAtomic(*path, content);
    c.rememberFolder(pref::ExportPath, std::filesystem::path(*path).parent_path().string());
    if (!written) {
        c.ui().beep();
        return Outcome<ChangeListExport>::failure(written.error);
    }
    return done(ChangeListExport::Status::Written, *path);
}

ChangeEdlHeader edlHeader(conformController& c, const ExportTimebase& tb) {
    ChangeEdlHeader h;
    h.fcmToken = tb.fcmToken;
    h.movieOld = c.movies().movieLocation(MovieSide::Old);
    h.movieNew = c.movies().movieLocation(MovieSide::New);
    if (tb.explicitTranslation) h.translatedFrom = listTimebase(listC(c));
    return h;
}

// A list's label, its file names on one line; "" before any was loaded.
std::string listNames(const dataSource& list) {
    if (list.filename() == kNoFileLoaded) return {};
    std::string names = list.filename();
    while (!names.empty() && names.back() == '\n') names.pop_back();
    for (std::size_t at = names.find('\n'); at != std::string::npos; at = names.find('\n', at))
        names.replace(at, 1, ", ");
    return names;
}

bool refusedByOrder(conformController& c) {
    RelativeOrder order = checkRelativeOrder(listC(c));
    if (order == RelativeOrder::Fine) return false;
    c.ui().beep();
    c.ui().alert(kChangeNoteError, relativeOrderText(order));
    return true;
}

}  // namespace

std::string changeEdlContent(conformController& c, const std::string& senderTitle) {
    ExportTimebase tb = exportTimebaseForSender(senderTitle, listC(c), c.prefs().edlType());
    return changeEdlText(exportedEvents(listC(c), tb), edlHeader(c, tb));
}

std::string changeDocumentContent(conformController& c, const std::string& senderTitle) {
    ExportTimebase tb = exportTimebaseForSender(senderTitle, listC(c), c.prefs().edlType());
    ChangeDocumentHeader h{tb.fcmToken, c.movies().movieLocation(MovieSide::Old),
                           c.movies().movieLocation(MovieSide::New)};
    return changeDocumentBytes(exportedEvents(listC(c), tb), h);
}

Outcome<ChangeListExport> exportChangeEDL(conformController& c, const std::string& senderTitle) {
    if (listC(c).empty()) {
        c.ui().beep();
        return done(ChangeListExport::Status::Empty);
    }
    return save(c, changeEdlContent(c, senderTitle), ".edl");
}

Outcome<ChangeListExport> exportC(conformController& c, const std::string& senderTitle) {
    if (listC(c).empty()) {
        c.ui().beep();
        return done(ChangeListExport::Status::Empty);
    }
    return save(c, changeDocumentContent(c, senderTitle), ".conform");
}

std::string otioChangeListContent(conformController& c) {
    const std::string& label = c.dataSourceC().filename();
    const OtioChangeListNames names{label.substr(0, label.find('\n')), listNames(c.dataSourceA()),
                                    listNames(c.dataSourceB())};
    return otioChangeListText(listC(c), names, c.prefs().edlType());
}

Outcome<ChangeListExport> exportOtio(conformController& c) {
    if (listC(c).empty()) {
        c.ui().beep();
        return done(ChangeListExport::Status::Empty);
    }
    if (std::string problem = otioChangeListProblem(listC(c)); !problem.empty()) {
        c.ui().beep();
        c.ui().alert("change list not exported", problem);
        return done(ChangeListExport::Status::Refused);
    }
    return save(c, otioChangeListContent(c), ".otio");
}

Outcome<ChangeListExport> exportEuphonix(conformController& c) {
    if (listC(c).empty()) return done(ChangeListExport::Status::Empty);
    return save(c, euphonixMoveList(listC(c)), ".cfm");
}

Outcome<ChangeListExport> exportEuphonixRebalance(conformController& c) {
    if (listC(c).empty()) return done(ChangeListExport::Status::Empty);
    return save(c, euphonixRebalanceList(listC(c)), ".cfm");
}

Outcome<ChangeListExport> exportEuphonixRelative(conformController& c) {
    if (listC(c).empty()) return done(ChangeListExport::Status::Empty);
    if (refusedByOrder(c)) return done(ChangeListExport::Status::Refused);
    return save(c, euphonixRelativeList(listC(c)), ".cfm");
}

Outcome<ChangeListExport> exportRelative(conformController& c, const std::string& senderTitle) {
    if (listC(c).empty()) return done(ChangeListExport::Status::Empty);
    if (refusedByOrder(c)) return done(ChangeListExport::Status::Refused);
    return save(c, relativeNoteText(listC(c), senderTitle == title::ExportFeetFramesNote), ".txt");
}

}  // namespace rw
