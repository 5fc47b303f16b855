#include "comparison/ChangeListCopy.h"

#include "core/Text.h"

namespace rw {

std::string fcmTokenForEdlType(const std::string& t) {
    if (t == "PAL film" || t == "PAL film 1" || t == "PAL film 2" || t == "24fps EDL/XML" || t == "film cutlist")
        return "24";
    if (t == "PAL video") return "25";
    if (t == "NTSC") return "29.97 NON-DROP FRAME";
    if (t == "50fps EDL/XML") return "50";
    if (t == "60fps EDL/XML") return "60";
    return "";
}

std::string changeListCopyText(const EditArray& changes, const std::string& edlType) {
    std::string text = "FCM: " + fcmTokenForEdlType(edlType) + "\n";
    for (const auto& e : changes) {
        // Cut by character, so a name never ends in half a UTF-8 sequence.
        std::string clip = utf8Prefix(e->clip(), 6);
        clip.append(6 - utf8Length(clip), ' ');
        text += e->editNum() + "  " + clip + "  " + describe(e->sourceIn()) + " " + describe(e->sourceOut()) + " " +
                describe(e->masterIn()) + " " + describe(e->masterOut()) + "\n";
    }
    return text;
}

}  // namespace rw
