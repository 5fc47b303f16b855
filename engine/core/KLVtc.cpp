#include "core/KLVtc.h"

#include "core/Text.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <limits>
#include <vector>

namespace rw {

namespace {

bool containsDf(std::string_view s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        char a = s[i], b = s[i + 1];
        if ((a == 'd' || a == 'D') && (b == 'f' || b == 'F')) return true;
    }
    return false;
}

// A label in decimal with one leading "0" below 10 (so -1 prints "0-1").
char* putLabel(char* out, std::int32_t v) {
    if (v < 10) *out++ = '0';
    return std::to_chars(out, out + 12, v).ptr;
}

std::string twoDigits(std::int32_t v) {
    char buf[16];
    return std::string(buf, putLabel(buf, v));
}

// Drop-frame labels skip 2 (at 30) or 4 (at 60) frame numbers at each minute
// except every tenth: the SMPTE rule, shared by parsing and labelling.
struct DropRule {
    std::int64_t perMinute;      // labels skipped per minute
    std::int64_t framesPer10Min; // real frames in ten minutes
    std::int64_t framesPerMin;   // real frames in a dropped minute
};
constexpr DropRule kDrop30{2, 17982, 1798};
constexpr DropRule kDrop60{4, 35964, 3596};

}  // namespace

Timebase Timebase::parse(std::string_view text) {
    Timebase tb;
    tb.drop = containsDf(text);
    tb.value = leadingNumber(text);
    return tb;
}

namespace {

struct Labels {
    std::int64_t h = 0, m = 0, s = 0, f = 0;
    bool semicolon = false;
};

bool digit(char c) { return c >= '0' && c <= '9'; }

// "dd:dd:dd:dd" or "dd:dd:dd;dd", the form of nearly every list: read
// directly. Anything else goes through the general rules below, which give
// the same labels for these texts.
std::optional<Labels> plainLabels(std::string_view t) {
    if (t.size() != 11 || t[2] != ':' || t[5] != ':' || (t[8] != ':' && t[8] != ';')) return std::nullopt;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 9, 10})
        if (!digit(t[i])) return std::nullopt;
    auto two = [&](std::size_t i) { return std::int64_t{(t[i] - '0') * 10 + (t[i + 1] - '0')}; };
    return Labels{two(0), two(3), two(6), two(9), t[8] == ';'};
}

std::optional<Labels> generalLabels(std::string_view text) {
    std::vector<std::string_view> parts = splitView(text, ':');
    bool semicolon = false;
    if (parts.size() == 3 && text.find(';') != std::string_view::npos) {
        // "HH:MM:SS;FF": the third part holds seconds and frames.
        if (text.size() < 8) return std::nullopt;
        parts[2] = text.substr(6, 2);
        parts.push_back(text.substr(text.size() - 2));
        semicolon = true;
    }
    if (parts.size() != 4) return std::nullopt;
    if (trimSpaceTab(text).size() != 11) return std::nullopt;
    for (auto p : parts)
        if (!isIntegerString(p)) return std::nullopt;
    return Labels{parseInt(parts[0]), parseInt(parts[1]), parseInt(parts[2]), parseInt(parts[3]), semicolon};
}

}  // namespace

TcPtr KLVtc::initWithString(std::string_view text, std::string_view timebase) {
    return initWithString(text, Timebase::parse(timebase));
}

TcPtr KLVtc::initWithString(std::string_view text, const Timebase& tb) {
    double f = tb.value;
    if (f == 23.976 || f == 23.98) f = 24;
    if (f == 29.97) f = 30;
    if (f == 59.94) f = 60;

    std::optional<Labels> labels = plainLabels(text);
    if (!labels) labels = generalLabels(text);
    if (!labels) return nullptr;
    const auto [h, m, s, fr, semicolon] = *labels;
    const bool drop = tb.drop || semicolon;  // a ";" means drop frame whatever the timebase says
    if (!(static_cast<double>(fr) < f)) return nullptr;

    double count = (static_cast<double>(h) * 3600.0) * f + (static_cast<double>(m) * 60.0) * f +
                   static_cast<double>(s) * f + static_cast<double>(fr);
    count = std::trunc(count);
    if (drop) {
        double tm = static_cast<double>(60 * h + m);
        double tenths = std::trunc(tm / 10.0);
        if (f == 30) count -= 2 * (tm - tenths);
        else if (f == 60) count -= 4 * (tm - tenths);
    }
    // A count outside 32 bits cannot be held: refuse the text.
    if (count < std::numeric_limits<std::int32_t>::min() ||
        count > std::numeric_limits<std::int32_t>::max())
        return nullptr;

    auto tc = std::make_shared<KLVtc>();
    tc->hours_ = static_cast<std::int32_t>(h);
    tc->minutes_ = static_cast<std::int32_t>(m);
    tc->seconds_ = static_cast<std::int32_t>(s);
    tc->frames_ = static_cast<std::int32_t>(fr);
    tc->totalFrames_ = static_cast<std::int32_t>(count);
    tc->framerate_ = f;
    tc->isDrop_ = drop;
    return tc;
}

TcPtr KLVtc::initWithFrames(std::int32_t frames, std::string_view timebase) {
    if (frames < 0) return nullptr;
    Timebase tb = Timebase::parse(timebase);
    double rate;
    if (tb.value == 23.976) rate = 24;
    else if (tb.value == 29.97) rate = 30;
    else if (tb.value == 59.94) rate = 60;
    else rate = std::trunc(tb.value);
    // A rate below one frame a second would divide by zero in the labelling.
    if (!(rate >= 1.0) || rate > 1e6) return nullptr;
    auto tc = std::make_shared<KLVtc>();
    tc->framerate_ = rate;
    tc->isDrop_ = tb.drop;
    tc->setTotalFrames(frames);
    return tc;
}

