#pragma once
// The command line's face of the UI port: alerts go to stderr as
// "message: informative text", the hour-code sheet and the folder panel are
// answered from flags, the search results are kept for the command to print.

#include "ports/UiPort.h"

#include <ostream>

namespace rw::cli {

class CliUi : public UiPort {
public:
    explicit CliUi(std::ostream& err) : err_(err) {}
    void alert(const std::string& message, const std::string& informativeText) override {
        err_ << message << ": " << informativeText << "\n";
        ++alerts_;
    }
    // The confirmation alert is printed and taken as "OK": the command line
    // is the user's answer.
    bool confirm(const std::string& message, const std::string& informativeText) override;
    void beep() override {}
    HourCodeAnswer askHourCode(const std::string&) override { return answer_; }
    void startProgress() override {}
    void stopProgress() override {}

    // The panels answer with the paths given on the command line.
    std::optional<OpenPanelResult> openPanel(const std::string& folder, bool) override;
    std::optional<std::string> savePanel(const std::string&, const std::string&) override { return saveAnswer; }
    std::optional<std::string> chooseFolder(const std::string&) override { return folder_; }
    void showSearchResults(const std::string& summary) override { searchSummary_ = summary; }
    void activateApplication() override {}

    void setHourCodeAnswer(HourCodeAnswer a) { answer_ = std::move(a); }
    void setFolderAnswer(std::string folder) { folder_ = std::move(folder); }
    const std::optional<std::string>& searchSummary() const { return searchSummary_; }
    int alertCount() const { return alerts_; }

    std::optional<std::string> openAnswer, saveAnswer;

private:
    std::ostream& err_;
    HourCodeAnswer answer_;
    std::optional<std::string> folder_;
    std::optional<std::string> searchSummary_;
    int alerts_ = 0;
};

}  // namespace rw::cli
