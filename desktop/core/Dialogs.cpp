#include "core/Dialogs.h"

#include "core/HourCodeSheet.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace rw::qt {

bool WidgetDialogs::message(const MessageRequest& request) {
    QMessageBox box(window_);
    box.setIcon(QMessageBox::Information);
    box.setWindowModality(Qt::WindowModal);
    box.setText(QString::fromStdString(request.message));
    box.setInformativeText(QString::fromStdString(request.informativeText));
    QPushButton* ok = box.addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
    if (request.withCancel) box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}

HourCodeAnswer WidgetDialogs::hourCode(const std::string& baseName) {
    HourCodeSheet sheet(QString::fromStdString(baseName), window_);
    sheet.exec();
    return sheet.answer();
}

std::optional<OpenPanelResult> WidgetDialogs::openFiles(const std::string& folder, bool multiple) {
    const QString start = QString::fromStdString(folder);
    QStringList files;
    if (multiple) files = QFileDialog::getOpenFileNames(window_, QObject::tr("Open"), start);
    else if (QString f = QFileDialog::getOpenFileName(window_, QObject::tr("Open"), start); !f.isEmpty()) files << f;
    if (files.isEmpty()) return std::nullopt;
    OpenPanelResult result;
    for (const QString& f : files) result.paths.push_back(f.toStdString());
    result.folder = QFileInfo(files.front()).absolutePath().toStdString();
    return result;
}

std::optional<std::string> WidgetDialogs::saveFile(const std::string& folder, const std::string& name) {
    const QString start = QString::fromStdString(folder.empty() ? name : folder + "/" + name);
    const QString f = QFileDialog::getSaveFileName(window_, QObject::tr("Save As"), start);
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

std::optional<std::string> WidgetDialogs::chooseFolder(const std::string& startIn) {
    const QString f = QFileDialog::getExistingDirectory(window_, QObject::tr("Choose Folder"), QString::fromStdString(startIn));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

}  // namespace rw::qt
