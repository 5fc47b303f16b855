// Timings of the desktop window (run under QT_QPA_PLATFORM=offscreen or a
// display):
//   1. from QApplication to a shown main window
//   2. OLD and NEW lists of N events each loaded and shown, compared and the
//      change list shown, against the same work in the engine alone.
//
//   bench_app_window OLD.edl NEW.edl

#include "views/SenderTitles.h"
#include "core/AppModel.h"
#include "core/Dialogs.h"
#include "mainwindow/MainWindow.h"
#include "settings/MemorySettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>

#include <cstdio>

namespace {

struct NoDialogs : rw::qt::Dialogs {
    bool message(const rw::qt::MessageRequest& r) override {
        std::fprintf(stderr, "alert: %s %s\n", r.message.c_str(), r.informativeText.c_str());
        return true;
    }
    rw::HourCodeAnswer hourCode(const std::string&) override { return {}; }
    std::optional<rw::OpenPanelResult> openFiles(const std::string&, bool) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    rw::SaveChoice saveChanges(const std::string&) override { return rw::SaveChoice::DontSave; }
    std::optional<rw::MovieSide> movieSide(const std::string&) override { return std::nullopt; }
};

double ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

double engineAlone(const std::string& oldPath, const std::string& newPath) {
    NoDialogs dialogs;
    rw::qt::AppModel model(dialogs);
    model.controller.setAutosave(false);
    QElapsedTimer t;
    t.start();
    model.controller.selectTab(0);
    model.controller.openFiles({oldPath});
    model.controller.selectTab(1);
    model.controller.openFiles({newPath});
    model.controller.compare(rw::title::Compare);
    return ms(t);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_app_window OLD.edl NEW.edl\n");
        return 2;
    }
    QElapsedTimer start;
    start.start();
    QApplication app(argc, argv);
    NoDialogs dialogs;
    rw::qt::AppModel model(dialogs);
    model.controller.setAutosave(false);
    rw::MemorySettings store;
    model.controller.startUp(store);
    rw::qt::MainWindow window(model);
    window.show();
    QApplication::processEvents();
    std::printf("start to shown window: %.1f ms\n", ms(start));

    QElapsedTimer t;
    t.start();
    window.openFilesInTab(0, {argv[1]});
    window.openFilesInTab(1, {argv[2]});
    QApplication::processEvents();
    const double loaded = ms(t);
    window.action("compare")->trigger();
    window.tabs().setCurrentIndex(2);
    window.repaint();
    QApplication::processEvents();
    const double withWindow = ms(t);
    const double alone = engineAlone(argv[1], argv[2]);
    std::printf("events: %zu old, %zu new, %zu changes\n", model.controller.dataSourceA().numberOfRowsInTableView(),
                model.controller.dataSourceB().numberOfRowsInTableView(),
                model.controller.dataSourceC().numberOfRowsInTableView());
    std::printf("load both lists and show them: %.1f ms\n", loaded);
    std::printf("load, compare and show the change list: %.1f ms (engine alone %.1f ms, window adds %.1f ms)\n",
                withWindow, alone, withWindow - alone);
    return 0;
}
