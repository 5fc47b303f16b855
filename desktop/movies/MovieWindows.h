#pragma once
// The movie review's windows: the movie drawer (a dock with the two small
// movies, their names, rates, start fields and hour steppers), the large-movie
// window, the difference window, and the Movies menu. Every command goes to
// the engine's review; these widgets only show where it stands.

#include "core/AppModel.h"
#include "movies/MovieFiles.h"

#include <QObject>

#include <array>

class QDockWidget;
class QLabel;
class QLineEdit;
class QMainWindow;
class QTimer;
class QWidget;

namespace rw::qt {

class FrameView;
class DifferenceView;

class MovieWindows : public QObject {
    Q_OBJECT
public:
    MovieWindows(AppModel& model, QMainWindow& window);
    ~MovieWindows() override;

    QDockWidget& drawer() { return *drawer_; }
    QWidget& largeWindow() { return *large_; }
    QWidget& differenceWindow() { return *diff_; }
    FrameView& view(MovieSide side, rw::MovieView view);
    DifferenceView& differenceView() { return *diffView_; }
    QLineEdit& startField(MovieSide side) { return *sides_[side == MovieSide::Old ? 0 : 1].start; }
    QLabel& rateLabel(MovieSide side) { return *sides_[side == MovieSide::Old ? 0 : 1].rate; }

    // Shows what the review holds: names, rates, starts, which windows are up.
    void sync();
    // The large window's frame, kept in the settings as "movieLg".
    void saveLargeFrame();

private:
    struct SideWidgets {
        FrameView* small = nullptr;
        FrameView* large = nullptr;
        QLabel* name = nullptr;
        QLabel* largeName = nullptr;
        QLabel* rate = nullptr;
        QLineEdit* start = nullptr;
    };
    void buildDrawer();
    QWidget* buildSide(MovieSide side);
    void buildLargeWindow();
    void buildDifferenceWindow();
    void frameReady(MovieSide side, rw::MovieView view);
    void restoreLargeFrame();

    AppModel& model_;
    MovieReview& review_;
    QMainWindow& window_;
    QDockWidget* drawer_ = nullptr;
    QWidget* large_ = nullptr;
    QWidget* diff_ = nullptr;
    DifferenceView* diffView_ = nullptr;
    std::array<SideWidgets, 2> sides_;
    QTimer* clock_ = nullptr;
    bool syncing_ = false;
};

}  // namespace rw::qt
