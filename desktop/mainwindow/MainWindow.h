#pragma once
// The main window: the OLD, NEW and change-list tabs with a summary tab, the
// menus, the block-view dock, files dropped on the window, the change list
// as the window's document (title, modified mark, the question at close),
// and the window's own layout kept between runs. Every command goes to the
// controller; the window only shows what the engine holds.

#include "core/AppModel.h"
#include "lists/ListPane.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QTabWidget;
class QDockWidget;
class QAction;
class QLabel;
class QMenu;

namespace rw::qt {

class SummaryPane;
class BlockViewWidget;
class PreferencesDialog;
class SearchResultsDialog;
class WorkstationConform;
class MovieWindows;
class VerifyRunner;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    conformController& controller() { return model_.controller; }
    ListPane& pane(int tab) { return *panes_.at(tab); }
    QTabWidget& tabs() { return *tabs_; }
    SummaryPane& summary() { return *summary_; }
    QDockWidget& blockDock() { return *blockDock_; }
    BlockViewWidget& blockView() { return *blockWidget_; }
    PreferencesDialog& preferencesDialog();
    SearchResultsDialog& searchResults();
    // The menu action named `objectName` (tests and the screenshot run).
    QAction* action(const QString& objectName) const;
    // The workstation host, the stop panel and the running conform.
    WorkstationConform& workstation();
    // The movie drawer, the large-movie and difference windows.
    MovieWindows& movies() { return *movies_; }
    // The change list checked against the movies, and its report.
    VerifyRunner& verifier() { return *verifier_; }

    // A command of the menus, run with its action's sender title.
    using Command = std::function<void(const std::string& senderTitle)>;

    // Loads files into a tab as if they had been dropped on it.
    void openFilesInTab(int tab, const QStringList& paths);
    // The status bar line for a few seconds.
    void showStatus(const QString& text);
    // The labels the engine does not announce: the summary, the Edit menu,
    // the title and the hour fields.
    void refreshAll();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTabs();
    void buildBlockDock();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildListMenu();
    void buildChangeMenu();
    void buildMovieMenu();
    void buildViewMenu();
    void buildHelpMenu();
    void buildVerification();
    // `refresh`: the labels the engine does not announce are shown again
    // after the command (movie commands change no list, and some repeat as
    // fast as a key does).
    QAction* addCommand(QMenu* menu, const QString& text, const QString& name, const char* senderTitle,
                        const QKeySequence& shortcut, Command command, bool refresh = true);
    void addHourNudges(ListPane& changePane);
    void showHours();
    void showUndoState();
    void showSelectedTab();
    void showBlockDrawer();
    void showDocument();
    void showRecent();
    void save(bool as);
    dataSource& frontList();
    std::optional<MovieSide> movieSideAt(const QPoint& windowPos) const;
    void restoreLayout();
    void saveLayout();

    AppModel& model_;
    QTabWidget* tabs_ = nullptr;
    std::array<ListPane*, 3> panes_{};
    SummaryPane* summary_ = nullptr;
    QDockWidget* blockDock_ = nullptr;
    BlockViewWidget* blockWidget_ = nullptr;
    PreferencesDialog* prefsDialog_ = nullptr;
    SearchResultsDialog* searchResults_ = nullptr;
    std::unique_ptr<WorkstationConform> workstation_;
    MovieWindows* movies_ = nullptr;
    VerifyRunner* verifier_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QMenu* recent_ = nullptr;
    std::array<QLabel*, 2> hours_{};  // the copy and paste hours of the change list
    bool showingTab_ = false;
};

}  // namespace rw::qt
