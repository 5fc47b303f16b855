#include "workstation/AudioTrack.h"

#include <algorithm>

namespace rw {

namespace {

// The part of region r inside [a, b), moved by `shift`.
Region cut(const Region& r, std::int64_t a, std::int64_t b, std::int64_t shift) {
    const std::int64_t s = std::max(r.start, a), e = std::min(r.end, b);
    Region piece{s + shift, e + shift, std::nullopt};
    if (r.source) piece.source = *r.source + (s - r.start);
    return piece;
}

// Neighbours that continue each other become one region.
bool continues(const Region& left, const Region& right) {
    if (left.end != right.start || left.source.has_value() != right.source.has_value()) return false;
    return !left.source || *left.source + (left.end - left.start) == *right.source;
}

}  // namespace

AudioTrack::AudioTrack(std::int64_t length) : length_(std::max<std::int64_t>(length, 0)) {
    if (length_ > 0) regions_.push_back({0, length_, 0});
}

std::optional<std::int64_t> AudioTrack::sourceAt(std::int64_t frame) const {
    auto it = std::upper_bound(regions_.begin(), regions_.end(), frame,
                               [](std::int64_t f, const Region& r) { return f < r.end; });
    if (it == regions_.end() || frame < it->start || !it->source) return std::nullopt;
    return *it->source + (frame - it->start);
}

std::vector<Region> AudioTrack::read(std::int64_t a, std::int64_t b) const {
    a = std::clamp<std::int64_t>(a, 0, length_);
    b = std::clamp<std::int64_t>(b, a, length_);
    std::vector<Region> clip;
    for (const auto& r : regions_)
        if (r.end > a && r.start < b) clip.push_back(cut(r, a, b, -a));
    return clip;
}

void AudioTrack::write(std::int64_t at, const std::vector<Region>& clip) {
    if (clip.empty()) return;
    std::vector<Region> pieces;
    for (const auto& r : clip) pieces.push_back(cut(r, r.start, r.end, at));
    replace(at, at + clipLength(clip), pieces);
}

void AudioTrack::silence(std::int64_t a, std::int64_t b) { replace(a, b, {{a, b, std::nullopt}}); }

void AudioTrack::replace(std::int64_t a, std::int64_t b, const std::vector<Region>& pieces) {
    a = std::clamp<std::int64_t>(a, 0, length_);
    b = std::clamp<std::int64_t>(b, a, length_);
    if (a == b) return;
    std::vector<Region> out;
    auto add = [&out](Region r) {
        if (r.start >= r.end) return;
        if (!out.empty() && continues(out.back(), r)) out.back().end = r.end;
        else out.push_back(r);
    };
    for (const auto& r : regions_)
        if (r.start < a) add(cut(r, r.start, a, 0));
    for (const auto& p : pieces) add(cut(p, a, b, 0));
    for (const auto& r : regions_)
        if (r.end > b) add(cut(r, b, r.end, 0));
    regions_ = std::move(out);
}

std::int64_t clipLength(const std::vector<Region>& clip) { return clip.empty() ? 0 : clip.back().end; }

}  // namespace rw
