#pragma once
// The UI port of the desktop app: questions go to the Dialogs (real or
// recording), the beep and the busy cursor to Qt, search results and
// activation out as signals for the window.

#include "core/Dialogs.h"
#include "ports/UiPort.h"

#include <QObject>

namespace rw::qt {

class QtUiPort : public QObject, public UiPort {
    Q_OBJECT
public:
    explicit QtUiPort(Dialogs& dialogs, QObject* parent = nullptr) : QObject(parent), dialogs_(&dialogs) {}
    void setDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }

    void alert(const std::string& message, const std::string& informativeText) override;
    bool confirm(const std::string& message, const std::string& informativeText) override;
    void beep() override;
    HourCodeAnswer askHourCode(const std::string& baseName) override;
    void startProgress() override;
    void stopProgress() override;
    std::optional<OpenPanelResult> openPanel(const std::string& folder, bool multiple) override;
    std::optional<std::string> savePanel(const std::string& folder, const std::string& name) override;
    std::optional<std::string> chooseFolder(const std::string& startIn) override;
    void showSearchResults(const std::string& summary) override;
    void activateApplication() override;
    SaveChoice askToSaveChanges(const std::string& documentName) override { return dialogs_->saveChanges(documentName); }
    std::optional<MovieSide> askMovieSide(const std::string& fileName) override { return dialogs_->movieSide(fileName); }

    int beeps() const { return beeps_; }
    bool busy() const { return busyDepth_ > 0; }

signals:
    void searchResultsShown(const QString& summary);
    void activationRequested();

private:
    Dialogs* dialogs_;
    int beeps_ = 0;
    int busyDepth_ = 0;
};

}  // namespace rw::qt
