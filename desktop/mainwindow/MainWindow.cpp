#include "mainwindow/MainWindow.h"

#include "conform/WorkstationConform.h"

#include "app/ChangeListDocument.h"
#include "app/MainView.h"
#include "app/UnreadableFiles.h"
#include "blocks/BlockViewWidget.h"
#include "mainwindow/SummaryPane.h"
#include "movies/FrameView.h"
#include "movies/MovieWindows.h"
#include "preferences/PreferencesDialog.h"
#include "search/SearchResultsDialog.h"
#include "verify/VerifyRunner.h"
#include "views/SenderTitles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cctype>

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

// Where the window's own layout is kept, beside the preferences.
constexpr const char* kGeometryKey = "windowGeometry";
constexpr const char* kStateKey = "windowState";
constexpr const char* kTabKey = "windowTab";
const char* const kColumnKeys[] = {"columnsOld", "columnsNew", "columnsChanges"};

QByteArray storedBytes(SettingsPort* store, const char* key) {
    if (!store) return {};
    const auto text = store->stringForKey(key);
    return text ? QByteArray::fromBase64(QByteArray::fromStdString(*text)) : QByteArray();
}

void storeBytes(SettingsPort* store, const char* key, const QByteArray& bytes) {
    if (store) store->setString(key, bytes.toBase64().toStdString());
}

}  // namespace

MainWindow::MainWindow(AppModel& model, QWidget* parent) : QMainWindow(parent), model_(model) {
    setObjectName("mainWindow");
    setAcceptDrops(true);
    buildTabs();
    buildBlockDock();
    movies_ = new MovieWindows(model_, *this);
    buildVerification();
    buildMenus();
    statusBar()->setObjectName("statusBar");
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
    // No button that moves times by an hour takes the keyboard focus: a
    // space bar meant for the movies must not press it.
    for (QToolButton* b : movies_->drawer().findChildren<QToolButton*>()) {
        b->setFocusPolicy(Qt::NoFocus);
        if (b->accessibleName().isEmpty()) b->setAccessibleName(b->toolTip());  // arrows have no text to read
    }
    resize(1100, 680);
    restoreLayout();
    refreshAll();
    showSelectedTab();
    showBlockDrawer();
}

void MainWindow::buildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    tabs_->setDocumentMode(true);
    const char* titles[] = {"OLD", "NEW", "Change List"};
    const char* tableNames[] = {"OLD list", "NEW list", "Change list"};  // what a screen reader calls them
    // The labels and counts the rows feed, once per burst of notices.
    auto* pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(0);
    connect(pending, &QTimer::timeout, this, &MainWindow::refreshAll);
    for (int tab = 0; tab < 3; ++tab) {
        panes_[tab] = new ListPane(model_.controller.listForTab(tab), tabs_);
        panes_[tab]->setObjectName(QString("list%1").arg(QChar('A' + tab)));
        tabs_->addTab(panes_[tab], tr(titles[tab]));
        panes_[tab]->table().setAccessibleName(tr(tableNames[tab]));
        ListTableModel& m = panes_[tab]->model();
        connect(&m, &ListTableModel::rowsUpdated, pending, qOverload<>(&QTimer::start));
        connect(&m, &ListTableModel::labelsUpdated, pending, qOverload<>(&QTimer::start));
        connect(&m, &ListTableModel::entryRefused, this, &MainWindow::showStatus);
    }
    summary_ = new SummaryPane(model_.controller, tabs_);
    tabs_->addTab(summary_, tr("Summary"));
    addHourNudges(*panes_[2]);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (!showingTab_ && tab != model_.controller.selectedTab()) model_.controller.selectTab(tab);
    });
    setCentralWidget(tabs_);
}

// The change list's verdict column; a flagged event, once selected, takes the
// movies to its worst frame after the selection has located them to its start.
void MainWindow::buildVerification() {
    verifier_ = new VerifyRunner(model_.verification, this);
    panes_[2]->model().showVerdicts(model_.verification);
    connect(&panes_[2]->model(), &ListTableModel::engineSelectionChanged, this,
            [this] { model_.verification.locateFlagged(); }, Qt::QueuedConnection);
    connect(verifier_, &VerifyRunner::finished, this, [this] {
        refreshAll();
        showStatus(QString::fromStdString(model_.verification.summary()));
    });
    connect(verifier_, &VerifyRunner::reportSaved, this,
            [this](const QString& path) { showStatus(tr("Verification report saved to %1").arg(path)); });
}

