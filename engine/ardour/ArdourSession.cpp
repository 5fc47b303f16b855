#include "ardour/ArdourSession.h"

#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <memory>

namespace rw {

namespace {

// Ardour's default clock resolution, when the tempo map does not name one.
constexpr std::int64_t kDefaultSuperclockRate = 282240000;

// A timeline value as written: "a<superclock>" (audio time) or "b<ticks>"
// (music time).
struct Stamp {
    std::int64_t value = 0;
    bool music = false;
    bool ok = false;
};

Stamp parseStamp(std::string_view text) {
    Stamp s;
    if (text.size() < 2 || (text[0] != 'a' && text[0] != 'b')) return s;
    s.music = text[0] == 'b';
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size();
    auto [p, ec] = std::from_chars(first, last, s.value);
    s.ok = ec == std::errc() && p == last;
    return s;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size()) return std::nullopt;
    return v;
}

struct RawRegion {
    ArdourRegion region;
    Stamp position, length, start;
};

struct RawPlaylist {
    std::string id, name;
    std::vector<RawRegion> regions;
};

struct Reader {
    XML_Parser parser = nullptr;
    std::vector<std::string> path;  // open elements, outermost first
    ArdourSession session;
    std::vector<RawPlaylist> playlists;
    std::optional<std::pair<Stamp, Stamp>> range;
    std::int64_t superclockRate = kDefaultSuperclockRate;
    bool sawSession = false;
    std::string error;

    bool under(std::initializer_list<const char*> parents) const {
        if (path.size() < parents.size()) return false;
        auto it = path.end() - static_cast<std::ptrdiff_t>(parents.size());
        for (const char* p : parents)
            if (*it++ != p) return false;
        return true;
    }
    void fail(std::string why) {
        if (error.empty()) error = std::move(why);
        XML_StopParser(parser, XML_FALSE);
    }
    void start(const std::string& name, const XML_Char** attributes);
    void option(const std::string& name, const std::string& value);
};

const char* attr(const XML_Char** attributes, const char* key) {
    for (const XML_Char** a = attributes; *a; a += 2)
        if (std::strcmp(a[0], key) == 0) return a[1];
    return nullptr;
}

std::string attrText(const XML_Char** attributes, const char* key) {
    const char* v = attr(attributes, key);
    return v ? v : "";
}

void Reader::option(const std::string& name, const std::string& value) {
    if (name == "timecode-format") session.timecodeFormat = value;
    else if (name == "timecode-offset") session.timecodeOffset = parseInteger(value).value_or(0);
    else if (name == "timecode-offset-negative") session.timecodeOffsetNegative = value != "0";
    else if (name == "video-pullup") session.pulledUp = !value.empty() && value.find_first_not_of("0.-") != std::string::npos;
}

void Reader::start(const std::string& name, const XML_Char** a) {
    if (path.empty()) {
        if (name != "Session") return fail("its outermost element is <" + name + ">, not <Session>");
        sawSession = true;
        auto format = parseInteger(attrText(a, "version"));
        auto rate = parseInteger(attrText(a, "sample-rate"));
        if (!format || !rate || *rate <= 0) return fail("it names no format version or sample rate");
        session.format = static_cast<int>(std::clamp<std::int64_t>(*format, 0, 1 << 30));
        session.sampleRate = *rate;
        return;
    }
    if (name == "ProgramVersion" && under({"Session"})) {
        session.savedBy = attrText(a, "modified-with");
        if (session.savedBy.empty()) session.savedBy = attrText(a, "created-with");
    } else if (name == "Option" && under({"Session", "Config"})) {
        option(attrText(a, "name"), attrText(a, "value"));
    } else if (name == "Location" && under({"Session", "Locations"})) {
        if (std::strstr(attrText(a, "flags").c_str(), "IsSessionRange"))
            range = {parseStamp(attrText(a, "start")), parseStamp(attrText(a, "end"))};
    } else if (name == "Route" && under({"Session", "Routes"})) {
        const std::string audio = attrText(a, "audio-playlist");
        const std::string midi = attrText(a, "midi-playlist");
        if (!audio.empty() || !midi.empty())
            session.tracks.push_back({attrText(a, "id"), attrText(a, "name"), audio.empty(), audio.empty() ? midi : audio});
    } else if (name == "Playlist" && (under({"Session", "Playlists"}) || under({"Session", "UnusedPlaylists"}))) {
        playlists.push_back({attrText(a, "id"), attrText(a, "name"), {}});
    } else if (name == "Region" && (under({"Session", "Playlists", "Playlist"}) ||
                                    under({"Session", "UnusedPlaylists", "Playlist"}))) {
        // The length carries the position: "a<length>@a<position>".
        const std::string length = attrText(a, "length");
        const auto at = length.find('@');
        RawRegion r;
        r.region.id = attrText(a, "id");
        r.region.name = attrText(a, "name");
        r.region.layeringIndex = static_cast<int>(parseInteger(attrText(a, "layering-index")).value_or(0));
        r.length = parseStamp(std::string_view(length).substr(0, at));
        r.position = at == std::string::npos ? Stamp{} : parseStamp(std::string_view(length).substr(at + 1));
        r.start = parseStamp(attrText(a, "start"));
        if (!r.length.ok || !r.position.ok || !r.start.ok)
            return fail("region \"" + r.region.name + "\" has a position, length or start this conform cannot read");
        playlists.back().regions.push_back(std::move(r));
    } else if (name == "TempoMap" && under({"Session"})) {
        auto rate = parseInteger(attrText(a, "superclocks-per-second"));
        if (rate && *rate > 0) superclockRate = *rate;
    }
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* r = static_cast<Reader*>(data);
    r->start(name, attributes);
    r->path.emplace_back(name);
}

void XMLCALL onEnd(void* data, const XML_Char*) { static_cast<Reader*>(data)->path.pop_back(); }

struct ParserFree {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

std::int64_t toSamples(std::int64_t superclocks, std::int64_t rate, std::int64_t superclockRate) {
    return static_cast<std::int64_t>(static_cast<__int128>(superclocks) * rate / superclockRate);
}

bool parse(Reader& reader, std::string_view bytes) {
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) return false;
    reader.parser = parser.get();
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser.get(), 20.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser.get(), 1ull << 20);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetUserData(parser.get(), &reader);
    constexpr std::size_t kSlice = 1 << 24;  // XML_Parse takes an int length
    for (std::size_t at = 0;; at += kSlice) {
        const std::size_t n = std::min(kSlice, bytes.size() - std::min(at, bytes.size()));
        const bool last = at + n >= bytes.size();
        if (XML_Parse(parser.get(), bytes.data() + at, static_cast<int>(n), last) != XML_STATUS_OK) {
            if (reader.error.empty())
                reader.error = std::string("it is not well-formed XML (") + XML_ErrorString(XML_GetErrorCode(parser.get())) +
                               " at line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ")";
            return false;
        }
        if (last) return true;
    }
}

