#include "mainwindow/MainWindow.h"

#include "conform/WorkstationConform.h"

#include "app/MainView.h"
#include "app/UnreadableFiles.h"
#include "blocks/BlockViewWidget.h"
#include "mainwindow/SummaryPane.h"
#include "movies/MovieWindows.h"
#include "preferences/PreferencesDialog.h"
#include "search/SearchResultsDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

namespace rw::qt {

namespace {

DragInfo dragInfo(const QMimeData* mime, Qt::DropActions actions) {
    DragInfo info;
    info.sourceAllowsCopy = actions.testFlag(Qt::CopyAction);
    if (!mime || !mime->hasUrls()) return info;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) info.fileNames.push_back(url.toLocalFile().toStdString());
    return info;
}

}  // namespace

MainWindow::MainWindow(AppModel& model, QWidget* parent) : QMainWindow(parent), model_(model) {
    setObjectName("mainWindow");
    setWindowTitle("reelwright");
    setAcceptDrops(true);
    buildTabs();
    buildBlockDock();
    movies_ = new MovieWindows(model_, *this);
    buildMenus();
    statusBar();
    ModelSignals& s = model_.observer;
    connect(&s, &ModelSignals::undoStackChanged, this, &MainWindow::showUndoState);
    connect(&s, &ModelSignals::selectedTabChanged, this, &MainWindow::showSelectedTab);
    connect(&s, &ModelSignals::blockDrawerChanged, this, &MainWindow::showBlockDrawer);
    connect(&model_.ui, &QtUiPort::activationRequested, this, [this] {
        raise();
        activateWindow();
    });
    connect(&model_.ui, &QtUiPort::searchResultsShown, this, [this](const QString& summary) {
        searchResults().showResults(summary);
    });
    showUndoState();
    showSelectedTab();
    showBlockDrawer();
    resize(1100, 680);
}

void MainWindow::buildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    const char* titles[] = {"OLD", "NEW", "Change List"};
    for (int tab = 0; tab < 3; ++tab) {
        panes_[tab] = new ListPane(model_.controller.listForTab(tab), tabs_);
        panes_[tab]->setObjectName(QString("list%1").arg(QChar('A' + tab)));
        tabs_->addTab(panes_[tab], tr(titles[tab]));
        connect(&panes_[tab]->model(), &ListTableModel::reloaded, this, [this] { summary_->refresh(); });
    }
    summary_ = new SummaryPane(model_.controller, tabs_);
    tabs_->addTab(summary_, tr("Summary"));
    addHourSteppers(*panes_[2]);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (!showingTab_ && tab != model_.controller.selectedTab()) model_.controller.selectTab(tab);
    });
    // Room is left around the tabs for the movie drawer and the stop panel.
    setCentralWidget(tabs_);
}

void MainWindow::addHourSteppers(ListPane& changePane) {
    // The change list's hour steppers: one hour up or down on the copy
    // (source) or paste (master) side of every change event.
    dataSource& c = model_.controller.dataSourceC();
    const struct {
        const char* name;
        const char* text;
        double value;
        bool source;
    } steps[] = {{"copyHourDown", "Copy hour \u2212", -1, true}, {"copyHourUp", "+", 1, true},
                 {"pasteHourDown", "Paste hour \u2212", -1, false}, {"pasteHourUp", "+", 1, false}};
    for (const auto& s : steps) {
        auto* b = new QToolButton(&changePane);
        b->setObjectName(s.name);
        b->setText(tr(s.text));
        connect(b, &QToolButton::clicked, this, [&c, v = s.value, source = s.source] {
            if (source) {
                c.setStepperSource(v);
                c.sourceHour();
            } else {
                c.setStepperMaster(v);
                c.masterHour();
            }
        });
        changePane.toolRow().addWidget(b);
    }
}

void MainWindow::buildBlockDock() {
    blockDock_ = new QDockWidget(tr("Blocks"), this);
    blockDock_->setObjectName("blockDock");
    blockWidget_ = new BlockViewWidget(model_.controller.blockView(), blockDock_);
    blockDock_->setWidget(blockWidget_);
    addDockWidget(Qt::BottomDockWidgetArea, blockDock_);
    // Only the Show/Hide Blocks command opens and closes it, so the engine's
    // drawer state and the dock never disagree.
    blockDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
}

PreferencesDialog& MainWindow::preferencesDialog() {
    if (!prefsDialog_) {
        prefsDialog_ = new PreferencesDialog(model_.controller, this);
        connect(prefsDialog_, &PreferencesDialog::settingsChanged, this, &MainWindow::refreshAll);
    }
    return *prefsDialog_;
}

SearchResultsDialog& MainWindow::searchResults() {
    if (!searchResults_) searchResults_ = new SearchResultsDialog(model_.controller, this);
    return *searchResults_;
}

QAction* MainWindow::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

dataSource& MainWindow::frontList() { return model_.controller.listForTab(model_.controller.selectedTab()); }

void MainWindow::openFilesInTab(int tab, const QStringList& paths) {
    if (paths.isEmpty()) return;
    model_.controller.selectTab(tab);
    std::vector<std::string> files;
    for (const QString& p : paths) files.push_back(p.toStdString());
    alertUnreadable(model_.controller.ui(), files);
    model_.controller.openFiles(files);
    refreshAll();
}

void MainWindow::refreshAll() {
    for (ListPane* p : panes_) p->model().reloadData();
    summary_->refresh();
    showUndoState();
}

void MainWindow::showUndoState() {
    const UndoStack& u = model_.controller.undoManager();
    undo_->setEnabled(u.canUndo());
    redo_->setEnabled(u.canRedo());
    undo_->setText(u.canUndo() ? tr("Undo %1").arg(QString::fromStdString(u.undoActionName())) : tr("Undo"));
    redo_->setText(u.canRedo() ? tr("Redo %1").arg(QString::fromStdString(u.redoActionName())) : tr("Redo"));
}

void MainWindow::showSelectedTab() {
    showingTab_ = true;
    tabs_->setCurrentIndex(model_.controller.selectedTab());
    showingTab_ = false;
    if (auto* pane = qobject_cast<ListPane*>(tabs_->currentWidget())) pane->table().setFocus();
}

void MainWindow::showBlockDrawer() {
    blockDock_->setVisible(model_.controller.blockDrawerOpen());
    if (QAction* a = action("showHideBlocks")) a->setChecked(model_.controller.blockDrawerOpen());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const DragInfo info = dragInfo(event->mimeData(), event->possibleActions());
    if (draggingEntered(model_.ui, info) == DragOperation::Copy) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const DragInfo info = dragInfo(event->mimeData(), event->possibleActions());
    performDragOperation(model_.controller, info);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    refreshAll();
}

MainWindow::~MainWindow() = default;

WorkstationConform& MainWindow::workstation() {
    if (!workstation_) workstation_ = std::make_unique<WorkstationConform>(model_.controller, this);
    return *workstation_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (searchResults_) searchResults_->cancelSearch();
    model_.review.stopMovies(std::nullopt);
    movies_->saveLargeFrame();
    model_.controller.quit();
    QMainWindow::closeEvent(event);
}

}  // namespace rw::qt
