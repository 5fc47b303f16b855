#pragma once
// The conform of an Ardour session, planned: for each change event, which
// regions of each audio track's playlist hold its OLD range, where each piece
// is cut (sample-exact, by the session's clock) and where it goes in the new
// playlist; the ranges the track automation follows; what is refused and why.
// The plan is pure: Ardour carries it out (ArdourScript) and has the last word.

#include "ardour/ArdourClock.h"
#include "ardour/ArdourSession.h"
#include "core/Edit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw {

enum class EventFate {
    Conformed,  // its OLD material now lies at its NEW range
    Silence,    // its OLD range holds no audio of the session: the NEW range stays empty
    Refused,    // nothing moved; `why` says why
};

struct PlannedEvent {
    EditPtr shown;      // the event as listed (its labels are the ones printed)
    EventFate fate = EventFate::Conformed;
    std::int64_t oldFrom = 0, oldTo = 0;  // samples of the OLD arrangement taken
    std::int64_t newFrom = 0, newTo = 0;  // where they now play
    int pieces = 0;     // regions placed, over all tracks
    std::string why;    // the refusal, or the note of a silent or partly silent event
};

// One region, cut to an event's OLD range and placed at its NEW position.
struct Piece {
    ArdourRegion region;     // the region of the old playlist, as the file has it
    std::int64_t from = 0;   // the part of it taken, [from, to) on the old timeline
    std::int64_t to = 0;
    std::int64_t newPosition = 0;
    bool cutFront = false;   // the event's edge cuts through the region: no fade there
    bool cutBack = false;
    int event = 0;           // index in ArdourPlan::events
};

struct TrackPlan {
    std::string trackId, trackName;
    std::string oldPlaylistId, newPlaylistName;
    std::vector<Piece> pieces;  // event by event, each event's pieces bottom layer first
};

// A moved range: [from, to) of the old timeline now starts at newFrom.
struct Segment {
    std::int64_t from = 0, to = 0, newFrom = 0;
};

struct ArdourPlan {
    std::vector<PlannedEvent> events;
    std::vector<TrackPlan> tracks;   // the audio tracks
    std::vector<Segment> segments;   // of every event not refused, in NEW order
    std::optional<std::pair<std::int64_t, std::int64_t>> sessionRange;  // set when it must grow
    std::vector<std::string> notes;

    int refused() const;
    int placedPieces() const;
};

// `shown` are the events as listed, `converted` the same events in the
// session's timebase (same order and size).
ArdourPlan planArdourConform(const ArdourSession& session, const ArdourClock& clock, const EditArray& shown,
                             const EditArray& converted, const std::string& snapshot);

}  // namespace rw
