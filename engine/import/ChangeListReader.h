#pragma once
// Film change lists: how the new cut of a reel differs from the old one, as
// numbered changes with footages (16 frames to the foot, 24 fps). The old
// reel is modelled as one piece of picture an hour long; each change cuts the
// running tail and starts a new one after it (D is the running shift of the
// new reel against the old):
//
//   delete B at A     |old......|A            |A+B-D.........   record A on
//   insert B at A     |old......|A |  gap  |A+B  A-D.........   record A+B on
//
// A "move" is a delete whose piece ("to #N") fills the gap of the insert
// numbered N ("from #"). The result is healed and renumbered, and then
// compares like any other NEW list.

#include "core/Edit.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

struct ChangeListOptions {
    std::optional<std::string> hourCode;  // places the reel in time
    std::string ferocity;                 // healing aggression ("compareFerocity")
    const EditArray* newList = nullptr;   // list B, for the "forceful" gap test
};

// Replays one file's changes onto `events` (the import array): appends the
// old reel, cuts it, then replaces `events` by the healed, renumbered result.
void readChangeListLines(const std::vector<std::string_view>& lines, const ChangeListOptions& options,
                         EditArray& events);

// Appends an event numbered after `events` when its source range is not
// empty, then drops the event before it if that one has no source length.
void createCNEditForSI(EditArray& events, TcPtr sourceIn, TcPtr sourceOut, TcPtr masterIn, TcPtr masterOut);

}  // namespace rw
