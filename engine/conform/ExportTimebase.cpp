#include "conform/ExportTimebase.h"

#include "comparison/ChangeListCopy.h"
#include "comparison/Timebase.h"

#include <array>
#include <utility>

namespace rw {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 6> kExplicit = {{
    {"24", "24"},
    {"25", "25"},
    {"30", "29.97 NON-DROP FRAME"},
    {"29.97df", "29.97 DROP FRAME"},
    {"59.94df", "59.94 DROP FRAME"},
    {"60", "60"},
}};

// The rate an EDL reader takes from a token; empty when the token names none.
std::string rateOfToken(const std::string& token) {
    if (token == "DROP FRAME") return "29.97df";
    if (token == "29.97 NON-DROP FRAME") return "30";
    for (const char* rate : {"24", "25", "50", "60"})
        if (token == rate) return rate;
    return {};
}

// A token every reader of the lists takes for the rate.
std::string tokenForRate(const std::string& rate) {
    if (rate == "29.97df") return "DROP FRAME";
    if (rate == "30") return "29.97 NON-DROP FRAME";
    return rate;
}

}  // namespace

std::string listTimebase(const EditArray& events) {
    if (events.empty() || !events.front()->sourceIn()) return {};
    return events.front()->sourceIn()->framerateString();
}

ExportTimebase exportTimebaseForSender(const std::string& senderTitle, const EditArray& listC,
                                       const std::string& edlType) {
    for (const auto& [title, token] : kExplicit)
        if (senderTitle == title) return {title, token, true};
    // The list type's token, unless it names another rate than the list's own:
    // a list loaded at its own rate would otherwise be read back at the wrong one.
    const std::string own = listTimebase(listC);
    std::string token = fcmTokenForEdlType(edlType);
    if (!own.empty() && rateOfToken(token) != own) token = tokenForRate(own);
    return {own, token, false};
}

EditArray exportedEvents(const EditArray& listC, const ExportTimebase& timebase) {
    if (!timebase.conversion.empty()) return convertTimebaseForArray(listC, timebase.conversion);
    EditArray copies;
    for (const auto& e : listC) copies.push_back(e->deepCopy());
    return copies;
}

}  // namespace rw
