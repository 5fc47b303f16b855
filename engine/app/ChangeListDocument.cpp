#include "app/ChangeListDocument.h"

#include "app/ChangeListExports.h"
#include "app/ConformController.h"
#include "core/Files.h"
#include "core/Text.h"

#include <algorithm>
#include <filesystem>

namespace rw {

namespace {

// The document's own rate: no sender title picks another.
constexpr const char* kOwnRate = "Save As";

Outcome<ChangeListSave> writeTo(conformController& c, const std::string& path) {
    const Outcome<> written = writeFileAtomic(path, changeDocumentContent(c, kOwnRate));
    if (!written) {
        c.ui().beep();
        return Outcome<ChangeListSave>::failure(written.error);
    }
    dataSource& list = c.dataSourceC();
    list.setDocumentPath(path);
    list.markSaved();
    rememberRecentChangeList(c, path);
    return Outcome<ChangeListSave>::success({ChangeListSave::Status::Saved, path});
}

}  // namespace

std::string changeListDocumentName(conformController& c) {
    const dataSource& list = c.dataSourceC();
    if (!list.documentPath().empty()) return lastPathComponent(list.documentPath());
    const std::string& label = list.filename();
    const std::string first = label.substr(0, label.find('\n'));
    return first.empty() || label == kNoFileLoaded ? "Untitled" : first;
}

Outcome<ChangeListSave> saveChangeListAs(conformController& c) {
    if (c.dataSourceC().getEditArray().empty()) {
        c.ui().beep();
        return Outcome<ChangeListSave>::success({ChangeListSave::Status::Empty, ""});
    }
    std::string name = changeListDocumentName(c);
    if (pathExtension(name) != "conform") name += ".conform";
    const std::string& current = c.dataSourceC().documentPath();
    const std::string folder =
        current.empty() ? c.prefs().get(pref::ChangePath) : std::filesystem::path(current).parent_path().string();
    const auto path = c.ui().savePanel(folder, name);
    if (!path) return Outcome<ChangeListSave>::success({ChangeListSave::Status::Cancelled, ""});
    c.rememberFolder(pref::ChangePath, std::filesystem::path(*path).parent_path().string());
    return writeTo(c, *path);
}

Outcome<ChangeListSave> saveChangeList(conformController& c) {
    const std::string& path = c.dataSourceC().documentPath();
    if (path.empty() || c.dataSourceC().getEditArray().empty()) return saveChangeListAs(c);
    return writeTo(c, path);
}

// An emptied list has nothing to keep: its file still holds what it held.
bool mayDiscardChangeList(conformController& c) {
    dataSource& list = c.dataSourceC();
    if (list.getEditArray().empty() || !list.isModified()) return true;
    switch (c.ui().askToSaveChanges(changeListDocumentName(c))) {
    case SaveChoice::Save: {
        const Outcome<ChangeListSave> saved = saveChangeList(c);
        if (!saved) c.ui().alert("file not saved", saved.error);
        return saved && saved.value.status == ChangeListSave::Status::Saved;
    }
    case SaveChoice::DontSave: return true;
    case SaveChoice::Cancel: return false;
    }
    return false;
}

std::vector<std::string> recentChangeLists(conformController& c) {
    std::vector<std::string> paths;
    if (!c.store()) return paths;
    const std::string stored = c.store()->stringForKey(kRecentChangeListsKey).value_or("");
    for (std::string_view line : splitLineViews(stored))
        if (!line.empty()) paths.emplace_back(line);
    return paths;
}

void rememberRecentChangeList(conformController& c, const std::string& path) {
    if (!c.store()) return;
    std::vector<std::string> paths = recentChangeLists(c);
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kMaxRecentChangeLists) paths.resize(kMaxRecentChangeLists);
    std::string joined;
    for (const auto& p : paths) joined += p + "\n";
    c.store()->setString(kRecentChangeListsKey, joined);
}

}  // namespace rw
