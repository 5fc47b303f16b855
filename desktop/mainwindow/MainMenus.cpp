// The menus of the main window. Each action carries the engine's sender
// title as data (where the command branches on it) and runs its command with
// that title; the visible text may be translated.

#include "mainwindow/MainWindow.h"

#include "views/SenderTitles.h"
#include "app/ChangeListDocument.h"
#include "conform/ChangeListActions.h"
#include "mainwindow/HelpWindow.h"
#include "conform/WorkstationConform.h"
#include "app/SessionLocate.h"
#include "conform/OffsetSheet.h"
#include "movies/MovieWindows.h"
#include "preferences/PreferencesDialog.h"
#include "search/SearchResultsDialog.h"
#include "verify/VerifyRunner.h"

#include <QAction>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace rw::qt {

namespace {

// A locate's status-bar line: where the session went, or why it did not move.
QString locateText(const Outcome<std::string>& located) {
    return QString::fromStdString(located ? located.value : located.error);
}

}  // namespace

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, const QString& name, const char* senderTitle,
                                const QKeySequence& shortcut, Command command, bool refresh) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (senderTitle) a->setData(QString::fromUtf8(senderTitle));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, [this, a, refresh, command = std::move(command)] {
        command(a->data().toString().toStdString());
        if (refresh) refreshAll();
    });
    menu->addAction(a);
    return a;
}

void MainWindow::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildListMenu();
    buildChangeMenu();
    buildMovieMenu();
    buildViewMenu();
    buildHelpMenu();
}

void MainWindow::buildFileMenu() {
    QMenu* m = menuBar()->addMenu(tr("&File"));
    conformController& c = model_.controller;
    addCommand(m, tr("&Open..."), "open", nullptr, QKeySequence::Open, [this](const std::string&) {
        frontList().importList();
    });
    recent_ = m->addMenu(tr("Open &Recent"));
    recent_->setObjectName("openRecent");
    connect(recent_, &QMenu::aboutToShow, this, &MainWindow::showRecent);
    showRecent();
    addCommand(m, tr("Import OLD List..."), "importA", nullptr, {}, [&c](const std::string&) { c.dataSourceA().importList(); });
    addCommand(m, tr("Import NEW List..."), "importB", nullptr, {}, [&c](const std::string&) { c.dataSourceB().importList(); });
    addCommand(m, tr("Import Change List..."), "importC", nullptr, {}, [&c](const std::string&) { c.dataSourceC().importList(); });
    m->addSeparator();
    // The change list is the document: a change-list document at its own rate.
    addCommand(m, tr("&Save Change List"), "save", nullptr, QKeySequence::Save, [this](const std::string&) { save(false); });
    addCommand(m, tr("Save Change List &As..."), "saveAs", nullptr, QKeySequence::SaveAs,
               [this](const std::string&) { save(true); });
    QMenu* edl = m->addMenu(tr("Export Change EDL"));
    QMenu* doc = m->addMenu(tr("Export Change-List Document"));
    const char* rates[] = {"24", "25", "30", "29.97df", "59.94df", "60"};
    addCommand(edl, tr("At the List's Rate..."), "exportChangeEDL", "Export Change EDL", {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::ChangeEdl, t)); });
    addCommand(doc, tr("At the List's Rate..."), "exportC", "Export Change List", {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Document, t)); });
    for (const char* rate : rates) {
        addCommand(edl, QString::fromUtf8(rate), QString("exportChangeEDL_%1").arg(rate), rate, {},
                   [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::ChangeEdl, t)); });
        addCommand(doc, QString::fromUtf8(rate), QString("exportC_%1").arg(rate), rate, {},
                   [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Document, t)); });
    }
    addCommand(m, tr("Export OpenTimelineIO..."), "exportOtio", nullptr, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Otio, t)); });
    addCommand(m, tr("Export Euphonix Change List..."), "exportEuphonix", nullptr, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Euphonix, t)); });
    addCommand(m, tr("Export Euphonix Rebalance List..."), "exportEuphonixRebalance", nullptr, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::EuphonixRebalance, t)); });
    addCommand(m, tr("Export Euphonix Relative List..."), "exportEuphonixRelative", nullptr, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::EuphonixRelative, t)); });
    addCommand(m, tr("Export Change Note..."), "exportRelative", title::ExportChangeNote, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Note, t)); });
    addCommand(m, tr("Export Feet+Frames Change Note..."), "exportRelativeFF", title::ExportFeetFramesNote, {},
               [this, &c](const std::string& t) { showStatus(runExport(c, ExportKind::Note, t)); });
    addCommand(m, tr("Save Verification Report..."), "saveVerificationReport", nullptr, {},
               [this](const std::string&) { verifier_->saveReport(); });
    m->addSeparator();
    addCommand(m, tr("&Quit"), "quit", nullptr, QKeySequence::Quit, [this](const std::string&) { close(); });
}

