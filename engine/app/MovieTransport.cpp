// Locating, stepping and playing the movies, and keeping the three places
// of each movie and the block view's playheads with them.

#include "app/MovieReview.h"
#include "movies/MovieLocate.h"

#include <algorithm>
#include <climits>

namespace rw {

namespace {

constexpr MovieSide kSides[] = {MovieSide::Old, MovieSide::New};
constexpr MovieView kViews[] = {MovieView::Small, MovieView::Large, MovieView::Diff};


}  // namespace

std::int64_t MovieReview::time(MovieSide side, MovieView view) const {
    return playing_ && at(side).loaded ? clockTime(side) : at(side).times[viewIndex(view)];
}

// Every playing movie runs on the one clock from its anchor.
std::int64_t MovieReview::clockTime(MovieSide side) const {
    const Side& s = at(side);
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(clock_.now() - playing_->startedAt);
    const __int128 moved = static_cast<__int128>(elapsed.count()) * s.facts.timeScale / 1'000'000'000;
    const __int128 t = playing_->anchor[sideIndex(side)] + moved;
    return static_cast<std::int64_t>(std::clamp<__int128>(t, 0, std::max<std::int64_t>(0, s.facts.duration)));
}

// A movie set to a time carries the places that follow it: the large movie
// follows the small one while the large window shows, the small one always
// follows the large one, the difference movie follows both.
void MovieReview::place(MovieSide side, MovieView view, std::int64_t t) {
    setTime(side, view, t);
    if (view == MovieView::Small && largeVisible_) {
        setTime(side, MovieView::Large, t);
        setTime(side, MovieView::Diff, t);
    } else if (view == MovieView::Large) {
        setTime(side, MovieView::Small, t);
        setTime(side, MovieView::Diff, t);
    }
}

// While playing, a new time moves the side's anchor: it plays on from there.
void MovieReview::setTime(MovieSide side, MovieView view, std::int64_t t) {
    Side& s = at(side);
    t = std::clamp<std::int64_t>(t, 0, std::max<std::int64_t>(0, s.facts.duration));
    if (playing_) {
        const std::int64_t moved = t - clockTime(side);
        playing_->anchor[sideIndex(side)] += moved;
        if (moved != 0) startSound(side);  // the sound jumps with the picture
        return;
    }
    s.times[viewIndex(view)] = t;
}

void MovieReview::locate(MovieSide side, const KLVtc& time) {
    Side& s = at(side);
    if (!s.loaded) return;
    LocateRequest request{time, side == MovieSide::New, s.facts.rate, s.facts.timeScale, s.facts.duration,
                          s.start.field, s.start.start, false};
    if (host_) request.ntscDf = host_->dropFrameCounting();
    const LocateResult result = locateMovie(request, s.facts.frames);
    const bool red = result.startRed.value_or(false);
    if (red != s.startRed) {
        s.startRed = red;
        notify(ModelChange::Movies);
    }
    if (drawerOpen_) place(side, MovieView::Small, result.locateTime);
    if (largeVisible_) place(side, MovieView::Large, result.locateTime);
    if (diffVisible_) place(side, MovieView::Diff, result.locateTime);
    showAll();
    updatePlayheads();
}

// Each movie steps on its own frame grid from its small place.
void MovieReview::nudge(int frames) {
    for (const MovieSide side : kSides) {
        Side& s = at(side);
        if (!s.loaded) continue;
        const std::int64_t t = s.facts.frames.step(time(side, MovieView::Small), frames);
        setTime(side, MovieView::Small, t);
        if (largeVisible_) setTime(side, MovieView::Large, t);
        if (diffVisible_) setTime(side, MovieView::Diff, t);
    }
    showAll();
    updatePlayheads();
}

void MovieReview::nudgeEditStart() {
    if (host_) host_->locateFrontEvent(false);
}

void MovieReview::nudgeEditEnd() {
    if (host_) host_->locateFrontEvent(true);
}

// The end is the last frame's start, so the last frame shows and one step
// back shows the one before it.
void MovieReview::gotoEnd(bool end) {
    for (const MovieSide side : kSides) {
        Side& s = at(side);
        if (!s.loaded) continue;
        const std::int64_t t = end ? s.facts.frames.step(s.facts.duration, -1) : 0;
        for (const MovieView view : kViews) setTime(side, view, t);
    }
    showAll();
}

void MovieReview::playMovies(std::optional<int> senderTag) {
    const bool large = senderTag ? *senderTag != 0 : largeVisible_;
    const MovieView set = large ? MovieView::Large : MovieView::Small;
    if (playing_) stopPlaying();
    Playing p{set, clock_.now(), {}, std::nullopt};
    for (const MovieSide side : kSides) {
        Side& s = at(side);
        p.anchor[sideIndex(side)] = s.times[viewIndex(set)];
        s.times.fill(p.anchor[sideIndex(side)]);
    }
    playing_ = p;
    for (const MovieSide side : kSides) startSound(side);
    notify(ModelChange::Movies);
    tick();
}

void MovieReview::playStop(std::optional<int> senderTag) {
    if (playing()) stopMovies(senderTag);
    else playMovies(senderTag);
}

// While playing: the NEW movie's sound, and the OLD one's when not muted.
void MovieReview::startSound(MovieSide side) {
    if (playing_ && at(side).loaded && (side == MovieSide::New || !oldMuted_)) files_.startSound(side, clockTime(side));
}

void MovieReview::setOldMuted(bool muted) {
    oldMuted_ = muted;
    if (muted) files_.stopSound(MovieSide::Old);
    else startSound(MovieSide::Old);
}

void MovieReview::stopMovies(std::optional<int>) {
    if (!playing_) return;
    stopPlaying();
    showAll();
    updatePlayheads();
    notify(ModelChange::Movies);
}

// The places keep where the clock had taken them.
void MovieReview::stopPlaying() {
    for (const MovieSide side : kSides) {
        if (at(side).loaded) at(side).times.fill(clockTime(side));
    }
    playing_.reset();
    for (const MovieSide side : kSides) files_.stopSound(side);
}

// The NEW movie is the master: its end ends playing (the OLD one's, when
// only the OLD movie is loaded).
void MovieReview::tick() {
    if (!playing_) return;
    const MovieSide masterSide = at(MovieSide::New).loaded ? MovieSide::New : MovieSide::Old;
    const Side& master = at(masterSide);
    if (!master.loaded || clockTime(masterSide) >= master.facts.duration) {
        stopMovies(std::nullopt);
        return;
    }
    showAll();
    const auto now = clock_.now();
    if (!playing_->playheadsAt || now - *playing_->playheadsAt >= std::chrono::milliseconds(30)) {
        playing_->playheadsAt = now;
        updatePlayheads();
    }
}

void MovieReview::showAll() {
    const bool shown[] = {drawerOpen_, largeVisible_, diffVisible_};
    for (const MovieSide side : kSides) {
        if (!at(side).loaded) continue;
        for (const MovieView view : kViews) {
            if (shown[viewIndex(view)]) files_.show(side, view, time(side, view), playing_.has_value());
        }
    }
}

// The playheads stand on the small movies' frames, counted exactly on their grids.
void MovieReview::updatePlayheads() {
    if (!host_) return;
    for (const MovieSide side : kSides) {
        const Side& s = at(side);
        if (!s.loaded || !s.facts.frames.valid()) continue;
        const std::int64_t frame = s.facts.frames.frameIndexAt(time(side, MovieView::Small));
        const auto frames = static_cast<std::int32_t>(std::clamp<std::int64_t>(frame, 0, INT32_MAX));
        host_->placePlayhead(side, frames);
    }
}

}  // namespace rw
