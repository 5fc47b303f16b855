#pragma once
// What the conform needs of an Ardour session file (a snapshot, NAME.ardour):
// its format, rate and timecode, its tracks with the playlist each plays, the
// regions of every playlist, and the session range. Times are read in
// samples; a region placed in music time is kept aside by name, since it
// cannot be moved by the sample.

#include "core/Outcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// The session file formats this reader knows (Ardour 7 and 8).
inline constexpr int kOldestArdourFormat = 7000;
inline constexpr int kNewestArdourFormat = 7003;

struct ArdourRegion {
    std::string id, name;
    std::int64_t position = 0;  // on the timeline, in samples
    std::int64_t length = 0;
    std::int64_t start = 0;     // offset into its sources
    int layeringIndex = 0;      // stacking order: higher plays on top
    std::int64_t end() const { return position + length; }
};

struct ArdourPlaylist {
    std::string id, name;
    std::vector<ArdourRegion> regions;  // in file order
};

struct ArdourTrack {
    std::string id, name;
    bool midi = false;
    std::string playlistId;  // the playlist the track plays
};

struct ArdourSession {
    int format = 0;                 // the file's "version"
    std::string savedBy;            // "Ardour 7.3.0" as the file names the program that saved it
    std::int64_t sampleRate = 0;
    std::string timecodeFormat = "timecode_30";
    std::int64_t timecodeOffset = 0;
    bool timecodeOffsetNegative = true;
    bool pulledUp = false;          // a video pull-up or pull-down is set
    std::vector<ArdourTrack> tracks;
    std::vector<ArdourPlaylist> playlists;
    std::optional<std::pair<std::int64_t, std::int64_t>> sessionRange;  // [start, end) in samples
    std::vector<std::string> musicTimeRegions;  // names of regions placed in bars and beats

    const ArdourPlaylist* playlist(const std::string& id) const;
};

// The session the bytes hold, or why they are not a session this conform reads.
Outcome<ArdourSession> readArdourSession(std::string_view bytes);

// The major and minor number of an "Ardour 7.3.0..." program text; {0, 0} when none.
std::pair<int, int> ardourVersion(std::string_view programText);

}  // namespace rw
