#pragma once
// The main window: the OLD, NEW and change-list tabs with a summary tab, the
// menus, the block-view dock, and files dropped on the window. Every command
// goes to the controller; the window only shows what the engine holds.

#include "core/AppModel.h"
#include "lists/ListPane.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <functional>
#include <string>

class QTabWidget;
class QDockWidget;
class QAction;

namespace rw::qt {

class SummaryPane;
class BlockViewWidget;
class PreferencesDialog;
class SearchResultsDialog;
class WorkstationConform;
class MovieWindows;

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

    // A command of the menus, run with its action's sender title.
    using Command = std::function<void(const std::string& senderTitle)>;

    // Loads files into a tab as if they had been dropped on it.
    void openFilesInTab(int tab, const QStringList& paths);
    // Everything the engine may have changed without telling a table.
    void refreshAll();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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
    // `refresh`: the tables read the lists again after the command (movie
    // commands change no list, and some repeat as fast as a key does).
    QAction* addCommand(QMenu* menu, const QString& text, const QString& name, const char* senderTitle,
                        const QKeySequence& shortcut, Command command, bool refresh = true);
    void addHourSteppers(ListPane& changePane);
    void showUndoState();
    void showSelectedTab();
    void showBlockDrawer();
    dataSource& frontList();

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
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool showingTab_ = false;
};

}  // namespace rw::qt
