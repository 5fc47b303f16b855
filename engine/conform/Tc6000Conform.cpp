#include "conform/Tc6000Conform.h"

#include "conform/ConformTime.h"
#include "core/Files.h"
#include "core/Text.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>

namespace rw {

namespace {

constexpr const char* kHeader = "ICONLISTV1";

using Groups = std::map<std::pair<std::string, std::string>, SnapshotGroup>;

// A snapshot of the new list: its time, and the snapshot of the file whose
// device, engine and patch it carries. A new list holds a snapshot per event
// and group, so it is kept small and sorted by keys: the device and engine
// as one rank (they compare as texts) and the time.
struct Entry {
    const KLVtc* time;
    const Snapshot* from;
    std::uint32_t group;
    std::int32_t frames;
};

struct NewList {
    std::vector<TcPtr> times;  // the entries' times
    std::vector<Entry> entries;
};

std::vector<std::uint32_t> groupRanks(const std::vector<Snapshot>& snapshots) {
    std::map<std::pair<std::string_view, std::string_view>, std::uint32_t> ranks;
    for (const auto& s : snapshots) ranks.emplace(std::pair<std::string_view, std::string_view>(s.device, s.engine), 0);
    std::uint32_t rank = 0;
    for (auto& r : ranks) r.second = rank++;
    std::vector<std::uint32_t> out;
    out.reserve(snapshots.size());
    for (const auto& s : snapshots) out.push_back(ranks.find({s.device, s.engine})->second);
    return out;
}

void addNewSnapshots(const std::vector<Snapshot>& snapshots, const std::vector<std::uint32_t>& ranks,
                     const EditArray& events, NewList& out) {
    Groups groups;
    for (const auto& s : snapshots) groups[{s.device, s.engine}].add(s);
    // One time per event, shared by its snapshots in every group: none of them changes it.
    const std::size_t first = out.times.size();
    for (const auto& event : events) out.times.push_back(event->masterIn() ? event->masterIn()->copy() : nullptr);
    for (int d = 1; d <= 8; ++d) {
        for (int e = 1; e <= 4; ++e) {
            auto it = groups.find({std::to_string(d), "R" + std::to_string(e)});
            if (it == groups.end()) continue;
            for (std::size_t k = 0; k < events.size(); ++k) {
                const KLVtc* start = out.times[first + k].get();
                if (!events[k]->sourceIn() || !start) continue;
                if (const Snapshot* s = it->second.inForceAt(events[k]->sourceIn()->totalFrames()))
                    out.entries.push_back({start, s, ranks[static_cast<std::size_t>(s - snapshots.data())],
                                           start->totalFrames()});
            }
        }
    }
}

void addMovedSnapshots(const std::vector<Snapshot>& snapshots, const std::vector<std::uint32_t>& ranks,
                       const EditArray& events, NewList& out) {
    const ChangeIndex index(events);
    for (std::size_t i = 0; i < snapshots.size(); ++i) {
        auto moved = index.movedFrames(snapshots[i].time->totalFrames());
        if (!moved || *moved < 0 || *moved > std::numeric_limits<std::int32_t>::max()) continue;
        TcPtr time = snapshots[i].time->copy();
        time->setTotalFrames(static_cast<std::int32_t>(*moved));
        out.entries.push_back({time.get(), &snapshots[i], ranks[i], time->totalFrames()});
        out.times.push_back(std::move(time));
    }
}

// Of a run of snapshots of one device, engine and patch within one hour only
// the first stays.
std::vector<Entry> withoutRepeats(const std::vector<Entry>& sorted) {
    std::vector<Entry> out;
    out.reserve(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0) {
            const Entry& a = sorted[i - 1];
            const Entry& b = sorted[i];
            if (a.group == b.group && a.from->patch == b.from->patch && a.time->hours() == b.time->hours()) continue;
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

    const std::vector<std::uint32_t> ranks = groupRanks(snapshots);
    NewList list;
    addNewSnapshots(snapshots, ranks, events, list);
    addMovedSnapshots(snapshots, ranks, events, list);
    std::vector<Entry> entries = std::move(list.entries);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.group != b.group ? a.group < b.group : a.frames < b.frames;
    });
    entries = withoutRepeats(entries);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.frames < b.frames; });

    std::string out = kHeader;
    for (const Entry& e : entries) {
        out += '\n';
        out += e.time->TC6000String();
        for (const std::string* field : {&e.from->device, &e.from->engine, &e.from->patch}) {
            out += ',';
            out += *field;
        }
    }
    return out;
}

std::string conformedTc6000Name(const std::string& inputName) {
    return deletingPathExtension(inputName) + "-conf.EVL";
}

}  // namespace rw
