#include "DesktopFixture.h"

#include "lists/CellColor.h"
#include "lists/TableCells.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLabel>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(ListTable, ShowsTheEngineCellsOfTheLiveList) {
    DesktopFixture f;
    f.loadAndCompare();
    for (int tab = 0; tab < 3; ++tab) {
        qt::ListTableModel& m = f.window->pane(tab).model();
        ASSERT_EQ(m.rowCount(), static_cast<int>(f.list(tab).numberOfRowsInTableView())) << tab;
        ASSERT_GT(m.rowCount(), 0) << tab;
        for (int col = 0; col < m.columnCount(); ++col)
            EXPECT_EQ(m.data(m.index(0, col), Qt::DisplayRole).toString().toStdString(),
                      f.list(tab).objectValue(m.columnName(col), 0));
        EXPECT_EQ(f.window->pane(tab).countLabel().text().toStdString(), f.list(tab).editCount());
    }
}

TEST(ListTable, OnlyTheClipAndTheFourTimesAreEditable) {
    DesktopFixture f;
    f.loadAndCompare();
    qt::ListTableModel& m = f.window->pane(0).model();
    for (int col = 0; col < m.columnCount(); ++col)
        EXPECT_EQ(m.flags(m.index(0, col)).testFlag(Qt::ItemIsEditable), isColumnEditable(m.columnName(col)))
            << m.columnName(col);
}

TEST(ListTable, ColoursSwapForTheHighlightAsTheEngineSays) {
    DesktopFixture f;
    f.window->openFilesInTab(0, {example("old_cut.edl")});
    for (int tab : {0, 2}) {
        EditArray& events = f.list(tab).getEditArray();
        if (tab == 2) f.list(2).addEdits({std::make_shared<edit>(*f.list(0).getEditArray().front())});
        events.front()->setColor(standardColorGap());
        qt::ListTableModel& m = f.window->pane(tab).model();
        f.list(tab).selectRows({0});
        const QVariant shown = m.data(m.index(0, 1), Qt::ForegroundRole);
        EXPECT_EQ(shown, qt::foregroundFor(cellTextColor(standardColorGap(), true, tab == 2))) << tab;
        f.list(tab).deselectAll();
        EXPECT_EQ(m.data(m.index(0, 1), Qt::ForegroundRole), qt::foregroundFor(standardColorGap())) << tab;
    }
}

TEST(ListTable, TypedTimesGoThroughTheEngineWithUndo) {
    DesktopFixture f;
    f.loadAndCompare();
    qt::ListTableModel& m = f.window->pane(0).model();
    const int col = m.columnOf("masterIn");
    const std::string before = f.list(0).objectValue("masterIn", 0);
    EXPECT_TRUE(m.setData(m.index(0, col), "23000000", Qt::EditRole));
    EXPECT_EQ(f.list(0).objectValue("masterIn", 0), "23:00:00:00");
    EXPECT_EQ(f.window->action("undo")->text(), "Undo Timecode Change");
    EXPECT_TRUE(f.window->action("undo")->isEnabled());
    EXPECT_FALSE(f.window->action("redo")->isEnabled());
    f.window->action("undo")->trigger();
    EXPECT_EQ(f.list(0).objectValue("masterIn", 0), before);
    EXPECT_EQ(f.window->action("redo")->text(), "Redo Timecode Change");
    EXPECT_FALSE(f.window->action("undo")->isEnabled());

    m.setData(m.index(0, m.columnOf("clip")), "renamed", Qt::EditRole);
    EXPECT_EQ(m.data(m.index(0, m.columnOf("clip")), Qt::DisplayRole).toString(), "renamed");
}

TEST(ListTable, AnEditorInTheTableCommitsThroughTheEngine) {
    DesktopFixture f;
    f.loadAndCompare();
    f.window->show();
    f.model.controller.selectTab(2);
    qt::ListTableView& table = f.window->pane(2).table();
    const QModelIndex cell = f.window->pane(2).model().index(1, f.window->pane(2).model().columnOf("sourceIn"));
    table.setCurrentIndex(cell);
    table.edit(cell);
    auto* editor = table.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "02000000");
    EXPECT_EQ(editor->text(), "02000000");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits on a queued call
    EXPECT_EQ(f.list(2).objectValue("sourceIn", 1), "02:00:00:00");
    EXPECT_EQ(f.window->action("undo")->text(), "Undo Timecode Change");
}

TEST(ListTable, HeaderClickSortsTheListItself) {
    DesktopFixture f;
    f.loadAndCompare();
    qt::ListTableModel& m = f.window->pane(0).model();
    m.sort(m.columnOf("clip"), Qt::DescendingOrder);
    const EditArray& events = f.list(0).getEditArray();
    for (std::size_t i = 1; i < events.size(); ++i) EXPECT_GE(events[i - 1]->clip(), events[i]->clip());
    EXPECT_EQ(f.list(0).sortDescriptors().front().key, "clip");
}

TEST(ListTable, KeysRunTheTableRules) {
    DesktopFixture f;
    f.loadAndCompare();
    f.model.controller.selectTab(0);
    qt::ListTableView& table = f.window->pane(0).table();
    dataSource& a = f.list(0);
    const std::size_t before = a.numberOfRowsInTableView();
    a.selectRows({0});
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(a.selectedRows(), std::vector<std::size_t>{1});
    QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);  // left Shift where the key is not known
    EXPECT_EQ(a.selectedRows(), (std::vector<std::size_t>{1, 2}));
    QTest::keyClick(&table, Qt::Key_Backspace);
    EXPECT_EQ(a.numberOfRowsInTableView(), before - 2);
    EXPECT_EQ(f.window->action("undo")->text(), "Undo Delete Events");
    QTest::keyClick(&table, Qt::Key_Tab);
    EXPECT_EQ(f.model.controller.selectedTab(), 1);
    EXPECT_EQ(f.window->tabs().currentIndex(), 1);

    dataSource& c = f.list(2);
    QTest::keyClick(&f.window->pane(2).table(), Qt::Key_Space);
    EXPECT_TRUE(c.moviesPlaying());
    QTest::keyClick(&f.window->pane(0).table(), Qt::Key_Space);  // nothing in the OLD list
    EXPECT_TRUE(c.moviesPlaying());
}

}  // namespace
}  // namespace rw::test
