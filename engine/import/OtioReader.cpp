#include "import/OtioReader.h"

#include "core/Files.h"
#include "core/Text.h"
#include "import/OtioDocument.h"
#include "import/OtioValues.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>

namespace rw {

namespace {

using namespace otio;

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

bool isTrack(const json& o) {
    const std::string_view s = schemaOf(o);
    return s == "Track" || s == "Sequence";
}

bool isVideo(const json& track) {
    const std::string kind = textOf(track, "kind");
    return kind.empty() || kind == "Video";
}

// Parts of the master timeline that higher tracks already show, merged.
class Coverage {
public:
    // Calls emit(a, b) for each part of [in, out) not yet covered, then covers it.
    template <class Emit>
    void paint(double in, double out, Emit&& emit) {
        auto it = spans_.upper_bound(in);
        if (it != spans_.begin() && std::prev(it)->second >= in) --it;
        double cursor = in, from = in, to = out;
        while (it != spans_.end() && it->first <= out) {
            if (it->first > cursor) emit(cursor, it->first);
            cursor = std::max(cursor, it->second);
            from = std::min(from, it->first);
            to = std::max(to, it->second);
            it = spans_.erase(it);
        }
        if (cursor < out) emit(cursor, out);
        spans_.emplace(from, to);
    }

private:
    std::map<double, double> spans_;
};

// The first clip's rate, for a timeline without a global_start_time.
std::optional<double> firstClipRate(const json& item) {
    if (schemaOf(item) == "Clip") {
        const json* ref = mediaReference(item);
        for (const json* range : {member(item, {"source_range"}), ref ? member(*ref, {"available_range"}) : nullptr}) {
            const json* rate = range ? member(*range, {"start_time", "rate"}) : nullptr;
            if (rate && rate->is_number() && rate->get<double>() > 0 && rate->get<double>() <= 1e6)
                return rate->get<double>();
        }
        return std::nullopt;
    }
    const json* children = member(item, {"children"});
    if (!enabled(item) || (isTrack(item) && !isVideo(item)) || !children || !children->is_array()) return std::nullopt;
    for (const json& child : *children)
        if (auto rate = firstClipRate(child)) return rate;
    return std::nullopt;
}

class TimelineReader {
public:
    explicit TimelineReader(const OtioReadOptions& options) : opt_(options) {}
    OtioRead read(const json& root);

private:
    // How an item's own time lies on the master timeline: master = own +
    // offset, shown only within [from, to).
    struct Place {
        double offset, from, to;
        bool motion;
    };
    // A run of one clip on the master timeline, in master frames; `own` is
    // the clip's own time at `in`.
    struct Piece {
        double in, out, own;
        const ClipFacts* clip;
    };
    // A child of a track: its own trimmed range, where it starts in the
    // track and the part of the track it shows in.
    struct Slot {
        std::size_t index;
        Range range;
        double at, from, to;
        bool transition;
    };

    Range trimmedRange(const json& item, const Where& w);
    Range trackRange(const json& track, const Where& w);
    Range stackRange(const json& stack, const Where& w);
    std::vector<Slot> layout(const json& track, const Where& w);
    void applyTransitions(const json& track, std::vector<Slot>& slots, const Where& w);

    std::vector<Piece> pieces(const json& item, const Place& place, const Where& w);
    std::vector<Piece> trackPieces(const json& track, const Place& place, const Where& w);
    std::vector<Piece> stackPieces(const json& stack, const Place& place, const Where& w);
    std::vector<Piece> clipPieces(const json& clip, const Place& place, const Where& w);
    EditArray events(const std::vector<Piece>& pieces);

