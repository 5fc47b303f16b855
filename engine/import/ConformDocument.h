#pragma once
// Change-list documents (".conform") read back into events: the scrambled
// keyed archive that the change-list document export writes. Unreadable,
// unscrambled or foreign files and documents of another version add nothing.

#include "core/Edit.h"

#include <functional>
#include <string>
#include <string_view>

namespace rw {

class MoviePort;

struct ConformDocumentOptions {
    std::string edlType;      // the list type ("EDL type")
    std::string currentRate;  // the rate that list type implies
    bool autoLoadMovies = true;            // "allowPixAutoLoad"
    MoviePort* movies = nullptr;           // where the stored movie locations go
    std::function<void(edit&)> setVFXValues;  // called for every event made
};

// The timebase of the document's events, from its "FCM" text.
std::string conformDocumentRate(const std::string& fcm, const ConformDocumentOptions& options);

// Appends the document's events to `events`; the duplicate-number test looks
// at the last event already there. False when the file was skipped.
bool readConformDocumentBytes(std::string_view bytes, const ConformDocumentOptions& options, EditArray& events);
bool readConformDocument(const std::string& path, const ConformDocumentOptions& options, EditArray& events);

}  // namespace rw
