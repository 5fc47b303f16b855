#pragma once
// The live settings. In the desktop app these are the preference panel's
// controls; every operation reads the current value when it runs. The store
// behind SettingsPort only persists them (load at start, save on change).

#include "ports/ModelObserver.h"
#include "ports/SettingsPort.h"

#include <map>
#include <string>
#include <vector>

namespace rw {

namespace pref {
// Keys of the stored settings.
inline constexpr const char* EDLType = "EDL type";
inline constexpr const char* CompareFerocity = "compareFerocity";
inline constexpr const char* ConformSpeed = "conformSpeed";
inline constexpr const char* ConformType = "conformType";
inline constexpr const char* ConformTimebase = "conformTimebase";
inline constexpr const char* ConformEvents = "conformEvents";
inline constexpr const char* CompareLabClip = "compareLabClip";
inline constexpr const char* CompareReelsCont = "compareReelsCont";
inline constexpr const char* ConformCopy = "conformCopy";
inline constexpr const char* AllowPixAutoLoad = "allowPixAutoLoad";
// The folders the open, find, conform, export and movie panels start in.
inline constexpr const char* OldNewPath = "OldNewPath";
inline constexpr const char* ChangePath = "ChangePath";
inline constexpr const char* FindPath = "FindPath";
inline constexpr const char* ConfPath = "confPath";
inline constexpr const char* ExportPath = "exportPath";
inline constexpr const char* MoviePath = "moviePath";
inline constexpr const char* RememberedFolders[] = {OldNewPath, ChangePath, FindPath, ConfPath, ExportPath, MoviePath};
}  // namespace pref
// The rate a list type implies for lists that carry none; "" when none.
std::string rateForListType(const std::string& listType);

class Preferences {
public:
    Preferences();  // every registered default, and the controls' own first values

    static const std::map<std::string, std::string>& registeredDefaults();

    // The control's current text; "" for a key with neither value nor default.
    std::string get(const std::string& key) const;
    void set(const std::string& key, const std::string& value);
    bool has(const std::string& key) const { return values_.count(key) != 0; }

    // Brings stored values into the controls, replacing values of earlier
    // versions ("24fps EDL" shows as "24fps EDL/XML" and so on), and the
    // remembered folders.
    void loadStored(const SettingsPort& store);

    // Told of every value that changes.
    void setObserver(ModelObserver* observer) { observer_ = observer; }

    std::string edlType() const { return get(pref::EDLType); }
    std::string compareFerocity() const { return get(pref::CompareFerocity); }
    bool compareByClipName() const { return get(pref::CompareLabClip) != "Labroll"; }
    bool reelsMode() const { return get(pref::CompareReelsCont) == "reels"; }
    bool isPalFilm() const { return edlType() == "PAL film"; }
    // The timebase of the current list type.
    std::string currentRate() const { return rateForListType(edlType()); }

private:
    std::map<std::string, std::string> values_;
    ModelObserver* observer_ = nullptr;
};

}  // namespace rw
