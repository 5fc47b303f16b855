#include "import/OtioValues.h"

#include "core/Text.h"

#include <cmath>
#include <sstream>

namespace rw::otio {

namespace {

// Times beyond this many frames fit no timecode (32-bit frame counts).
constexpr double kMaxFrames = 2147483647.0;
constexpr std::size_t kMaxNotes = 20;

std::string shortNumber(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

Outcome<double> numberAt(const json& o, const char* key, const Where& w) {
    const Where here = at(w, key);
    auto it = o.find(key);
    if (it == o.end() || it->is_null()) return failAt(here, "no " + std::string(key));
    if (!it->is_number()) return failAt(here, "not a number: " + it->dump().substr(0, 40));
    const double v = it->get<double>();
    if (!std::isfinite(v)) return failAt(here, "not a finite number");
    return Outcome<double>::success(v);
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        int hi = 0, lo = 0;
        if (s[i] == '%' && i + 2 < s.size() && (hi = hexDigitValue(s[i + 1])) >= 0 &&
            (lo = hexDigitValue(s[i + 2])) >= 0) {
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// "file:///shots/A001%20C003.mov?x" gives "A001 C003".
std::string fileStem(std::string_view url) {
    url = url.substr(0, url.find_first_of("?#"));
    while (!url.empty() && (url.back() == '/' || url.back() == '\\')) url.remove_suffix(1);
    const std::size_t slash = url.find_last_of("/\\");
    std::string name = percentDecoded(slash == std::string_view::npos ? url : url.substr(slash + 1));
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string reelOf(const json& clip, const Where& w, Notes& notes) {
    const json* cmx = member(clip, {"metadata", "cmx_3600", "reel"});
    if (cmx && cmx->is_string() && !cmx->get_ref<const std::string&>().empty()) return cmx->get<std::string>();
    const json* ref = mediaReference(clip);
    if (!ref) return {};
    const std::string_view schema = schemaOf(*ref);
    if (schema == "ExternalReference") return fileStem(textOf(*ref, "target_url"));
    if (schema == "ImageSequenceReference") {
        std::string prefix = textOf(*ref, "name_prefix");
        while (!prefix.empty() && std::string_view("._- ").find(prefix.back()) != std::string_view::npos)
            prefix.pop_back();
        return prefix.empty() ? fileStem(textOf(*ref, "target_url_base")) : prefix;
    }
    if (!schema.empty() && schema != "MissingReference" && schema != "GeneratorReference")
        notes.add("unknown media reference " + textOf(*ref, "OTIO_SCHEMA") + " skipped (at " + w.text() + ")");
    return {};
}

std::optional<Color> colourOf(const json& c) {
    const std::optional<Color::Space> space = c.is_object() ? colorSpaceNamed(textOf(c, "space")) : std::nullopt;
    const json* rgba = space ? member(c, {"rgba"}) : nullptr;
    if (!rgba || !rgba->is_array() || rgba->size() != 4) return std::nullopt;
    float v[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (!(*rgba)[i].is_number()) return std::nullopt;
        v[i] = static_cast<float>((*rgba)[i].get<double>());
    }
    return Color{*space, v[0], v[1], v[2], v[3]};
}

}  // namespace

const json* member(const json& o, std::initializer_list<const char*> keys) {
    const json* at = &o;
    for (const char* key : keys) {
        if (!at->is_object()) return nullptr;
        auto it = at->find(key);
        if (it == at->end()) return nullptr;
        at = &*it;
    }
    return at;
}

std::string Where::text() const {
    std::string head = up ? up->text() : std::string();
    if (!key) return head + "[" + std::to_string(index) + "]";
    if (!*key) return head;
    return head.empty() ? std::string(key) : head + "." + key;
}

Failed failAt(const Where& w, const std::string& why) {
    const std::string where = w.text();
    return {why + " (at " + (where.empty() ? "the top" : where) + ")"};
}

void Notes::add(std::string note) {
    if (notes_.size() < kMaxNotes) notes_.push_back(std::move(note));
    else ++more_;
}

std::vector<std::string> Notes::take() {
    if (more_ > 0) notes_.push_back("and " + std::to_string(more_) + " more");
    more_ = 0;
    return std::move(notes_);
}

std::string_view schemaOf(const json& o) {
    const json* s = member(o, {"OTIO_SCHEMA"});
    if (!s || !s->is_string()) return {};
    const std::string_view name = s->get_ref<const std::string&>();
    return name.substr(0, name.find('.'));
}

bool enabled(const json& o) {
    const json* e = member(o, {"enabled"});
    return !(e && e->is_boolean() && !e->get<bool>());
}

std::string textOf(const json& o, const char* key) {
    const json* v = member(o, {key});
    return v && v->is_string() ? v->get<std::string>() : std::string();
}

Outcome<const json*> childrenOf(const json& o, const Where& w) {
    static const json none = json::array();
    const json* c = member(o, {"children"});
    if (!c || c->is_null()) return Outcome<const json*>::success(&none);
    if (!c->is_array()) return failAt(at(w, "children"), "children that are not a list");
    return Outcome<const json*>::success(c);
}

Outcome<Time> timeAt(const json& o, const char* key, const Where& w) {
    const Where here = at(w, key);
    const json* t = member(o, {key});
    if (!t || !t->is_object()) return failAt(here, "no time");
    const Outcome<double> value = numberAt(*t, "value", here);
    if (!value) return failed(value);
    const Outcome<double> rate = numberAt(*t, "rate", here);
    if (!rate) return failed(rate);
    const Time time{value.value, rate.value};
    if (!(time.rate > 0) || time.rate > 1e6)
        return failAt(at(here, "rate"), "rate " + shortNumber(time.rate) + " is not a frame rate");
    if (std::abs(time.value) > kMaxFrames)
        return failAt(at(here, "value"), "a time of " + shortNumber(time.value) + " frames, too long");
    return Outcome<Time>::success(time);
}

Outcome<std::optional<Time>> optionalTime(const json& o, const char* key, const Where& w) {
    const json* t = member(o, {key});
    if (!t || t->is_null()) return Outcome<std::optional<Time>>::success();
    const Outcome<Time> time = timeAt(o, key, w);
    if (!time) return failed(time);
    return Outcome<std::optional<Time>>::success(time.value);
}

Outcome<std::optional<Range>> optionalRange(const json& o, const char* key, const Where& w, double masterRate) {
    const json* r = member(o, {key});
    if (!r || r->is_null()) return Outcome<std::optional<Range>>::success();
    const Where here = at(w, key);
    const Outcome<Time> start = timeAt(*r, "start_time", here);
    if (!start) return failed(start);
    const Outcome<Time> duration = timeAt(*r, "duration", here);
    if (!duration) return failed(duration);
    if (duration.value.value < 0) return failAt(at(here, "duration"), "a negative duration");
    return Outcome<std::optional<Range>>::success(
        Range{start.value.in(masterRate), duration.value.in(masterRate), start.value.rate});
}

Outcome<Offsets> transitionOffsets(const json& transition, const Where& w, double masterRate) {
    const Outcome<Time> in = timeAt(transition, "in_offset", w);
    if (!in) return failed(in);
    const Outcome<Time> out = timeAt(transition, "out_offset", w);
    if (!out) return failed(out);
    if (in.value.value < 0 || out.value.value < 0) return failAt(w, "a transition with a negative offset");
    return Outcome<Offsets>::success({in.value.in(masterRate), out.value.in(masterRate)});
}

const json* mediaReference(const json& clip) {
    if (const json* refs = member(clip, {"media_references"}); refs && refs->is_object()) {
        std::string key = textOf(clip, "active_media_reference_key");
        const json* ref = member(*refs, {key.empty() ? "DEFAULT_MEDIA" : key.c_str()});
        return ref && ref->is_object() ? ref : nullptr;
    }
    const json* ref = member(clip, {"media_reference"});
    return ref && ref->is_object() ? ref : nullptr;
}

bool timeWarped(const json& item) {
    const json* effects = member(item, {"effects"});
    if (!effects || !effects->is_array()) return false;
    for (const json& e : *effects) {
        const std::string_view schema = schemaOf(e);
        if (!enabled(e)) continue;
        if (schema == "FreezeFrame") return true;
        const json* scalar = member(e, {"time_scalar"});
        if (schema == "LinearTimeWarp" && !(scalar && scalar->is_number() && scalar->get<double>() == 1.0)) return true;
    }
    return false;
}

std::optional<std::string> timebaseForRate(double rate, const std::string& edlType) {
    auto near = [rate](double r) { return std::abs(rate - r) < 0.01; };
    if (near(24000.0 / 1001)) return "23.976";
    if (near(30000.0 / 1001)) return edlType == "NTSC" ? "29.97" : "29.97df";
    if (near(60000.0 / 1001)) return edlType == "60fps EDL/XML" ? "59.94" : "59.94df";
    const double whole = std::round(rate);
    if (std::abs(rate - whole) > 1e-6 || whole < 1 || whole > 1000) return std::nullopt;
    return std::to_string(static_cast<int>(whole));
}

std::optional<ClipFacts> clipFacts(const json& clip, double rate, bool motion, const std::string& edlType,
                                   const Where& w, Notes& notes) {
    ClipFacts f;
    f.name = textOf(clip, "name");
    const std::optional<std::string> timebase = timebaseForRate(rate, edlType);
    if (!timebase) {
        notes.add("clip \"" + f.name + "\" skipped: " + shortNumber(rate) + " fps is no timecode rate (at " + w.text() +
                  ")");
        return std::nullopt;
    }
    f.rate = rate;
    f.timebase = *timebase;
    f.motion = motion;
    f.reel = reelOf(clip, w, notes);
    if (const json* r = member(clip, {"metadata", "reelwright"}); r && r->is_object()) {
        f.number = textOf(*r, "event");
        f.changeEvent = !f.number.empty();
        if (const json* c = member(*r, {"colour"})) f.colour = colourOf(*c);
    }
    return f;
}

}  // namespace rw::otio
