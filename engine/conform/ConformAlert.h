#pragma once
// The confirmation alert of the conform command: its title and text by
// conform type, with the timebase note.

#include <string>

namespace rw {

namespace conformtype {
inline constexpr const char* ProTools = "Pro Tools";
inline constexpr const char* Tab = "file - tab separated";
inline constexpr const char* Comma = "file - comma separated";
inline constexpr const char* Tc6000 = "file - TC6000 .EVL";
inline constexpr const char* Ardour = "Ardour session";
}  // namespace conformtype

struct ConformAlert {
    std::string title;
    std::string text;
};

// Title and opening text; `speed` is shown for Pro Tools only.
ConformAlert conformAlertOpening(const std::string& type, const std::string& timebase, const std::string& speed);

// The note (and its follow-up) for a list at `listTimebase` conformed at
// `timebase`; empty when the two agree or the list's rate has no row.
std::string timebaseNote(const std::string& listTimebase, const std::string& timebase);

}  // namespace rw
