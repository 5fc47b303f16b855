#pragma once
// OpenTimelineIO timelines (".otio") as edit lists. The picture is the cut as
// a player shows it: the video tracks of the timeline's stack flattened
// top-most-enabled-wins (OpenTimelineIO's own flatten_stack rule), so gaps
// and disabled items let the tracks below show through, and a nested stack
// is flattened where it is placed. Every parent's source_range trims what
// shows; the timeline's global_start_time is master time zero. Audio tracks
// and disabled items give nothing.
//
// A transition moves the cut to where it begins, as a dissolve does in an
// EDL: the incoming clip starts at the transition's start (into its handle)
// and the outgoing one ends there. A LinearTimeWarp or FreezeFrame on a clip,
// or on a track or stack around it, marks the event motion-effected.
//
// Schemas are known by name, whatever their version (Clip.1 and Clip.2,
// Sequence for Track, Filler for Gap); an unknown one is skipped with a note.
// Times that cannot place the cut (not numbers, rate 0, negative or enormous
// durations) stop the read with a message that says where.

#include "core/Edit.h"
#include "core/Outcome.h"

#include <string>
#include <vector>

namespace rw {

struct OtioReadOptions {
    // 29.97 and 59.94 fps times are drop frame, as OpenTimelineIO counts
    // them, unless the list type is "NTSC" or "60fps EDL/XML" (non-drop).
    std::string edlType;
    bool useReelNames = false;  // compare by lab roll: the reel names the event
};

struct OtioTimeline {
    EditArray events;
    std::vector<std::string> notes;  // what was skipped, and where
    bool changeList = false;         // the clips carry reelwright change-list metadata
};
// The timeline, or why nothing was read, and where.
using OtioRead = Outcome<OtioTimeline>;

OtioRead readOtioText(std::string bytes, const OtioReadOptions& options);
OtioRead readOtioFile(const std::string& path, const OtioReadOptions& options);

// A file named ".otio" (in any case), or one whose text opens as an
// OpenTimelineIO document.
bool isOtioFile(const std::string& path);
// An OpenTimelineIO file whose clips carry the change-list export's metadata.
bool isOtioChangeList(const std::string& path);

}  // namespace rw