void MainWindow::buildEditMenu() {
    QMenu* m = menuBar()->addMenu(tr("&Edit"));
    UndoStack& u = model_.controller.undoManager();
    undo_ = addCommand(m, tr("Undo"), "undo", nullptr, QKeySequence::Undo, [&u](const std::string&) { u.undo(); });
    redo_ = addCommand(m, tr("Redo"), "redo", nullptr, QKeySequence::Redo, [&u](const std::string&) { u.redo(); });
    m->addSeparator();
    addCommand(m, tr("Delete Selected Events"), "delete", nullptr, QKeySequence::Delete,
               [this](const std::string&) { frontList().deleteEvents(); });
    m->addSeparator();
    const QKeySequence prefsKey =
        QKeySequence(QKeySequence::Preferences).isEmpty() ? QKeySequence("Ctrl+,") : QKeySequence(QKeySequence::Preferences);
    QAction* prefs = addCommand(m, tr("Preferences..."), "preferences", nullptr, prefsKey, [this](const std::string&) {
        preferencesDialog().show();
        preferencesDialog().raise();
    });
    prefs->setMenuRole(QAction::PreferencesRole);
}

void MainWindow::buildListMenu() {
    QMenu* m = menuBar()->addMenu(tr("&Lists"));
    conformController& c = model_.controller;
    addCommand(m, tr("Clear OLD List"), "deleteA", nullptr, {}, [&c](const std::string&) { c.dataSourceA().deleteAll(); });
    addCommand(m, tr("Clear NEW List"), "deleteB", nullptr, {}, [&c](const std::string&) { c.dataSourceB().deleteAll(); });
    addCommand(m, tr("Clear Change List"), "deleteC", nullptr, {}, [&c](const std::string&) { c.dataSourceC().deleteAll(); });
    m->addSeparator();
    addCommand(m, tr("Find Selected NEW Events in Other Files..."), "findEventsInOtherFiles", nullptr,
               QKeySequence(tr("Ctrl+Shift+F")), [this](const std::string&) { searchResults().startSearch(); });
}

