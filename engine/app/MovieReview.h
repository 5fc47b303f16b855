#pragma once
// The OLD and NEW movies under review: loading them with their rate and
// start timecode, locating both to the selected event, stepping, playing
// them together on one clock, and keeping the three places that show each
// movie (drawer, large window, difference window) at the same frame.
//
// Positions live here; the MovieFiles adapter only shows the frame at each
// position it is told. While playing, a position is the clock's: every
// playing movie runs on the same clock from the time its last locate gave
// it, so the OLD movie keeps its offset to the NEW one, the master.

#include "movies/MovieFiles.h"
#include "ports/Clock.h"
#include "ports/ModelObserver.h"
#include "ports/MoviePort.h"
#include "ports/SettingsPort.h"
#include "ports/UiPort.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>

namespace rw {

// What the review needs of the window around it, and no more: the
// settings, the lists' selected events and the block view's playheads.
class MovieReviewHost {
public:
    virtual ~MovieReviewHost() = default;

    // The folder the movie open panel starts in, and the one last chosen.
    virtual std::string movieFolder() const = 0;
    virtual void rememberMovieFolder(const std::string& folder) = 0;
    // Whether the list type counts drop-frame timecode.
    virtual bool dropFrameCounting() const = 0;
    // The store the movies' starts are remembered in; nullptr before start-up.
    virtual SettingsPort* settings() = 0;

    // Locates the movies to the front list's selected event (its start, or
    // its end), or to the change list's selected event's start.
    virtual void locateFrontEvent(bool end) = 0;
    virtual void locateChangeEvent() = 0;

    // The block view's playhead of a side, at a frame of its small movie.
    virtual void placePlayhead(MovieSide side, std::int32_t frame) = 0;
};

class MovieReview : public MoviePort {
public:
    MovieReview(MovieFiles& files, Clock& clock);
    // Until attached, alerts and beeps go nowhere and nothing is remembered.
    void attach(UiPort& ui, MovieReviewHost& host) {
        ui_ = &ui;
        host_ = &host;
    }
    void setObserver(ModelObserver* observer) { observer_ = observer; }

    // MoviePort: the lists' view of the movies (the drawer's movies).
    void setMoviesOld(const std::string& url) override { load(MovieSide::Old, url, false); }
    void setMoviesNew(const std::string& url) override { load(MovieSide::New, url, false); }
    std::string movieLocation(MovieSide side) const override;
    bool hasMovie(MovieSide side) const override { return at(side).loaded; }
    std::int64_t currentTime(MovieSide side) const override { return time(side, MovieView::Small); }
    std::int32_t timeScale(MovieSide side) const override;
    double measuredRate(MovieSide side) const override { return at(side).facts.rate; }
    std::string startField(MovieSide side) const override { return at(side).start.field; }
    KLVtc startTimecode(MovieSide side) const override { return at(side).start.start; }
    double playbackRate(MovieSide side) const override;

    // A movie chosen by the user: "Import Old Movie" / "Import New Movie".
    void importMovie(const std::string& senderTitle);
    // Loads a file or file URL; `chosen` files that are no movie get an alert.
    void load(MovieSide side, const std::string& url, bool chosen);

    // Start timecodes: the hour stepper (value 1 up, else down), the zero-point
    // captures (by sender title), a typed start field (tag 0 OLD, 1 NEW).
    void stepStart(MovieSide side, int stepperValue);
    void captureZeroPoint(const std::string& senderTitle);
    void editStartField(MovieSide side, const std::string& text);
    bool isValidStartEntry(const std::string& text, int tag) const;
    // Return on a start field the text of which is refused: the beep, and
    // why, for the status bar.
    std::string refuseStartEntry(MovieSide side, const std::string& text);
    // Whether the start field shows its timecode as outside the movie.
    bool startRed(MovieSide side) const { return at(side).startRed; }
    const std::string& fileName(MovieSide side) const { return at(side).name; }
    const std::string& rateText(MovieSide side) const { return at(side).facts.rateText; }
    const MovieFacts& facts(MovieSide side) const { return at(side).facts; }

    // The drawer, the large window and the difference window, by sender title.
    void showHideMovies(const std::string& senderTitle);
    bool drawerOpen() const { return drawerOpen_; }
    bool largeVisible() const { return largeVisible_; }
    bool diffVisible() const { return diffVisible_; }
    // A window closed by the user (its close box).
    void windowClosed(MovieView view);

    // Transport.
    void gotoTimeSource(const KLVtc& time) { locate(MovieSide::Old, time); }
    void gotoTimeMaster(const KLVtc& time) { locate(MovieSide::New, time); }
    void nudge(int frames);
    void nudgeEditStart();
    void nudgeEditEnd();
    void gotoStart() { gotoEnd(false); }
    void gotoEnd(bool end = true);
    // The set a command drives: the large one for a non-zero tag, or for no
    // tag while the large window is visible.
    void playMovies(std::optional<int> senderTag);
    void stopMovies(std::optional<int> senderTag);
    bool playing() const { return playing_.has_value(); }
    // Play/Stop and a movie window's space bar: stops the movies while they
    // play, else plays the set the tag names.
    void playStop(std::optional<int> senderTag);

    // The clock's beat while playing (as often as frames should change):
    // positions move on, the places are shown, the playheads follow about 30
    // times a second, and the NEW movie's end stops playing.
    void tick();

    // The OLD movie's sound is off unless asked for; the NEW one plays.
    void setOldMuted(bool muted);
    bool oldMuted() const { return oldMuted_; }

    std::int64_t time(MovieSide side, MovieView view) const;

private:
    struct Side {
        bool loaded = false;
        std::string path, name;
        MovieFacts facts;
        MovieStart start;
        bool startRed = false;
        std::array<std::int64_t, 3> times{};  // small, large, difference
    };
    struct Playing {
        MovieView set = MovieView::Small;
        std::chrono::nanoseconds startedAt{};
        std::array<std::int64_t, 2> anchor{};  // OLD, NEW: position at startedAt
        std::optional<std::chrono::nanoseconds> playheadsAt;  // the playheads' last move
    };

    Side& at(MovieSide side) { return sides_[sideIndex(side)]; }
    const Side& at(MovieSide side) const { return sides_[sideIndex(side)]; }
    void locate(MovieSide side, const KLVtc& time);
    void loadStart(MovieSide side);
    void startChanged();
    void place(MovieSide side, MovieView view, std::int64_t time);
    void setTime(MovieSide side, MovieView view, std::int64_t time);
    bool follows(MovieView view) const;
    std::int64_t clockTime(MovieSide side) const;
    void showAll();
    void updatePlayheads();
    void stopPlaying();
    void startSound(MovieSide side);
    void notify(ModelChange change);

    MovieFiles& files_;
    Clock& clock_;
    UiPort* ui_ = nullptr;
    MovieReviewHost* host_ = nullptr;
    ModelObserver* observer_ = nullptr;
    std::array<Side, 2> sides_;
    std::optional<Playing> playing_;
    bool drawerOpen_ = false, largeVisible_ = false, diffVisible_ = false;
    bool oldMuted_ = true;
};

// A movie location as a file URL ("file:///a%20b.mov") and back; a plain
// path is taken as it is.
std::string fileUrlFromPath(const std::string& path);
std::string pathFromFileUrl(const std::string& url);

}  // namespace rw
