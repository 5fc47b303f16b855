// verify: every change event checked against the OLD and NEW movies, one
// line each, a summary, and on request the HTML report.

#include "ChangeListInput.h"
#include "Commands.h"

#include "app/NullPorts.h"
#include "core/Files.h"
#include "media/MovieFacts.h"
#include "media/MoviePictures.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rw::cli {

namespace {

struct MovieFlags {
    std::string file;
    std::optional<std::string> start;  // none: the movie's own timecode
    bool noStart = false;
};

struct VerifyArgs {
    ChangeListArgs source;
    std::array<MovieFlags, 2> movies;  // OLD, NEW
    VerifyTuning tuning;
    double ignorePercent = 15;
    std::string report;
};

const char* sideName(MovieSide side) { return side == MovieSide::Old ? "OLD" : "NEW"; }

// The side as the check sees it. A movie that will not open leaves its
// events without a picture; a start that is not a timecode at the movie's
// rate is a bad argument (nothing).
std::optional<VerifyMovie> openSide(media::MoviePictures& pictures, MovieSide side, const MovieFlags& f,
                                    std::ostream& err) {
    VerifyMovie m;
    m.name = lastPathComponent(f.file);
    if (const Outcome<> opened = pictures.open(side, f.file); !opened) {
        err << "cannot open the " << sideName(side) << " movie: " << opened.error << "\n";
        m.problem = "no " + std::string(sideName(side)) + " movie: " + opened.error;
        return m;
    }
    const media::MovieInfo& info = *pictures.info(side);
    m.facts = media::movieFactsOf(info);
    if (f.noStart) return m;
    if (!f.start) {
        m.start = startForLoadedMovie(std::nullopt, info.timecode, info.rateText, KLVtc());
        return m;
    }
    if (!isValidStartEntry(*f.start, 0, info.rateText, info.rateText)) {
        err << "--" << (side == MovieSide::Old ? "old" : "new") << "-start: \"" << *f.start
            << "\" is not a timecode at the movie's rate (" << info.rateText << ")\n";
        return std::nullopt;
    }
    m.start = startFromField(MovieStart{}, *f.start, info.rateText);
    return m;
}

std::string listsText(const ChangeListArgs& a) {
    if (!a.changes.empty()) return "change list " + lastPathComponent(a.changes);
    const auto names = [](const std::vector<std::string>& paths) {
        std::string out;
        for (const auto& p : paths) out += (out.empty() ? "" : ", ") + lastPathComponent(p);
        return out;
    };
    return "OLD " + names(a.olds) + "; NEW " + names(a.news);
}

int writeReport(const VerifyArgs& a, const VerifySetup& setup, const EditArray& events, const VerifyOutcome& outcome,
                media::MoviePictures& pictures, std::ostream& err) {
    const VerifyReport report = reportOf(reportHeader(listsText(a.source), setup), events, outcome.checks,
                                         [&](const edit& e, const EventCheck& c) { return pictures.shotsFor(setup, e, c); });
    if (Outcome<> written = writeFileAtomic(a.report, reportHtml(report)); !written) {
        err << written.error << "\n";  // it names the file
        return 1;
    }
    return 0;
}

int runVerify(VerifyArgs a, Streams io) {
    std::vector<std::string> inputs = changeListInputs(a.source);
    for (const auto& m : a.movies) inputs.push_back(m.file);
    if (!a.report.empty() && wouldOverwriteInput(a.report, inputs, io.err)) return 2;
    CliUi ui(io.err);
    NoMovies noMovies;
    conformController c(ui, noMovies);
    if (!applyListOptions(a.source.lists, c, ui, io.err)) return 2;

    a.tuning.ignoredShare = a.ignorePercent / 100;
    media::MoviePictures pictures({.ignoredShare = a.tuning.ignoredShare});
    VerifySetup setup{{}, c.prefs().edlType() == "NTSC df", a.tuning};
    for (const MovieSide side : {MovieSide::Old, MovieSide::New}) {
        std::optional<VerifyMovie> m = openSide(pictures, side, a.movies[sideIndex(side)], io.err);
        if (!m) return 2;
        setup.movies[sideIndex(side)] = std::move(*m);
    }
    if (!loadChangeList(c, a.source, io.err)) return 1;

    const EditArray& events = c.dataSourceC().getEditArray();
    VerifySummary summary;
    const VerifyOutcome outcome = verifyEvents(events, setup, pictures, {}, [&](std::size_t i, const EventCheck& check) {
        summary.add(check);
        io.out << events[i]->editNum() << '\t' << verdictText(check) << '\t' << check.detail << std::endl;
    });
    io.out << summaryLine(summary) << '\n';
    if (!a.report.empty() && writeReport(a, setup, events, outcome, pictures, io.err) != 0) return 1;
    return summary.match == summary.checked ? 0 : 1;
}

void addMovieFlags(CLI::App& cmd, MovieFlags& f, const std::string& side, const std::string& name) {
    cmd.add_option("--" + side + "-movie", f.file, "the " + name + " cut's movie")->required();
    auto* start = cmd.add_option("--" + side + "-start", f.start,
                                 "the " + name + " movie's start timecode (default: its own timecode)");
    cmd.add_flag("--" + side + "-no-start", f.noStart, "take the " + name + " movie as having no start timecode")
        ->excludes(start);
}

}  // namespace

void addVerifyCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<VerifyArgs>();
    CLI::App* cmd = app.add_subcommand(
        "verify", "Check every event of the change list against the OLD and NEW movies: match, slip, differs or no picture");
    addChangeListOptions(*cmd, args->source);
    addMovieFlags(*cmd, args->movies[0], "old", "OLD");
    addMovieFlags(*cmd, args->movies[1], "new", "NEW");
    cmd->add_option("--search", args->tuning.search, "frames either way a slip is looked for (default 12)")
        ->check(CLI::Range(0, 240));
    cmd->add_option("--alike", args->tuning.alike,
                    "the difference up to which two pictures count as alike (default 6)")
        ->check(CLI::Range(0.1, 100.0));
    cmd->add_option("--ignore", args->ignorePercent,
                    "percent of each picture left out where it differs most, for burn-ins (default 15)")
        ->check(CLI::Range(0.0, 90.0));
    cmd->add_option("--report", args->report, "write an HTML report of the events that do not match");
    cmd->callback([args, io, &status] {
        requireChangeListSource(args->source);
        status = runVerify(*args, io);
    });
}

}  // namespace rw::cli
