#include "ardour/ArdourPlan.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace rw {

namespace {

// Where the session's audio lies: from the earliest region start to the
// latest region end over the audio tracks' playlists.
struct Extent {
    std::int64_t from = 0, to = 0;
    bool any = false;
};

Extent audioExtent(const ArdourSession& session) {
    Extent e;
    for (const auto& track : session.tracks) {
        const ArdourPlaylist* pl = track.midi ? nullptr : session.playlist(track.playlistId);
        if (!pl) continue;
        for (const auto& r : pl->regions) {
            if (r.length <= 0) continue;
            e.from = e.any ? std::min(e.from, r.position) : r.position;
            e.to = e.any ? std::max(e.to, r.end()) : r.end();
            e.any = true;
        }
    }
    return e;
}

// The regions of a playlist that play in [from, to), bottom layer first.
std::vector<const ArdourRegion*> regionsIn(const ArdourPlaylist& pl, std::int64_t from, std::int64_t to) {
    std::vector<const ArdourRegion*> found;
    for (const auto& r : pl.regions)
        if (r.length > 0 && r.position < to && r.end() > from) found.push_back(&r);
    std::stable_sort(found.begin(), found.end(),
                     [](const ArdourRegion* a, const ArdourRegion* b) { return a->layeringIndex < b->layeringIndex; });
    return found;
}

std::string range(const EditPtr& e, bool oldSide) {
    return oldSide ? describe(e->sourceIn()) + "-" + describe(e->sourceOut())
                   : describe(e->masterIn()) + "-" + describe(e->masterOut());
}

// Fills the event's samples, or answers why it cannot be conformed.
std::string placeEvent(PlannedEvent& p, const edit& e, const ArdourClock& clock,
                       const std::vector<PlannedEvent>& earlier) {
    if (!e.sourceIn() || !e.sourceOut() || !e.masterIn() || !e.masterOut()) return "it has no times";
    const std::int64_t oldIn = e.sourceIn()->totalFrames();
    const std::int64_t newIn = e.masterIn()->totalFrames();
    const std::int64_t oldLength = e.sourceOut()->totalFrames() - oldIn;
    const std::int64_t newLength = e.masterOut()->totalFrames() - newIn;
    if (newLength <= 0) return "its NEW range " + range(p.shown, false) + " is empty";
    if (oldLength <= 0) return "its OLD range " + range(p.shown, true) + " is empty";
    // A frame apart is a timebase conversion's rounding; more is a speed change.
    if (std::llabs(oldLength - newLength) > 1)
        return "its OLD range (" + std::to_string(oldLength) + " frames) and NEW range (" + std::to_string(newLength) +
               " frames) differ in length: a speed change cannot be conformed by moving regions";
    p.newFrom = clock.sampleAt(newIn);
    p.newTo = clock.sampleAt(newIn + newLength);
    p.oldFrom = clock.sampleAt(oldIn);
    p.oldTo = p.oldFrom + (p.newTo - p.newFrom);  // the NEW edges are the ones that must butt
    if (p.newFrom < 0)
        return "its NEW range starts " + std::to_string(-p.newFrom) +
               " samples before the session's start: the session's timecode offset places " +
               describe(p.shown->masterIn()) + " before sample 0";
    for (const auto& o : earlier)
        if (o.fate != EventFate::Refused && o.newFrom < p.newTo && p.newFrom < o.newTo)
            return "its NEW range overlaps that of event " + o.shown->editNum();
    return {};
}

void takePieces(ArdourPlan& plan, const ArdourSession& session, int index) {
    PlannedEvent& p = plan.events[static_cast<std::size_t>(index)];
    const std::int64_t shift = p.newFrom - p.oldFrom;
    for (auto& track : plan.tracks) {
        const ArdourPlaylist* pl = session.playlist(track.oldPlaylistId);
        if (!pl) continue;
        for (const ArdourRegion* r : regionsIn(*pl, p.oldFrom, p.oldTo)) {
            Piece piece{*r, std::max(r->position, p.oldFrom), std::min(r->end(), p.oldTo), 0, false, false, index};
            piece.newPosition = piece.from + shift;
            piece.cutFront = piece.from > r->position;
            piece.cutBack = piece.to < r->end();
            track.pieces.push_back(std::move(piece));
            ++p.pieces;
        }
    }
}

void judgeSilence(PlannedEvent& p, const Extent& audio) {
    const bool outside = !audio.any || p.oldTo <= audio.from || p.oldFrom >= audio.to;
    if (outside) {
        p.fate = EventFate::Silence;
        p.why = "its OLD range " + range(p.shown, true) + " lies outside the session's audio: conformed as silence";
    } else if (p.oldFrom < audio.from || p.oldTo > audio.to) {
        p.why = "part of its OLD range " + range(p.shown, true) + " lies outside the session's audio: that part is silent";
    }
}

void growSessionRange(ArdourPlan& plan, const ArdourSession& session) {
    std::int64_t from = 0, to = 0;
    bool any = false;
    for (const auto& s : plan.segments) {
        from = any ? std::min(from, s.newFrom) : s.newFrom;
        to = any ? std::max(to, s.newFrom + (s.to - s.from)) : s.newFrom + (s.to - s.from);
        any = true;
    }
    if (!any) return;
    if (!session.sessionRange) {
        plan.notes.push_back("the session has no session range: set one in Ardour before exporting the new snapshot");
        return;
    }
    const auto [start, end] = *session.sessionRange;
    if (from >= start && to <= end) return;
    plan.sessionRange = std::make_pair(std::min(start, from), std::max(end, to));
    plan.notes.push_back("the session range grows to hold the new cut");
}

}  // namespace

int ArdourPlan::refused() const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [](const PlannedEvent& p) { return p.fate == EventFate::Refused; }));
}

int ArdourPlan::placedPieces() const {
    return std::accumulate(tracks.begin(), tracks.end(), 0,
                           [](int n, const TrackPlan& t) { return n + static_cast<int>(t.pieces.size()); });
}

ArdourPlan planArdourConform(const ArdourSession& session, const ArdourClock& clock, const EditArray& shown,
                             const EditArray& converted, const std::string& snapshot) {
    ArdourPlan plan;
    for (const auto& t : session.tracks) {
        if (t.midi) {
            plan.notes.push_back("MIDI track \"" + t.name + "\" is left as it is");
            continue;
        }
        const ArdourPlaylist* pl = session.playlist(t.playlistId);
        plan.tracks.push_back({t.id, t.name, t.playlistId, (pl ? pl->name : t.name) + "." + snapshot, {}});
    }
    const Extent audio = audioExtent(session);
    for (std::size_t i = 0; i < shown.size() && i < converted.size(); ++i) {
        PlannedEvent p;
        p.shown = shown[i];
        p.why = placeEvent(p, *converted[i], clock, plan.events);
        p.fate = p.why.empty() ? EventFate::Conformed : EventFate::Refused;
        if (p.fate != EventFate::Refused) judgeSilence(p, audio);
        plan.events.push_back(std::move(p));
        if (plan.events.back().fate == EventFate::Refused) continue;
        takePieces(plan, session, static_cast<int>(i));
        plan.segments.push_back({plan.events.back().oldFrom, plan.events.back().oldTo, plan.events.back().newFrom});
    }
    std::sort(plan.segments.begin(), plan.segments.end(),
              [](const Segment& a, const Segment& b) { return a.newFrom < b.newFrom; });
    growSessionRange(plan, session);
    return plan;
}

}  // namespace rw
