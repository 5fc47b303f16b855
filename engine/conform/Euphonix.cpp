#include "conform/Euphonix.h"

#include "conform/RelativeNote.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace rw {

namespace {

constexpr unsigned char kHeader[32] = {0x00, 0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0x45, 0x55, 0x50, 0x48,
                                       0x03, 0x00, 0x00, 0x00, 0x30, 0x2E, 0x31, 0xFF, 0x00, 0x00, 0x00,
                                       0xFE, 0xFF, 0xFF, 0xFF, 0xE9, 0x9B, 0x33, 0xB2, 0x00, 0x00};
constexpr std::size_t kCountOffset = 32;

void appendWord(std::string& out, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(wrap32(value));
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::string header(std::size_t count) {
    std::string out(reinterpret_cast<const char*>(kHeader), sizeof kHeader);
    appendWord(out, static_cast<std::int64_t>(count));
    return out;
}

void appendRecord(std::string& out, int rateCode, int type, std::int64_t a, std::int64_t b, std::int64_t c,
                  std::int64_t d) {
    out.push_back(static_cast<char>(rateCode));
    out.push_back(static_cast<char>(type));
    for (std::int64_t w : {a, b, c, d}) appendWord(out, w);
}

std::int64_t hundredths(std::int64_t frames) { return frames * 100; }

// The source in's frame count with its hours label set to 0; the event is untouched.
std::int64_t framesWithinHour(const TcPtr& tc) {
    if (!tc) return 0;
    TcPtr copy = tc->copy();
    copy->setHours(0);
    return copy->totalFrames();
}

template <typename Words>
std::string moveList(const EditArray& listC, int type, Words words) {
    if (listC.empty()) return {};
    const EditArray sorted = sortedByMaster(listC);
    std::string out = header(sorted.size());
    for (const auto& e : sorted) {
        auto [a, b, c, d] = words(*e);
        appendRecord(out, euphonixFrameRateCode(e->sourceIn()), type, a, b, c, d);
    }
    return out;
}

}  // namespace

int euphonixFrameRateCode(const TcPtr& sourceIn) {
    if (!sourceIn) return 0;
    const double rate = std::trunc(sourceIn->framerate());
    if (rate == 24) return 0;
    if (rate == 25) return 1;
    if (rate == 30) return sourceIn->isDrop() ? 2 : 3;
    return 0;
}

std::string euphonixMoveList(const EditArray& listC) {
    return moveList(listC, 3, [](const edit& e) {
        const std::int64_t in = framesOf(e.sourceIn());
        return std::array<std::int64_t, 4>{hundredths(in), hundredths(framesOf(e.sourceOut()) - in),
                                           hundredths(framesOf(e.masterIn())), 0};
    });
}

std::string euphonixRebalanceList(const EditArray& listC) {
    return moveList(listC, 6, [](const edit& e) {
        const std::int64_t in = framesOf(e.sourceIn());
        return std::array<std::int64_t, 4>{hundredths(framesWithinHour(e.sourceIn())),
                                           hundredths(framesOf(e.sourceOut()) - in),
                                           hundredths(framesOf(e.masterIn())),
                                           e.sourceIn() ? e.sourceIn()->hours() : 0};
    });
}

std::string euphonixRelativeList(const EditArray& listC) {
    if (listC.empty()) return {};
    const EditArray sorted = sortedByMaster(listC);
    const int rateCode = euphonixFrameRateCode(sorted.front()->sourceIn());
    std::string out = header(sorted.size());
    std::size_t records = 0;
    for (const auto& s : relativeSteps(sorted)) {
        if (s.length < 1) continue;
        appendRecord(out, rateCode, s.insert ? 1 : 0, hundredths(framesOf(s.position)), hundredths(s.length), 0, 0);
        ++records;
    }
    // The header was written with the event count; it must hold the record count.
    std::string count;
    appendWord(count, static_cast<std::int64_t>(records));
    out.replace(kCountOffset, 4, count);
    return out;
}

}  // namespace rw
