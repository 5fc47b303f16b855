#include "DesktopFixture.h"

#include "MovieMaker.h"
#include "app/ChangeListExports.h"
#include "import/XmemlBuilder.h"
#include "blocks/BlockViewWidget.h"
#include "conform/OffsetSheet.h"
#include "conform/WorkstationConform.h"
#include "movies/FrameView.h"
#include "movies/MovieWindows.h"
#include "preferences/PreferencesDialog.h"
#include "protools/Protocol.h"
#include "protools/ProToolsConform.h"
#include "search/SearchResultsDialog.h"
#include "search/SearchRunner.h"
#include "views/SenderTitles.h"

#include <QAccessible>
#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>

namespace rw::test {
namespace {

// Drops the files on the window at `at` (window coordinates); false when the
// window does not take them.
bool drop(qt::MainWindow& w, const QStringList& paths, QPoint at = {5, 5}) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &dropped);
    return true;
}

QString labelText(QWidget& in, const char* name) { return in.findChild<QLabel*>(name)->text(); }

}  // namespace

class WindowTest : public DesktopTest {
    Q_OBJECT

private slots:
    void aConfirmedProToolsConformShowsTheStopPanelUntilStop() {
        DesktopFixture f;
        f.loadAndCompare();
        f.window->action("conform")->trigger();
        qt::StopPanel& panel = f.window->workstation().panel();
        QVERIFY(f.window->workstation().control().active());
        QVERIFY(panel.isVisible());
        QVERIFY(panel.windowFlags() & Qt::WindowStaysOnTopHint);
        panel.onButton(rw::sender::Stop);
        QVERIFY(!f.window->workstation().control().active());
        QVERIFY(!panel.isVisible());
    }

    void dropsLandInTheFrontListAndDocumentsInTheChangeList() {
        DesktopFixture f;
        f.model.controller.selectTab(1);
        QVERIFY(drop(*f.window, {example("new_cut.edl")}));
        QCOMPARE(f.window->pane(1).countLabel().text(), "6 edits");
        QCOMPARE(f.window->pane(1).filenameLabel().text(), "new_cut");
        QCOMPARE(f.list(0).numberOfRowsInTableView(), 0u);
        // A long name is shortened on screen and does not widen the window.
        const int narrowest = f.window->minimumSizeHint().width();
        const std::string longName = f.dir.file(std::string(200, 'n') + ".edl");
        std::filesystem::copy_file(RW_EXAMPLES "/new_cut.edl", longName);
        QVERIFY(drop(*f.window, {QString::fromStdString(longName)}));
        QCOMPARE(f.window->pane(1).filenameLabel().text(), "new_cut, " + QString(200, 'n'));  // a second reel
        QCOMPARE(f.window->minimumSizeHint().width(), narrowest);

        f.loadAndCompare();
        const std::string doc = f.dir.write("saveas.conform", changeDocumentContent(f.model.controller, "Save As"));
        f.model.controller.selectTab(0);
        f.dialogs.saveChoice = SaveChoice::DontSave;
        QVERIFY(drop(*f.window, {QString::fromStdString(doc)}));
        QCOMPARE(f.window->tabs().currentIndex(), 2);
        // The document replaces the change list, under its own name only.
        QCOMPARE(f.window->pane(2).countLabel().text(), "4 edits");
        QCOMPARE(f.window->pane(2).filenameLabel().text(), "saveas");
    }

    // A refused drop or load changes no list and no label.
    void badInputLeavesEveryListAsItWas() {
        DesktopFixture f;
        QMimeData mime;
        mime.setText("01:00:00:00");  // a text clipping
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(!enter.isAccepted());

        f.window->openFilesInTab(0, {example("old_cut.edl")});
        const std::string garbage = f.dir.write("garbage.edl", std::string("\0\xff\xfe binary\r\n", 12));
        const std::string damaged = f.dir.write("damaged.conform", "bplist00 not really");
        const std::string folder = f.dir.file("reel 2.edl");  // a folder, named as a list
        std::filesystem::create_directory(folder);
        for (const std::string& bad : {garbage, damaged, f.dir.file("missing.edl"), folder}) {
            const Trace at(QString::fromStdString(bad));
            f.model.controller.selectTab(0);
            f.dialogs.messages.clear();
            QVERIFY(drop(*f.window, {QString::fromStdString(bad)}));
            QCOMPARE(f.dialogs.messages.back().message, "no valid edits were found");
            QCOMPARE(f.window->pane(0).filenameLabel().text(), "old_cut");
            QCOMPARE(f.window->pane(0).countLabel().text(), "6 edits");
            QCOMPARE(f.window->pane(2).countLabel().text(), "0 edits");
        }
    }

