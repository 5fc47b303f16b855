#pragma once
// The change list as an OpenTimelineIO timeline, in the schemas and fields
// OpenTimelineIO 0.17 writes (Timeline.1, Stack.1, Track.1, Clip.2, Gap.1):
// one video track whose clips are the change events at their NEW master
// positions, with gaps where the new cut has no change event. Each clip's
// source_range is the event's OLD master range and its name the clip name;
// its metadata under "reelwright" holds the event number, its colour, its
// state ("normal", "gap": after a gap in the new cut, "vfx": matched by VFX
// shot) and the OLD and NEW list names. global_start_time is the first NEW
// master time. The timeline reader reads it back into the same change list.

#include "core/Edit.h"

#include <string>

namespace rw {

struct OtioChangeListNames {
    std::string changeList, oldList, newList;
};

// Why list C cannot be one track of clips: events that overlap in the new
// cut, or whose OLD and NEW lengths differ. Empty when it can.
std::string otioChangeListProblem(const EditArray& listC);

// The timeline's text, events in NEW master order. 30 and 60 fps times are
// written at 29.97 and 59.94 when drop frame, 30 fps ones also under the
// "NTSC" list types.
std::string otioChangeListText(const EditArray& listC, const OtioChangeListNames& names, const std::string& edlType);

}  // namespace rw
