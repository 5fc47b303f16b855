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

// Each step returns its result or the first reason the cut cannot be placed.
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
    using Pieces = Outcome<std::vector<Piece>>;
    // A child of a track: its own trimmed range, where it starts in the
    // track and the part of the track it shows in.
    struct Slot {
        std::size_t index;
        Range range;
        double at, from, to;
        bool transition;
    };
    // A track's children and their slots, one a child.
    struct Layout {
        const json* children = nullptr;
        std::vector<Slot> slots;
    };

    Outcome<Range> trimmedRange(const json& item, const Where& w);
    Outcome<Range> trackRange(const json& track, const Where& w);
    Outcome<Range> stackRange(const json& stack, const Where& w);
    Outcome<Layout> layout(const json& track, const Where& w);
    Outcome<> applyTransitions(Layout& track, const Where& w);

    Pieces pieces(const json& item, const Place& place, const Where& w);
    Pieces trackPieces(const json& track, const Place& place, const Where& w);
    Pieces stackPieces(const json& stack, const Place& place, const Where& w);
    Pieces clipPieces(const json& clip, const Place& place, const Where& w);
    EditArray events(const std::vector<Piece>& pieces);

    const OtioReadOptions& opt_;
    Notes notes_;
    double masterRate_ = 24;
    std::string masterTimebase_ = "24";
    std::deque<ClipFacts> clips_;  // pieces point into it
};

// Own trimmed range of any item: its source_range, else what it holds.
Outcome<Range> TimelineReader::trimmedRange(const json& item, const Where& w) {
    const Outcome<std::optional<Range>> trimmed = optionalRange(item, "source_range", w, masterRate_);
    if (!trimmed) return failed(trimmed);
    if (trimmed.value) return Outcome<Range>::success(*trimmed.value);
    const std::string_view schema = schemaOf(item);
    if (schema == "Clip") {
        const json* ref = mediaReference(item);
        const Outcome<std::optional<Range>> available =
            ref ? optionalRange(*ref, "available_range", w, masterRate_) : Outcome<std::optional<Range>>::success();
        if (!available) return failed(available);
        if (available.value) return Outcome<Range>::success(*available.value);
        return failAt(w, "a clip without source_range whose media has no available_range");
    }
    if (isTrack(item)) return trackRange(item, w);
    if (schema == "Stack") return stackRange(item, w);
    if (schema == "Gap" || schema == "Filler") return failAt(w, "a gap without source_range");
    return Outcome<Range>::success({0, 0, masterRate_});  // anything else without a range takes no time
}

// A track lasts as long as its items, plus the part of a transition at
// either end that reaches past them.
Outcome<Range> TimelineReader::trackRange(const json& track, const Where& w) {
    const Outcome<Layout> laid = layout(track, w);
    if (!laid) return failed(laid);
    const std::vector<Slot>& slots = laid.value.slots;
    const json& children = *laid.value.children;
    const Where list = at(w, "children");
    double length = slots.empty() ? 0 : slots.back().to;
    if (!slots.empty() && slots.front().transition) {
        const Outcome<Offsets> first = transitionOffsets(children.front(), at(list, std::size_t{0}), masterRate_);
        if (!first) return failed(first);
        length += first.value.in;
    }
    if (!slots.empty() && slots.back().transition) {
        const Outcome<Offsets> last = transitionOffsets(children.back(), at(list, slots.size() - 1), masterRate_);
        if (!last) return failed(last);
        length += last.value.out;
    }
    return Outcome<Range>::success({0, length, masterRate_});
}

Outcome<Range> TimelineReader::stackRange(const json& stack, const Where& w) {
    const Outcome<const json*> children = childrenOf(stack, w);
    if (!children) return failed(children);
    const Where list = at(w, "children");
    double length = 0;
    for (std::size_t i = 0; i < children.value->size(); ++i) {
        const Outcome<Range> child = trimmedRange((*children.value)[i], at(list, i));
        if (!child) return child;
        length = std::max(length, child.value.duration);
    }
    return Outcome<Range>::success({0, length, masterRate_});
}