void MainWindow::buildChangeMenu() {
    QMenu* m = menuBar()->addMenu(tr("&Change List"));
    conformController& c = model_.controller;
    dataSource& list = c.dataSourceC();
    // The automatic copy is written quietly; the status bar says where, or why not.
    auto compare = [this, &c](const std::string& t) {
        c.compare(t);
        const Outcome<std::string>& copy = c.lastCopy();
        if (!copy)
            showStatus(tr("Change list copy not written: %1").arg(QString::fromStdString(copy.error)));
        else if (!copy.value.empty())
            showStatus(tr("%1 \u2014 copy kept in %2").arg(QString::fromStdString(c.dataSourceC().editCount()),
                                                          QString::fromStdString(copy.value)));
    };
    addCommand(m, tr("Compare"), "compare", title::Compare, QKeySequence(tr("Ctrl+K")), compare);
    addCommand(m, tr("Compare Selected Events Only"), "compareSelected", title::CompareSelectedOnly,
               QKeySequence(tr("Ctrl+Shift+K")), compare);
    m->addSeparator();
    addCommand(m, tr("Create New Event"), "newEvent", nullptr, QKeySequence(tr("Ctrl+N")),
               [&list](const std::string&) { list.newEvent(); });
    addCommand(m, tr("Set In Times"), "setInTimes", title::SetInTimes, {}, [&list](const std::string& t) { list.setTimes(t); });
    addCommand(m, tr("Set Out Times"), "setOutTimes", title::SetOutTimes, {}, [&list](const std::string& t) { list.setTimes(t); });
    addCommand(m, tr("Heal Selected"), "healSelected", nullptr, QKeySequence(tr("Ctrl+H")), [this, &list](const std::string&) {
        const auto [in, out] = list.healSelected();
        showStatus(in ? tr("Healed %1 events into %2.").arg(in).arg(out) : tr("Select the change events to heal."));
    });
    addCommand(m, tr("Offset..."), "offsetEvents", nullptr, QKeySequence(tr("Ctrl+Shift+O")), [this](const std::string&) {
        runOffsetSheet(model_.controller, this);
        showStatus(QString::fromStdString(model_.controller.offsetPanel().message()));
    });
    QMenu* hours = m->addMenu(tr("Nudge Hours"));
    const struct { const char* text; const char* name; double value; bool source; } nudges[] = {
        {"Copy Hour Up", "nudgeCopyUp", 1, true},    {"Copy Hour Down", "nudgeCopyDown", -1, true},
        {"Paste Hour Up", "nudgePasteUp", 1, false}, {"Paste Hour Down", "nudgePasteDown", -1, false}};
    for (const auto& n : nudges) {
        addCommand(hours, tr(n.text), n.name, nullptr, {},
                   [&list, v = n.value, s = n.source](const std::string&) { list.stepHour(s, v); });
    }
    m->addSeparator();
    addCommand(m, tr("Conform..."), "conform", title::Conform, {}, [this](const std::string& t) {
        showStatus(runConform(model_.controller, workstation(), t));
    });
    addCommand(m, tr("Conform Selected Events Only..."), "conformSelected", title::ConformSelectedOnly, {},
               [this](const std::string& t) { showStatus(runConform(model_.controller, workstation(), t)); });
    addCommand(m, tr("Locate Session To Master"), "locateMaster", title::LocateSessionToMaster, {},
               [this](const std::string& t) { showStatus(locateText(workstation().locator().locateSessionToMaster(t))); });
    addCommand(m, tr("Locate Session To Source"), "locateSource", title::LocateSessionToSource, {},
               [this](const std::string& t) { showStatus(locateText(workstation().locator().locateSessionToSource(t))); });
    m->addSeparator();
    addCommand(m, tr("Verify Against Movies"), "verifyMovies", nullptr, {},
               [this](const std::string&) { verifier_->start(); });
}

void MainWindow::buildMovieMenu() {
    QMenu* m = menuBar()->addMenu(tr("&Movies"));
    MovieReview& r = model_.review;
    const auto add = [this, m](const QString& text, const QString& name, const char* title, const QKeySequence& key,
                               Command command) { return addCommand(m, text, name, title, key, std::move(command), false); };
    const auto import = [&r](const std::string& t) { r.importMovie(t); };
    const auto capture = [&r](const std::string& t) { r.captureZeroPoint(t); };
    const auto showHide = [&r](const std::string& t) { r.showHideMovies(t); };
    add(tr("Import Old Movie..."), "importOldMovie", title::ImportOldMovie, {}, import);
    add(tr("Import New Movie..."), "importNewMovie", title::ImportNewMovie, {}, import);
    m->addSeparator();
    add(tr("Capture Old Movie Zero Point"), "captureOld", title::CaptureOldZeroPoint, {}, capture);
    add(tr("Capture New Movie Zero Point"), "captureNew", title::CaptureNewZeroPoint, {}, capture);
    m->addSeparator();
    add(tr("Show/Hide Movie Drawer"), "showHideDrawer", title::ShowHideMovieDrawer, QKeySequence(tr("Ctrl+M")), showHide);
    add(tr("Show/Hide Large Movies"), "showHideLarge", title::ShowHideLargeMovies, QKeySequence(tr("Ctrl+L")), showHide);
    add(tr("Show/Hide Movie Differences"), "showHideDiff", title::ShowHideMovieDifferences, QKeySequence(tr("Ctrl+D")),
        showHide);
    m->addSeparator();
    add(tr("Play/Stop"), "playStop", nullptr, QKeySequence(tr("Ctrl+P")),
        [this](const std::string&) { model_.review.playStop(std::nullopt); });
    const struct { const char* text; const char* name; int frames; const char* key; } steps[] = {
        {"Back One Frame", "nudgeBackOne", -1, "Alt+Left"}, {"Forward One Frame", "nudgeForwardOne", 1, "Alt+Right"},
        {"Back Ten Frames", "nudgeBackTen", -10, "Alt+Shift+Left"},
        {"Forward Ten Frames", "nudgeForwardTen", 10, "Alt+Shift+Right"}};
    for (const auto& s : steps)
        add(tr(s.text), s.name, nullptr, QKeySequence(tr(s.key)), [&r, n = s.frames](const std::string&) { r.nudge(n); });
    add(tr("Event Start"), "nudgeEditStart", nullptr, QKeySequence(tr("Alt+Up")), [&r](const std::string&) { r.nudgeEditStart(); });
    add(tr("Event End"), "nudgeEditEnd", nullptr, QKeySequence(tr("Alt+Down")), [&r](const std::string&) { r.nudgeEditEnd(); });
    add(tr("Movie Start"), "nudgeStart", nullptr, QKeySequence(tr("Alt+Home")), [&r](const std::string&) { r.gotoStart(); });
    add(tr("Movie End"), "nudgeEnd", nullptr, QKeySequence(tr("Alt+End")), [&r](const std::string&) { r.gotoEnd(); });
    m->addSeparator();
    // The OLD movie's sound is off until asked for.
    QAction* sound = add(tr("Old Movie Sound"), "oldSound", nullptr, {}, [&r, this](const std::string&) {
        r.setOldMuted(!action("oldSound")->isChecked());
    });
    sound->setCheckable(true);
}