    // Compare with a list missing alerts once, keeps the change list and
    // writes no copy; a refused export proposes the list's own name.
    void alertsAndExportsNameWhatTheUserHas() {
        DesktopFixture f;
        const std::string copies = f.dir.file("Change Lists");
        f.model.controller.setChangeListFolder(copies);
        f.model.controller.setAutosave(true);
        f.window->action("compare")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1u);
        QCOMPARE(f.dialogs.messages[0].message, "missing list");
        QVERIFY(!std::filesystem::exists(copies));

        f.loadAndCompare();
        QVERIFY(std::filesystem::exists(copies + "/new_cut_fr_old_cut.edl"));
        f.dialogs.saveAnswer = f.dir.file("no such folder/list.edl");
        f.dialogs.messages.clear();
        f.window->action("exportChangeEDL")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1u);
        QCOMPARE(f.dialogs.messages[0].message, "file not saved");
        QVERIFY(f.window->statusBar()->currentMessage().startsWith("Not exported: "));
        f.dialogs.saveAnswer = f.dir.file("changes.edl");
        f.window->action("exportChangeEDL")->trigger();
        QCOMPARE(f.window->statusBar()->currentMessage(), QString::fromStdString("Exported to " + f.dir.file("changes.edl")));

        QCOMPARE(f.dialogs.saveNames.back(), "new_cut_fr_old_cut.edl");
        f.list(2).deleteAll();
        f.list(2).newEvent();  // a hand-made list has no file name
        f.window->action("exportChangeEDL")->trigger();
        QCOMPARE(f.dialogs.saveNames.back(), "Untitled.edl");
    }

    // The alerts speak of what the window shows: the preference the rate
    // alert names, the small arrow buttons of the conform note, the help.
    void theAlertsNameWhatTheWindowShows() {
        DesktopFixture f;
        // A good sequence at 30 fps while the list type is "film cutlist" (24).
        const std::string xml = f.dir.write("seq.xml", xmeml(sequence(track(clip("a", 0, 10, 0, 10, file("f", 0, 30))), 30)));
        f.window->openFilesInTab(0, {QString::fromStdString(xml)});
        QCOMPARE(f.dialogs.messages.size(), 1u);  // one alert, and no parse error for a good document
        QCOMPARE(f.dialogs.messages[0].message, "incompatible sequence framerate");
        QVERIFY(f.dialogs.messages[0].informativeText.find("'list type' preference") != std::string::npos);
        qt::PreferencesDialog& prefs = f.window->preferencesDialog();
        QStringList labels;
        for (QLabel* l : prefs.findChildren<QLabel*>()) labels << l->text();
        QVERIFY(labels.contains("List type:"));

        // "use the small arrow buttons to nudge the timecodes up or down an hour"
        for (const char* name : {"copyHourUp", "copyHourDown", "pasteHourUp", "pasteHourDown"}) {
            const Trace at(name);
            auto* b = f.window->findChild<QToolButton*>(name);
            QVERIFY(b != nullptr);
            QVERIFY(b->arrowType() == Qt::UpArrow || b->arrowType() == Qt::DownArrow);
            QVERIFY(b->toolTip().contains("one hour"));
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        }
        f.loadAndCompare();
        QCOMPARE(labelText(f.window->pane(2), "copyHour"), "01");
        QTest::mouseClick(f.window->findChild<QToolButton*>("copyHourDown"), Qt::LeftButton);
        QCOMPARE(labelText(f.window->pane(2), "copyHour"), "00");
        QCOMPARE(f.list(2).objectValue("sourceIn", 0), "00:00:01:00");

        // "check that your lists are of the type specified in the help documentation"
        f.window->action("userGuide")->trigger();
        auto* guide = f.window->findChild<QTextBrowser*>("userGuide");
        QVERIFY(guide != nullptr);
        for (const char* words : {"list type", ".edl", ".xml", ".conform", "small arrow buttons"})
            QVERIFY2(guide->toPlainText().contains(words), words);
        QVERIFY(f.window->action("about") != nullptr);
    }

    // Tab and the end of an edit never put the focus on a button that
    // changes every event.
    void focusNeverReachesTheHourButtons() {
        DesktopFixture f;
        f.loadAndCompare();
        QVERIFY(f.showActive());
        f.window->action("showHideDrawer")->trigger();  // its start fields take the focus too
        QWidget* tabBar = f.window->tabs().findChild<QTabBar*>();
        tabBar->setFocus();
        int tables = 0;
        for (int i = 0; i < 30; ++i) {
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w != nullptr);
            QVERIFY2(!qobject_cast<QToolButton*>(w), qPrintable(w->toolTip()));
            if (qobject_cast<qt::ListTableView*>(w)) {  // Tab there turns to the next list
                ++tables;
                tabBar->setFocus();
                QTest::keyClick(tabBar, Qt::Key_Backtab);
                continue;
            }
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QVERIFY(tables > 0);
    }

    void aDroppedMovieLoadsAsTheMovieOfItsSide() {
        DesktopFixture f;
        MovieRecipe recipe;
        recipe.frames = 25;
        const std::string movie = f.dir.file("new cut.mov");
        QVERIFY(makeMovie(movie, recipe).empty());
        f.window->show();
        f.window->action("showHideDrawer")->trigger();
        QWidget& newPicture = f.window->movies().view(MovieSide::New, MovieView::Small);
        QTRY_VERIFY(newPicture.isVisible());
        const QPoint onNew = newPicture.mapTo(f.window.get(), newPicture.rect().center());
        QVERIFY(drop(*f.window, {QString::fromStdString(movie)}, onNew));
        QVERIFY(f.model.review.hasMovie(MovieSide::New));
        QVERIFY(!f.model.review.hasMovie(MovieSide::Old));
        QVERIFY(f.dialogs.movieQuestions.empty());

        // Elsewhere on the window: asked which side; the lists stay empty.
        f.dialogs.movieSideAnswer = MovieSide::Old;
        QVERIFY(drop(*f.window, {QString::fromStdString(movie)}, {5, 60}));
        QCOMPARE(f.dialogs.movieQuestions, std::vector<std::string>{"new cut.mov"});
        QVERIFY(f.model.review.hasMovie(MovieSide::Old));
        for (int tab = 0; tab < 3; ++tab) QCOMPARE(f.list(tab).numberOfRowsInTableView(), 0u);
        QVERIFY(f.dialogs.messages.empty());

        // The space bar outside the tables plays and stops them.
        QWidget* tabBar = f.window->tabs().findChild<QTabBar*>();
        tabBar->setFocus();
        QTest::keyClick(tabBar, Qt::Key_Space);
        QVERIFY(f.model.review.playing());
        QTest::keyClick(tabBar, Qt::Key_Space);
        QVERIFY(!f.model.review.playing());
    }

    // Pointing at a block names its event; a click selects it in the change list.
    void theBlockViewNamesAndSelectsItsEvents() {
        DesktopFixture f;
        f.window->show();
        f.loadAndCompare();
        qt::BlockViewWidget& blocks = f.window->blockView();
        QTRY_VERIFY(f.window->blockDock().isVisible());
        f.list(2).refreshBlockView();
        const KLVBlockView& geometry = f.model.controller.blockView();
        const QPoint onThird = blocks.toWidget(geometry.blocks().at(2).newCut).center().toPoint();
        QHelpEvent help(QEvent::ToolTip, onThird, blocks.mapToGlobal(onThird));
        QApplication::sendEvent(&blocks, &help);
        QCOMPARE(QToolTip::text(),
                 "003  A002C001\nold cut 01:00:06:00 \u2013 01:00:09:12\nnew cut 01:00:13:00 \u2013 01:00:16:12");
        f.model.controller.selectTab(0);
        QTest::mouseClick(&blocks, Qt::LeftButton, {}, onThird);
        QCOMPARE(f.model.controller.selectedTab(), 2);
        QCOMPARE(f.list(2).selectedRows(), std::vector<std::size_t>{2});
        QCOMPARE(geometry.hiLights().size(), 1u);
    }

    // Geometry, docks, column widths and the front tab come back next time.
    void theWindowComesBackAsItWasLeft() {
        DesktopFixture f;
        f.window->show();
        f.window->resize(900, 610);
        f.window->action("showHideBlocks")->trigger();
        QVERIFY(f.model.controller.blockDrawerOpen());
        f.window->pane(1).table().horizontalHeader()->resizeSection(1, 321);
        f.model.controller.selectTab(1);
        QVERIFY(f.window->close());

        qt::MainWindow next(f.model);
        next.show();
        QCOMPARE(next.size(), QSize(900, 610));
        QCOMPARE(next.pane(1).table().horizontalHeader()->sectionSize(1), 321);
        QCOMPARE(next.tabs().currentIndex(), 1);
        QVERIFY(next.blockDock().isVisible());
    }

    // Screen readers and test tools read the tables, their headers, the tabs,
    // the menus and the title with its modified mark.
    void everythingStaysExposedToAssistiveTechnology() {
        DesktopFixture f;
        f.window->show();
        f.loadAndCompare();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&f.window->pane(2).table());
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->text(QAccessible::Name), "Change list");
        QCOMPARE(table->tableInterface()->rowCount(), 4);
        QCOMPARE(table->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), "A001C003");
        QCOMPARE(table->tableInterface()->columnDescription(2), "Source In");
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(f.window.get());
        QVERIFY(window->text(QAccessible::Name).startsWith("new_cut_fr_old_cut*"));
        QMenu* edit = nullptr;
        for (QAction* m : f.window->menuBar()->actions())
            if (m->text() == "&Edit") edit = m->menu();
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(edit);
        QCOMPARE(items->child(0)->text(QAccessible::Name), "Undo Compare");
        QVERIFY(!items->child(0)->state().disabled);
        QVERIFY(items->child(1)->state().disabled);  // Redo
        auto* arrow = QAccessible::queryAccessibleInterface(f.window->findChild<QToolButton*>("pasteHourUp"));
        QCOMPARE(arrow->text(QAccessible::Name), "Paste hour up");
    }

    void theSearchRunsBesideTheWindowAndCanBeStopped() {
        DesktopFixture f;
        f.window->openFilesInTab(1, {example("new_cut.edl")});
        f.list(1).selectAll();
        const std::string folder = f.dir.file("lists");
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(RW_EXAMPLES "/old_cut.edl", folder + "/old_cut.edl");
        f.dialogs.folderAnswer = folder;
        qt::SearchResultsDialog& results = f.window->searchResults();
        QVERIFY(results.runner().start());
        results.runner().wait();
        QVERIFY(!results.runner().running());
        QCOMPARE(results.table().rowCount(), 1);
        QCOMPARE(results.table().item(0, 0)->text(), "old_cut.edl");
        QVERIFY(!f.model.ui.busy());

        QVERIFY(results.runner().start());
        results.cancelSearch();  // as quitting does
        QVERIFY(!results.runner().running());
        QVERIFY(!f.model.ui.busy());
        QVERIFY(f.dialogs.messages.empty());
    }

    void theOffsetSheetSaysWhyAndUndoes() {
        DesktopFixture f;
        f.loadAndCompare();
        f.model.controller.selectTab(2);
        f.list(2).selectRows({0});
        qt::OffsetSheet sheet(f.model.controller.offsetPanel(), f.window.get());
        sheet.sourceField().setText("1:00");  // not a timecode: the sheet stays and says why
        sheet.press("Offset");
        QCOMPARE(sheet.result(), QDialog::Rejected);
        QCOMPARE(f.window->statusBar()->currentMessage(), "\"1:00\" is not an offset at 24 fps: type [+|-]HH:MM:SS:FF");
        QCOMPARE(f.list(2).objectValue("sourceIn", 0), "01:00:01:00");
        sheet.sourceField().setText("+01:00:00:00");
        sheet.masterField().setText("00:00:00:00");
        sheet.press("Offset");
        QCOMPARE(sheet.result(), QDialog::Accepted);
        QCOMPARE(f.list(2).objectValue("sourceIn", 0), "02:00:01:00");
        f.window->action("undo")->trigger();
        QCOMPARE(f.list(2).objectValue("sourceIn", 0), "01:00:01:00");
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::WindowTest)
#include "WindowTest.moc"
