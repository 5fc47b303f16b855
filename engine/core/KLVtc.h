#pragma once
// The one timecode value of the system: labelled fields plus a running frame
// count at a whole frame rate. Every comparison, sort and sum elsewhere uses
// totalFrames(); the labels are what is shown and written out.
//
// A KLVtc is shared (TcPtr) because holders rely on identity: an event, a
// table cell and an undo record all see the same value when it is changed in
// place.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace rw {

class KLVtc;
using TcPtr = std::shared_ptr<KLVtc>;

// A timebase text ("24", "29.97df", ...) split into its numeric value and its
// drop-frame flag. The numeric value is the leading decimal number; none gives 0.
struct Timebase {
    double value = 0.0;
    bool drop = false;
    static Timebase parse(std::string_view text);
};

class KLVtc {
public:
    KLVtc() = default;  // 00:00:00:00 at 24, not drop

    // Parses "HH:MM:SS:FF" or "HH:MM:SS;FF"; nullptr when the text is refused.
    static TcPtr initWithString(std::string_view text, std::string_view timebase);
    static TcPtr initWithString(std::string_view text, const Timebase& timebase);
    // nullptr for a negative count or a timebase whose rate is below 1.
    static TcPtr initWithFrames(std::int32_t frames, std::string_view timebase);
    // Film feet+frames ("0012+07"), 16 frames a foot, at 24 fps.
    static TcPtr initWithFeetAndFrames(std::string_view text);

    TcPtr copy() const { return std::make_shared<KLVtc>(*this); }

    // Plain store of every field except subframes; the invariant is the caller's.
    void setTCwithHour(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t f,
                       std::int32_t subframes, std::int32_t total, double rate, bool drop);
    // Recomputes the labels from the count; a negative count changes nothing.
    void setTotalFrames(std::int32_t n);
    // Moves totalFrames by the change in hours, then stores the hours.
    void setHours(std::int32_t h);
    void setMinutes(std::int32_t v) { minutes_ = v; }
    void setSeconds(std::int32_t v) { seconds_ = v; }
    void setFrames(std::int32_t v) { frames_ = v; }
    void setSubframes(std::int32_t v) { subframes_ = v; }
    void setFramerate(double v) { framerate_ = v; }
    void setIsDrop(bool v) { isDrop_ = v; }

    std::int32_t hours() const { return hours_; }
    std::int32_t minutes() const { return minutes_; }
    std::int32_t seconds() const { return seconds_; }
    std::int32_t frames() const { return frames_; }
    std::int32_t subframes() const { return subframes_; }
    std::int32_t totalFrames() const { return totalFrames_; }
    double framerate() const { return framerate_; }
    bool isDrop() const { return isDrop_; }

    std::string framerateString() const;
    // The rate and drop flag as a timebase value: what parses text typed for
    // this time (framerateString() names 59.94 drop frame as "60").
    Timebase timebase() const { return {static_cast<double>(framerate_), isDrop_}; }
    std::string tcAsString() const;
    std::string tcAsFeetFrames() const;
    std::string TC6000String() const;
    std::string description() const { return tcAsString(); }

    // One hour up (23 wraps to 0) or down (0 wraps to 23), through setHours.
    void hourShift(bool up);
    // 1, -1 or 0 by totalFrames.
    int compare(const KLVtc& other) const;

    static bool isIntegerString(std::string_view text);

    // The integer rate: framerate truncated, with 29 taken as 30.
    std::int32_t integerRate() const;

private:
    std::int32_t hours_ = 0;
    std::int32_t minutes_ = 0;
    std::int32_t seconds_ = 0;
    std::int32_t frames_ = 0;
    std::int32_t subframes_ = 0;
    std::int32_t totalFrames_ = 0;
    double framerate_ = 24.0;
    bool isDrop_ = false;
};

// The description of a possibly absent time, as events print them.
std::string describe(const TcPtr& tc);

// Frame arithmetic wraps as 32-bit two's complement, as the stored fields do,
// instead of overflowing (which C++ leaves undefined).
constexpr std::int32_t wrap32(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

}  // namespace rw
