// movie-info, frame and difference: the movies of the review windows without
// a display. A list timecode locates a movie exactly as selecting an event does.

#include "CliUi.h"
#include "Commands.h"
#include "Options.h"

#include "app/UnreadableFiles.h"
#include "settings/Choices.h"
#include "settings/Preferences.h"
#include "core/Files.h"
#include "media/Difference.h"
#include "media/MovieReader.h"
#include "media/Png.h"
#include "movies/MovieLocate.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rw::cli {

namespace {

struct Side {
    std::string file, tc;
    std::optional<std::string> start;  // --start; none: the movie's own timecode
    bool noStart = false;
    bool isNew = false;
};

struct MovieArgs {
    Side one, other;
    std::string edlType = "film cutlist";
    std::string side = "old";
    std::string output;
};

using Reader = std::unique_ptr<media::MovieReader>;

// True after naming each movie that cannot be read.
bool unreadable(const std::vector<std::string>& files, std::ostream& err) {
    CliUi ui(err);
    return alertUnreadable(ui, files);
}

Reader openMovie(const std::string& path, std::ostream& err) {
    media::quietFFmpegLog();
    auto opened = media::MovieReader::open(path);
    if (!opened) err << "cannot open the movie: " << opened.error << "\n";
    return std::move(opened.value);
}

int runInfo(const std::string& file, Streams io) {
    if (unreadable({file}, io.err)) return 1;
    Reader movie = openMovie(file, io.err);
    if (!movie) return 1;
    const media::MovieInfo& i = movie->info();
    io.out << "rate: " << i.rateText << "\nstart: " << i.startTimecode
           << "\nframes: " << i.frameCount << "\nsize: " << i.width << 'x' << i.height << "\ndisplay size: "
           << i.displayWidth << 'x' << i.displayHeight << "\ntimecode track: " << (i.hasTimecodeTrack ? "yes" : "no")
           << "\n";
    return 0;
}

// The start as the side's start field would hold it: --start, nothing with
// --no-start, else the movie's own timecode.
std::optional<MovieStart> startFor(const Side& s, const media::MovieInfo& info, std::ostream& err) {
    if (s.noStart) return MovieStart{};
    if (!s.start) return startForLoadedMovie(std::nullopt, info.timecode, info.rateText, KLVtc());
    if (!isValidStartEntry(*s.start, 0, info.rateText, info.rateText)) {
        err << "--start: \"" << *s.start << "\" is not a timecode at the movie's rate (" << info.rateText << ")\n";
        return std::nullopt;
    }
    return startFromField(MovieStart{}, *s.start, info.rateText);
}

// The frame that locating the side's movie to its list timecode shows; 0 done,
// else the exit status after a message.
int locatedFrame(const Side& s, const std::string& edlType, Streams io, media::Frame& frame) {
    const std::string listRate = rateForListType(edlType);
    if (listRate.empty()) {
        io.err << "--edl-type \"" << edlType << "\" gives the list timecodes no rate; choose one that does\n";
        return 2;
    }
    const TcPtr tc = KLVtc::initWithString(s.tc, listRate);
    if (!tc) {
        io.err << "\"" << s.tc << "\" is not a timecode at the list's rate (" << listRate << ")\n";
        return 2;
    }
    Reader movie = openMovie(s.file, io.err);
    if (!movie) return 1;
    const media::MovieInfo& info = movie->info();
    const std::optional<MovieStart> start = startFor(s, info, io.err);
    if (!start) return 2;
    LocateRequest r{*tc, s.isNew, static_cast<float>(info.rate), info.timeScale, info.duration,
                    start->field, start->start, edlType == "NTSC df"};
    const LocateResult where = locateMovie(r, info.frames);
    if (where.outside) io.err << s.file << ": " << s.tc << " lies outside the movie; showing its nearest frame\n";
    auto got = movie->frameAt(where.locateTime);
    if (!got) {
        io.err << s.file << ": " << got.error << "\n";
        return 1;
    }
    frame = got.value;
    if (!frame.note.empty()) io.err << s.file << ": " << frame.note << "\n";
    io.out << (s.isNew ? "new" : "old") << " frame: " << frame.index << "\n";
    return 0;
}

int writePng(const media::Image& image, const MovieArgs& a, Streams io) {
    auto png = media::encodePng(image);
    if (!png) {
        io.err << "cannot make the picture: " << png.error << "\n";
        return 1;
    }
    if (Outcome<> written = writeFileAtomic(a.output, png.value); !written) {
        io.err << written.error << "\n";  // it names the file
        return 1;
    }
    return 0;
}

int runFrame(MovieArgs a, Streams io) {
    if (wouldOverwriteInput(a.output, {a.one.file}, io.err)) return 2;
    if (unreadable({a.one.file}, io.err)) return 1;
    a.one.isNew = a.side == "new";
    media::Frame frame;
    if (int rc = locatedFrame(a.one, a.edlType, io, frame)) return rc;
    return writePng(*frame.image, a, io);
}

int runDifference(MovieArgs a, Streams io) {
    if (wouldOverwriteInput(a.output, {a.one.file, a.other.file}, io.err)) return 2;
    if (unreadable({a.one.file, a.other.file}, io.err)) return 1;
    a.other.isNew = true;
    media::Frame oldFrame, newFrame;
    if (int rc = locatedFrame(a.one, a.edlType, io, oldFrame)) return rc;
    if (int rc = locatedFrame(a.other, a.edlType, io, newFrame)) return rc;
    return writePng(media::differencePicture(*oldFrame.image, *newFrame.image), a, io);
}

void addEdlType(CLI::App& cmd, MovieArgs& a) {
    cmd.add_option("--edl-type", a.edlType, "list type: the rate the timecodes are read at (default \"film cutlist\")")
        ->check(CLI::IsMember(choices::listTypes()));
}

}  // namespace