    const OtioReadOptions& opt_;
    Notes notes_;
    double masterRate_ = 24;
    std::string masterTimebase_ = "24";
    std::deque<ClipFacts> clips_;  // pieces point into it
};

// Own trimmed range of any item: its source_range, else what it holds.
Range TimelineReader::trimmedRange(const json& item, const Where& w) {
    if (auto r = optionalRange(item, "source_range", w, masterRate_)) return *r;
    const std::string_view schema = schemaOf(item);
    if (schema == "Clip") {
        const json* ref = mediaReference(item);
        if (auto r = ref ? optionalRange(*ref, "available_range", w, masterRate_) : std::nullopt) return *r;
        failAt(w, "a clip without source_range whose media has no available_range");
    }
    if (isTrack(item)) return trackRange(item, w);
    if (schema == "Stack") return stackRange(item, w);
    if (schema == "Gap" || schema == "Filler") failAt(w, "a gap without source_range");
    return {0, 0, masterRate_};  // anything else without a range takes no time
}

// A track lasts as long as its items, plus the part of a transition at
// either end that reaches past them.
Range TimelineReader::trackRange(const json& track, const Where& w) {
    const std::vector<Slot> slots = layout(track, w);
    double length = slots.empty() ? 0 : slots.back().to;
    const json& children = childrenOf(track, w);
    const Where list = at(w, "children");
    if (!slots.empty() && slots.front().transition)
        length += transitionOffsets(children.front(), at(list, std::size_t{0}), masterRate_).in;
    if (!slots.empty() && slots.back().transition)
        length += transitionOffsets(children.back(), at(list, slots.size() - 1), masterRate_).out;
    return {0, length, masterRate_};
}

Range TimelineReader::stackRange(const json& stack, const Where& w) {
    const json& children = childrenOf(stack, w);
    const Where list = at(w, "children");
    double length = 0;
    for (std::size_t i = 0; i < children.size(); ++i)
        length = std::max(length, trimmedRange(children[i], at(list, i)).duration);
    return {0, length, masterRate_};
}

std::vector<TimelineReader::Slot> TimelineReader::layout(const json& track, const Where& w) {
    const json& children = childrenOf(track, w);
    const Where list = at(w, "children");
    std::vector<Slot> slots;
    slots.reserve(children.size());
    double position = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        Slot s{i, {0, 0, masterRate_}, position, position, position, schemaOf(children[i]) == "Transition"};
        if (!s.transition) {
            s.range = trimmedRange(children[i], at(list, i));
            position += s.range.duration;
            s.to = position;
        }
        slots.push_back(s);
    }
    return slots;
}

// A transition between two items moves their cut to its start: the
// incoming clip shows from there (out of its handle), the outgoing item
// ends there. Neither moves past the other's start nor before media frame 0.
void TimelineReader::applyTransitions(const json& track, std::vector<Slot>& slots, const Where& w) {
    const json& children = childrenOf(track, w);
    const Where list = at(w, "children");
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k].transition) continue;
        const Offsets offsets = transitionOffsets(children[k], at(list, k), masterRate_);
        if (k == 0 || k + 1 >= slots.size()) continue;
        Slot& outgoing = slots[k - 1];
        Slot& incoming = slots[k + 1];
        const json& clip = children[k + 1];
        if (outgoing.transition || incoming.transition || schemaOf(clip) != "Clip" || !enabled(clip)) continue;
        const double move = std::max(0.0, std::min({offsets.in, outgoing.to - outgoing.from, incoming.range.start}));
        outgoing.to -= move;
        incoming.from -= move;
    }
}

std::vector<TimelineReader::Piece> TimelineReader::pieces(const json& item, const Place& place, const Where& w) {
    if (!item.is_object()) failAt(w, "a value that is no OpenTimelineIO object");
    if (!enabled(item) || !(place.from < place.to)) return {};
    const Place inner{place.offset, place.from, place.to, place.motion || timeWarped(item)};
    const std::string_view schema = schemaOf(item);
    if (schema == "Clip") return clipPieces(item, inner, w);
    if (isTrack(item)) return isVideo(item) ? trackPieces(item, inner, w) : std::vector<Piece>{};
    if (schema == "Stack") return stackPieces(item, inner, w);
    if (schema != "Gap" && schema != "Filler" && schema != "Transition")
        notes_.add("unknown " + (schema.empty() ? std::string("object") : textOf(item, "OTIO_SCHEMA")) +
                   " skipped (at " + w.text() + ")");
    return {};
}

