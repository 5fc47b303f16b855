#include "conform/ChangeEdl.h"

#include "core/Text.h"

namespace rw {

std::string changeEdlText(const EditArray& events, const ChangeEdlHeader& h) {
    std::string text = "FCM: " + h.fcmToken + "\n";
    text += "MovieOld:" + h.movieOld + "\n";
    text += "MovieNew:" + h.movieNew + "\n";
    for (const auto& e : events) {
        // Padded to six characters; a longer name is written whole.
        std::string clip = e->clip();
        const std::size_t length = utf8Length(clip);
        if (length < 6) clip.append(6 - length, ' ');
        text += e->editNum() + "  " + clip + "  " + describe(e->sourceIn()) + " " + describe(e->sourceOut()) + " " +
                describe(e->masterIn()) + " " + describe(e->masterOut()) + "\n";
    }
    if (!h.translatedFrom.empty())
        text += "\nNOTE: this EDL was translated from " + h.translatedFrom +
                " fps so timecode values toward the end of a second are approximations.";
    return text;
}

}  // namespace rw
