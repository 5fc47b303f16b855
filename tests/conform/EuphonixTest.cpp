#include "Support.h"

#include "conform/Euphonix.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace rw {
namespace {

using test::ev;

std::string le(std::int32_t v) {
    std::string out;
    for (int s = 0; s < 32; s += 8) out.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> s) & 0xFF));
    return out;
}

const std::string kHeader("\x00\x38\x00\x00\x00\x00\x00\x45\x55\x50\x48\x03\x00\x00\x00\x30"
                          "\x2E\x31\xFF\x00\x00\x00\xFE\xFF\xFF\xFF\xE9\x9B\x33\xB2\x00\x00",
                          32);

EditArray oneEvent() { return {ev("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00", "25")}; }

TEST(Euphonix, MoveListOfOneEventIs54Bytes) {
    const std::string expected =
        kHeader + le(1) + std::string("\x01\x03", 2) + le(9000000) + le(25000) + le(18000000) + le(0);
    const std::string bytes = euphonixMoveList(oneEvent());
    EXPECT_EQ(bytes.size(), 54u);
    EXPECT_EQ(bytes, expected);
}

TEST(Euphonix, RebalanceSplitsTheHours) {
    const std::string expected =
        kHeader + le(1) + std::string("\x01\x06", 2) + le(0) + le(25000) + le(18000000) + le(1);
    EXPECT_EQ(euphonixRebalanceList(oneEvent()), expected);
    EditArray df = {ev("001", "01:00:00;00", "01:00:01;00", "02:00:00;00", "02:00:01;00", "29.97df")};
    // 107892 frames to a drop-frame hour.
    EXPECT_EQ(euphonixRebalanceList(df).substr(38, 4), le(0));
    EXPECT_EQ(euphonixRebalanceList(df).substr(50, 4), le(1));
}

TEST(Euphonix, FrameRateCodes) {
    const std::pair<const char*, int> rows[] = {{"24", 0}, {"25", 1}, {"29.97df", 2}, {"30", 3}, {"60", 0}, {"50", 0}};
    for (auto [rate, code] : rows) {
        EditArray list = {ev("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00", rate)};
        EXPECT_EQ(euphonixMoveList(list)[36], static_cast<char>(code)) << rate;
    }
}

TEST(Euphonix, RecordsFollowMasterOrder) {
    EditArray list = {ev("002", "01:00:20:00", "01:00:21:00", "02:00:10:00", "02:00:11:00", "25"),
                      ev("001", "01:00:10:00", "01:00:11:00", "02:00:00:00", "02:00:01:00", "25")};
    const std::string bytes = euphonixMoveList(list);
    ASSERT_EQ(bytes.size(), 36u + 2 * 18);
    EXPECT_EQ(bytes.substr(38, 4), le(90250 * 100));
    EXPECT_EQ(bytes.substr(56, 4), le(90500 * 100));
}

TEST(Euphonix, RelativeListCountsRecords) {
    EditArray still = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:00", "01:00:10:00", "25")};
    EXPECT_EQ(euphonixRelativeList(still), kHeader + le(0));

    // Two events: a 10-frame insert before the first, then a 1 s delete.
    EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:10", "01:00:10:10", "25"),
                      ev("002", "01:00:11:00", "01:00:12:00", "01:00:10:10", "01:00:11:10", "25")};
    const std::string expected = kHeader + le(2) + std::string("\x01\x01", 2) + le(90000 * 100) + le(1000) + le(0) +
                                 le(0) + std::string("\x01\x00", 2) + le(90260 * 100) + le(2500) + le(0) + le(0);
    EXPECT_EQ(euphonixRelativeList(list), expected);
    EXPECT_TRUE(euphonixRelativeList({}).empty());
}

}  // namespace
}  // namespace rw
