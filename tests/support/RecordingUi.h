#pragma once
// A UI port that keeps every call and answers what the test set: the alerts,
// beeps and panels a command asked for, in order.

#include "ports/UiPort.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

class RecordingUi : public UiPort {
public:
    struct Alert {
        std::string message, informativeText;
    };
    std::vector<Alert> alerts;
    std::vector<std::string> hourCodeAsked;
    int beeps = 0;
    int progressStarts = 0, progressStops = 0;
    HourCodeAnswer answer;
    bool confirmAnswer = false;
    std::vector<Alert> confirmations;
    std::optional<OpenPanelResult> openPanelAnswer;  // nullopt: Cancel
    std::vector<std::string> openPanelFolders;
    std::optional<std::string> savePanelAnswer;  // nullopt: Cancel
    std::vector<std::string> savePanelFolders, savePanelNames;
    int activations = 0;
    std::optional<std::string> folder;         // the folder the folder panel answers
    std::vector<std::string> folderAskedFrom;  // where each folder panel started
    std::vector<std::string> searchResults;    // each summary shown
    SaveChoice saveChoice = SaveChoice::Cancel;
    std::vector<std::string> saveQuestions;  // the document named by each question
    std::optional<MovieSide> movieSide;      // the side a dropped movie is loaded as

    void alert(const std::string& m, const std::string& i) override { alerts.push_back({m, i}); }
    bool confirm(const std::string& m, const std::string& i) override {
        confirmations.push_back({m, i});
        return confirmAnswer;
    }
    void beep() override { ++beeps; }
    HourCodeAnswer askHourCode(const std::string& baseName) override {
        hourCodeAsked.push_back(baseName);
        return answer;
    }
    void startProgress() override { ++progressStarts; }
    void stopProgress() override { ++progressStops; }
    std::optional<OpenPanelResult> openPanel(const std::string& folder, bool) override {
        openPanelFolders.push_back(folder);
        return openPanelAnswer;
    }
    std::optional<std::string> savePanel(const std::string& folder, const std::string& name) override {
        savePanelFolders.push_back(folder);
        savePanelNames.push_back(name);
        return savePanelAnswer;
    }
    std::optional<std::string> chooseFolder(const std::string& startIn) override {
        folderAskedFrom.push_back(startIn);
        return folder;
    }
    void showSearchResults(const std::string& summary) override { searchResults.push_back(summary); }
    void activateApplication() override { ++activations; }
    SaveChoice askToSaveChanges(const std::string& name) override {
        saveQuestions.push_back(name);
        return saveChoice;
    }
    std::optional<MovieSide> askMovieSide(const std::string&) override { return movieSide; }
};

}  // namespace rw
