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

SaveChoice WidgetDialogs::saveChanges(const std::string& documentName) {
    QMessageBox box(window_);
    box.setIcon(QMessageBox::Warning);
    box.setWindowModality(Qt::WindowModal);
    box.setText(QObject::tr("Save the changes to the change list \u201c%1\u201d?").arg(QString::fromStdString(documentName)));
    box.setInformativeText(QObject::tr("Your changes will be lost if you don't save them."));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    // The same words on every desktop (the styles say "Discard" or "Close without Saving").
    box.button(QMessageBox::Discard)->setText(QObject::tr("Don't Save"));
    switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::DontSave;
    default: return SaveChoice::Cancel;
    }
}

std::optional<MovieSide> WidgetDialogs::movieSide(const std::string& fileName) {
    QMessageBox box(window_);
    box.setIcon(QMessageBox::Question);
    box.setWindowModality(Qt::WindowModal);
    box.setText(QObject::tr("Load \u201c%1\u201d as the OLD or the NEW movie?").arg(QString::fromStdString(fileName)));
    box.setInformativeText(QObject::tr("Drop a movie on the OLD or NEW picture in the movie drawer to skip this question."));
    QPushButton* oldSide = box.addButton(QObject::tr("OLD Movie"), QMessageBox::AcceptRole);
    QPushButton* newSide = box.addButton(QObject::tr("NEW Movie"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(newSide);
    box.exec();
    if (box.clickedButton() == oldSide) return MovieSide::Old;
    if (box.clickedButton() == newSide) return MovieSide::New;
    return std::nullopt;
}

}  // namespace rw::qt