// Superclock times become samples now that the clock resolution is known.
void finish(Reader& reader) {
    ArdourSession& s = reader.session;
    const auto samples = [&](const Stamp& st) { return toSamples(st.value, s.sampleRate, reader.superclockRate); };
    for (auto& raw : reader.playlists) {
        ArdourPlaylist pl{raw.id, raw.name, {}};
        for (auto& r : raw.regions) {
            if (r.position.music || r.length.music || r.start.music) {
                s.musicTimeRegions.push_back(r.region.name);
                continue;
            }
            r.region.position = samples(r.position);
            r.region.length = samples(r.length);
            r.region.start = samples(r.start);
            pl.regions.push_back(std::move(r.region));
        }
        s.playlists.push_back(std::move(pl));
    }
    if (reader.range && reader.range->first.ok && reader.range->second.ok && !reader.range->first.music &&
        !reader.range->second.music)
        s.sessionRange = std::make_pair(samples(reader.range->first), samples(reader.range->second));
}

}  // namespace

const ArdourPlaylist* ArdourSession::playlist(const std::string& id) const {
    for (const auto& p : playlists)
        if (p.id == id) return &p;
    return nullptr;
}

Outcome<ArdourSession> readArdourSession(std::string_view bytes) {
    Reader reader;
    if (bytes.empty()) return Outcome<ArdourSession>::failure("it is empty");
    if (!parse(reader, bytes) || !reader.sawSession)
        return Outcome<ArdourSession>::failure(reader.error.empty() ? "it holds no <Session>" : reader.error);
    finish(reader);
    return Outcome<ArdourSession>::success(std::move(reader.session));
}

std::pair<int, int> ardourVersion(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) continue;
        int major = 0, minor = 0;
        auto [p, ec] = std::from_chars(text.data() + i, text.data() + text.size(), major);
        if (ec == std::errc() && p < text.data() + text.size() && *p == '.') {
            auto [q, ec2] = std::from_chars(p + 1, text.data() + text.size(), minor);
            if (ec2 == std::errc()) return {major, minor};
        }
        i = static_cast<std::size_t>(p - text.data());
    }
    return {0, 0};
}

}  // namespace rw