std::vector<TimelineReader::Piece> TimelineReader::trackPieces(const json& track, const Place& place, const Where& w) {
    std::vector<Slot> slots = layout(track, w);
    applyTransitions(track, slots, w);
    const json& children = childrenOf(track, w);
    const Where list = at(w, "children");
    std::vector<Piece> out;
    for (const Slot& s : slots) {
        if (s.transition) continue;
        const Place child{place.offset + s.at - s.range.start, std::max(place.from, place.offset + s.from),
                          std::min(place.to, place.offset + s.to), place.motion};
        std::vector<Piece> more = pieces(children[s.index], child, at(list, s.index));
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

// The children of a stack, last (top-most) first: each shows only where
// none above it does.
std::vector<TimelineReader::Piece> TimelineReader::stackPieces(const json& stack, const Place& place, const Where& w) {
    const json& children = childrenOf(stack, w);
    const Where list = at(w, "children");
    Coverage shown;
    std::vector<Piece> out;
    for (std::size_t i = children.size(); i-- > 0;) {
        const json& child = children[i];
        if (!enabled(child) || (isTrack(child) && !isVideo(child))) continue;
        const Where here = at(list, i);
        const Range own = trimmedRange(child, here);
        const Place p{place.offset - own.start, std::max(place.from, place.offset),
                      std::min(place.to, place.offset + own.duration), place.motion};
        for (const Piece& piece : pieces(child, p, here))
            shown.paint(piece.in, piece.out, [&](double a, double b) {
                out.push_back({a, b, piece.own + (a - piece.in), piece.clip});
            });
    }
    std::sort(out.begin(), out.end(), [](const Piece& a, const Piece& b) { return a.in < b.in; });
    return out;
}

std::vector<TimelineReader::Piece> TimelineReader::clipPieces(const json& clip, const Place& place, const Where& w) {
    const Range own = trimmedRange(clip, w);
    std::optional<ClipFacts> facts = clipFacts(clip, own.rate, place.motion, opt_.edlType, w, notes_);
    if (!facts) return {};
    clips_.push_back(std::move(*facts));
    return {{place.from, place.to, place.from - place.offset, &clips_.back()}};
}

std::string eventNumber(std::size_t n) {
    char text[24];
    std::snprintf(text, sizeof text, "%03zu", n);
    return text;
}

EditArray TimelineReader::events(const std::vector<Piece>& pieces) {
    EditArray out;
    for (const Piece& p : pieces) {
        const double masterIn = std::round(p.in), masterOut = std::round(p.out);
        if (masterOut <= masterIn) continue;  // a sliver between two runs
        const ClipFacts& c = *p.clip;
        auto source = [&](double own) { return std::round(c.rate == masterRate_ ? own : own * c.rate / masterRate_); };
        const double times[4] = {source(p.own), source(p.own + p.out - p.in), masterIn, masterOut};
        if (std::any_of(std::begin(times), std::end(times), [](double t) { return !(t >= 0 && t <= INT32_MAX); })) {
            notes_.add("clip \"" + c.name + "\" skipped: its times fall outside timecode");
            continue;
        }
        auto tc = [](double frames, const std::string& timebase) {
            return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), timebase);
        };
        const std::string& label = opt_.useReelNames && !c.reel.empty() ? c.reel : !c.name.empty() ? c.name : c.reel;
        EditPtr e =
            edit::initWithNum(c.number.empty() ? eventNumber(out.size() + 1) : c.number, label.empty() ? "none" : label,
                              tc(times[0], c.timebase), tc(times[1], c.timebase), tc(times[2], masterTimebase_),
                              tc(times[3], masterTimebase_));
        e->setIsMotionEffected(c.motion);
        if (c.colour) e->setColor(*c.colour);
        out.push_back(std::move(e));
    }
    return out;
}

