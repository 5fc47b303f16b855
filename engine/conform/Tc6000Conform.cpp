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

void addNewSnapshots(const std::vector<Snapshot>& snapshots, const EditArray& events, std::vector<Snapshot>& out) {
    Groups groups;
    for (const auto& s : snapshots) groups[{s.device, s.engine}].add(s);
    // One time per event, shared by its snapshots in every group: none of them changes it.
    std::vector<TcPtr> starts;
    starts.reserve(events.size());
    for (const auto& event : events) starts.push_back(event->masterIn() ? event->masterIn()->copy() : nullptr);
    for (int d = 1; d <= 8; ++d) {
        for (int e = 1; e <= 4; ++e) {
            auto it = groups.find({std::to_string(d), "R" + std::to_string(e)});
            if (it == groups.end()) continue;
            for (std::size_t k = 0; k < events.size(); ++k) {
                if (!events[k]->sourceIn() || !starts[k]) continue;
                if (const Snapshot* s = it->second.inForceAt(events[k]->sourceIn()->totalFrames()))
                    out.push_back({starts[k], s->device, s->engine, s->patch});
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

// A snapshot's place in the sorts: its device and engine as one rank (they
// compare as texts), its time, and where it is in the list.
struct SortKey {
    std::uint32_t group;
    std::int32_t time;
    std::size_t at;
};

std::vector<SortKey> sortKeys(const std::vector<Snapshot>& list) {
    std::map<std::pair<std::string_view, std::string_view>, std::uint32_t> ranks;
    for (const auto& s : list) ranks.emplace(std::pair<std::string_view, std::string_view>(s.device, s.engine), 0);
    std::uint32_t rank = 0;
    for (auto& r : ranks) r.second = rank++;
    std::vector<SortKey> keys;
    keys.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        keys.push_back({ranks.find({list[i].device, list[i].engine})->second, list[i].time->totalFrames(), i});
    return keys;
}

// Of a run of snapshots of one device, engine and patch within one hour only
// the first stays.
std::vector<SortKey> withoutRepeats(const std::vector<SortKey>& sorted, const std::vector<Snapshot>& list) {
    std::vector<SortKey> out;
    out.reserve(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0) {
            const Snapshot& a = list[sorted[i - 1].at];
            const Snapshot& b = list[sorted[i].at];
            if (sorted[i - 1].group == sorted[i].group && a.patch == b.patch && a.time->hours() == b.time->hours())
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
    // Sorted by keys: a new list holds a snapshot per event and group.
    std::vector<SortKey> keys = sortKeys(list);
    std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
        return a.group != b.group ? a.group < b.group : a.time < b.time;
    });
    keys = withoutRepeats(keys, list);
    std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) { return a.time < b.time; });

    std::string out = kHeader;
    for (const SortKey& key : keys) {
        const Snapshot* s = &list[key.at];
        out += '\n';
        out += s->time->TC6000String();
        for (const std::string* field : {&s->device, &s->engine, &s->patch}) {
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
