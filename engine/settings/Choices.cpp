#include "settings/Choices.h"

namespace rw::choices {

const std::vector<std::string>& listTypes() {
    static const std::vector<std::string> v = {"film cutlist", "24fps EDL/XML", "PAL film",      "PAL film 2",
                                               "PAL video",    "NTSC",          "NTSC df",       "50fps EDL/XML",
                                               "60fps EDL/XML"};
    return v;
}

const std::vector<std::string>& ferocities() {
    static const std::vector<std::string> v = {"aggressive", "forceful", "normal"};
    return v;
}

const std::vector<std::string>& conformTypes() {
    static const std::vector<std::string> v = {"Pro Tools", "file - tab separated", "file - comma separated",
                                               "file - TC6000 .EVL", "Ardour session"};
    return v;
}

const std::vector<std::string>& paces() {
    static const std::vector<std::string> v = {"fast", "normal", "careful", "very careful"};
    return v;
}

const std::vector<std::string>& conformTimebases() {
    static const std::vector<std::string> v = {"23.976", "24", "25",    "29.97",   "29.97df",
                                               "30",     "50", "59.94", "59.94df", "60"};
    return v;
}

const std::vector<std::string>& vfxFields() {
    static const std::vector<std::string> v = {"scene", "shot", "version"};
    return v;
}

const std::vector<std::string>& vfxSeparators() {
    static const std::vector<std::string> v = {"_", "-", ".", " "};
    return v;
}

const std::vector<std::string>& vfxOccurrences() {
    static const std::vector<std::string> v = {"1st", "2nd", "3rd", "last"};
    return v;
}

}  // namespace rw::choices
