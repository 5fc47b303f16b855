#include "DesktopFixture.h"

#include "app/ChangeListExports.h"
#include "views/SenderTitles.h"
#include "core/Files.h"
#include "conform/OffsetSheet.h"
#include "conform/WorkstationConform.h"
#include "protools/Protocol.h"
#include "protools/ProToolsConform.h"
#include "mainwindow/SummaryPane.h"
#include "search/SearchResultsDialog.h"
#include "search/SearchRunner.h"

#include <QLineEdit>
#include <QTableWidget>

#include <QAction>
#include <QDockWidget>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>

namespace rw::test {
namespace {

// Drops the file on the window; false when the window does not take it.
bool drop(qt::MainWindow& w, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &dropped);
    return true;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { offscreenUnlessTold(); }

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
        QVERIFY(drop(*f.window, example("new_cut.edl")));
        QCOMPARE_GT(f.list(1).numberOfRowsInTableView(), 0u);
        QCOMPARE(f.list(0).numberOfRowsInTableView(), 0u);

        f.loadAndCompare();
        const std::size_t changes = f.list(2).numberOfRowsInTableView();
        const std::string doc = f.dir.write("list.conform", changeDocumentContent(f.model.controller, "Save As"));
        f.list(2).deleteAll();
        f.model.controller.selectTab(0);
        QVERIFY(drop(*f.window, QString::fromStdString(doc)));
        QCOMPARE(f.list(2).numberOfRowsInTableView(), changes);
        QCOMPARE(f.window->tabs().currentIndex(), 2);
    }

    void aTextClippingIsNotAccepted() {
        DesktopFixture f;
        QMimeData mime;
        mime.setText("01:00:00:00");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    void menuActionsPassTheEngineSenderTitles() {
        DesktopFixture f;
        const std::pair<const char*, const char*> cases[] = {
            {"compare", title::Compare},          {"compareSelected", title::CompareSelectedOnly},
            {"conform", title::Conform},          {"conformSelected", title::ConformSelectedOnly},
            {"setInTimes", title::SetInTimes},    {"setOutTimes", title::SetOutTimes},
            {"exportRelative", title::ExportChangeNote}, {"exportRelativeFF", title::ExportFeetFramesNote},
            {"exportChangeEDL_29.97df", "29.97df"}};
        for (const auto& [name, senderTitle] : cases) {
            const Trace at(name);
            QAction* a = f.window->action(name);
            QVERIFY(a != nullptr);
            QCOMPARE(a->data().toString().toStdString(), senderTitle);
        }
        // Compare Selected Events Only compares only the selected NEW events.
        f.window->openFilesInTab(0, {example("old_cut.edl")});
        f.window->openFilesInTab(1, {example("new_cut.edl")});
        f.list(1).selectRows({0});
        f.window->action("compareSelected")->trigger();
        const std::size_t selectedOnly = f.list(2).numberOfRowsInTableView();
        f.window->action("compare")->trigger();
        QCOMPARE_LT(selectedOnly, f.list(2).numberOfRowsInTableView());
    }

    void alertsShowTheEngineTextsAndFailedSavesSayWhy() {
        DesktopFixture f;
        f.window->action("compare")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1u);
        QCOMPARE(f.dialogs.messages[0].message, "missing list");
        QCOMPARE(f.dialogs.messages[0].informativeText,
                 "reelwright needs both OLD and NEW lists to make a comparison");

        const std::string empty = f.dir.write("empty.edl", "");
        f.window->openFilesInTab(0, {QString::fromStdString(empty)});
        QCOMPARE(f.dialogs.messages.back().message, "no valid edits were found");

        f.loadAndCompare();
        // A folder that is not there fails as a read-only one does, also for root.
        f.dialogs.saveAnswer = f.dir.file("no such folder/list.edl");
        f.dialogs.messages.clear();
        f.window->action("exportChangeEDL")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1u);
        QCOMPARE(f.dialogs.messages[0].message, "file not saved");
        QVERIFY(!f.dialogs.messages[0].informativeText.empty());
    }

    void blockDockFollowsTheDrawerAndTheSummaryCounts() {
        DesktopFixture f;
        f.window->show();
        f.loadAndCompare();
        const bool open = f.model.controller.blockDrawerOpen();
        f.window->action("showHideBlocks")->trigger();
        QCOMPARE(f.model.controller.blockDrawerOpen(), !open);
        QCOMPARE(f.window->blockDock().isVisible(), !open);
        QVERIFY(f.window->summary().text().contains(QString::number(f.list(2).numberOfRowsInTableView())));
        int total = 0;
        for (const auto& c : qt::countByColour(f.list(2).getEditArray())) total += c.count;
        QCOMPARE(total, static_cast<int>(f.list(2).numberOfRowsInTableView()));
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

    void theOffsetSheetAndTheHourNudgesWorkOnTheChangeList() {
        DesktopFixture f;
        f.loadAndCompare();
        f.model.controller.selectTab(2);
        f.list(2).selectRows({0});
        const std::string sourceIn = f.list(2).objectValue("sourceIn", 0);
        qt::OffsetSheet sheet(f.model.controller.offsetPanel(), f.window.get());
        sheet.sourceField().setText("1:00");  // not a timecode: the sheet stays
        sheet.press("Offset");
        QCOMPARE(sheet.result(), QDialog::Rejected);
        QCOMPARE(f.list(2).objectValue("sourceIn", 0), sourceIn);
        sheet.sourceField().setText("+01:00:00:00");
        sheet.masterField().setText("00:00:00:00");
        sheet.press("Offset");
        QCOMPARE(sheet.result(), QDialog::Accepted);
        QCOMPARE(f.list(2).objectValue("sourceIn", 0).substr(0, 2), "02");

        f.window->action("nudgePasteUp")->trigger();
        QCOMPARE(f.window->action("undo")->text(), "Undo Nudge Paste Hour");
        QCOMPARE(f.list(2).objectValue("masterIn", 0).substr(0, 2), "02");
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::WindowTest)
#include "WindowTest.moc"
