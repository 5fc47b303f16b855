#pragma once
// What the engine asks of the person at the screen: alerts, the beep, the
// hour-code sheet, the progress wheel. The app shows window-modal dialogs, the
// CLI writes to stderr and answers from its flags, tests record the calls.

#include "ports/MoviePort.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

// What an open panel answers on OK: the chosen files and the folder shown.
struct OpenPanelResult {
    std::vector<std::string> paths;
    std::string folder;
};

// The buttons of the hour-code sheet; Cancel leaves the file out.
enum class HourCodeChoice { Cut, Edl, Change, Cancel };

// The answers to "save the changes to the change list?".
enum class SaveChoice { Save, DontSave, Cancel };

struct HourCodeAnswer {
    HourCodeChoice choice = HourCodeChoice::Edl;
    std::string hour;  // the field's text; taken only by Cut and Change
};

class UiPort {
public:
    virtual ~UiPort() = default;
    // An informational alert with one "OK" button.
    virtual void alert(const std::string& message, const std::string& informativeText) = 0;
    // A modal informational alert with "OK" (default) and "Cancel"; true for
    // OK. Where nobody can answer, nothing is confirmed.
    virtual bool confirm(const std::string& message, const std::string& informativeText) = 0;
    virtual void beep() = 0;
    // Shown for a file whose extension is not a list extension.
    virtual HourCodeAnswer askHourCode(const std::string& baseName) = 0;
    virtual void startProgress() = 0;
    virtual void stopProgress() = 0;

    // A modal open panel starting in `folder` (the panel's own default when
    // empty), for one file or, with `multiple`, several; nullopt on Cancel.
    virtual std::optional<OpenPanelResult> openPanel(const std::string& folder, bool multiple) = 0;
    // A modal save panel in `folder` proposing `name`; nullopt when cancelled.
    virtual std::optional<std::string> savePanel(const std::string& folder, const std::string& name) = 0;
    // An open panel that chooses one folder; nullopt when it is cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& startIn) = 0;
    // The search results panel, brought to the front showing the summary text.
    virtual void showSearchResults(const std::string& summary) = 0;
    // Brings the application to the front (a drag entering the window).
    virtual void activateApplication() = 0;
    // Before a modified change list named `documentName` is replaced or
    // closed. Where nobody can answer, nothing is given up: Cancel.
    virtual SaveChoice askToSaveChanges(const std::string& documentName) {
        (void)documentName;
        return SaveChoice::Cancel;
    }
    // A dropped movie file: load it as the OLD or the NEW movie? nullopt: neither.
    virtual std::optional<MovieSide> askMovieSide(const std::string& fileName) {
        (void)fileName;
        return std::nullopt;
    }
};

}  // namespace rw