Outcome<TimelineReader::Layout> TimelineReader::layout(const json& track, const Where& w) {
    const Outcome<const json*> children = childrenOf(track, w);
    if (!children) return failed(children);
    const json& items = *children.value;
    const Where list = at(w, "children");
    Layout out{&items, {}};
    out.slots.reserve(items.size());
    double position = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Slot s{i, {0, 0, masterRate_}, position, position, position, schemaOf(items[i]) == "Transition"};
        if (!s.transition) {
            const Outcome<Range> range = trimmedRange(items[i], at(list, i));
            if (!range) return failed(range);
            s.range = range.value;
            position += s.range.duration;
            s.to = position;
        }
        out.slots.push_back(s);
    }
    return Outcome<Layout>::success(std::move(out));
}

// A transition between two items moves their cut to its start: the
// incoming clip shows from there (out of its handle), the outgoing item
// ends there. Neither moves past the other's start nor before media frame 0.
Outcome<> TimelineReader::applyTransitions(Layout& track, const Where& w) {
    const json& children = *track.children;
    std::vector<Slot>& slots = track.slots;
    const Where list = at(w, "children");
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k].transition) continue;
        const Outcome<Offsets> offsets = transitionOffsets(children[k], at(list, k), masterRate_);
        if (!offsets) return failed(offsets);
        if (k == 0 || k + 1 >= slots.size()) continue;
        Slot& outgoing = slots[k - 1];
        Slot& incoming = slots[k + 1];
        const json& clip = children[k + 1];
        if (outgoing.transition || incoming.transition || schemaOf(clip) != "Clip" || !enabled(clip)) continue;
        const double move =
            std::max(0.0, std::min({offsets.value.in, outgoing.to - outgoing.from, incoming.range.start}));
        outgoing.to -= move;
        incoming.from -= move;
    }
    return Outcome<>::success();
}

TimelineReader::Pieces TimelineReader::pieces(const json& item, const Place& place, const Where& w) {
    if (!item.is_object()) return failAt(w, "a value that is no OpenTimelineIO object");
    if (!enabled(item) || !(place.from < place.to)) return Pieces::success();
    const Place inner{place.offset, place.from, place.to, place.motion || timeWarped(item)};
    const std::string_view schema = schemaOf(item);
    if (schema == "Clip") return clipPieces(item, inner, w);
    if (isTrack(item)) return isVideo(item) ? trackPieces(item, inner, w) : Pieces::success();
    if (schema == "Stack") return stackPieces(item, inner, w);
    if (schema != "Gap" && schema != "Filler" && schema != "Transition")
        notes_.add("unknown " + (schema.empty() ? std::string("object") : textOf(item, "OTIO_SCHEMA")) +
                   " skipped (at " + w.text() + ")");
    return Pieces::success();
}

TimelineReader::Pieces TimelineReader::trackPieces(const json& track, const Place& place, const Where& w) {
    Outcome<Layout> laid = layout(track, w);
    if (!laid) return failed(laid);
    if (const Outcome<> moved = applyTransitions(laid.value, w); !moved) return failed(moved);
    const json& children = *laid.value.children;
    const Where list = at(w, "children");
    std::vector<Piece> out;
    for (const Slot& s : laid.value.slots) {
        if (s.transition) continue;
        const Place child{place.offset + s.at - s.range.start, std::max(place.from, place.offset + s.from),
                          std::min(place.to, place.offset + s.to), place.motion};
        const Pieces more = pieces(children[s.index], child, at(list, s.index));
        if (!more) return more;
        out.insert(out.end(), more.value.begin(), more.value.end());
    }
    return Pieces::success(std::move(out));
}

// The children of a stack, last (top-most) first: each shows only where
// none above it does.
TimelineReader::Pieces TimelineReader::stackPieces(const json& stack, const Place& place, const Where& w) {
    const Outcome<const json*> children = childrenOf(stack, w);
    if (!children) return failed(children);
    const Where list = at(w, "children");
    Coverage shown;
    std::vector<Piece> out;
    for (std::size_t i = children.value->size(); i-- > 0;) {
        const json& child = (*children.value)[i];
        if (!enabled(child) || (isTrack(child) && !isVideo(child))) continue;
        const Where here = at(list, i);
        const Outcome<Range> own = trimmedRange(child, here);
        if (!own) return failed(own);
        const Place p{place.offset - own.value.start, std::max(place.from, place.offset),
                      std::min(place.to, place.offset + own.value.duration), place.motion};
        const Pieces below = pieces(child, p, here);
        if (!below) return below;
        for (const Piece& piece : below.value)
            shown.paint(piece.in, piece.out, [&](double a, double b) {
                out.push_back({a, b, piece.own + (a - piece.in), piece.clip});
            });
    }
    std::sort(out.begin(), out.end(), [](const Piece& a, const Piece& b) { return a.in < b.in; });
    return Pieces::success(std::move(out));
}

