#pragma once
// The timebase an export of the change list is written in, chosen by the
// title of the menu item that sent it.

#include "core/Edit.h"

#include <string>

namespace rw {

struct ExportTimebase {
    std::string conversion;    // the timebase the events are converted to
    std::string fcmToken;      // the header's frame-code mode
    bool explicitTranslation;  // the sender named a rate (the EDL gets a note)
};

// A title of "24", "25", "30", "29.97df", "59.94df" or "60" is an explicit
// translation; any other keeps the rate of list C's first source in, with the
// token of the list type.
ExportTimebase exportTimebaseForSender(const std::string& senderTitle, const EditArray& listC,
                                       const std::string& edlType);

// list C in the export's timebase; a list whose rate has no label stays as it is.
EditArray exportedEvents(const EditArray& listC, const ExportTimebase& timebase);

// The rate label of list C's first source in ("" when it has none).
std::string listTimebase(const EditArray& events);

}  // namespace rw
