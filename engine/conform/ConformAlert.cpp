#include "conform/ConformAlert.h"

#include <vector>

namespace rw {

namespace {

constexpr const char* kRounding =
    "although reelwright will convert the numbers for you, be aware that rounding errors of up to 1/2 frame may "
    "occur.\n";

struct NoteRow {
    std::vector<std::string> listRates;
    std::vector<std::string> agreeing;  // conform timebases that need no note
    const char* shownRate;
    const char* followUp;
};

const std::vector<NoteRow>& noteRows() {
    static const std::vector<NoteRow> rows = {
        {{"24"}, {"24", "23.976"}, "24fps", kRounding},
        {{"25"}, {"25"}, "25fps", kRounding},
        {{"29.97", "30"}, {"30", "29.97"}, "30fps", kRounding},
        {{"29.97df"}, {"29.97df"}, "29.97df fps", "please switch the Pro Tools framerate to 29.97df\n"},
        {{"50"}, {"50"}, "50fps", kRounding},
        {{"60"}, {"60", "59.94"}, "60fps", kRounding},
    };
    return rows;
}

bool listed(const std::vector<std::string>& texts, const std::string& t) {
    for (const auto& s : texts)
        if (t == s) return true;
    return false;
}

}  // namespace

ConformAlert conformAlertOpening(const std::string& type, const std::string& timebase, const std::string& speed) {
    const std::string fileText =
        "please check the details below and ensure that your file is using the same timebase\n\ntimebase - " +
        timebase + "\n\n";
    if (type == conformtype::ProTools)
        return {"conform Pro Tools session?",
                "please check the details below and ensure that your session is using the same timebase\n\n" + type +
                    "\ntimebase - " + timebase + "\nspeed - " + speed + "\n"};
    if (type == conformtype::Tab) return {"conform tab separated file?", fileText};
    if (type == conformtype::Comma) return {"conform comma separated file?", fileText};
    if (type == conformtype::Tc6000) return {"conform TC6000 snapshot automation file?", fileText};
    return {"feature yet to be implemented", "this kind of conform is under development\nplease try back later"};
}

std::string timebaseNote(const std::string& listTimebase, const std::string& timebase) {
    for (const auto& row : noteRows()) {
        if (!listed(row.listRates, listTimebase)) continue;
        if (listed(row.agreeing, timebase)) return {};
        return std::string("\nNOTE: your change list is in ") + row.shownRate + " and you are set to conform in " +
               timebase + "fps\n" + row.followUp;
    }
    return {};
}

}  // namespace rw
