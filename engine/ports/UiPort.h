#pragma once
// What the engine asks of the person at the screen: alerts, the beep, the
// hour-code sheet, the progress wheel. The app shows window-modal dialogs, the
// CLI writes to stderr and answers from its flags, tests record the calls.

#include <optional>
#include <string>
#include <vector>

namespace rw {

// What an open panel answers on OK: the chosen files and the folder shown.
struct OpenPanelResult {
    std::vector<std::string> paths;
    std::string folder;
};

// The buttons of the hour-code sheet.
enum class HourCodeChoice { Cut, Edl, Change };

struct HourCodeAnswer {
    HourCodeChoice choice = HourCodeChoice::Edl;
    std::string hour;  // the field's text; taken only by Cut and Change
};

class UiPort {
public:
    virtual ~UiPort() = default;
    // An informational alert with one "OK" button.
    virtual void alert(const std::string& message, const std::string& informativeText) = 0;
    virtual void beep() = 0;
    // Shown for a file whose extension is not a list extension.
    virtual HourCodeAnswer askHourCode(const std::string& baseName) = 0;
    virtual void startProgress() {}
    virtual void stopProgress() {}

    // A modal informational alert with "OK" (default) and "Cancel"; true for
    // OK. Where nobody can answer, nothing is confirmed.
    virtual bool confirm(const std::string& /*message*/, const std::string& /*informativeText*/) { return false; }
    // A modal open panel for ONE file of any type, starting in `folder` (the
    // panel's own default when empty); nullopt when cancelled.
    virtual std::optional<std::string> openPanel(const std::string& /*folder*/) { return std::nullopt; }
    // A modal save panel in `folder` proposing `name`; nullopt when cancelled.
    virtual std::optional<std::string> savePanel(const std::string& /*folder*/, const std::string& /*name*/) {
        return std::nullopt;
    }
    // An open panel with MULTIPLE selection starting in `folder`; nullopt on Cancel.
    virtual std::optional<OpenPanelResult> runOpenPanel(const std::string& /*folder*/) { return std::nullopt; }
    // Brings the application to the front (a drag entering the window).
    virtual void activateApplication() {}
    // An open panel that chooses one folder; nullopt when it is cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& /*startIn*/) { return std::nullopt; }
    // The search results panel, brought to the front showing the summary text.
    virtual void showSearchResults(const std::string& /*summary*/) {}
};

// Answers nothing and shows nothing; the hour-code sheet takes the EDL button.
class SilentUi : public UiPort {
public:
    void alert(const std::string&, const std::string&) override {}
    void beep() override {}
    HourCodeAnswer askHourCode(const std::string&) override { return {}; }
};

// Keeps every call, for tests and for callers that report afterwards.
class RecordingUi : public UiPort {
public:
    struct Alert {
        std::string message, informativeText;
    };
    std::vector<Alert> alerts;
    std::vector<std::string> hourCodeAsked;
    int beeps = 0;
    HourCodeAnswer answer;
    std::optional<OpenPanelResult> openPanelAnswer;  // nullopt: Cancel
    std::vector<std::string> openPanelFolders;
    int activations = 0;
    std::optional<std::string> folder;         // the folder the open panel answers
    std::vector<std::string> folderAskedFrom;  // where each folder panel started
    std::vector<std::string> searchResults;    // each summary shown

    void alert(const std::string& m, const std::string& i) override { alerts.push_back({m, i}); }
    void beep() override { ++beeps; }
    HourCodeAnswer askHourCode(const std::string& baseName) override {
        hourCodeAsked.push_back(baseName);
        return answer;
    }
    std::optional<OpenPanelResult> runOpenPanel(const std::string& folder) override {
        openPanelFolders.push_back(folder);
        return openPanelAnswer;
    }
    void activateApplication() override { ++activations; }
    std::optional<std::string> chooseFolder(const std::string& startIn) override {
        folderAskedFrom.push_back(startIn);
        return folder;
    }
    void showSearchResults(const std::string& summary) override { searchResults.push_back(summary); }
};

}  // namespace rw
