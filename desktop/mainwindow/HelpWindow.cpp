#include "mainwindow/HelpWindow.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rw::qt {

void showUserGuide(QWidget* parent) {
    auto* guide = parent ? parent->findChild<QDialog*>("userGuideWindow") : nullptr;
    if (!guide) {
        guide = new QDialog(parent, Qt::Window);
        guide->setObjectName("userGuideWindow");
        guide->setWindowTitle(QObject::tr("reelwright User Guide"));
        auto* text = new QTextBrowser(guide);
        text->setObjectName("userGuide");
        text->setOpenExternalLinks(false);
        QFile file(":/reelwright/guide.html");
        if (file.open(QIODevice::ReadOnly)) text->setHtml(QString::fromUtf8(file.readAll()));
        auto* layout = new QVBoxLayout(guide);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(text);
        guide->resize(640, 720);
    }
    guide->show();
    guide->raise();
    guide->activateWindow();
}

void showAbout(QWidget* parent) {
    QMessageBox::about(parent, QObject::tr("About reelwright"),
                       QObject::tr("<h3>reelwright %1</h3>"
                                   "<p>Compares the OLD and NEW picture edit lists of a film or programme, builds the "
                                   "change list, and conforms sound to the new cut.</p>"
                                   "<p>The command-line tool <tt>reelwright</tt> does the same without a window.</p>")
                           .arg(QApplication::applicationVersion()));
}

}  // namespace rw::qt
