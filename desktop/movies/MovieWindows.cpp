#include "movies/MovieWindows.h"

#include "movies/FrameView.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

namespace rw::qt {

namespace {

// A start field takes an empty text or a timecode at its movie's rate; while
// typing, anything is allowed to stand.
class StartValidator : public QValidator {
public:
    StartValidator(MovieReview& review, MovieSide side, QObject* parent)
        : QValidator(parent), review_(review), tag_(sideIndex(side)) {}
    State validate(QString& input, int&) const override {
        return review_.isValidStartEntry(input.toStdString(), tag_) ? Acceptable : Intermediate;
    }

private:
    MovieReview& review_;
    int tag_;
};

// Return on a text that is no timecode: the beep and why, and the field
// stays in editing (the validator keeps editingFinished from firing).
class StartField : public QLineEdit {
public:
    StartField(std::function<void(const QString&)> refused, QWidget* parent)
        : QLineEdit(parent), refused_(std::move(refused)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !hasAcceptableInput()) refused_(text());
        QLineEdit::keyPressEvent(event);
    }

private:
    std::function<void(const QString&)> refused_;
};

// A top-level movie window: the space bar plays and stops, the close box
// tells the review.
class MovieWindow : public QWidget {
public:
    MovieWindow(std::function<void()> space, std::function<void()> closed, QWidget* parent)
        : QWidget(parent, Qt::Window), space_(std::move(space)), closed_(std::move(closed)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) space_();
        else QWidget::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        closed_();
    }

private:
    std::function<void()> space_, closed_;
};

// Brought to the front when it opens.
void showWindow(QWidget& window, bool shown) {
    if (shown == window.isVisible()) return;
    window.setVisible(shown);
    if (shown) window.raise();
}

}  // namespace

MovieWindows::MovieWindows(AppModel& model, QMainWindow& window)
    : QObject(&window), model_(model), review_(model.review), window_(window) {
    buildDrawer();
    buildLargeWindow();
    buildDifferenceWindow();
    connect(&model_.movies, &MovieFeeds::frameReady, this, &MovieWindows::frameReady);
    connect(&model_.observer, &ModelSignals::moviesChanged, this, &MovieWindows::sync);
    // The clock's beat while playing: positions, frames asked for, playheads.
    clock_ = new QTimer(this);
    clock_->setInterval(10);
    // A frame the feed had ready shows at once, without waiting for its callback.
    connect(clock_, &QTimer::timeout, this, [this] {
        review_.tick();
        for (SideWidgets& w : sides_) {
            if (review_.drawerOpen()) w.small->refresh();
            if (review_.largeVisible()) w.large->refresh();
        }
        if (review_.diffVisible()) diffView_->refresh();
        if (!review_.playing()) clock_->stop();
    });
    sync();
}

MovieWindows::~MovieWindows() = default;

FrameView& MovieWindows::view(MovieSide side, rw::MovieView view) {
    const SideWidgets& w = sides_[sideIndex(side)];
    return *(view == rw::MovieView::Large ? w.large : w.small);
}

void MovieWindows::buildDrawer() {
    drawer_ = new QDockWidget(tr("Movies"), &window_);
    drawer_->setObjectName("movieDrawer");
    auto* content = new QWidget(drawer_);
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(buildSide(MovieSide::Old));
    layout->addWidget(buildSide(MovieSide::New));
    drawer_->setWidget(content);
    window_.addDockWidget(Qt::RightDockWidgetArea, drawer_);
    connect(drawer_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // Hidden with the main window (minimised, closing) is not closed.
        if (!visible && !syncing_ && window_.isVisible() && !window_.isMinimized())
            review_.windowClosed(rw::MovieView::Small);
    });
}

QWidget* MovieWindows::buildSide(MovieSide side) {
    SideWidgets& w = sides_[sideIndex(side)];
    const QString tag = side == MovieSide::Old ? "Old" : "New";
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    w.small = new FrameView([this, side] { return model_.movies.frame(side, rw::MovieView::Small); }, box);
    w.small->setObjectName("movie" + tag);
    w.small->setSizeListener([this, side](QSize size) { model_.movies.setPictureBox(side, rw::MovieView::Small, size); });
    w.name = new QLabel(box);
    w.rate = new QLabel(box);
    w.rate->setObjectName("movie" + tag + "Fps");
    w.start = new StartField(
        [this, side](const QString& text) {
            const std::string why = review_.refuseStartEntry(side, text.toStdString());
            window_.statusBar()->showMessage(QString::fromStdString(why), 10000);
        },
        box);
    w.start->setObjectName("movieStart" + tag);
    w.start->setPlaceholderText(tr("start timecode"));
    w.start->setValidator(new StartValidator(review_, side, w.start));
    auto* up = new QToolButton(box);
    auto* down = new QToolButton(box);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    up->setToolTip(tr("Start one hour later"));
    down->setToolTip(tr("Start one hour earlier"));
    grid->addWidget(new QLabel(side == MovieSide::Old ? tr("OLD") : tr("NEW"), box), 0, 0);
    grid->addWidget(w.name, 0, 1, 1, 4);
    grid->addWidget(w.small, 1, 0, 1, 5);
    grid->addWidget(w.rate, 2, 0);
    grid->addWidget(w.start, 2, 1, 1, 2);
    grid->addWidget(up, 2, 3);
    grid->addWidget(down, 2, 4);
    grid->setRowStretch(1, 1);
    connect(up, &QToolButton::clicked, this, [this, side] { review_.stepStart(side, 1); });
    connect(down, &QToolButton::clicked, this, [this, side] { review_.stepStart(side, -1); });
    connect(w.start, &QLineEdit::editingFinished, this, [this, side, &w] {
        if (!syncing_) review_.editStartField(side, w.start->text().toStdString());
    });
    return box;
}