TimelineReader::Pieces TimelineReader::clipPieces(const json& clip, const Place& place, const Where& w) {
    const Outcome<Range> own = trimmedRange(clip, w);
    if (!own) return failed(own);
    std::optional<ClipFacts> facts = clipFacts(clip, own.value.rate, place.motion, opt_.edlType, w, notes_);
    if (!facts) return Pieces::success();
    clips_.push_back(std::move(*facts));
    return Pieces::success({Piece{place.from, place.to, place.from - place.offset, &clips_.back()}});
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
        const Outcome<const json*> listed = childrenOf(root, top);
        if (!listed) return failed(listed);
        const json& children = *listed.value;
        const auto first =
            std::find_if(children.begin(), children.end(), [](const json& c) { return schemaOf(c) == "Timeline"; });
        if (first == children.end()) return OtioRead::failure("no timeline in the collection");
        timeline = &*first;
        timelineAt = at(collection, static_cast<std::size_t>(first - children.begin()));
        if (std::count_if(first, children.end(), [](const json& c) { return schemaOf(c) == "Timeline"; }) > 1)
            notes_.add("the collection holds several timelines; the first, \"" + textOf(*timeline, "name") +
                       "\", is read");
    }
    const Where& here = timelineAt ? *timelineAt : top;
    const bool isTimeline = schemaOf(*timeline) == "Timeline";
    if (!isTimeline && schemaOf(*timeline) != "Stack" && !isTrack(*timeline)) {
        const std::string holds = schemaOf(*timeline).empty() ? "" : " (it holds a " + textOf(*timeline, "OTIO_SCHEMA") + ")";
        return OtioRead::failure("no timeline in the file" + holds);
    }
    const Where tracksAt = isTimeline ? at(here, "tracks") : here;
    const json* tracks = isTimeline ? member(*timeline, {"tracks"}) : timeline;
    if (!tracks || tracks->is_null()) return OtioRead::success();

    const Outcome<std::optional<Time>> start = isTimeline ? optionalTime(*timeline, "global_start_time", here)
                                                          : Outcome<std::optional<Time>>::success();
    if (!start) return failed(start);
    masterRate_ = start.value ? start.value->rate : firstClipRate(*tracks).value_or(24.0);
    const std::optional<std::string> timebase = timebaseForRate(masterRate_, opt_.edlType);
    if (!timebase)
        return failAt(tracksAt, "the timeline's rate, " + std::to_string(masterRate_) + " fps, is no timecode rate");
    masterTimebase_ = *timebase;

    const double origin = start.value ? start.value->in(masterRate_) : 0;
    const Outcome<std::optional<Range>> own = optionalRange(*tracks, "source_range", tracksAt, masterRate_);
    if (!own) return failed(own);
    const Place place = own.value ? Place{origin - own.value->start, origin, origin + own.value->duration, false}
                                  : Place{origin, -kUnbounded, kUnbounded, false};
    const Pieces shown = pieces(*tracks, place, tracksAt);
    if (!shown) return failed(shown);
    OtioTimeline result;
    result.events = events(shown.value);
    result.changeList = std::any_of(clips_.begin(), clips_.end(), [](const ClipFacts& c) { return c.changeEvent; });
    result.notes = notes_.take();
    return OtioRead::success(std::move(result));
}

}  // namespace

OtioRead readOtioText(std::string bytes, const OtioReadOptions& options) {
    const Outcome<json> doc = parseDocument(std::move(bytes));
    if (!doc) return OtioRead::failure(doc.error);
    return TimelineReader(options).read(doc.value);
}

OtioRead readOtioFile(const std::string& path, const OtioReadOptions& options) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (const Outcome<> fits = ec ? Outcome<>::success() : checkSize(size); !fits) return OtioRead::failure(fits.error);
    Outcome<std::string> bytes = readFileBytes(path);
    if (!bytes) return OtioRead::failure("the file cannot be read");
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

bool isOtioChangeList(const std::string& path) { return isOtioFile(path) && readOtioFile(path, {}).value.changeList; }

}  // namespace rw