OtioRead TimelineReader::read(const json& root) {
    const Where top{nullptr, "", 0};
    const Where collection = at(top, "children");
    const json* timeline = &root;
    std::optional<Where> timelineAt;
    if (const auto schema = schemaOf(root); schema == "SerializableCollection" || schema == "SerializeableCollection") {
        const json& children = childrenOf(root, top);
        const auto first =
            std::find_if(children.begin(), children.end(), [](const json& c) { return schemaOf(c) == "Timeline"; });
        if (first == children.end()) throw Failure{"no timeline in the collection"};
        timeline = &*first;
        timelineAt = at(collection, static_cast<std::size_t>(first - children.begin()));
        if (std::count_if(first, children.end(), [](const json& c) { return schemaOf(c) == "Timeline"; }) > 1)
            notes_.add("the collection holds several timelines; the first, \"" + textOf(*timeline, "name") +
                       "\", is read");
    }
    const Where& here = timelineAt ? *timelineAt : top;
    const bool isTimeline = schemaOf(*timeline) == "Timeline";
    if (!isTimeline && schemaOf(*timeline) != "Stack" && !isTrack(*timeline))
        throw Failure{"no timeline in the file" +
                      (schemaOf(*timeline).empty() ? "" : " (it holds a " + textOf(*timeline, "OTIO_SCHEMA") + ")")};
    const Where tracksAt = isTimeline ? at(here, "tracks") : here;
    const json* tracks = isTimeline ? member(*timeline, {"tracks"}) : timeline;
    if (!tracks || tracks->is_null()) return {};

    const std::optional<Time> start = isTimeline ? optionalTime(*timeline, "global_start_time", here) : std::nullopt;
    masterRate_ = start ? start->rate : firstClipRate(*tracks).value_or(24.0);
    const std::optional<std::string> timebase = timebaseForRate(masterRate_, opt_.edlType);
    if (!timebase)
        failAt(tracksAt, "the timeline's rate, " + std::to_string(masterRate_) + " fps, is no timecode rate");
    masterTimebase_ = *timebase;

    const double origin = start ? start->in(masterRate_) : 0;
    const std::optional<Range> own = optionalRange(*tracks, "source_range", tracksAt, masterRate_);
    const Place place = own ? Place{origin - own->start, origin, origin + own->duration, false}
                            : Place{origin, -kUnbounded, kUnbounded, false};
    OtioRead result;
    result.events = events(pieces(*tracks, place, tracksAt));
    result.changeList = std::any_of(clips_.begin(), clips_.end(), [](const ClipFacts& c) { return c.changeEvent; });
    result.notes = notes_.take();
    return result;
}

}  // namespace

OtioRead readOtioText(std::string bytes, const OtioReadOptions& options) {
    Document doc = parseDocument(std::move(bytes));
    OtioRead failed;
    if (!doc.error.empty()) {
        failed.error = doc.error;
        return failed;
    }
    try {
        return TimelineReader(options).read(doc.root);
    } catch (const Failure& f) {
        failed.error = f.message;
        return failed;
    }
}

OtioRead readOtioFile(const std::string& path, const OtioReadOptions& options) {
    OtioRead failed;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec) failed.error = sizeProblem(size);
    if (!failed.error.empty()) return failed;
    Outcome<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        failed.error = "the file cannot be read";
        return failed;
    }
    return readOtioText(std::move(bytes.value), options);
}

bool isOtioFile(const std::string& path) {
    if (toLower(pathExtension(path)) == "otio") return true;
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    std::size_t at = head.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    at = head.find_first_not_of(" \t\r\n", at);
    return at != std::string::npos && head[at] == '{' && head.find("\"OTIO_SCHEMA\"") != std::string::npos;
}

bool isOtioChangeList(const std::string& path) { return isOtioFile(path) && readOtioFile(path, {}).changeList; }

}  // namespace rw
