#include "conform/Tc6000Conform.h"

#include "conform/ConformTime.h"
#include "core/Files.h"
#include "core/Text.h"

#include <algorithm>
#include <limits>
#include <map>

namespace rw {

namespace {

constexpr const char* kHeader = "ICONLISTV1";

using Groups = std::map<std::pair<std::string, std::string>, SnapshotGroup>;

void addNewSnapshots(const std::vector<Snapshot>& snapshots, const EditArray& events, std::vector<Snapshot>& out) {
    Groups groups;
    for (const auto& s : snapshots) groups[{s.device, s.engine}].add(s);
    for (int d = 1; d <= 8; ++d) {
        for (int e = 1; e <= 4; ++e) {
            auto it = groups.find({std::to_string(d), "R" + std::to_string(e)});
            if (it == groups.end()) continue;
            for (const auto& event : events) {
                if (!event->sourceIn() || !event->masterIn()) continue;
                if (const Snapshot* s = it->second.inForceAt(event->sourceIn()->totalFrames()))
                    out.push_back({event->masterIn()->copy(), s->device, s->engine, s->patch});
            }
        }
    }
}

void addMovedSnapshots(const std::vector<Snapshot>& snapshots, const EditArray& events, std::vector<Snapshot>& out) {
    const ChangeIndex index(events);
    for (const auto& s : snapshots) {
        auto moved = index.movedFrames(s.time->totalFrames());
        if (!moved || *moved < 0 || *moved > std::numeric_limits<std::int32_t>::max()) continue;
        TcPtr time = s.time->copy();
        time->setTotalFrames(static_cast<std::int32_t>(*moved));
        out.push_back({time, s.device, s.engine, s.patch});
    }
}

// Of a run of snapshots of one device, engine and patch within one hour only
// the first stays.
std::vector<Snapshot> withoutRepeats(const std::vector<Snapshot>& sorted) {
    std::vector<Snapshot> out;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0) {
            const Snapshot& a = sorted[i - 1];
            const Snapshot& b = sorted[i];
            if (a.device == b.device && a.engine == b.engine && a.patch == b.patch &&
                a.time->hours() == b.time->hours())
                continue;
        }
        out.push_back(sorted[i]);
    }
    return out;
}

}  // namespace

void SnapshotGroup::add(const Snapshot& s) {
    const std::int32_t t = s.time->totalFrames();
    latest_.push_back(latest_.empty() ? t : std::max(latest_.back(), t));
    snapshots_.push_back(&s);
}

const Snapshot* SnapshotGroup::inForceAt(std::int32_t at) const {
    const auto later = std::upper_bound(latest_.begin(), latest_.end(), at);
    return later == latest_.begin() ? nullptr : snapshots_[static_cast<std::size_t>(later - latest_.begin()) - 1];
}

std::vector<Snapshot> readSnapshots(const std::vector<std::string>& lines, const std::string& timebase) {
    std::vector<Snapshot> out;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() <= 8) continue;
        const auto fields = splitView(line, ',');
        if (fields.size() != 4) continue;
        const std::string t = line.substr(0, 2) + ":" + line.substr(2, 2) + ":" + line.substr(4, 2) + ":" + line.substr(6, 2);
        TcPtr time = KLVtc::initWithString(t, timebase);
        if (!time) continue;
        out.push_back({time, std::string(fields[1]), std::string(fields[2]), std::string(fields[3])});
    }
    return out;
}

std::optional<std::string> conformTc6000File(const std::string& text, const EditArray& events,
                                             const std::string& timebase) {
    const auto lines = splitLines(text);
    if (lines.empty() || lines.front() != kHeader) return std::nullopt;
    const std::vector<Snapshot> snapshots = readSnapshots(lines, timebase);

    std::vector<Snapshot> list;
    addNewSnapshots(snapshots, events, list);
    addMovedSnapshots(snapshots, events, list);
    std::stable_sort(list.begin(), list.end(), [](const Snapshot& a, const Snapshot& b) {
        if (a.device != b.device) return a.device < b.device;
        if (a.engine != b.engine) return a.engine < b.engine;
        return a.time->totalFrames() < b.time->totalFrames();
    });
    list = withoutRepeats(list);
    std::stable_sort(list.begin(), list.end(), [](const Snapshot& a, const Snapshot& b) {
        return a.time->totalFrames() < b.time->totalFrames();
    });

    std::string out = kHeader;
    for (const auto& s : list) out += "\n" + s.time->TC6000String() + "," + s.device + "," + s.engine + "," + s.patch;
    return out;
}

std::string conformedTc6000Name(const std::string& inputName) {
    return deletingPathExtension(inputName) + "-conf.EVL";
}

}  // namespace rw