void MovieWindows::buildLargeWindow() {
    // Its own tag drives the large movies.
    large_ = new MovieWindow([this] { review_.playStop(1); },
                             [this] { review_.windowClosed(rw::MovieView::Large); saveLargeFrame(); }, &window_);
    large_->setObjectName("movieLgWindow");
    large_->setWindowTitle(tr("Movies"));
    auto* layout = new QGridLayout(large_);
    for (MovieSide side : {MovieSide::Old, MovieSide::New}) {
        SideWidgets& w = sides_[sideIndex(side)];
        const int column = sideIndex(side);
        w.large = new FrameView([this, side] { return model_.movies.frame(side, rw::MovieView::Large); }, large_);
        w.large->setObjectName(side == MovieSide::Old ? "movieOld2" : "movieNew2");
        w.large->setSizeListener(
            [this, side](QSize size) { model_.movies.setPictureBox(side, rw::MovieView::Large, size); });
        w.largeName = new QLabel(large_);
        layout->addWidget(w.large, 0, column);
        layout->addWidget(w.largeName, 1, column);
    }
    layout->setRowStretch(0, 1);
    large_->resize(1280, 420);
    restoreLargeFrame();
}

void MovieWindows::buildDifferenceWindow() {
    diff_ = new MovieWindow([this] { review_.playStop(std::nullopt); }, [this] { review_.windowClosed(rw::MovieView::Diff); },
                            &window_);
    diff_->setObjectName("movieDiffWindow");
    diff_->setWindowTitle(tr("Movie Differences"));
    diffView_ = new DifferenceView([this] { return model_.movies.frame(MovieSide::Old, rw::MovieView::Diff); },
                                   [this] { return model_.movies.frame(MovieSide::New, rw::MovieView::Diff); }, diff_);
    diffView_->setSizeListener([this](QSize size) {
        for (MovieSide side : {MovieSide::Old, MovieSide::New}) model_.movies.setPictureBox(side, rw::MovieView::Diff, size);
    });
    auto* layout = new QVBoxLayout(diff_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(diffView_);
    diff_->resize(640, 360);
}

void MovieWindows::frameReady(MovieSide side, rw::MovieView view) {
    if (view == rw::MovieView::Diff) diffView_->refresh();
    else this->view(side, view).refresh();
}

void MovieWindows::sync() {
    syncing_ = true;
    for (MovieSide side : {MovieSide::Old, MovieSide::New}) {
        SideWidgets& w = sides_[sideIndex(side)];
        const QString name = QString::fromStdString(review_.fileName(side));
        w.name->setText(name);
        w.largeName->setText(name);
        w.rate->setText(review_.hasMovie(side) ? QString::fromStdString(review_.rateText(side)) : QString());
        const QString start = QString::fromStdString(review_.startField(side));
        if (w.start->text() != start) w.start->setText(start);
        w.start->setStyleSheet(review_.startRed(side) ? "color: red" : "");
    }
    drawer_->setVisible(review_.drawerOpen());
    if (large_->isVisible() && !review_.largeVisible()) saveLargeFrame();
    showWindow(*large_, review_.largeVisible());
    showWindow(*diff_, review_.diffVisible());
    if (review_.playing() && !clock_->isActive()) clock_->start();
    syncing_ = false;
}

void MovieWindows::saveLargeFrame() {
    if (SettingsPort* store = model_.controller.store())
        store->setString("movieLg", large_->saveGeometry().toBase64().toStdString());
}

void MovieWindows::restoreLargeFrame() {
    SettingsPort* store = model_.controller.store();
    const auto saved = store ? store->stringForKey("movieLg") : std::nullopt;
    if (saved) large_->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*saved)));
}

}  // namespace rw::qt
