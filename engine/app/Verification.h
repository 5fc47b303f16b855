#pragma once
// The change list checked against the movies, in the window. The check runs
// on a worker over copies of list C and of the movies as the review has them
// (rates, starts, the list type), so the lists may change meanwhile; its
// verdicts then belong to the live events, for as long as their times stay
// what was checked. Selecting one flagged event takes both movies to its
// worst frame; the report is written from the last check.

#include "app/ConformController.h"
#include "core/Outcome.h"
#include "verify/VerifyEvents.h"
#include "verify/VerifyReport.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace rw {

class Verification {
public:
    // The block view marks the events whose verdict is not a match.
    explicit Verification(conformController& c);
    ~Verification();
    Verification(const Verification&) = delete;
    Verification& operator=(const Verification&) = delete;

    struct Job {
        EditArray events;  // copies of list C's events, in list order
        EditArray live;    // the events they were copied from
        VerifySetup setup;
        std::array<std::string, 2> moviePaths;  // OLD, NEW; empty: none loaded
    };
    // "Verify Against Movies": nothing when list C is empty (a beep) or
    // neither movie is loaded (an alert).
    std::optional<Job> begin();
    // The check itself, on any thread: it reads only the job.
    static VerifyOutcome run(const Job& job, PicturePort& pictures, const VerifyProgress& keepGoing);
    // Back on the main thread: the verdicts reached are kept (all of them, or
    // those before a Cancel) in place of any earlier check's.
    void finish(const Job& job, const VerifyOutcome& outcome);

    // The live event's verdict; nothing when it was not checked or its times
    // changed since.
    const EventCheck* verdictFor(const EditPtr& event) const;
    bool checked() const { return !results_.empty(); }
    // The last check's summary line, "(cancelled)" after it when it was.
    const std::string& summary() const { return summary_; }
    // The rows of list C whose verdict is not a match, as the block view marks them.
    std::vector<std::size_t> flaggedRows() const;

    // After a selection in the change list has located the movies: one
    // flagged event selected moves both to its worst frame.
    void locateFlagged();

    // "Save Verification Report", in three steps like the check: the save
    // panel (nothing on Cancel, a beep when nothing was checked, an alert
    // for a movie's own file), then the report written on any thread with
    // the pictures `shots` makes for each flagged event, then the alert
    // when it could not be written.
    struct ReportJob {
        std::string path;
        EditArray events;  // as checked
        std::vector<EventCheck> checks;
        ReportHeader header;
        VerifySetup setup;
        std::array<std::string, 2> moviePaths;
    };
    std::optional<ReportJob> beginReport();
    // Whether the report was written, or why not.
    static Outcome<> writeReport(const ReportJob& job, const ShotMaker& shots);
    void finishReport(const ReportJob& job, const Outcome<>& written);

private:
    struct Result {
        EditPtr live, asChecked;
        EventCheck check;
    };
    const Result* resultFor(const EditPtr& event) const;

    conformController& c_;
    std::vector<Result> results_;
    VerifySetup setup_;
    std::array<std::string, 2> moviePaths_;
    std::string lists_;  // what list C came from, when it was checked
    std::string summary_;
};

}  // namespace rw
