#include "movies/FrameGrid.h"
#include "movies/MovieLocate.h"
#include "movies/MovieRate.h"
#include "movies/MovieRect.h"
#include "movies/MovieStart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rw {
namespace {

KLVtc tc(const char* text, const char* timebase) { return *KLVtc::initWithString(text, timebase); }

TEST(MovieRate, TextAndMeasure) {
    for (auto [rate, text] : std::vector<std::pair<float, const char*>>{
             {23.976f, "23.98"}, {24, "24.00"}, {25, "25.00"}, {29.97f, "29.97"}, {59.94f, "59.94"}, {0, "0.000"}})
        EXPECT_EQ(framerateText(rate), text) << rate;
    EXPECT_NEAR(staticFrameRate({true, false, 0, 240, 240240, 24000}), 23.976024, 1e-6);  // 240 frames in 10.01 s
    EXPECT_DOUBLE_EQ(staticFrameRate({true, true, 29.97, 0, 0, 0}), 29.97);  // MPEG: the encoded rate
    EXPECT_EQ(staticFrameRate({true, false, 0, 0, 1000, 25}), 0);           // no samples counted
    EXPECT_EQ(staticFrameRate({false, false, 0, 10, 10, 10}), 0);           // no video
    for (auto [rate, pulldown] : std::vector<std::pair<float, bool>>{
             {23.976f, true}, {29.97f, true}, {59.94f, true}, {24, false}, {30, false}, {23.97f, false}})
        EXPECT_EQ(isPulldownRate(rate), pulldown) << rate;
}

TEST(MovieStart, StoredThenTrackThenNone) {
    const TrackTimecode ten{10, 0, 0, 0};
    const struct {
        std::optional<std::string> stored;
        std::optional<TrackTimecode> track;
        const char* rateText;
        const char* field;
        std::int32_t total;
    } cases[] = {
        {"00:59:50:00", ten, "23.98", "00:59:50:00", 86160},  // the stored start wins, at 24
        {std::nullopt, ten, "25.00", "10:00:00:00", 900000},
        {"garbage", ten, "25.00", "10:00:00:00", 900000},
        {std::nullopt, std::nullopt, "25.00", "", 0},
        {std::nullopt, TrackTimecode{1, 0, 0, 29}, "25.00", "", 0},  // frame 29 is no timecode at 25
        {std::nullopt, ten, "0.000", "", 0},
        // A drop-frame track stays drop frame where the rate has it, and is remembered as it showed.
        {std::nullopt, TrackTimecode{1, 0, 0, 0, true}, "29.97", "01:00:00;00", 107892},
        {"01:00:00;00", std::nullopt, "29.97", "01:00:00;00", 107892},
        {std::nullopt, TrackTimecode{1, 0, 0, 0, true}, "25.00", "01:00:00:00", 90000},
    };
    KLVtc before = tc("02:00:00:00", "24");
    for (const auto& c : cases) {
        const MovieStart s = startForLoadedMovie(c.stored, c.track, c.rateText, before);
        EXPECT_EQ(s.field, c.field);
        EXPECT_EQ(s.start.totalFrames(), c.total) << c.field;
        EXPECT_EQ(s.start.isDrop(), std::string(c.field).find(';') != std::string::npos) << c.field;
    }
    EXPECT_EQ(movieStartKey("reel 1.mov"), "movieStart-reel 1.mov");
}

TEST(MovieStart, CaptureStepEditAndValidate) {
    const MovieStart none;
    EXPECT_EQ(captureZeroPoint(none, 250, "25.00").field, "00:59:50:00");
    const MovieStart set = startFromField(none, "00:10:00:00", "25.00");
    EXPECT_EQ(captureZeroPoint(set, 3601 * 25, "25.00").start.totalFrames(), 15000);  // would be negative
    EXPECT_EQ(captureZeroPoint(set, 0, "0.000").field, "00:10:00:00");                // nothing parses at 0
    EXPECT_EQ(captureZeroPoint(startFromField(none, "00:10:00;00", "29.97"), 30, "29.97").field, "00:59:59;00");
    EXPECT_EQ(stepStartHour(startFromField(none, "23:00:00:00", "24.00"), 1).field, "00:00:00:00");
    EXPECT_EQ(stepStartHour(startFromField(none, "00:00:00:00", "24.00"), -1).field, "23:00:00:00");

    const MovieStart typed = startFromField(set, "1 hour", "25.00");
    EXPECT_EQ(typed.field, "1 hour");
    EXPECT_EQ(typed.start.totalFrames(), 0);
    EXPECT_EQ(startToStore(typed), "00:00:00:00");
    EXPECT_EQ(startToStore(none), std::nullopt);
    EXPECT_EQ(startFromField(none, "01:00:00:00", "29.97").start.totalFrames(), 108000);  // typed non-drop

    EXPECT_TRUE(isValidStartEntry("", 0, "0.000", "0.000"));
    EXPECT_TRUE(isValidStartEntry("01:00:00:24", 1, "24.00", "25.00"));  // tag 1: the NEW movie's rate
    EXPECT_FALSE(isValidStartEntry("01:00:00:24", 0, "24.00", "25.00"));
    EXPECT_FALSE(isValidStartEntry("01:00:00:00", 0, "0.000", "25.00"));
    EXPECT_TRUE(isValidStartEntry("00:59:59;58", 0, "59.94", ""));
}

// A movie of 60 s at `rate` fps and `scale` units a second.
struct LocateCase {
    const char* what;
    KLVtc time;
    float rate;
    std::int64_t scale;
    std::string field;
    KLVtc start;
    bool newSide, ntscDf;
    float seconds;
    std::optional<bool> red;
    std::int64_t locateTime;
};

TEST(MovieLocate, Examples) {
    const float film = 24000.0f / 1001, ntsc = 30000.0f / 1001;
    const LocateCase cases[] = {
        {"no start: top of the hour", tc("01:00:10:00", "25"), 25, 2500, "", {}, false, false, 10, {}, 25000},
        {"start known", tc("01:00:00:00", "25"), 25, 2500, "00:59:50:00", tc("00:59:50:00", "25"), false, false,
         10, false, 25000},
        {"before the start: red, target kept", tc("00:59:40:00", "25"), 25, 2500, "00:59:50:00",
         tc("00:59:50:00", "25"), false, false, -10, true, -25000},
        {"past the movie's end: red", tc("01:01:00:00", "25"), 25, 2500, "00:59:50:00", tc("00:59:50:00", "25"),
         false, false, 70, true, 150000},  // the end of the movie
        // At a pulldown rate ten seconds of timecode last 10.01 s.
        {"pulldown, no start: + 0.01", tc("01:00:10:00", "24"), film, 24000, "", {}, false, false,
         10.02f, {}, 240240},
        {"pulldown, OLD with start: no 0.01", tc("01:00:10:00", "24"), film, 24000, "01:00:00:00",
         tc("01:00:00:00", "24"), false, false, 10.01f, false, 240240},
        {"pulldown, NEW with start: + 0.01", tc("01:00:10:00", "24"), film, 24000, "01:00:00:00",
         tc("01:00:00:00", "24"), true, false, 10.02f, false, 240240},
        {"drop frame hour", tc("01:00:00;00", "29.97df"), 25, 2500, "", {}, false, false, 0, {}, 0},
        {"NTSC df re-reads the start", tc("01:00:10;00", "29.97df"), 30, 3000, "01:00:00:00",
         tc("01:00:00:00", "29.97"), false, true, 10, false, 30000},
        {"without NTSC df it does not", tc("01:00:10;00", "29.97df"), 30, 3000, "01:00:00:00",
         tc("01:00:00:00", "29.97"), false, false, 6.4f, false, 19200},
        {"29.97 movie, df list", tc("01:00:10;00", "29.97df"), ntsc, 30000, "", {}, false, false,
         10.02f, {}, 300300},
        {"last 30 % of a frame: the next", tc("00:00:00:23", "24"), 25, 2500, "", {}, false, false, 23 / 24.0f, {},
         2400},
        {"30 % exactly: the frame holding it", tc("00:00:00:17", "24"), 25, 2500, "", {}, false, false, 17 / 24.0f,
         {}, 1700},
        {"first frame after the start", tc("00:00:00:01", "24"), 25, 2500, "", {}, false, false, 1 / 24.0f, {}, 100},
        {"no measured rate: the target", tc("00:00:00:01", "24"), 0, 2500, "", {}, false, false, 1 / 24.0f, {},
         104},
    };
    for (const LocateCase& c : cases) {
        const float r = c.rate > 0 ? c.rate : 25;
        const std::int64_t length = c.scale * 60;
        const FrameGrid frames = c.rate == film   ? FrameGrid::fromRate(24000, 1001, c.scale, length)
                                 : c.rate == ntsc ? FrameGrid::fromRate(30000, 1001, c.scale, length)
                                                  : FrameGrid::fromRate(std::lround(r), 1, c.scale, length);
        const LocateRequest req{c.time, c.newSide, c.rate, c.scale, length, c.field, c.start, c.ntscDf};
        const LocateResult got = locateMovie(req, frames);
        EXPECT_FLOAT_EQ(got.seconds, c.seconds) << c.what;
        EXPECT_EQ(got.startRed, c.red) << c.what;
        EXPECT_EQ(got.locateTime, c.locateTime) << c.what;
    }
}

TEST(FrameGrid, StartsStepsAndEnds) {
    const FrameGrid ms = FrameGrid::fromRate(30000, 1001, 1000, 1000);  // 29.97 in milliseconds
    EXPECT_EQ(ms.frameStart(1), 34);                                    // 33.37, never before the stored 33
    EXPECT_EQ(ms.frameIndexAt(33), 0);
    EXPECT_EQ(ms.frameIndexAt(34), 1);
    EXPECT_EQ(ms.nearestFrame(33), 1);  // a stored time rounded down
    EXPECT_EQ(ms.frameCount(), 30);
    EXPECT_EQ(ms.nextFrameTime(-5), 0);
    EXPECT_EQ(ms.nextFrameTime(990), 1000);  // no frame starts later: the end
    EXPECT_EQ(ms.previousFrameTime(50), 34);
    EXPECT_EQ(ms.previousFrameTime(34), 0);
    EXPECT_EQ(ms.step(0, 10), ms.frameStart(10));
    EXPECT_EQ(ms.step(ms.frameStart(10), -10), 0);
    EXPECT_EQ(ms.step(0, -3), 0);
}

// Frames of their own lengths: 3, 1, 3, 1, 3 units (each odd frame shown late).
TEST(FrameGrid, VariableRateHoldsEachFramesStart) {
    const FrameGrid v = FrameGrid::fromStarts({0, 3, 4, 7, 8}, 11);
    ASSERT_TRUE(v.variable());
    EXPECT_EQ(v.frameCount(), 5);
    const struct {
        std::int64_t t, index, next, previous;
    } times[] = {{0, 0, 3, 0}, {2, 0, 3, 0}, {3, 1, 4, 0}, {4, 2, 7, 3}, {6, 2, 7, 4},
                 {8, 4, 11, 7}, {10, 4, 11, 8}, {11, 5, 11, 8}, {-1, -1, 0, 0}};
    for (const auto& c : times) {
        EXPECT_EQ(v.frameIndexAt(c.t), c.index) << c.t;
        EXPECT_EQ(v.nearestFrame(c.t), c.index) << c.t;
        EXPECT_EQ(v.nextFrameTime(c.t), c.next) << c.t;
        EXPECT_EQ(v.previousFrameTime(c.t), c.previous) << c.t;
    }
    EXPECT_EQ(v.frameLength(0), 3);
    EXPECT_EQ(v.frameLength(3), 1);
    EXPECT_EQ(v.step(0, 3), 7);
    EXPECT_EQ(v.step(11, -2), 7);
    EXPECT_EQ(v.frameStart(5), 11);  // past the table: the average length (11/5) on from the end
    EXPECT_EQ(v.frameStart(6), 14);
    EXPECT_EQ(v.frameIndexAt(14), 6);
    for (const auto& bad : std::vector<std::vector<std::int64_t>>{{}, {1, 2}, {0, 5, 4}, {0, 3, 3}})
        EXPECT_FALSE(FrameGrid::fromStarts(bad, 11).valid());
    EXPECT_FALSE(FrameGrid::fromStarts({0, 3}, 3).valid());  // the last frame must end after it starts
}

// What the Part's rules give, mended: the exact end of the movie, a start
// read as drop frame at its own rate, a list time after midnight, a frame
// of a variable rate.
TEST(MovieLocate, ExactLimitsAndStarts) {
    const FrameGrid pal = FrameGrid::fromRate(25, 1, 2500, 2500 * 60);
    const KLVtc start = tc("00:59:50:00", "25");
    const struct {
        const char* what;
        KLVtc time;
        std::string field;
        KLVtc start;
        bool outside;
        std::int64_t locateTime;
    } cases[] = {
        {"in the movie's last second", tc("01:00:49:24", "25"), "00:59:50:00", start, false, 149900},
        {"just after its last frame", tc("01:00:50:00", "25"), "00:59:50:00", start, true, 150000},
        {"past the end with no start", tc("01:01:00:00", "25"), "", {}, true, 150000},
        {"at the very start", tc("00:59:50:00", "25"), "00:59:50:00", start, false, 0},
        {"after midnight", tc("00:00:05:00", "25"), "23:59:59:00", tc("23:59:59:00", "25"), false, 15000},
        {"before a start at midnight", tc("23:59:58:00", "25"), "23:59:59:00", tc("23:59:59:00", "25"), true, -2500},
    };
    for (const auto& c : cases) {
        const LocateRequest req{c.time, false, 25, 2500, 2500 * 60, c.field, c.start, false};
        const LocateResult got = locateMovie(req, pal);
        EXPECT_EQ(got.outside, c.outside) << c.what;
        EXPECT_EQ(got.startRed, c.field.empty() ? std::nullopt : std::optional<bool>(c.outside)) << c.what;
        EXPECT_EQ(got.locateTime, c.locateTime) << c.what;
    }

    // A 59.94 movie, an "NTSC df" list: the start is counted at 60, drop frame.
    const FrameGrid fast = FrameGrid::fromRate(60000, 1001, 60000, 60000 * 60);
    const MovieStart dropStart = startFromField({}, "01:00:00;00", "59.94");
    const LocateRequest ntsc{tc("01:00:01;00", "29.97df"), false, 60000.0f / 1001, 60000, 60000 * 60,
                             dropStart.field, dropStart.start, true};
    EXPECT_EQ(locateMovie(ntsc, fast).locateTime, 60060);  // frame 60

    // Variable rate: a target on frame 3's start is frame 3, not the average's.
    const FrameGrid v = FrameGrid::fromStarts({0, 3000, 4000, 7000, 8000}, 11000);
    const LocateRequest onFrame{tc("00:00:00:07", "25"), false, 25 * 5 / 11.0f, 25000, 11000, "", {}, false};
    EXPECT_EQ(locateMovie(onFrame, v).locateTime, 7000);
    const LocateRequest late{tc("00:00:00:06", "25"), false, 25 * 5 / 11.0f, 25000, 11000, "", {}, false};
    EXPECT_EQ(locateMovie(late, v).locateTime, 4000);  // 6000 lies in frame 2 (4000 to 7000)
}

TEST(MovieRect, FitsWithoutEnlarging) {
    const struct {
        MovieRectangle view, drawn;
    } cases[] = {
        {{0, 0, 1024, 768}, {152, 96, 720, 576}},  // natural size, centred
        {{0, 0, 360, 360}, {0, 36, 360, 288}},     // bands above and below
        {{0, 0, 1000, 400}, {250, 0, 500, 400}},   // bands left and right
        {{10, 20, 300, 600}, {10, 200, 300, 240}},
    };
    for (const auto& c : cases) EXPECT_EQ(movieRect(c.view, 720, 576), c.drawn) << c.view.width << "x" << c.view.height;
}

}  // namespace
}  // namespace rw
