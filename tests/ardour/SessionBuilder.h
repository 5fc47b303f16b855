#pragma once
// Real Ardour sessions for the tests, made with Ardour's own tools: an empty
// session from ardourN-new_session, timecode audio files registered in its
// file (Ardour's headless Lua cannot import audio), then tracks, regions and
// gain automation placed by Ardour's Lua, and the result rendered by
// ardourN-export.

#include "Ltc.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw::test {

// A region of track `track` (1-based) playing OLD frames [at, at + frames),
// cut `start` frames into its timecode file: its own, or (for sessions too
// large for a file each) that of the region `source` in the list.
struct BuildRegion {
    int track = 1;
    std::int64_t at = 0;
    std::int64_t frames = 0;
    std::int64_t start = 0;
    int source = -1;
};

// Track 1's gain from OLD frame `frame` on (the last track gets pan and
// mute automation at the same frames, left off).
struct GainStep {
    std::int64_t frame = 0;
    double gain = 1.0;
};

struct SessionSpec {
    std::string name;
    LtcFormat format;
    std::string timecodeFormat;     // as the session file names it, "timecode_25"
    std::int64_t offsetFrames = 0;  // sample 0 of the session shows this frame
    int audioTracks = 2;            // panned left and right, in that order
    bool midiTrack = false;
    std::vector<BuildRegion> regions;
    std::vector<GainStep> gain;
};

// Whether Ardour's tools are installed; when not, why (for a skipped test).
std::optional<std::string> ardourMissing();

// The session's snapshot file, PARENT/NAME/NAME.ardour; empty on failure
// (with the reason in `error`).
std::string buildSession(const SessionSpec& spec, const std::string& parent, std::string& error);

// The first sample at which the session's clock shows OLD or NEW frame `frame`.
std::int64_t sessionSample(const SessionSpec& spec, std::int64_t frame);

// Renders a snapshot with ardourN-export, again when it stops early (it
// sometimes aborts after writing a complete file): the mix of the session
// range, `frames` long.
std::optional<Wav> renderSnapshot(const std::string& folder, const std::string& snapshot, std::int64_t frames,
                                  std::string& error);

}  // namespace rw::test
