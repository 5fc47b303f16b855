#pragma once
// The element rules of a Final Cut Pro XML ("xmeml") document, fed by an
// event-driven parser: element starts, text and element ends. It keeps the
// stack of open elements, of open tracks and of open clip items, and turns
// every enabled clip item of an enabled video track into an event.
//
// Audio, browser bins and multiclips are skipped whole. Events come out
// grouped by track, in file order. Master times are placed when the
// sequence ends, so a sequence whose timecode is written after its media
// (as Premiere writes it) starts where its timecode says.

#include "core/Edit.h"
#include "import/FcpClipItem.h"

#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rw {

struct FcpReadOptions {
    std::string edlType;        // the list type the frame rate is checked against
    int tab = 0;                // the list being loaded: 0 OLD, 1 NEW, 2 changes
    bool useReelNames = false;  // compare by lab roll: a file's reel names the event
};

// Whether a sequence at `rate` ("25", "23.976", ...) may be read under the list type.
bool sequenceRateAccepted(const std::string& rate, const std::string& edlType, int tab);

class FcpSequenceReader {
public:
    explicit FcpSequenceReader(FcpReadOptions options) : opt_(std::move(options)) {}

    // `attributes`: name/value pairs, ending with a null pointer.
    void startElement(std::string_view name, const char* const* attributes);
    void characters(std::string_view text);
    // false when the document must not be read on (a refused frame rate).
    bool endElement(std::string_view name);

    // The events finished so far, their master times placed.
    EditArray takeEvents();
    const std::string& refusedRate() const { return refusedRate_; }

private:
    struct Pending {
        std::string number, clip;
        std::int64_t in, out, start, end;
        std::int32_t priority;
        bool placed = false;
        std::int64_t offset = 0;
        std::string timebase;
    };
    // Lists, so that a nested track hands its events outward in constant time.
    using PendingList = std::list<Pending>;
    struct Track {
        PendingList events;
        std::string enabled = "TRUE";  // a track without <enabled> is on
    };
    struct FileRecord {
        TcPtr tc;
        std::string reel;
    };

    bool skipping(std::string_view name) const;
    std::string_view parent() const;
    std::string_view grandparent() const;
    void endTimecode();
    bool endRate();
    void endTrack();
    void endFile();
    void finishClipItem();
    void placeFinished();

    FcpReadOptions opt_;
    std::vector<std::string> tags_;
    int skipAudio_ = 0, skipBin_ = 0, skipMulticlip_ = 0;
    std::string text_;

    int eventCount_ = 1;
    std::int64_t sequenceOffset_ = 0;
    std::string sequenceTimebase_;
    int sequenceRate_ = 0;  // the top sequence's own timebase and ntsc flag
    bool sequenceNtsc_ = false;

    TcPtr currentTC_;
    std::string currentTCString_, currentSource_, tempReel_, currentReel_, currentDisplayFormat_, currentFileID_;
    std::int64_t currentTCFrames_ = -1;
    bool ntsc_ = false;
    int currentTimebase_ = 0;
    std::string currentKLVTimebase_;
    std::int64_t transitionStart_ = 0, transitionEnd_ = 0;

    PendingList finished_;
    std::vector<Track> tracks_;
    std::unordered_map<std::string, FileRecord> files_;
    FcpClipItemStack clipItems_;
    std::string refusedRate_;
};

}  // namespace rw
