#include "core/QtUiPort.h"

#include "core/BeepSound.h"

#include <QApplication>
#include <QCursor>

namespace rw::qt {

void QtUiPort::alert(const std::string& message, const std::string& informativeText) {
    dialogs_->message({message, informativeText, false});
}

bool QtUiPort::confirm(const std::string& message, const std::string& informativeText) {
    return dialogs_->message({message, informativeText, true});
}

void QtUiPort::beep() {
    ++beeps_;
    QApplication::beep();
    playBeepSound();
}

HourCodeAnswer QtUiPort::askHourCode(const std::string& baseName) { return dialogs_->hourCode(baseName); }

// The busy cursor while an import or search runs; nested calls stack.
void QtUiPort::startProgress() {
    if (busyDepth_++ == 0) QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

void QtUiPort::stopProgress() {
    if (busyDepth_ == 0) return;
    if (--busyDepth_ == 0) QApplication::restoreOverrideCursor();
}

std::optional<OpenPanelResult> QtUiPort::openPanel(const std::string& folder, bool multiple) {
    return dialogs_->openFiles(folder, multiple);
}

std::optional<std::string> QtUiPort::savePanel(const std::string& folder, const std::string& name) {
    return dialogs_->saveFile(folder, name);
}

std::optional<std::string> QtUiPort::chooseFolder(const std::string& startIn) {
    return dialogs_->chooseFolder(startIn);
}

void QtUiPort::showSearchResults(const std::string& summary) {
    emit searchResultsShown(QString::fromStdString(summary));
}

void QtUiPort::activateApplication() { emit activationRequested(); }

}  // namespace rw::qt