TcPtr KLVtc::initWithFeetAndFrames(std::string_view text) {
    auto parts = splitView(trimSpaceTab(text), '+');
    if (parts.size() != 2 || !isIntegerString(parts[0]) || !isIntegerString(parts[1])) return nullptr;
    std::int64_t count = parseInt(parts[0]) * 16 + parseInt(parts[1]);
    if (count < std::numeric_limits<std::int32_t>::min() || count > std::numeric_limits<std::int32_t>::max())
        return nullptr;
    auto tc = std::make_shared<KLVtc>();
    tc->hours_ = static_cast<std::int32_t>(count / 86400);
    tc->minutes_ = static_cast<std::int32_t>((count / 1440) % 60);
    tc->seconds_ = static_cast<std::int32_t>((count / 24) % 60);
    tc->frames_ = static_cast<std::int32_t>(count % 24);
    tc->totalFrames_ = static_cast<std::int32_t>(count);
    tc->framerate_ = 24;
    tc->isDrop_ = false;
    return tc;
}

void KLVtc::setTCwithHour(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t f,
                          std::int32_t /*subframes: not stored*/, std::int32_t total, double rate,
                          bool drop) {
    hours_ = h;
    minutes_ = m;
    seconds_ = s;
    frames_ = f;
    totalFrames_ = total;
    framerate_ = rate;
    isDrop_ = drop;
}

std::int32_t KLVtc::integerRate() const {
    double t = std::trunc(framerate_);
    if (!(t >= std::numeric_limits<std::int32_t>::min() && t <= std::numeric_limits<std::int32_t>::max()))
        return 0;
    auto r = static_cast<std::int32_t>(t);
    return r == 29 ? 30 : r;
}

void KLVtc::setTotalFrames(std::int32_t n) {
    if (n < 0) return;
    const std::int64_t r = integerRate();
    if (r <= 0) return;  // no rate to label by: leave the value as it was

    std::int64_t np = n;
    if (isDrop_) {
        const DropRule& d = (r == 60) ? kDrop60 : kDrop30;
        std::int64_t D = n / d.framesPer10Min;
        std::int64_t M = n - d.framesPer10Min * D;
        np = n + 9 * d.perMinute * D + d.perMinute * ((M - d.perMinute) / d.framesPerMin);
    }
    std::int64_t S = np / r;
    std::int64_t TM = S / 60;
    setHours(wrap32(TM / 60));
    setMinutes(static_cast<std::int32_t>(TM % 60));
    setSeconds(static_cast<std::int32_t>(S % 60));
    setFrames(static_cast<std::int32_t>(np % r));
    totalFrames_ = n;
}

void KLVtc::setHours(std::int32_t h) {
    std::int64_t delta = static_cast<std::int64_t>(hours_) - h;
    std::int64_t perHour = 3600 * static_cast<std::int64_t>(integerRate());
    if (isDrop_ && framerate_ == 30) perHour = 107892;
    if (isDrop_ && framerate_ == 60) perHour = 215784;
    totalFrames_ = wrap32(static_cast<std::int64_t>(totalFrames_) - delta * perHour);
    hours_ = h;
}

std::string KLVtc::framerateString() const {
    if (framerate_ == 24) return "24";
    if (framerate_ == 25) return "25";
    if (framerate_ == 50) return "50";
    if (framerate_ == 60) return "60";
    if (framerate_ == 30) return isDrop_ ? "29.97df" : "30";
    return "";
}

std::string KLVtc::tcAsString() const {
    char buf[64];
    char* p = putLabel(buf, hours_);
    *p++ = ':';
    p = putLabel(p, minutes_);
    *p++ = ':';
    p = putLabel(p, seconds_);
    *p++ = isDrop_ ? ';' : ':';
    p = putLabel(p, frames_);
    return std::string(buf, p);
}

std::string KLVtc::tcAsFeetFrames() const {
    if (!(framerate_ > 0)) return "0000+00";  // no rate: nothing to convert by
    double x = std::trunc(static_cast<double>(totalFrames_) - static_cast<double>(hours_) * 3600.0 * framerate_);
    double yd = std::trunc(24.0 * (x / framerate_));
    if (!(std::fabs(yd) < 9e15)) yd = 0;
    auto y = static_cast<std::int64_t>(yd);
    std::string feet = std::to_string(y / 16);
    std::string frames = std::to_string(y % 16);
    while (feet.size() < 4) feet.insert(0, "0");
    while (frames.size() < 2) frames.insert(0, "0");
    return feet + "+" + frames;
}

std::string KLVtc::TC6000String() const {
    return twoDigits(hours_) + twoDigits(minutes_) + twoDigits(seconds_) + twoDigits(frames_);
}

void KLVtc::hourShift(bool up) {
    if (up) setHours(hours_ == 23 ? 0 : hours_ + 1);
    else setHours(hours_ == 0 ? 23 : hours_ - 1);
}

int KLVtc::compare(const KLVtc& other) const {
    if (totalFrames_ > other.totalFrames_) return 1;
    if (totalFrames_ < other.totalFrames_) return -1;
    return 0;
}

bool KLVtc::isIntegerString(std::string_view text) { return rw::isIntegerString(text); }

std::string describe(const TcPtr& tc) { return tc ? tc->tcAsString() : "(null)"; }

}  // namespace rw
