// The list tables driven as a user drives them: double-clicks and typing on
// the cells, Return, the space bar, header clicks, keys; what the cells show
// written out as values.

#include "DesktopFixture.h"

#include "comparison/Heal.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QTest>

namespace rw::test {
namespace {

QPoint cellCentre(qt::ListTableView& table, int row, const std::string& column) {
    const auto& model = static_cast<const qt::ListTableModel&>(*table.model());
    return table.visualRect(table.model()->index(row, model.columnOf(column))).center();
}

// Double-clicks the cell and types into its editor; the editor, or null
// when none opens.
QLineEdit* typeInto(qt::ListTableView& table, int row, const std::string& column, const QString& text) {
    const QPoint at = cellCentre(table, row, column);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor || editor->parent() != table.viewport()) return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

// Every time of the list, in order.
std::vector<std::string> allTimes(dataSource& list) {
    std::vector<std::string> times;
    for (std::size_t row = 0; row < list.numberOfRowsInTableView(); ++row)
        for (const char* c : {"sourceIn", "sourceOut", "masterIn", "masterOut"}) times.push_back(list.objectValue(c, row));
    return times;
}

struct ShownFixture : DesktopFixture {
    ShownFixture() {
        loadAndCompare();
        QVERIFY(showActive());
    }
    qt::ListTableView& table(int tab) { return window->pane(tab).table(); }
};

}  // namespace

class ListTableTest : public DesktopTest {
    Q_OBJECT

private slots:
    // Qt's complaints about editors closed behind a view's back, or indexes
    // that no longer exist, fail the test.
    void init() { QTest::failOnWarning(QRegularExpression("editor|QAbstractItemView|QItemSelectionModel|index")); }

    // After Return the focus stays on the edited cell, so the space bar that
    // follows plays the movies instead of pressing a button that moves
    // every event an hour.
    void returnKeepsTheFocusOnTheCellAndSpaceMovesNoTime() {
        ShownFixture f;
        qt::ListTableView& table = f.table(2);
        QLineEdit* editor = typeInto(table, 1, "sourceIn", "02000000");
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits on a queued call
        QCOMPARE(f.list(2).objectValue("sourceIn", 1), "02:00:00:00");
        QCOMPARE(QApplication::focusWidget(), &table);
        QCOMPARE(table.currentIndex().row(), 1);
        QCOMPARE(table.currentIndex().column(), f.window->pane(2).model().columnOf("sourceIn"));
        QCOMPARE(f.window->action("undo")->text(), "Undo Timecode Change");

        const std::vector<std::string> times = allTimes(f.list(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(allTimes(f.list(2)), times);
        QCOMPARE(f.window->action("undo")->text(), "Undo Timecode Change");
    }

    void aRefusedTimeSaysWhyAndKeepsTheCell() {
        ShownFixture f;
        qt::ListTableView& table = f.table(2);
        const std::string before = f.list(2).objectValue("masterIn", 0);
        QLineEdit* editor = typeInto(table, 0, "masterIn", "1:00:00:00");
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCOMPARE(f.list(2).objectValue("masterIn", 0), before);
        QCOMPARE(f.model.ui.beeps(), 1);
        QVERIFY(f.window->statusBar()->currentMessage().contains("\"1:00:00:00\" is not a timecode at 24 fps"));
        QCOMPARE(QApplication::focusWidget(), &table);
    }

    // A clip name is an undo step of its own, and the number is not editable.
    void clipNamesUndoAndNumbersStayPut() {
        ShownFixture f;
        qt::ListTableView& table = f.table(0);
        f.model.controller.selectTab(0);
        QLineEdit* editor = typeInto(table, 2, "clip", "renamed");
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCOMPARE(f.list(0).objectValue("clip", 2), "renamed");
        QCOMPARE(f.window->action("undo")->text(), "Undo Clip Name Change");
        f.window->action("undo")->trigger();
        QCOMPARE(f.list(0).objectValue("clip", 2), "B001C004");
        QVERIFY(typeInto(table, 2, "editNum", "999") == nullptr);
        QCOMPARE(f.list(0).objectValue("editNum", 2), "003");
    }

    // What the cells show, and their colours: the NEW event with material
    // the old cut lacks is red, and lightens when selected.
    void cellsShowTheirTextsAndColours() {
        ShownFixture f;
        qt::ListTableModel& m = f.window->pane(1).model();
        const QStringList row0 = {"001", "A001C003", "14:02:11:00", "14:02:16:00", "01:00:00:00", "01:00:05:00"};
        for (int col = 0; col < row0.size(); ++col) QCOMPARE(m.index(0, col).data().toString(), row0[col]);
        const int red = 5;  // material the old cut does not have
        QCOMPARE(m.index(red, 1).data().toString(), "C001C001");
        QCOMPARE(m.index(red, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        f.list(1).selectRows({static_cast<std::size_t>(red)});
        QCOMPARE(m.index(red, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 153, 153));
        QCOMPARE(f.window->pane(1).countLabel().text(), "6 edits");
        // No VFX names in these lists: the columns are empty and hidden.
        QCOMPARE(m.index(0, m.columnOf("scene")).data().toString(), "");
        QVERIFY(f.table(1).isColumnHidden(m.columnOf("scene")));
        QVERIFY(!f.table(1).isColumnHidden(m.columnOf("clip")));
        QVERIFY(!f.table(1).horizontalHeader()->stretchLastSection());
    }

    // A header click sorts the list itself, shows the indicator, and the
    // selection stays on the same events.
    void headerClicksSortAndTheSelectionFollows() {
        ShownFixture f;
        f.model.controller.selectTab(0);
        qt::ListTableView& table = f.table(0);
        const QPoint row1 = cellCentre(table, 1, "clip");
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, row1);
        QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(table, 4, "clip"));
        QCOMPARE(f.list(0).selectedRows(), (std::vector<std::size_t>{1, 4}));
        QHeaderView& header = *table.horizontalHeader();
        const int clip = f.window->pane(0).model().columnOf("clip");
        const QPoint section(header.sectionViewportPosition(clip) + header.sectionSize(clip) / 2, header.height() / 2);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, section);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, section);  // the second click reverses
        QVERIFY(header.isSortIndicatorShown());
        QCOMPARE(header.sortIndicatorSection(), clip);
        QCOMPARE(header.sortIndicatorOrder(), Qt::DescendingOrder);
        std::vector<std::string> clips;
        for (std::size_t row = 0; row < 6; ++row) clips.push_back(f.list(0).objectValue("clip", row));
        QCOMPARE(clips, (std::vector<std::string>{"B002C001", "B001C004", "A004C005", "A003C002", "A002C001", "A001C003"}));
        // A002C001 and B002C001 were selected: now rows 4 and 0, in the engine and on screen.
        QCOMPARE(f.list(0).selectedRows(), (std::vector<std::size_t>{0, 4}));
        QCOMPARE(table.selectionModel()->selectedRows().size(), 2);
        QVERIFY(table.selectionModel()->isRowSelected(0, {}) && table.selectionModel()->isRowSelected(4, {}));
    }