// The hour of the change list's copy (OLD) and paste (NEW) times, each with
// the small arrow buttons that move every change event's times of that side
// an hour. They never take the keyboard focus: a space bar meant for the
// movies must not press one.
void MainWindow::addHourNudges(ListPane& changePane) {
    dataSource& c = model_.controller.dataSourceC();
    const struct {
        const char* field;
        const char* label;
        const char* side;
        bool source;
    } sides[] = {{"copyHour", "Copy hour:", "copy (OLD)", true}, {"pasteHour", "Paste hour:", "paste (NEW)", false}};
    QHBoxLayout& row = changePane.toolRow();
    for (int i = 0; i < 2; ++i) {
        const auto& s = sides[i];
        auto* label = new QLabel(tr(s.label), &changePane);
        hours_[i] = new QLabel(&changePane);
        hours_[i]->setObjectName(s.field);
        hours_[i]->setFrameShape(QFrame::StyledPanel);
        hours_[i]->setAlignment(Qt::AlignCenter);
        hours_[i]->setMinimumWidth(fontMetrics().horizontalAdvance("000") + 8);
        hours_[i]->setToolTip(tr("The hour of the first change event's %1 times").arg(tr(s.side)));
        label->setBuddy(hours_[i]);
        row.addSpacing(12);
        row.addWidget(label);
        row.addWidget(hours_[i]);
        for (const double step : {1.0, -1.0}) {
            auto* b = new QToolButton(&changePane);
            const bool up = step > 0;
            b->setObjectName(QString(s.field) + (up ? "Up" : "Down"));
            b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
            b->setAutoRaise(true);
            b->setFocusPolicy(Qt::NoFocus);
            const QString what = tr("Move every change event's %1 times one hour %2").arg(tr(s.side), up ? tr("later") : tr("earlier"));
            b->setToolTip(what);
            b->setAccessibleName(QString(tr(s.label)).remove(':') + (up ? tr(" up") : tr(" down")));
            b->setAccessibleDescription(what);
            connect(b, &QToolButton::clicked, this, [this, &c, step, source = s.source] {
                c.stepHour(source, step);
                refreshAll();
            });
            row.addWidget(b);
        }
    }
}

void MainWindow::showHours() {
    const dataSource& changes = model_.controller.dataSourceC();
    for (int i = 0; i < 2; ++i) hours_[i]->setText(QString::fromStdString(changes.hourShown(i == 0)));
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
    // A click on a block selects its change event (and so locates the movies).
    connect(blockWidget_, &BlockViewWidget::eventClicked, this, [this](const EditPtr& e) {
        dataSource& c = model_.controller.dataSourceC();
        if (const auto row = c.rowOfEvent(e)) {
            model_.controller.selectTab(2);
            c.selectRows({*row}, *row);
        }
    });
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

void MainWindow::showStatus(const QString& text) {
    if (!text.isEmpty()) statusBar()->showMessage(text, 10000);
}

void MainWindow::refreshAll() {
    summary_->refresh();
    showUndoState();
    showHours();
    showDocument();
}

// The change list is the window's document: its name in the title, and the
// modified mark while it differs from its file.
void MainWindow::showDocument() {
    setWindowTitle(QString::fromStdString(changeListDocumentName(model_.controller)) + "[*] \u2014 reelwright");
    setWindowModified(model_.controller.dataSourceC().isModified());
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

// The space bar outside the tables and fields plays or stops both movies.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && !event->isAutoRepeat()) {
        insertText(model_.controller, " ");
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// A drop on the OLD or NEW picture of the movie drawer names its side.
std::optional<MovieSide> MainWindow::movieSideAt(const QPoint& windowPos) const {
    for (MovieSide side : {MovieSide::Old, MovieSide::New}) {
        const QWidget* box = movies_->view(side, rw::MovieView::Small).parentWidget();
        if (!box || !box->isVisible()) continue;
        const QRect area(box->mapTo(this, QPoint(0, 0)), box->size());
        if (area.contains(windowPos)) return side;
    }
    return std::nullopt;
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
    DragInfo info = dragInfo(event->mimeData(), event->possibleActions());
    info.movieTarget = movieSideAt(event->position().toPoint());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    performDragOperation(model_.controller, info);
    refreshAll();
}

MainWindow::~MainWindow() = default;

WorkstationConform& MainWindow::workstation() {
    if (!workstation_) workstation_ = std::make_unique<WorkstationConform>(model_.controller, this);
    return *workstation_;
}

// A modified change list is asked about first; Cancel keeps the window open.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayDiscardChangeList(model_.controller)) {
        refreshAll();
        event->ignore();
        return;
    }
    if (searchResults_) searchResults_->cancelSearch();
    verifier_->cancel();
    model_.review.stopMovies(std::nullopt);
    movies_->saveLargeFrame();
    saveLayout();
    model_.controller.quit();
    QMainWindow::closeEvent(event);
}

// Geometry, docks, column widths and the front tab, as the last run left them.
void MainWindow::restoreLayout() {
    SettingsPort* store = model_.controller.store();
    if (const QByteArray g = storedBytes(store, kGeometryKey); !g.isEmpty()) restoreGeometry(g);
    if (const QByteArray s = storedBytes(store, kStateKey); !s.isEmpty() && restoreState(s)) {
        // The engine's drawers follow the docks as they were left.
        if (blockDock_->isHidden() == model_.controller.blockDrawerOpen()) model_.controller.showHideBlocks();
        if (movies_->drawer().isHidden() == model_.review.drawerOpen())
            model_.review.showHideMovies(title::ShowHideMovieDrawer);
    }
    for (int tab = 0; tab < 3; ++tab) panes_[tab]->table().restoreColumns(storedBytes(store, kColumnKeys[tab]));
    if (store)
        if (const auto tab = store->stringForKey(kTabKey); tab && !tab->empty() && std::isdigit(static_cast<unsigned char>((*tab)[0])))
            model_.controller.selectTab(std::clamp(std::stoi(*tab), 0, 3));
}

void MainWindow::saveLayout() {
    SettingsPort* store = model_.controller.store();
    if (!store) return;
    storeBytes(store, kGeometryKey, saveGeometry());
    storeBytes(store, kStateKey, saveState());
    for (int tab = 0; tab < 3; ++tab) storeBytes(store, kColumnKeys[tab], panes_[tab]->table().horizontalHeader()->saveState());
    store->setString(kTabKey, std::to_string(model_.controller.selectedTab()));
}

}  // namespace rw::qt
