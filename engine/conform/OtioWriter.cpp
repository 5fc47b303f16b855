#include "conform/OtioWriter.h"

#include "conform/RelativeNote.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace rw {

namespace {

// Keys keep the order OpenTimelineIO writes them in.
using ojson = nlohmann::ordered_json;

double exactRate(const TcPtr& tc, const std::string& edlType) {
    const double rate = tc ? tc->framerate() : 24;
    const bool drop = tc && tc->isDrop();
    if (rate == 30 && (drop || edlType == "NTSC" || edlType == "NTSC df")) return 30000.0 / 1001;
    if (rate == 60 && drop) return 60000.0 / 1001;
    return rate;
}

ojson rationalTime(std::int64_t frames, double rate) {
    return {{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", rate}, {"value", static_cast<double>(frames)}};
}

ojson timeRange(std::int64_t start, std::int64_t duration, double rate) {
    return {{"OTIO_SCHEMA", "TimeRange.1"},
            {"duration", rationalTime(duration, rate)},
            {"start_time", rationalTime(start, rate)}};
}

ojson item(const char* schema, ojson metadata, const std::string& name, ojson sourceRange) {
    return {{"OTIO_SCHEMA", schema},
            {"metadata", std::move(metadata)},
            {"name", name},
            {"source_range", std::move(sourceRange)},
            {"effects", ojson::array()},
            {"markers", ojson::array()},
            {"enabled", true}};
}

const char* stateOf(const Color& c) {
    if (c == Color::red()) return "vfx";
    if (c == standardColorGap()) return "gap";
    return "normal";
}

ojson clip(const edit& e, const OtioChangeListNames& names, const std::string& edlType) {
    const Color& c = e.color();
    ojson metadata = {{"reelwright",
                       {{"event", e.editNum()},
                        {"colour", {{"space", colorSpaceName(c.space)}, {"rgba", {c.r, c.g, c.b, c.a}}}},
                        {"state", stateOf(c)},
                        {"old_list", names.oldList},
                        {"new_list", names.newList}}}};
    const std::int64_t in = framesOf(e.sourceIn());
    ojson clip = item("Clip.2", std::move(metadata), e.clip(),
                      timeRange(in, framesOf(e.sourceOut()) - in, exactRate(e.sourceIn(), edlType)));
    clip["media_references"] = {{"DEFAULT_MEDIA",
                                 {{"OTIO_SCHEMA", "MissingReference.1"},
                                  {"metadata", ojson::object()},
                                  {"name", ""},
                                  {"available_range", nullptr},
                                  {"available_image_bounds", nullptr}}}};
    clip["active_media_reference_key"] = "DEFAULT_MEDIA";
    return clip;
}

double seconds(const TcPtr& from, const TcPtr& to) {
    const double rate = from ? from->framerate() : 24;
    return (framesOf(to) - framesOf(from)) / rate;
}

}  // namespace

std::string otioChangeListProblem(const EditArray& listC) {
    const EditArray sorted = sortedByMaster(listC);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const edit& e = *sorted[i];
        const double frame = 1 / (e.masterIn() ? e.masterIn()->framerate() : 24);
        if (framesOf(e.masterOut()) < framesOf(e.masterIn()))
            return "event " + e.editNum() + " ends before it starts in the new cut.";
        if (std::abs(seconds(e.sourceIn(), e.sourceOut()) - seconds(e.masterIn(), e.masterOut())) >= frame / 2)
            return "event " + e.editNum() +
                   " is not as long in the old cut as in the new one; an OpenTimelineIO clip has one length.";
        if (i > 0 && framesOf(e.masterIn()) < framesOf(sorted[i - 1]->masterOut()))
            return "events " + sorted[i - 1]->editNum() + " and " + e.editNum() +
                   " overlap in the new cut; an OpenTimelineIO track shows one clip at a time.";
    }
    return {};
}

std::string otioChangeListText(const EditArray& listC, const OtioChangeListNames& names, const std::string& edlType) {
    const EditArray sorted = sortedByMaster(listC);
    const TcPtr first = sorted.empty() ? nullptr : sorted.front()->masterIn();
    const double rate = exactRate(first, edlType);
    ojson children = ojson::array();
    std::int64_t at = framesOf(first);
    for (const auto& e : sorted) {
        if (const std::int64_t in = framesOf(e->masterIn()); in > at)
            children.push_back(item("Gap.1", ojson::object(), "", timeRange(0, in - at, rate)));
        children.push_back(clip(*e, names, edlType));
        at = framesOf(e->masterOut());
    }
    ojson track = item("Track.1", ojson::object(), "changes", nullptr);
    track["children"] = std::move(children);
    track["kind"] = "Video";
    ojson stack = item("Stack.1", ojson::object(), "tracks", nullptr);
    stack["children"] = ojson::array({std::move(track)});
    const ojson timeline = {{"OTIO_SCHEMA", "Timeline.1"},
                            {"metadata", ojson::object()},
                            {"name", names.changeList},
                            {"global_start_time", first ? rationalTime(framesOf(first), rate) : ojson()},
                            {"tracks", std::move(stack)}};
    return timeline.dump(4, ' ', false, ojson::error_handler_t::replace) + "\n";
}

}  // namespace rw
