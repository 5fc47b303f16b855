#include "DesktopFixture.h"

#include "conform/ChangeListActions.h"
#include "conform/WorkstationConform.h"
#include "ports/Clocks.h"
#include "protools/ProToolsConform.h"
#include "workstation/SimulatedWorkstation.h"

#include <QStatusBar>

namespace rw::test {

// The window's Pro Tools conform on a virtual clock: the worker runs at once,
// its panel updates still come through the event loop.
struct ConformFixture : DesktopFixture {
    ConformFixture() {
        loadAndCompare();
        model.controller.prefs().set(pref::ConformType, "Pro Tools");
    }
    // The conform command confirmed, and its worker run to its end.
    bool conform() {
        qt::runConform(model.controller, workstation, "Conform");
        return QTest::qWaitFor([this] { return !workstation.control().workerRunning(); });
    }
    QString statusBar() const { return window->statusBar()->currentMessage(); }

    qt::WorkstationConform workstation{model.controller, window.get(), std::make_unique<VirtualClock>()};
};

class WorkstationConformTest : public DesktopTest {
    Q_OBJECT

private slots:
    void theSessionFollowsTheTimebaseAndTheStatusBarEndsWithTheOutcome() {
        ConformFixture f;
        f.model.controller.prefs().set(pref::ConformTimebase, "25");
        QVERIFY(f.conform());
        QCOMPARE(f.workstation.session().sessionRate(), std::string("25"));
        QCOMPARE(f.statusBar(), QString("Conform finished: 4 events"));
        QCOMPARE(f.workstation.panel().progressValue(), 4);  // events, not tries
        QVERIFY(!f.workstation.panel().isVisible());
        QTRY_COMPARE(f.model.ui.beeps(), 1);  // the worker's beep, on the main thread
    }

    void closingThePanelIsStop() {
        ConformFixture f;
        f.workstation.session().setRunning(false);
        QVERIFY(f.conform());
        QCOMPARE(f.workstation.panel().statusText(), QString("can't find Pro Tools - conform stopped"));
        QVERIFY(f.workstation.panel().statusIsRed());
        QVERIFY(f.workstation.control().active());
        static_cast<QWidget&>(f.workstation.panel()).close();  // the title bar's close
        QVERIFY(!f.workstation.control().active());
        QVERIFY(!f.workstation.panel().isVisible());
        QCOMPARE(f.statusBar(), QString("Conform stopped: can't find Pro Tools (0 of 4 events done)"));
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::WorkstationConformTest)
#include "WorkstationConformTest.moc"