    void keysRunTheTableRules() {
        ShownFixture f;
        f.model.controller.selectTab(0);
        qt::ListTableView& table = f.table(0);
        dataSource& a = f.list(0);
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cellCentre(table, 0, "clip"));
        QTest::keyClick(&table, Qt::Key_Down);
        QCOMPARE(a.selectedRows(), std::vector<std::size_t>{1});
        QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);  // left Shift where the key is not known
        QCOMPARE(a.selectedRows(), (std::vector<std::size_t>{1, 2}));
        QTest::keyClick(&table, Qt::Key_Backspace);
        QCOMPARE(a.numberOfRowsInTableView(), 4u);
        QCOMPARE(f.window->pane(0).countLabel().text(), "4 edits");
        QCOMPARE(table.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(f.window->action("undo")->text(), "Undo Delete Events");
        QTest::keySequence(f.window.get(), QKeySequence::Undo);
        QCOMPARE(a.numberOfRowsInTableView(), 6u);
        QCOMPARE(a.selectedRows(), (std::vector<std::size_t>{1, 2}));
        QTest::keyClick(&table, Qt::Key_Tab);
        QCOMPARE(f.window->tabs().currentIndex(), 1);
    }

    // On a long list a command keeps where the user was: scroll position,
    // current row and selection.
    void aLongListKeepsItsPlaceThroughCommands() {
        ShownFixture f;
        EditArray many;
        for (int i = 0; i < 20000; ++i) {
            const std::int32_t at = 24 * 3600 + i * 24;
            many.push_back(edit::initWithNum(eventNumberText(i + 1), "clip", KLVtc::initWithFrames(at, "24"),
                                             KLVtc::initWithFrames(at + 24, "24"), KLVtc::initWithFrames(at, "24"),
                                             KLVtc::initWithFrames(at + 24, "24")));
        }
        dataSource& c = f.list(2);
        c.deleteAll();
        c.addEdits(many);
        qt::ListTableView& table = f.table(2);
        c.selectRows({12000});
        table.scrollTo(table.model()->index(12000, 0), QAbstractItemView::PositionAtCenter);
        QApplication::processEvents();
        const int scrolled = table.verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        const struct {
            const char* name;
            std::function<void()> step;
        } steps[] = {
            {"paste hour up", [&] { QTest::mouseClick(f.window->findChild<QToolButton*>("pasteHourUp"), Qt::LeftButton); }},
            {"offset", [&] {
                 f.model.controller.offsetPanel().offsetValueSource = "00:00:00:01";
                 f.model.controller.offsetPanel().offsetValueMaster = "00:00:00:00";
                 f.model.controller.offsetPanel().offsetSheetAction("Offset");
             }},
            {"delete it", [&] { QTest::keyClick(&table, Qt::Key_Backspace); }},
            {"undo", [&] { QTest::keySequence(f.window.get(), QKeySequence::Undo); }},
        };
        for (const auto& s : steps) {
            const Trace at(s.name);
            s.step();
            QApplication::processEvents();
            QCOMPARE(table.verticalScrollBar()->value(), scrolled);
            QCOMPARE(table.currentIndex().row(), static_cast<int>(*c.selectedRow()));
            QCOMPARE(table.selectionModel()->selectedRows().size(), 1);
        }
        QCOMPARE(c.objectValue("masterIn", 0).substr(0, 2), "02");
        QCOMPARE(c.numberOfRowsInTableView(), 20000u);
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::ListTableTest)
#include "ListTableTest.moc"
