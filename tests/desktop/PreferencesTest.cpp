#include "DesktopFixture.h"

#include "core/HourCodeSheet.h"
#include "preferences/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest/QTest>

namespace rw::test {

class PreferencesTest : public DesktopTest {
    Q_OBJECT

private slots:
    void roundTripThroughTheSettingsFileWithTheEnablingRule() {
        TempDir dir;
        const QString ini = QString::fromStdString(dir.file("prefs.ini"));
        {
            RecordingDialogs dialogs;
            qt::QtSettingsStore store(ini);
            store.setString(pref::ConformSpeed, "very slow");  // an earlier version's value
            qt::AppModel model(dialogs);
            model.controller.startUp(store);
            qt::PreferencesDialog panel(model.controller, nullptr);
            QCOMPARE(panel.choice(pref::ConformSpeed)->currentText(), "normal");
            panel.choice(pref::ConformType)->setCurrentText("file - TC6000 .EVL");
            emit panel.choice(pref::ConformType)->activated(panel.choice(pref::ConformType)->currentIndex());
            QVERIFY(!panel.choice(pref::ConformSpeed)->isEnabled());
            QVERIFY(!panel.firstOfPair(pref::ConformCopy)->isEnabled());
            panel.secondOfPair(pref::CompareReelsCont)->click();
            panel.check("smartVFX")->click();
            model.controller.quit();
            store.sync();
        }
        RecordingDialogs dialogs;
        qt::QtSettingsStore store(ini);
        QCOMPARE(store.stringForKey(pref::ConformSpeed), "normal");
        qt::AppModel model(dialogs);
        model.controller.startUp(store);
        qt::PreferencesDialog panel(model.controller, nullptr);
        QCOMPARE(panel.choice(pref::ConformType)->currentText(), "file - TC6000 .EVL");
        QVERIFY(panel.secondOfPair(pref::CompareReelsCont)->isChecked());
        QVERIFY(panel.check("smartVFX")->isChecked());
        QVERIFY(!panel.choice(pref::ConformSpeed)->isEnabled());
        panel.choice(pref::ConformType)->setCurrentText("Pro Tools");
        emit panel.choice(pref::ConformType)->activated(panel.choice(pref::ConformType)->currentIndex());
        QVERIFY(panel.choice(pref::ConformSpeed)->isEnabled());
    }

    void aGarbledSettingsFileKeepsWhatCanBeRead() {
        TempDir dir;
        const char bytes[] = "\xff\xfe\x00garbage[[\n[General]\nEDL%20type=NTSC\n=\n\x01\x02\n";
        const std::string path = dir.write("bad.ini", std::string(bytes, sizeof bytes - 1));
        qt::QtSettingsStore store(QString::fromStdString(path));
        QCOMPARE(store.stringForKey(pref::EDLType), "NTSC");
        RecordingDialogs dialogs;
        qt::AppModel model(dialogs);
        model.controller.startUp(store);
        QCOMPARE(model.controller.prefs().edlType(), "NTSC");
        model.controller.quit();
        store.sync();
        QVERIFY(!store.loadProblem().isEmpty());
        QVERIFY(std::filesystem::exists(path + ".bad"));
        QCOMPARE(qt::QtSettingsStore(QString::fromStdString(path)).stringForKey(pref::EDLType), "NTSC");
    }

    // The hour-code sheet names the file it asks about, pads the stepped
    // hour, and Cancel leaves the file out.
    void theHourCodeSheetAsksAboutItsFileAndCancels() {
        qt::HourCodeSheet sheet("reel1", nullptr);
        QVERIFY(sheet.findChild<QLabel*>("question")->text().startsWith("<b>reel1</b> is not an EDL"));
        sheet.findChild<QSpinBox*>("hourStepper")->setValue(7);
        QCOMPARE(sheet.hourText(), "07");
        sheet.findChild<QSpinBox*>("hourStepper")->setValue(12);
        QCOMPARE(sheet.hourText(), "12");
        QTest::mouseClick(sheet.findChild<QPushButton*>("cancel"), Qt::LeftButton);
        QCOMPARE(sheet.result(), QDialog::Rejected);
        QVERIFY(sheet.answer().choice == HourCodeChoice::Cancel);
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::PreferencesTest)
#include "PreferencesTest.moc"
