#include "ardour/ArdourClock.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

struct Edge {
    const char* format;
    std::int64_t rate;
    std::int64_t frames;
    std::int64_t sample;
};

// The first whole sample at or after the frame's exact start.
TEST(ArdourClock, FrameEdgesRoundUpOnceAtEveryRate) {
    const Edge edges[] = {
        {"timecode_25", 48000, 1, 1920},
        {"timecode_25", 48000, 90000, 172800000},           // 01:00:00:00
        {"timecode_24", 44100, 1, 1838},                    // 1837.5
        {"timecode_24", 44100, 2, 3675},
        {"timecode_23976", 48000, 86400, 172972800},        // 01:00:00:00 at 23.976
        {"timecode_23976", 44100, 3, 5519},                 // 5518.0125
        {"timecode_2997", 48000, 1, 1602},                  // 1601.6
        {"timecode_2997", 48000, 5, 8008},                  // exactly on a sample
        {"timecode_2997drop", 48000, 107892, 172799828},    // 01:00:00;00, 172799827.2
        {"timecode_2997drop", 44100, 1, 1472},              // 1471.47
        {"timecode_2997drop", 44100, 107892, 158759842},
        {"timecode_30", 96000, 1, 3200},
        {"timecode_5994", 48000, 1, 801},                   // 800.8
        {"timecode_60", 48000, 1, 800},
    };
    for (const auto& e : edges) {
        const auto clock = ardourClock(e.format, e.rate, 0, true);
        ASSERT_TRUE(clock) << e.format;
        EXPECT_EQ(clock->sampleAt(e.frames), e.sample) << e.format << " at " << e.rate << ", frame " << e.frames;
    }
}

TEST(ArdourClock, TheTimecodeOffsetMovesEveryEdgeByWholeSamples) {
    // A "negative" offset of an hour: sample 0 shows 01:00:00:00.
    const auto negative = ardourClock("timecode_25", 48000, 172800000, true);
    EXPECT_EQ(negative->sampleAt(90000), 0);
    EXPECT_EQ(negative->sampleAt(89999), -1920);
    const auto positive = ardourClock("timecode_2997", 48000, 1000, false);
    EXPECT_EQ(positive->sampleAt(1), 2602);
}

TEST(ArdourClock, FormatsOutsideTheConformTimebasesAreRefused) {
    for (const char* format : {"timecode_24976", "timecode_2997000", "timecode_2997000drop", "timecode_30drop", "", "25"})
        EXPECT_FALSE(ardourClock(format, 48000, 0, true)) << format;
    EXPECT_FALSE(ardourClock("timecode_25", 0, 0, true));
    EXPECT_EQ(ardourClock("timecode_2997drop", 48000, 0, true)->timebase(), "29.97df");
    EXPECT_EQ(ardourClock("timecode_23976", 48000, 0, true)->timebase(), "23.976");
}

}  // namespace
}  // namespace rw
