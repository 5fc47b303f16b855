#pragma once
// The verification report: one self-contained HTML file (pictures embedded,
// nothing fetched from a network) that the sound editor can mail to the
// picture department. It names the lists and movies checked, gives the
// summary, and for every event that does not match its number, clip, OLD
// and NEW ranges, verdict, note and the OLD, NEW and difference pictures at
// its worst frame.

#include "core/Edit.h"
#include "verify/Verdict.h"
#include "verify/VerifyEvents.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

struct ReportShots {
    std::string oldJpeg, newJpeg, differenceJpeg;  // JPEG bytes; empty: no picture
};

struct ReportEvent {
    EditPtr event;
    EventCheck check;
    ReportShots shots;
};

struct ReportHeader {
    std::string lists;               // what list C came from
    std::string oldMovie, newMovie;  // file names
    std::string oldStart, newStart;  // the starts used; empty: none set
    VerifyTuning tuning;
};
// The movies, starts and tuning of a check.
ReportHeader reportHeader(std::string lists, const VerifySetup& setup);

struct VerifyReport {
    ReportHeader header;
    VerifySummary summary;
    std::vector<ReportEvent> flagged;  // the events that do not match, in list order
};

using ShotMaker = std::function<ReportShots(const edit&, const EventCheck&)>;

// The summary and the flagged events of a check; `shots` is asked for each
// flagged event's pictures. Events past the checks (a cancelled check) are left out.
VerifyReport reportOf(ReportHeader header, const EditArray& events, const std::vector<EventCheck>& checks,
                      const ShotMaker& shots);

std::string reportHtml(const VerifyReport& report);

std::string base64(std::string_view bytes);

}  // namespace rw
