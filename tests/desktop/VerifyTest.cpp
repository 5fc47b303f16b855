// Change List ▸ Verify Against Movies in the window, over movies made at test
// time: the check runs beside the event loop, its verdicts fill the Verdict
// column and mark the blocks, a flagged event takes the movies to its worst
// frame, Cancel keeps what was reached, and the report is saved.

#include "DesktopFixture.h"

#include "CutMovies.h"
#include "verify/VerifyRunner.h"

#include <QAction>

#include <filesystem>

namespace rw::test {
namespace {

constexpr int kShot = 24, kHour = 24 * 3600;

// Four 1-second shots; the NEW movie shows shot 2 two frames late and
// another clip for shot 3. Change event k is shot k in place.
struct VerifyFixture : DesktopFixture {
    VerifyFixture() {
        media::quietFFmpegLog();
        Cut old, neu;
        for (int clip = 1; clip <= 4; ++clip) {
            old.shots.push_back({clip, 0, kShot});
            neu.shots.push_back({clip, 0, kShot, Look::Moving, clip == 2 ? 2 : 0, clip == 3 ? 9 : 0});
        }
        const MovieRecipe recipe{"mjpeg", 24, 1, 0, 160, 90, 1, "01:00:00:00"};
        QVERIFY(makeCutMovie(dir.file("old.mov"), old, recipe, false).empty());
        QVERIFY(makeCutMovie(dir.file("new.mov"), neu, recipe, true).empty());
        const auto t = [](int frame) { return KLVtc::initWithFrames(kHour + frame, "24"); };
        EditArray events;
        for (int k = 0; k < 4; ++k)
            events.push_back(edit::initWithNum("00" + std::to_string(k + 1), "CLIP", t(k * kShot), t((k + 1) * kShot),
                                               t(k * kShot), t((k + 1) * kShot)));
        list(2).addEdits(events);
        model.review.setMoviesOld(dir.file("old.mov"));
        model.review.setMoviesNew(dir.file("new.mov"));
    }
    QString verdictShown(int row) {
        qt::ListTableModel& m = window->pane(2).model();
        return m.data(m.index(row, m.columnOf("verdict")), Qt::DisplayRole).toString();
    }
    void verify() {
        window->action("verifyMovies")->trigger();
        window->verifier().wait();
    }
};

}  // namespace

class VerifyTest : public DesktopTest {
    Q_OBJECT

private slots:
    void verdictsFillTheColumnMarkTheBlocksAndLocate() {
        VerifyFixture f;
        qt::ListTableView& table = f.window->pane(2).table();
        const int column = f.window->pane(2).model().columnOf("verdict");
        QVERIFY(table.isColumnHidden(column));  // nothing checked yet
        f.verify();
        QVERIFY(!table.isColumnHidden(column));
        const QStringList want = {"match", "slip +2", "differs", "match"};
        for (int row = 0; row < 4; ++row) QCOMPARE(f.verdictShown(row), want[row]);
        QCOMPARE(f.model.controller.blockView().marks().size(), std::size_t{2});

        // Selected alone, the slipped event shows both movies at its worst
        // frame, not at its start.
        const EditPtr slipped = f.list(2).getEditArray()[1];
        const int worst = f.model.verification.verdictFor(slipped)->worstFrame;
        QVERIFY(worst > 0);
        f.list(2).selectRows({1});
        const std::int64_t unitsPerFrame = f.model.review.facts(MovieSide::Old).timeScale / 24;
        QTRY_COMPARE(f.model.review.time(MovieSide::Old, MovieView::Small), (kShot + worst) * unitsPerFrame);
        QCOMPARE(f.model.review.time(MovieSide::New, MovieView::Small), (kShot + worst) * unitsPerFrame);

        f.dialogs.saveAnswer = f.dir.file("checked.html");
        f.window->action("saveVerificationReport")->trigger();
        f.window->verifier().wait();
        QVERIFY(std::filesystem::file_size(f.dir.file("checked.html")) > 1000);
    }

    // Cancel at once: the worker stops before the first event and the window
    // says so; a second check runs afterwards.
    void cancelKeepsWhatWasReached() {
        VerifyFixture f;
        f.window->action("verifyMovies")->trigger();
        f.window->verifier().cancel();
        f.window->verifier().wait();
        QVERIFY(!f.window->verifier().running());
        QVERIFY(f.model.verification.summary().ends_with("(cancelled)"));
        f.verify();
        QCOMPARE(f.model.verification.summary(), std::string("checked 4: 2 match, 1 slipped, 1 differ, 0 no picture"));
    }
};

}  // namespace rw::test

QTEST_MAIN(rw::test::VerifyTest)
#include "VerifyTest.moc"
