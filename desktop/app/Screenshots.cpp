#include "app/Screenshots.h"

#include "blocks/BlockViewWidget.h"
#include "mainwindow/MainWindow.h"
#include "movies/MovieWindows.h"
#include "preferences/PreferencesDialog.h"
#include "views/SenderTitles.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

namespace rw::qt {

namespace {

bool save(QWidget& w, const QString& path) {
    QApplication::processEvents();
    if (w.grab().save(path)) return true;
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return false;
}

// With both movies loaded: the large movies and the difference window at the
// selected event.
bool writeMovieScreenshots(MainWindow& window, const QDir& dir) {
    MovieReview& review = *window.controller().review();
    if (!review.hasMovie(MovieSide::Old) || !review.hasMovie(MovieSide::New)) return true;
    window.controller().dataSourceC().gotoEditStart();
    review.showHideMovies(title::ShowHideLargeMovies);
    review.showHideMovies(title::ShowHideMovieDifferences);
    QThread::msleep(500);  // the feeds decode on their own threads
    QApplication::processEvents();
    bool ok = save(window, dir.filePath("movies-drawer.png"));
    ok = save(window.movies().largeWindow(), dir.filePath("movies-large.png")) && ok;
    return save(window.movies().differenceWindow(), dir.filePath("movies-difference.png")) && ok;
}

}  // namespace

bool writeScreenshots(MainWindow& window, const QString& folder) {
    QDir().mkpath(folder);
    const QDir dir(folder);
    bool ok = true;
    // The status bar would show this run's temporary folders.
    window.statusBar()->clearMessage();
    // One change event selected, so its highlight shows in the block view.
    if (window.controller().dataSourceC().numberOfRowsInTableView() > 1) window.controller().dataSourceC().selectRows({1});
    const char* names[] = {"main-old.png", "main-new.png", "main-changes.png", "main-summary.png"};
    for (int tab = 0; tab < 4; ++tab) {
        window.controller().selectTab(tab);
        ok = save(window, dir.filePath(names[tab])) && ok;
    }
    window.controller().selectTab(2);
    ok = save(window, dir.filePath("main-window.png")) && ok;
    ok = save(window.blockView(), dir.filePath("block-view.png")) && ok;
    PreferencesDialog& prefs = window.preferencesDialog();
    prefs.show();
    auto* pages = prefs.findChild<QTabWidget*>("preferenceTabs");
    const char* pageNames[] = {"preferences.png", "preferences-vfx.png", "preferences-conform.png"};
    for (int page = 0; page < 3 && pages; ++page) {
        pages->setCurrentIndex(page);
        ok = save(prefs, dir.filePath(pageNames[page])) && ok;
    }
    prefs.hide();
    return writeMovieScreenshots(window, dir) && ok;
}

}  // namespace rw::qt
