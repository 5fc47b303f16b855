// The change list as the window's document: Save, Save As, the title with
// its modified mark, the question at close and before a load, the recent
// documents; and Heal Selected's undo from the menu.

#include "DesktopFixture.h"

#include "app/ChangeListDocument.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QtTest/QTest>

#include <filesystem>

namespace rw::test {
namespace {

// Reads a saved change-list document back with a controller of its own.
EditArray readBack(const std::string& path) {
    RecordingUi ui;
    NoMovies movies;
    conformController reader(ui, movies);
    reader.setAutosave(false);
    reader.openFiles({path});
    return reader.dataSourceC().getEditArray();
}

std::vector<std::string> rowsOf(const EditArray& events) {
    std::vector<std::string> rows;
    for (const auto& e : events)
        rows.push_back(e->editNum() + " " + e->clip() + " " + e->sourceIn()->tcAsString() + " " + e->masterOut()->tcAsString());
    return rows;
}

}  // namespace

class DocumentTest : public DesktopTest {
    Q_OBJECT

private slots:
    void saveAsSaveAndTheQuestionAtClose() {
        DesktopFixture f;
        f.loadAndCompare();
        QVERIFY(f.showActive());
        QCOMPARE(f.window->windowTitle(), "new_cut_fr_old_cut[*] \u2014 reelwright");
        QVERIFY(f.window->isWindowModified());

        // Close: Cancel keeps the window and the list.
        f.dialogs.saveChoice = SaveChoice::Cancel;
        QVERIFY(!f.window->close());
        QCOMPARE(f.dialogs.saveQuestions, std::vector<std::string>{"new_cut_fr_old_cut"});
        QVERIFY(f.window->isVisible());

        // Save first asks where, as Save As does; the name is the list's.
        const std::string path = f.dir.file("reel 1.conform");
        f.dialogs.saveAnswer = path;
        QTest::keySequence(f.window.get(), QKeySequence::Save);
        QCOMPARE(f.window->windowTitle(), "reel 1.conform[*] \u2014 reelwright");
        QVERIFY(!f.window->isWindowModified());
        const std::vector<std::string> saved = rowsOf(readBack(path));
        QCOMPARE(saved, rowsOf(f.list(2).getEditArray()));
        QCOMPARE(saved.front(), "001 A001C003 01:00:01:00 01:00:05:00");

        // An edit marks it; undo back to what was saved clears the mark.
        f.list(2).setObjectValue("02000000", "sourceIn", 0);
        f.window->refreshAll();
        QVERIFY(f.window->isWindowModified());
        f.window->action("undo")->trigger();
        QVERIFY(!f.window->isWindowModified());

        // Save writes to the document's own file without asking.
        f.list(2).setObjectValue("02000000", "sourceIn", 0);
        f.dialogs.saveAnswer.reset();
        f.window->action("save")->trigger();
        QCOMPARE(f.dialogs.saveFolders.size(), 1u);
        QCOMPARE(rowsOf(readBack(path)).front(), "001 A001C003 02:00:00:00 01:00:05:00");

        // Quit with changes: Save, then the window closes.
        f.list(2).setObjectValue("03000000", "sourceIn", 0);
        f.dialogs.saveChoice = SaveChoice::Save;
        QVERIFY(f.window->close());
        QCOMPARE(rowsOf(readBack(path)).front(), "001 A001C003 03:00:00:00 01:00:05:00");
    }

    // A failed save says why and keeps the window open with the list.
    void aFailedSaveKeepsTheWindowOpen() {
        DesktopFixture f;
        f.loadAndCompare();
        f.dialogs.saveChoice = SaveChoice::Save;
        f.dialogs.saveAnswer = f.dir.file("no such folder/list.conform");
        QVERIFY(!f.window->close());
        QCOMPARE(f.dialogs.messages.back().message, "file not saved");
        QCOMPARE(f.list(2).numberOfRowsInTableView(), 4u);
    }

    // Loading a change list over a modified one asks first; the recent
    // documents remember what was saved and opened.
    void loadingOverChangesAsksAndRecentDocumentsReopen() {
        DesktopFixture f;
        f.loadAndCompare();
        const std::string first = f.dir.file("first.conform");
        f.dialogs.saveAnswer = first;
        f.window->action("saveAs")->trigger();
        const std::string second = f.dir.file("second.conform");
        std::filesystem::copy_file(first, second);

        f.list(2).selectRows({0});
        f.list(2).deleteEvents();
        f.dialogs.saveChoice = SaveChoice::Cancel;
        f.window->openFilesInTab(2, {QString::fromStdString(second)});
        QCOMPARE(f.list(2).numberOfRowsInTableView(), 3u);  // Cancel: the modified list stays
        f.dialogs.saveChoice = SaveChoice::DontSave;
        f.window->openFilesInTab(2, {QString::fromStdString(second)});
        QCOMPARE(f.list(2).numberOfRowsInTableView(), 4u);
        QCOMPARE(f.window->windowTitle(), "second.conform[*] \u2014 reelwright");
        QCOMPARE(f.dialogs.saveQuestions.size(), 2u);

        QMenu* recent = f.window->findChild<QMenu*>("openRecent");
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 2);
        QCOMPARE(recent->actions()[0]->text(), "&1 second.conform");
        QCOMPARE(recent->actions()[1]->toolTip().toStdString(), first);
        recent->actions()[1]->trigger();
        QCOMPARE(f.window->windowTitle(), "first.conform[*] \u2014 reelwright");
        QCOMPARE(f.dialogs.saveQuestions.size(), 2u);  // an unchanged list is not asked about
        // The loads are steps too: undo gives back the list before them.
        f.window->action("undo")->trigger();
        QCOMPARE(f.window->windowTitle(), "second.conform[*] \u2014 reelwright");
    }

    // Heal Selected from the menu is one undo step; the window names it.
    // (Undo through the window is also the table and offset sheet tests';
    // what undoing a delete or a compare gives back, the list tests'.)
    void healSelectedFromTheMenuIsOneUndoStep() {
        DesktopFixture f;
        f.loadAndCompare();
        dataSource& c = f.list(2);
        const EditArray compared = c.getEditArray();
        f.model.controller.selectTab(2);
        c.selectRows({0, 1});
        f.window->action("healSelected")->trigger();
        QVERIFY(c.getEditArray() != compared);  // the healed events are copies
        QCOMPARE(f.window->action("undo")->text(), "Undo Heal Selected");
        f.window->action("undo")->trigger();
        QCOMPARE(c.getEditArray(), compared);
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::DocumentTest)
#include "DocumentTest.moc"
