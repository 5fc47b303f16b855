#include "app/Verification.h"

#include "core/Files.h"
#include "settings/Preferences.h"

#include <algorithm>
#include <filesystem>

namespace rw {

namespace {

std::array<std::int32_t, 4> timesOf(const edit& e) {
    return {framesOf(e.sourceIn()), framesOf(e.sourceOut()), framesOf(e.masterIn()), framesOf(e.masterOut())};
}

}  // namespace

Verification::Verification(conformController& c) : c_(c) {
    c_.blockView().setMarked([this](const EditPtr& e) {
        const EventCheck* check = verdictFor(e);
        return check && check->verdict != Verdict::Match;
    });
}

Verification::~Verification() { c_.blockView().setMarked({}); }

std::optional<Verification::Job> Verification::begin() {
    const EditArray& events = c_.dataSourceC().getEditArray();
    if (events.empty()) {
        c_.ui().beep();
        return std::nullopt;
    }
    MovieReview* review = c_.review();
    if (!review || !review->hasMovie(MovieSide::Old) || !review->hasMovie(MovieSide::New)) {
        c_.ui().alert("movies not loaded", "Load the OLD and the NEW movie before verifying the change list against them.");
        return std::nullopt;
    }
    Job job;
    for (const EditPtr& e : events) {
        job.live.push_back(e);
        job.events.push_back(e ? e->deepCopy() : nullptr);
    }
    for (const MovieSide side : {MovieSide::Old, MovieSide::New}) {
        job.setup.movies[sideIndex(side)] = {review->fileName(side), "", review->facts(side),
                                             MovieStart{review->startField(side), review->startTimecode(side)}};
        job.moviePaths[sideIndex(side)] = pathFromFileUrl(review->movieLocation(side));
    }
    job.setup.ntscDf = c_.prefs().edlType() == "NTSC df";
    return job;
}

VerifyOutcome Verification::run(const Job& job, PicturePort& pictures, const VerifyProgress& keepGoing) {
    return verifyEvents(job.events, job.setup, pictures, keepGoing);
}

void Verification::finish(const Job& job, const VerifyOutcome& outcome) {
    results_.clear();
    VerifySummary summary;
    for (std::size_t i = 0; i < outcome.checks.size() && i < job.live.size(); ++i) {
        results_.push_back({job.live[i], job.events[i], outcome.checks[i]});
        summary.add(outcome.checks[i]);
    }
    summary_ = summaryLine(summary) + (outcome.cancelled ? " (cancelled)" : "");
    setup_ = job.setup;
    moviePaths_ = job.moviePaths;
    lists_ = "OLD " + c_.dataSourceA().filename() + "; NEW " + c_.dataSourceB().filename() + "; change list " +
             c_.dataSourceC().filename();
    for (const VerifyMovie& m : job.setup.movies)
        if (!m.problem.empty()) c_.ui().alert("movie not readable", m.problem);
    c_.dataSourceC().allRowsChanged();
    c_.dataSourceC().refreshBlockView();
}

const Verification::Result* Verification::resultFor(const EditPtr& event) const {
    if (!event) return nullptr;
    const auto it = std::find_if(results_.begin(), results_.end(), [&](const Result& r) { return r.live == event; });
    if (it == results_.end() || timesOf(*event) != timesOf(*it->asChecked)) return nullptr;
    return &*it;
}

const EventCheck* Verification::verdictFor(const EditPtr& event) const {
    const Result* r = resultFor(event);
    return r ? &r->check : nullptr;
}

std::vector<std::size_t> Verification::flaggedRows() const {
    std::vector<std::size_t> rows;
    const EditArray& events = c_.dataSourceC().getEditArray();
    for (std::size_t row = 0; row < events.size(); ++row)
        if (const EventCheck* check = verdictFor(events[row]); check && check->verdict != Verdict::Match)
            rows.push_back(row);
    return rows;
}

void Verification::locateFlagged() {
    const EditArray selected = c_.dataSourceC().selectedEvents();
    if (selected.size() != 1) return;
    const EventCheck* check = verdictFor(selected.front());
    if (!check || check->verdict == Verdict::Match || check->verdict == Verdict::NoPicture) return;
    if (const TcPtr old = oldTimeOf(*selected.front(), check->worstFrame)) c_.gotoTimeSource(*old);
    if (const TcPtr neu = newTimeOf(*selected.front(), check->worstFrame)) c_.gotoTimeMaster(*neu);
}

std::optional<Verification::ReportJob> Verification::beginReport() {
    if (results_.empty()) {
        c_.ui().beep();
        return std::nullopt;
    }
    const std::string name = deletingPathExtension(c_.dataSourceC().filename()) + " verification.html";
    const std::optional<std::string> path = c_.ui().savePanel(c_.prefs().get(pref::ExportPath), name);
    if (!path) return std::nullopt;
    c_.rememberFolder(pref::ExportPath, std::filesystem::path(*path).parent_path().string());
    for (const std::string& input : {moviePaths_[0], moviePaths_[1], c_.dataSourceC().documentPath()}) {
        if (!input.empty() && sameFile(*path, input)) {
            c_.ui().alert("report not saved",
                          *path + " is one of the movies checked or the change list itself; choose another name.");
            return std::nullopt;
        }
    }
    ReportJob job{*path, {}, {}, reportHeader(lists_, setup_), setup_, moviePaths_};
    for (const Result& r : results_) {
        job.events.push_back(r.asChecked);
        job.checks.push_back(r.check);
    }
    return job;
}

Outcome<> Verification::writeReport(const ReportJob& job, const ShotMaker& shots) {
    return writeFileAtomic(job.path, reportHtml(reportOf(job.header, job.events, job.checks, shots)));
}

void Verification::finishReport(const ReportJob&, const Outcome<>& written) {
    if (!written) c_.ui().alert("report not saved", written.error);
}

}  // namespace rw
