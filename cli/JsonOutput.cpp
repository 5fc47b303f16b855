#include "JsonOutput.h"

#include "app/ConformController.h"
#include "core/Text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace rw::cli {

namespace {

using Json = nlohmann::ordered_json;

Json timeJson(const TcPtr& tc) { return tc ? Json(tc->tcAsString()) : Json(nullptr); }

// A colour as a name: "black" (not yet classified), "text" (an ordinary
// event), "red" (missed, or matched as a VFX shot), "dark blue" (after a
// gap); any other as "#rrggbb".
std::string colourName(const Color& c) {
    if (c == Color::black()) return "black";
    if (c == standardColorText()) return "text";
    if (c == standardColorMissed()) return "red";
    if (c == standardColorGap()) return "dark blue";
    const bool white = c.space == Color::Space::CalibratedWhite;
    auto byte = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", byte(c.r), byte(white ? c.r : c.g), byte(white ? c.r : c.b));
    return hex;
}

// Names the system gives events itself: never a reel.
bool isMadeName(const std::string& clip) { return clip.empty() || clip == "healed" || clip == "user_event"; }

// Matched by lab roll, an event's name is its reel; matched by clip name, the
// reel is not kept.
Json eventJson(const edit& e, bool nameIsReel) {
    Json j;
    j["number"] = e.editNum();
    j["clip"] = e.clip();
    j["reel"] = nameIsReel && !isMadeName(e.clip()) ? Json(e.clip()) : Json(nullptr);
    j["sourceIn"] = timeJson(e.sourceIn());
    j["sourceOut"] = timeJson(e.sourceOut());
    j["masterIn"] = timeJson(e.masterIn());
    j["masterOut"] = timeJson(e.masterOut());
    j["motionEffect"] = e.isMotionEffected();
    j["colour"] = colourName(e.color());
    return j;
}

Json eventsJson(const EditArray& events, bool nameIsReel) {
    Json list = Json::array();
    for (const auto& e : events) list.push_back(eventJson(*e, nameIsReel));
    return list;
}

// A list's file-name label holds the base names of its files, one per line.
Json namesJson(const std::string& label) {
    Json names = Json::array();
    for (const auto& n : splitLines(label))
        if (!n.empty()) names.push_back(n);
    return names;
}

// Names come from lists of any encoding; a byte that is no UTF-8 becomes U+FFFD
// rather than failing the whole document.
std::string text(const Json& doc) { return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"; }

}  // namespace

std::string listJson(conformController& c) {
    Json doc;
    doc["events"] = eventsJson(c.listForTab(c.selectedTab()).getEditArray(), !c.prefs().compareByClipName());
    return text(doc);
}

std::string changeListJson(conformController& c) {
    Json doc;
    doc["old"] = namesJson(c.dataSourceA().filename());
    doc["new"] = namesJson(c.dataSourceB().filename());
    doc["rate"] = c.changeTimebase();
    doc["events"] = eventsJson(c.dataSourceC().getEditArray(), !c.prefs().compareByClipName());
    return text(doc);
}

std::string searchJson(const std::vector<SearchResult>& finds) {
    Json results = Json::array();
    for (const auto& r : finds)
        results.push_back({{"shots", r.shotCount.value_or(0)},
                           {"duration", r.duration ? Json(*r.duration) : Json(nullptr)},
                           {"file", r.file},
                           {"path", r.thePath}});
    Json doc;
    doc["results"] = std::move(results);
    return text(doc);
}

}  // namespace rw::cli
