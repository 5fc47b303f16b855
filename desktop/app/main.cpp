// reelwright-app: the desktop application over the engine.

#include "app/CommandLine.h"
#include "app/Screenshots.h"
#include "core/AppModel.h"
#include "core/QtSettingsStore.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

QStringList toList(const std::vector<std::string>& files) {
    QStringList list;
    for (const auto& f : files) list << QString::fromStdString(f);
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    const rw::qt::ParsedCommandLine parsed = rw::qt::parseCommandLine(argc, argv);
    if (!parsed.options) {
        std::fputs(parsed.output.c_str(), parsed.exitCode == 0 ? stdout : stderr);
        return parsed.exitCode;
    }
    const rw::qt::StartOptions& o = *parsed.options;
    QApplication app(argc, argv);
    QApplication::setApplicationName("reelwright");
    QApplication::setOrganizationName("reelwright");
    QApplication::setApplicationVersion(RW_VERSION);

    rw::qt::WidgetDialogs dialogs;
    rw::qt::AppModel model(dialogs);
    model.controller.setChangeListFolder(rw::defaultChangeListFolder());
    auto store = o.settingsFile.empty() ? std::make_unique<rw::qt::QtSettingsStore>()
                                        : std::make_unique<rw::qt::QtSettingsStore>(QString::fromStdString(o.settingsFile));
    model.controller.startUp(*store);

    rw::qt::MainWindow window(model);
    dialogs.setWindow(&window);
    window.show();
    if (!store->loadProblem().isEmpty()) model.ui.alert("settings not read", store->loadProblem().toStdString());

    window.openFilesInTab(0, toList(o.oldFiles));
    window.openFilesInTab(1, toList(o.newFiles));
    window.openFilesInTab(2, toList(o.changeFiles));
    if (!o.oldMovie.empty()) model.review.load(rw::MovieSide::Old, o.oldMovie, true);
    if (!o.newMovie.empty()) model.review.load(rw::MovieSide::New, o.newMovie, true);
    if (o.compare) window.action("compare")->trigger();
    window.refreshAll();

    // The unattended runs end without the question about unsaved changes.
    if (o.quitWhenShown) QTimer::singleShot(0, &app, [] { QApplication::exit(0); });
    if (!o.screenshotDir.empty()) {
        QTimer::singleShot(300, &app, [&window, &o] {
            const bool ok = rw::qt::writeScreenshots(window, QString::fromStdString(o.screenshotDir));
            QApplication::exit(ok ? 0 : 1);
        });
    }
    const int status = app.exec();
    store->sync();
    return status;
}
