// File ▸ Export OpenTimelineIO: the change list written from the menu comes
// back as the change list when the file is dropped on any tab.

#include "DesktopFixture.h"

#include <QAction>
#include <QTabWidget>

namespace rw::test {

class OtioExportTest : public DesktopTest {
    Q_OBJECT

private slots:
    void theMenuWritesATimelineThatReadsBackAsTheChangeList() {
        DesktopFixture f;
        f.loadAndCompare();
        const std::size_t changes = f.list(2).numberOfRowsInTableView();
        QVERIFY(changes > 0);
        f.dialogs.saveAnswer = f.dir.file("changes.otio");
        f.window->action("exportOtio")->trigger();
        QVERIFY(f.dialogs.messages.empty());

        f.list(2).deleteAll();
        f.window->openFilesInTab(0, {QString::fromStdString(*f.dialogs.saveAnswer)});
        QCOMPARE(f.window->tabs().currentIndex(), 2);
        QCOMPARE(f.list(2).numberOfRowsInTableView(), changes);
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::OtioExportTest)
#include "OtioExportTest.moc"
