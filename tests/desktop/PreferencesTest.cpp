#include "DesktopFixture.h"

#include "core/HourCodeSheet.h"
#include "preferences/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(Preferences, RoundTripThroughTheSettingsFileWithTheEnablingRule) {
    TempDir dir;
    const QString ini = QString::fromStdString(dir.file("prefs.ini"));
    {
        RecordingDialogs dialogs;
        qt::QtSettingsStore store(ini);
        store.setString(pref::ConformSpeed, "very slow");  // an earlier version's value
        qt::AppModel model(dialogs);
        model.controller.startUp(store);
        qt::PreferencesDialog panel(model.controller, nullptr);
        EXPECT_EQ(panel.choice(pref::ConformSpeed)->currentText(), "normal");
        panel.choice(pref::ConformType)->setCurrentText("file - TC6000 .EVL");
        emit panel.choice(pref::ConformType)->activated(panel.choice(pref::ConformType)->currentIndex());
        EXPECT_FALSE(panel.choice(pref::ConformSpeed)->isEnabled());
        EXPECT_FALSE(panel.firstOfPair(pref::ConformCopy)->isEnabled());
        panel.secondOfPair(pref::CompareReelsCont)->click();
        panel.check("smartVFX")->click();
        model.controller.quit();
        store.sync();
    }
    RecordingDialogs dialogs;
    qt::QtSettingsStore store(ini);
    EXPECT_EQ(store.stringForKey(pref::ConformSpeed), "normal");
    qt::AppModel model(dialogs);
    model.controller.startUp(store);
    qt::PreferencesDialog panel(model.controller, nullptr);
    EXPECT_EQ(panel.choice(pref::ConformType)->currentText(), "file - TC6000 .EVL");
    EXPECT_TRUE(panel.secondOfPair(pref::CompareReelsCont)->isChecked());
    EXPECT_TRUE(panel.check("smartVFX")->isChecked());
    EXPECT_FALSE(panel.choice(pref::ConformSpeed)->isEnabled());
    panel.choice(pref::ConformType)->setCurrentText("Pro Tools");
    emit panel.choice(pref::ConformType)->activated(panel.choice(pref::ConformType)->currentIndex());
    EXPECT_TRUE(panel.choice(pref::ConformSpeed)->isEnabled());
}

TEST(Preferences, AGarbledSettingsFileKeepsWhatCanBeRead) {
    TempDir dir;
    const char bytes[] = "\xff\xfe\x00garbage[[\n[General]\nEDL%20type=NTSC\n=\n\x01\x02\n";
    const std::string path = dir.write("bad.ini", std::string(bytes, sizeof bytes - 1));
    qt::QtSettingsStore store(QString::fromStdString(path));
    EXPECT_EQ(store.stringForKey(pref::EDLType), "NTSC");
    RecordingDialogs dialogs;
    qt::AppModel model(dialogs);
    model.controller.startUp(store);
    EXPECT_EQ(model.controller.prefs().edlType(), "NTSC");
    model.controller.quit();
    store.sync();
    EXPECT_FALSE(store.loadProblem().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(path + ".bad"));
    EXPECT_EQ(qt::QtSettingsStore(QString::fromStdString(path)).stringForKey(pref::EDLType), "NTSC");
}

TEST(HourCodeSheet, TheStepperPadsAsTheEngineDoes) {
    qt::HourCodeSheet sheet("reel1", nullptr);
    sheet.findChild<QSpinBox*>("hourStepper")->setValue(7);
    EXPECT_EQ(sheet.hourText(), "07");
    sheet.findChild<QSpinBox*>("hourStepper")->setValue(12);
    EXPECT_EQ(sheet.hourText(), "12");
}

}  // namespace
}  // namespace rw::test
