#pragma once
// A main window over a controller whose dialogs are answered by a recording
// fake, with settings in a temporary file.

#include "core/AppModel.h"
#include "core/Dialogs.h"
#include "core/QtSettingsStore.h"
#include "mainwindow/MainWindow.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QtTest/QTest>

#include <deque>
#include <memory>
#include <string>

// QCOMPARE shows both values of a failed check, engine strings too.
namespace QTest {
template <>
inline char* toString(const std::string& s) { return qstrdup(s.c_str()); }
}  // namespace QTest

namespace rw::test {

struct RecordingDialogs : qt::Dialogs {
    std::vector<qt::MessageRequest> messages;
    bool confirmAnswer = true;
    std::deque<std::vector<std::string>> openAnswers;
    std::optional<std::string> saveAnswer, folderAnswer;
    std::vector<std::string> saveFolders, saveNames;
    SaveChoice saveChoice = SaveChoice::Cancel;
    std::vector<std::string> saveQuestions;  // the document each Save / Don't Save / Cancel named
    std::optional<MovieSide> movieSideAnswer;
    std::vector<std::string> movieQuestions;

    bool message(const qt::MessageRequest& r) override {
        messages.push_back(r);
        return r.withCancel ? confirmAnswer : true;
    }
    HourCodeAnswer hourCode(const std::string&) override { return {}; }
    std::optional<OpenPanelResult> openFiles(const std::string& folder, bool) override {
        if (openAnswers.empty()) return std::nullopt;
        OpenPanelResult r{openAnswers.front(), folder};
        openAnswers.pop_front();
        return r;
    }
    std::optional<std::string> saveFile(const std::string& folder, const std::string& name) override {
        saveFolders.push_back(folder);
        saveNames.push_back(name);
        return saveAnswer;
    }
    std::optional<std::string> chooseFolder(const std::string&) override { return folderAnswer; }
    SaveChoice saveChanges(const std::string& name) override {
        saveQuestions.push_back(name);
        return saveChoice;
    }
    std::optional<MovieSide> movieSide(const std::string& name) override {
        movieQuestions.push_back(name);
        return movieSideAnswer;
    }
};

// The desktop test classes' base: QTEST_MAIN calls initMain before the
// QApplication exists, and the offscreen platform needs no display.
class DesktopTest : public QObject {
public:
    static void initMain() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

// QtTest stops a test at its first failure; this names the loop case it stopped in.
class Trace {
public:
    explicit Trace(QString what) : what_(std::move(what)) {}
    ~Trace() {
        if (QTest::currentTestFailed()) qWarning("failed at %s", qPrintable(what_));
    }
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

private:
    QString what_;
};

inline QString example(const char* name) { return QString(RW_EXAMPLES) + "/" + name; }

struct DesktopFixture {
    DesktopFixture() {
        model.controller.setAutosave(false);
        model.controller.startUp(*store);
        window = std::make_unique<qt::MainWindow>(model);
    }
    // The example cuts in OLD and NEW, compared.
    void loadAndCompare() {
        window->openFilesInTab(0, {example("old_cut.edl")});
        window->openFilesInTab(1, {example("new_cut.edl")});
        window->action("compare")->trigger();
    }
    dataSource& list(int tab) { return model.controller.listForTab(tab); }
    // Shown and active, so keys and shortcuts reach it as they reach a user's window.
    bool showActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    TempDir dir;
    RecordingDialogs dialogs;
    std::unique_ptr<qt::QtSettingsStore> store =
        std::make_unique<qt::QtSettingsStore>(QString::fromStdString(dir.file("settings.ini")));
    qt::AppModel model{dialogs};
    std::unique_ptr<qt::MainWindow> window;
};

}  // namespace rw::test