void MainWindow::buildViewMenu() {
    QMenu* m = menuBar()->addMenu(tr("&View"));
    QAction* blocks = addCommand(m, tr("Show/Hide Blocks"), "showHideBlocks", nullptr, QKeySequence(tr("Ctrl+B")),
                                 [this](const std::string&) { model_.controller.showHideBlocks(); });
    blocks->setCheckable(true);
    m->addSeparator();
    const char* names[] = {"OLD", "NEW", "Change List", "Summary"};
    for (int tab = 0; tab < 4; ++tab)
        addCommand(m, tr(names[tab]), QString("showTab%1").arg(tab), nullptr, QKeySequence(QString("Ctrl+%1").arg(tab + 1)),
                   [this, tab](const std::string&) { model_.controller.selectTab(tab); });
}

void MainWindow::buildHelpMenu() {
    QMenu* m = menuBar()->addMenu(tr("&Help"));
    addCommand(m, tr("reelwright &User Guide"), "userGuide", nullptr, QKeySequence::HelpContents,
               [this](const std::string&) { showUserGuide(this); });
    QAction* about = addCommand(m, tr("&About reelwright"), "about", nullptr, {}, [this](const std::string&) { showAbout(this); });
    about->setMenuRole(QAction::AboutRole);
}

void MainWindow::save(bool as) {
    conformController& c = model_.controller;
    const Outcome<ChangeListSave> result = as ? saveChangeListAs(c) : saveChangeList(c);
    if (!result) {
        c.ui().alert("file not saved", result.error);
        showStatus(tr("Not saved: %1").arg(QString::fromStdString(result.error)));
        return;
    }
    switch (result.value.status) {
    case ChangeListSave::Status::Saved: showStatus(tr("Saved to %1").arg(QString::fromStdString(result.value.path))); break;
    case ChangeListSave::Status::Empty: showStatus(tr("The change list is empty: nothing to save.")); break;
    case ChangeListSave::Status::Cancelled: break;
    }
}

// The recent change-list documents, newest first; one that is gone says so.
// Built as the menu opens, never while one of its items runs.
void MainWindow::showRecent() {
    recent_->clear();
    const std::vector<std::string> paths = recentChangeLists(model_.controller);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString path = QString::fromStdString(paths[i]);
        QAction* a = recent_->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setObjectName(QString("recent%1").arg(i));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (!QFileInfo::exists(path)) {
                model_.ui.alert("file not found", path.toStdString() + " is no longer there.");
                return;
            }
            openFilesInTab(2, {path});
        });
    }
    if (paths.empty()) recent_->addAction(tr("No Recent Change Lists"))->setEnabled(false);
}

}  // namespace rw::qt
