#include "DesktopFixture.h"

#include "lists/CellColor.h"
#include "lists/TableCells.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLabel>
#include <QTabWidget>
#include <QtTest/QTest>

namespace rw::test {

class ListTableTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { offscreenUnlessTold(); }

private slots:
    void showsTheEngineCellsOfTheLiveList_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("OLD") << 0;
        QTest::newRow("NEW") << 1;
        QTest::newRow("changes") << 2;
    }
    void showsTheEngineCellsOfTheLiveList() {
        QFETCH(int, tab);
        DesktopFixture f;
        f.loadAndCompare();
        qt::ListTableModel& m = f.window->pane(tab).model();
        QCOMPARE(m.rowCount(), static_cast<int>(f.list(tab).numberOfRowsInTableView()));
        QCOMPARE_GT(m.rowCount(), 0);
        for (int col = 0; col < m.columnCount(); ++col) {
            const Trace at(QString::fromStdString(m.columnName(col)));
            QCOMPARE(m.data(m.index(0, col), Qt::DisplayRole).toString().toStdString(),
                     f.list(tab).objectValue(m.columnName(col), 0));
        }
        QCOMPARE(f.window->pane(tab).countLabel().text().toStdString(), f.list(tab).editCount());
    }

    void onlyTheClipAndTheFourTimesAreEditable() {
        DesktopFixture f;
        f.loadAndCompare();
        qt::ListTableModel& m = f.window->pane(0).model();
        for (int col = 0; col < m.columnCount(); ++col) {
            const Trace at(QString::fromStdString(m.columnName(col)));
            QCOMPARE(m.flags(m.index(0, col)).testFlag(Qt::ItemIsEditable), isColumnEditable(m.columnName(col)));
        }
    }

    void coloursSwapForTheHighlightAsTheEngineSays() {
        DesktopFixture f;
        f.window->openFilesInTab(0, {example("old_cut.edl")});
        for (int tab : {0, 2}) {
            const Trace at(QString("tab %1").arg(tab));
            EditArray& events = f.list(tab).getEditArray();
            if (tab == 2) f.list(2).addEdits({std::make_shared<edit>(*f.list(0).getEditArray().front())});
            events.front()->setColor(standardColorGap());
            qt::ListTableModel& m = f.window->pane(tab).model();
            f.list(tab).selectRows({0});
            const QVariant shown = m.data(m.index(0, 1), Qt::ForegroundRole);
            QCOMPARE(shown, qt::foregroundFor(cellTextColor(standardColorGap(), true, tab == 2)));
            f.list(tab).deselectAll();
            QCOMPARE(m.data(m.index(0, 1), Qt::ForegroundRole), qt::foregroundFor(standardColorGap()));
        }
    }

    void typedTimesGoThroughTheEngineWithUndo() {
        DesktopFixture f;
        f.loadAndCompare();
        qt::ListTableModel& m = f.window->pane(0).model();
        const int col = m.columnOf("masterIn");
        const std::string before = f.list(0).objectValue("masterIn", 0);
        QVERIFY(m.setData(m.index(0, col), "23000000", Qt::EditRole));
        QCOMPARE(f.list(0).objectValue("masterIn", 0), "23:00:00:00");
        QCOMPARE(f.window->action("undo")->text(), "Undo Timecode Change");
        QVERIFY(f.window->action("undo")->isEnabled());
        QVERIFY(!f.window->action("redo")->isEnabled());
        f.window->action("undo")->trigger();
        QCOMPARE(f.list(0).objectValue("masterIn", 0), before);
        QCOMPARE(f.window->action("redo")->text(), "Redo Timecode Change");
        QVERIFY(!f.window->action("undo")->isEnabled());

        m.setData(m.index(0, m.columnOf("clip")), "renamed", Qt::EditRole);
        QCOMPARE(m.data(m.index(0, m.columnOf("clip")), Qt::DisplayRole).toString(), "renamed");
    }

    void anEditorInTheTableCommitsThroughTheEngine() {
        DesktopFixture f;
        f.loadAndCompare();
        f.window->show();
        f.model.controller.selectTab(2);
        qt::ListTableView& table = f.window->pane(2).table();
        const QModelIndex cell = f.window->pane(2).model().index(1, f.window->pane(2).model().columnOf("sourceIn"));
        table.setCurrentIndex(cell);
        table.edit(cell);
        auto* editor = table.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "02000000");
        QCOMPARE(editor->text(), "02000000");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits on a queued call
        QCOMPARE(f.list(2).objectValue("sourceIn", 1), "02:00:00:00");
        QCOMPARE(f.window->action("undo")->text(), "Undo Timecode Change");
    }

    void headerClickSortsTheListItself() {
        DesktopFixture f;
        f.loadAndCompare();
        qt::ListTableModel& m = f.window->pane(0).model();
        m.sort(m.columnOf("clip"), Qt::DescendingOrder);
        const EditArray& events = f.list(0).getEditArray();
        for (std::size_t i = 1; i < events.size(); ++i) {
            const Trace at(QString("row %1").arg(i));
            QCOMPARE_GE(events[i - 1]->clip(), events[i]->clip());
        }
        QCOMPARE(f.list(0).sortDescriptors().front().key, "clip");
    }

    void keysRunTheTableRules() {
        DesktopFixture f;
        f.loadAndCompare();
        f.model.controller.selectTab(0);
        qt::ListTableView& table = f.window->pane(0).table();
        dataSource& a = f.list(0);
        const std::size_t before = a.numberOfRowsInTableView();
        a.selectRows({0});
        QTest::keyClick(&table, Qt::Key_Down);
        QCOMPARE(a.selectedRows(), std::vector<std::size_t>{1});
        QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);  // left Shift where the key is not known
        QCOMPARE(a.selectedRows(), (std::vector<std::size_t>{1, 2}));
        QTest::keyClick(&table, Qt::Key_Backspace);
        QCOMPARE(a.numberOfRowsInTableView(), before - 2);
        QCOMPARE(f.window->action("undo")->text(), "Undo Delete Events");
        QTest::keyClick(&table, Qt::Key_Tab);
        QCOMPARE(f.model.controller.selectedTab(), 1);
        QCOMPARE(f.window->tabs().currentIndex(), 1);

        dataSource& c = f.list(2);
        QTest::keyClick(&f.window->pane(2).table(), Qt::Key_Space);
        QVERIFY(c.moviesPlaying());
        QTest::keyClick(&f.window->pane(0).table(), Qt::Key_Space);  // nothing in the OLD list
        QVERIFY(c.moviesPlaying());
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::ListTableTest)
#include "ListTableTest.moc"
