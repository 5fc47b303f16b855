#pragma once
// The modal dialogs the UI port opens, behind one interface so tests can
// answer them without a modal loop (RecordingDialogs in tests/desktop).

#include "ports/UiPort.h"

#include <optional>
#include <string>

class QWidget;

namespace rw::qt {

struct MessageRequest {
    std::string message;
    std::string informativeText;
    bool withCancel = false;  // "OK" and "Cancel" rather than "OK" alone
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // True for "OK".
    virtual bool message(const MessageRequest& request) = 0;
    virtual HourCodeAnswer hourCode(const std::string& baseName) = 0;
    virtual std::optional<OpenPanelResult> openFiles(const std::string& folder, bool multiple) = 0;
    virtual std::optional<std::string> saveFile(const std::string& folder, const std::string& name) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& startIn) = 0;
    // Save / Don't Save / Cancel for a modified change list.
    virtual SaveChoice saveChanges(const std::string& documentName) = 0;
    // OLD, NEW or neither for a dropped movie file.
    virtual std::optional<MovieSide> movieSide(const std::string& fileName) = 0;
};

// The real dialogs, window-modal on `window` (set once the window exists).
class WidgetDialogs : public Dialogs {
public:
    void setWindow(QWidget* window) { window_ = window; }
    bool message(const MessageRequest& request) override;
    HourCodeAnswer hourCode(const std::string& baseName) override;
    std::optional<OpenPanelResult> openFiles(const std::string& folder, bool multiple) override;
    std::optional<std::string> saveFile(const std::string& folder, const std::string& name) override;
    std::optional<std::string> chooseFolder(const std::string& startIn) override;
    SaveChoice saveChanges(const std::string& documentName) override;
    std::optional<MovieSide> movieSide(const std::string& fileName) override;

private:
    QWidget* window_ = nullptr;
};

}  // namespace rw::qt
