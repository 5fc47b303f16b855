#pragma once
// Conform of TC6000 snapshot automation lists ("ICONLISTV1"): snapshots that
// lie in moved material move with it, and at the start of each moved piece a
// new snapshot recalls the patch that was in force at its old start.

#include "core/Edit.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

struct Snapshot {
    TcPtr time;
    std::string device, engine, patch;
};

// One device and engine's snapshots in file order. The snapshot in force at
// a time is the one before the first snapshot later than it (a file need not
// be in time order); the running latest time finds that one by binary search.
class SnapshotGroup {
public:
    void add(const Snapshot& s);  // `s` outlives the group
    // Null when the group's first snapshot is already later.
    const Snapshot* inForceAt(std::int32_t at) const;

private:
    std::vector<const Snapshot*> snapshots_;
    std::vector<std::int32_t> latest_;  // the latest time up to each snapshot
};

// The snapshots of a list's lines after the first; malformed lines are dropped.
std::vector<Snapshot> readSnapshots(const std::vector<std::string>& lines, const std::string& timebase);

// The conformed list's text; nullopt when the first line is not "ICONLISTV1".
// `events` are in the conform timebase; `timebase` is that timebase's text.
std::optional<std::string> conformTc6000File(const std::string& text, const EditArray& events,
                                             const std::string& timebase);

// "<name without extension>-conf.EVL".
std::string conformedTc6000Name(const std::string& inputName);

}  // namespace rw
