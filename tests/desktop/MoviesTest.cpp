// The movie windows over movies made at test time: loading into the drawer,
// selecting a change event shows both pictures on their exact frames, the
// large and difference windows follow, playing moves both, a file that is no
// movie is reported.

#include "DesktopFixture.h"

#include "MovieMaker.h"
#include "movies/FrameView.h"
#include "movies/MovieWindows.h"
#include "views/SenderTitles.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest/QTest>

#include <cmath>
#include <fstream>

namespace rw::test {
namespace {

int frameShown(qt::FrameView& view) {
    const auto& image = view.frame().image;
    return image ? frameNumberIn(*image) : -1;
}

struct MovieFixture : DesktopFixture {
    MovieFixture() {
        MovieRecipe recipe;
        recipe.frames = 250;
        recipe.timecode = "01:00:00:00";
        oldPath = dir.file("old cut.mov");
        newPath = dir.file("new.mov");
        QVERIFY(makeMovie(oldPath, recipe).empty());
        recipe.codec = "libx264";
        QVERIFY(makeMovie(newPath, recipe).empty());
    }
    // A change event: OLD at its old-cut time, NEW at its new-cut time.
    void selectChange(const char* oldIn, const char* newIn) {
        auto t = [](const char* s) { return KLVtc::initWithString(s, "25"); };
        dataSource& c = list(2);
        c.addEdits({edit::initWithNum("001", "a", t(oldIn), t("01:00:02:24"), t(newIn), t("01:00:02:24"))});
        c.selectRows({c.getEditArray().size() - 1});
    }
    qt::MovieWindows& movies() { return window->movies(); }
    std::string oldPath, newPath;
};

}  // namespace

class MoviesTest : public DesktopTest {
    Q_OBJECT

private slots:
    void selectingAnEventShowsBothExactFramesInEveryWindow() {
        MovieFixture f;
        f.window->show();
        f.model.review.setMoviesOld(f.oldPath);
        f.model.review.setMoviesNew(fileUrlFromPath(f.newPath));
        QVERIFY(f.movies().drawer().isVisible());
        QCOMPARE(f.movies().rateLabel(MovieSide::Old).text(), QString("25.00"));
        QCOMPARE(f.movies().startField(MovieSide::New).text(), QString("01:00:00:00"));

        f.selectChange("01:00:01:05", "01:00:00:10");
        QTRY_COMPARE(frameShown(f.movies().view(MovieSide::Old, MovieView::Small)), 30);
        QTRY_COMPARE(frameShown(f.movies().view(MovieSide::New, MovieView::Small)), 10);

        f.window->action("showHideLarge")->trigger();
        QVERIFY(f.movies().largeWindow().isVisible());
        f.window->action("nudgeForwardTen")->trigger();
        QTRY_COMPARE(frameShown(f.movies().view(MovieSide::New, MovieView::Large)), 20);
        QTRY_COMPARE(frameShown(f.movies().view(MovieSide::Old, MovieView::Small)), 40);

        f.window->action("showHideDiff")->trigger();
        QVERIFY(f.movies().differenceWindow().isVisible());
        f.movies().differenceWindow().resize(320, 240);
        QTRY_VERIFY(!f.movies().differenceView().picture().isNull());

        // A start that is no timecode is refused with the beep and why; a good one relocates.
        QLineEdit& start = f.movies().startField(MovieSide::Old);
        start.setText("12:xx");
        QTest::keyClick(&start, Qt::Key_Return);
        QCOMPARE(f.model.ui.beeps(), 1);
        QCOMPARE(f.window->statusBar()->currentMessage(), "\"12:xx\" is not a start timecode at 25.00 fps: type HH:MM:SS:FF, or nothing");
        start.setText("00:59:59:00");
        QTest::keyClick(&start, Qt::Key_Return);
        QTRY_COMPARE(frameShown(f.movies().view(MovieSide::Old, MovieView::Small)), 55);
    }

    void playingMovesBothOnOneClockAndStopKeepsTheirOffset() {
        MovieFixture f;
        f.model.review.setMoviesOld(f.oldPath);
        f.model.review.setMoviesNew(f.newPath);
        f.selectChange("01:00:01:05", "01:00:00:10");
        f.window->action("playStop")->trigger();
        QTRY_VERIFY(frameShown(f.movies().view(MovieSide::New, MovieView::Small)) > 12);
        f.window->action("playStop")->trigger();
        QVERIFY(!f.model.review.playing());
        const auto seconds = [&f](MovieSide side) {
            return double(f.model.review.time(side, MovieView::Small)) / double(f.model.review.facts(side).timeScale);
        };
        QVERIFY(std::abs((seconds(MovieSide::Old) - seconds(MovieSide::New)) * 25 - 20) < 0.01);

        // The space bar in the large window plays and stops too.
        QTest::keyClick(&f.movies().largeWindow(), Qt::Key_Space);
        QVERIFY(f.model.review.playing());
        QTest::keyClick(&f.movies().largeWindow(), Qt::Key_Space);
        QVERIFY(!f.model.review.playing());
    }

    void aFileThatIsNoMovieIsReportedAndTheMovieStays() {
        MovieFixture f;
        f.model.review.setMoviesOld(f.oldPath);
        const std::string bad = f.dir.file("notes.mov");
        std::ofstream(bad) << "not a movie\n";
        f.dialogs.openAnswers.push_back({bad});
        f.window->action("importOldMovie")->trigger();
        QCOMPARE(f.dialogs.messages.size(), size_t(1));
        QCOMPARE(f.dialogs.messages[0].message, std::string("movie not loaded"));
        QCOMPARE(f.model.review.fileName(MovieSide::Old), std::string("old cut.mov"));
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::MoviesTest)
#include "MoviesTest.moc"
