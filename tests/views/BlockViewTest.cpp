#include "lists/ListFakes.h"
#include "views/KLVBlockView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rw::test {
namespace {

// Source 01:00:00:00-01:00:10:00, master 01:00:05:00-01:00:20:00 at 25 fps.
EditPtr example() { return event("001", "01:00:00:00", "01:00:10:00", "01:00:05:00", "01:00:20:00"); }

TEST(BlockView, OneEventOnA500PointViewWith100PointBands) {
    FakeMovies movies;
    KLVBlockView view(movies, 500, 100);
    int redraws = 0;
    view.setNeedsDisplayHandler([&] { ++redraws; });
    view.setBlocksFromEdits({example()});
    EXPECT_EQ(view.lowLimit(), 90000);
    EXPECT_EQ(view.hiLimit(), 90500);
    EXPECT_EQ(view.totalRange(), 500);
    EXPECT_EQ(view.frameSizeInPixels(), 1.0f);
    EXPECT_EQ(view.blocks().at(0).oldCut, (BlockRect{0, 55, 250, 95}));
    EXPECT_EQ(view.blocks().at(0).newCut, (BlockRect{125, 5, 500, 45}));
    EXPECT_EQ(redraws, 1);

    view.setFrameSize(1000, 100);  // highlights measure the width again, on the old range
    view.hiLightEdits({example()});
    EXPECT_EQ(view.hiLights().at(0).newCut, (BlockRect{250, 5, 1000, 45}));
    view.setBlocksFromEdits({});  // an empty list clears, the scale stays
    EXPECT_TRUE(view.blocks().empty() && view.hiLights().empty());
    EXPECT_EQ(view.lowLimit(), 90000);
    EXPECT_EQ(view.sourceTop(), 95);
}

TEST(BlockView, LiveResizeScalesHorizontallyOnly) {
    FakeMovies movies;
    KLVBlockView view(movies, 500, 100);
    view.setBlocksFromEdits({example()});
    view.hiLightEdits({example()});
    view.viewWillStartLiveResize();
    view.setFrameSize(1000, 140);
    view.viewDidEndLiveResize();
    EXPECT_EQ(view.blocks()[0].oldCut, (BlockRect{0, 55, 500, 95}));
    EXPECT_EQ(view.blocks()[0].newCut, (BlockRect{250, 5, 1000, 45}));
    EXPECT_EQ(view.hiLights()[0].newCut.left, 250);
}

// A playhead's x, from and to; nothing when there is none.
std::vector<float> line(const std::optional<Playhead>& p) {
    return p ? std::vector{p->x, p->from, p->to} : std::vector<float>{};
}

TEST(BlockView, PlayheadsStandAtElapsedFramesPlusTheMovieStart) {
    FakeMovies movies;
    movies.old.startTC = *tc("00:59:50:00");  // 89750 frames
    movies.nu.startTC = *tc("01:00:00:00");
    KLVBlockView view(movies, 500, 100);
    view.setBlocksFromEdits({example()});
    view.setPlayheadPositionWithElapsedFrames_old(250);
    EXPECT_EQ(line(view.playheadOld()), (std::vector<float>{0, 99, 51}));
    view.setPlayheadPositionWithElapsedFrames_new(125);
    EXPECT_EQ(line(view.playheadNew()), (std::vector<float>{125, 49, 1}));
    view.setPlayheadPositionWithElapsedFrames_old(100);  // before the first event
    EXPECT_EQ(line(view.playheadOld()), (std::vector<float>{-150, 99, 51}));
}

TEST(BlockView, AnAllEqualListDoesNotDivideByZero) {
    FakeMovies movies;
    KLVBlockView fresh(movies, 400, 100);  // no blocks yet
    fresh.setPlayheadPositionWithElapsedFrames_old(10);
    EXPECT_TRUE(std::isfinite(fresh.playheadOld()->x));
    KLVBlockView view(movies, 400, 100);
    EditPtr point = eventAt("001", 1000, 1000, 1000, 1000);
    view.setBlocksFromEdits({point, eventAt("002", 1000, 1000, 1000, 1000)});
    EXPECT_EQ(view.totalRange(), 0);
    view.hiLightEdits({point});
    view.setPlayheadPositionWithElapsedFrames_new(1001);
    EXPECT_EQ(view.blocks()[1].newCut, (BlockRect{0, 5, 0, 45}));
    EXPECT_EQ(view.hiLights()[0].oldCut.right, 0);
    EXPECT_TRUE(std::isfinite(view.playheadNew()->x));
}

// A point in a block names its event; the ruler marks whole seconds or
// more, as far apart as asked, in the list's timecode.
TEST(BlockView, PointsFindTheirEventAndTheRulerMarksTheTime) {
    FakeMovies movies;
    KLVBlockView view(movies, 500, 100);
    EditPtr first = example();
    EditPtr second = event("002", "01:00:10:00", "01:00:20:00", "01:00:00:00", "01:00:05:00");
    view.setBlocksFromEdits({first, second});  // frames 90000..90500, one point each
    const std::tuple<float, float, EditPtr> points[] = {
        {10, 80, first},  {260, 80, second}, {130, 20, first}, {50, 20, second},
        {10, 50, nullptr}, {600, 80, nullptr}, {260, 20, first}};
    for (const auto& [x, y, hit] : points) EXPECT_EQ(view.eventAt(x, y), hit) << x << "," << y;
    const std::pair<float, std::vector<RulerTick>> rulers[] = {
        {100, {{0, "01:00:00:00"}, {125, "01:00:05:00"}, {250, "01:00:10:00"}, {375, "01:00:15:00"}, {500, "01:00:20:00"}}},
        {200, {{0, "01:00:00:00"}, {250, "01:00:10:00"}, {500, "01:00:20:00"}}},
        {1000, {{0, "01:00:00:00"}}},
    };
    for (const auto& [spacing, ticks] : rulers) EXPECT_EQ(view.rulerTicks(spacing), ticks) << spacing;
    EXPECT_EQ(blockToolTip(*second), "002  clip002\nold cut 01:00:10:00 \u2013 01:00:20:00\nnew cut 01:00:00:00 \u2013 01:00:05:00");
}

}  // namespace
}  // namespace rw::test
