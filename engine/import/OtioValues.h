#pragma once
// The values of an OpenTimelineIO document as the timeline reader takes
// them: schema names, checked times, media references, effects and what an
// event takes from a clip. A value that cannot be used where the cut's
// placement depends on it fails with a message that names where it lies.

#include "core/Color.h"
#include "core/Outcome.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw::otio {

using json = nlohmann::json;

// A place in the document, for messages: "tracks.children[2].source_range".
struct Where {
    const Where* up = nullptr;
    const char* key = nullptr;  // a member; nullptr for a list index
    std::size_t index = 0;
    std::string text() const;
};
inline Where at(const Where& w, const char* key) { return {&w, key, 0}; }
inline Where at(const Where& w, std::size_t index) { return {&w, nullptr, index}; }

// A reason that becomes a failed outcome of whatever type the step returns,
// so each step hands the first failure up as it stands.
struct Failed {
    std::string why;
    template <class T>
    operator Outcome<T>() const {
        return Outcome<T>::failure(why);
    }
};
// The reason, followed by where it lies.
Failed failAt(const Where& w, const std::string& why);
template <class T>
Failed failed(const Outcome<T>& outcome) {
    return {outcome.error};
}

// What was skipped; a hostile file cannot make the list endless.
class Notes {
public:
    void add(std::string note);
    std::vector<std::string> take();

private:
    std::vector<std::string> notes_;
    std::size_t more_ = 0;
};

// The value at a path of keys; nullptr where one is missing.
const json* member(const json& o, std::initializer_list<const char*> keys);
// "Clip" of "Clip.2"; empty when the value names no schema.
std::string_view schemaOf(const json& o);
bool enabled(const json& o);
std::string textOf(const json& o, const char* key);
// The "children" list; none gives an empty one.
Outcome<const json*> childrenOf(const json& o, const Where& w);

// A RationalTime: `value` frames at `rate` frames a second.
struct Time {
    double value, rate;
    double in(double masterRate) const { return rate == masterRate ? value : value * masterRate / rate; }
};
Outcome<Time> timeAt(const json& o, const char* key, const Where& w);
Outcome<std::optional<Time>> optionalTime(const json& o, const char* key, const Where& w);

// A TimeRange in master frames; `rate` is its start's own rate.
struct Range {
    double start, duration, rate;
};
Outcome<std::optional<Range>> optionalRange(const json& o, const char* key, const Where& w, double masterRate);

struct Offsets {
    double in, out;  // master frames before and after the cut
};
Outcome<Offsets> transitionOffsets(const json& transition, const Where& w, double masterRate);

// The clip's active media reference (Clip.2) or its only one (Clip.1).
const json* mediaReference(const json& clip);
// A LinearTimeWarp (other than at speed 1) or FreezeFrame among the effects.
bool timeWarped(const json& item);

// What an event takes from a clip besides its times.
struct ClipFacts {
    std::string name, reel;
    double rate = 24;      // the rate of its source times
    std::string timebase;  // that rate as a timebase text
    bool motion = false;
    std::string number;  // from reelwright metadata, else empty
    std::optional<Color> colour;
    bool changeEvent = false;
};
// nullopt (with a note) when its rate is not a timecode rate.
std::optional<ClipFacts> clipFacts(const json& clip, double rate, bool motion, const std::string& edlType,
                                   const Where& w, Notes& notes);

// The timebase text of a rate: "23.976", "24", "29.97df", ...; nullopt for
// a rate no timecode counts in.
std::optional<std::string> timebaseForRate(double rate, const std::string& edlType);

}  // namespace rw::otio