void addMovieCommands(CLI::App& app, Streams io, int& status) {
    auto info = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("movie-info", "Print a movie's rate, start timecode, frame count and size (stored and shown)");
    cmd->add_option("file", *info, "the movie")->required();
    cmd->callback([info, io, &status] { status = runInfo(*info, io); });

    auto f = std::make_shared<MovieArgs>();
    cmd = app.add_subcommand("frame", "Write the frame a movie shows when located to a list timecode, as PNG");
    cmd->add_option("file", f->one.file, "the movie")->required();
    cmd->add_option("--tc", f->one.tc, "the list timecode")->required();
    cmd->add_option("--side", f->side, "locate as the OLD (default) or the NEW movie")
        ->check(CLI::IsMember({"old", "new"}));
    auto* start = cmd->add_option("--start", f->one.start, "the movie's start timecode (default: its own timecode)");
    cmd->add_flag("--no-start", f->one.noStart, "locate as a movie without a start timecode")->excludes(start);
    addEdlType(*cmd, *f);
    cmd->add_option("--output", f->output, "the PNG to write")->required();
    cmd->callback([f, io, &status] { status = runFrame(*f, io); });

    auto d = std::make_shared<MovieArgs>();
    cmd = app.add_subcommand("difference", "Write the difference picture of the OLD and NEW movies, as PNG");
    cmd->add_option("old", d->one.file, "the OLD movie")->required();
    cmd->add_option("new", d->other.file, "the NEW movie")->required();
    cmd->add_option("--old-tc", d->one.tc, "the list timecode for the OLD movie")->required();
    cmd->add_option("--new-tc", d->other.tc, "the list timecode for the NEW movie")->required();
    cmd->add_option("--old-start", d->one.start, "the OLD movie's start timecode (default: its own timecode)");
    cmd->add_option("--new-start", d->other.start, "the NEW movie's start timecode (default: its own timecode)");
    addEdlType(*cmd, *d);
    cmd->add_option("--output", d->output, "the PNG to write (RGBA: clear where the pictures agree)")->required();
    cmd->callback([d, io, &status] { status = runDifference(*d, io); });
}

}  // namespace rw::cli
