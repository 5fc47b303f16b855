#pragma once
// The audio of a simulated session as runs of frames: a region [start, end)
// whose frame f holds the material of frame source + (f - start), or silence.
// Edits split and join regions, so a whole day costs a handful of entries.
//
//   |0 ............. day|        one region, frame f holds f
//   |0 ..|silence|.. day|        after a cut
//   |0 ..|k ..k+n|.. day|        after a paste of n frames from k

#include <cstdint>
#include <optional>
#include <vector>

namespace rw {

struct Region {
    std::int64_t start = 0, end = 0;
    std::optional<std::int64_t> source;  // nullopt: silence

    bool operator==(const Region&) const = default;
};

class AudioTrack {
public:
    // One region over [0, length) in which every frame holds itself.
    explicit AudioTrack(std::int64_t length);

    std::int64_t length() const { return length_; }
    const std::vector<Region>& regions() const { return regions_; }
    // The material at a frame; nullopt for silence or a frame outside the track.
    std::optional<std::int64_t> sourceAt(std::int64_t frame) const;

    // The audio of [a, b) as regions counted from 0 (a clip).
    std::vector<Region> read(std::int64_t a, std::int64_t b) const;
    // Lays a clip in from `at`, over what was there; what passes the end is lost.
    void write(std::int64_t at, const std::vector<Region>& clip);
    void silence(std::int64_t a, std::int64_t b);

private:
    void replace(std::int64_t a, std::int64_t b, const std::vector<Region>& pieces);

    std::int64_t length_;
    std::vector<Region> regions_;
};

// The length of a clip read from a track.
std::int64_t clipLength(const std::vector<Region>& clip);

}  // namespace rw
