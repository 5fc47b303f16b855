#include "verify/VerifyEvents.h"

#include "movies/MovieLocate.h"

#include <algorithm>
#include <limits>
#include <set>

namespace rw {

namespace {

constexpr std::int64_t kEverything = std::numeric_limits<std::int64_t>::max();
constexpr int kBatchFrames = 8;  // NEW frames fetched at once when comparing every frame; then the check asks whether to go on

const char* sideName(MovieSide side) { return side == MovieSide::Old ? "OLD" : "NEW"; }

TcPtr shifted(const TcPtr& t, std::int32_t k) {
    if (!t) return nullptr;
    TcPtr out = t->copy();
    out->setTotalFrames(wrap32(static_cast<std::int64_t>(t->totalFrames()) + k));
    return out;
}

// Where each event frame lies in one movie.
struct SideFrames {
    std::vector<std::int64_t> index;
    std::string problem;  // why the range has no picture
};

SideFrames locateFrames(const VerifySetup& setup, MovieSide side, const TcPtr& in, std::int32_t length) {
    const VerifyMovie& movie = setup.movies[sideIndex(side)];
    const std::string who = sideName(side);
    if (!movie.problem.empty()) return {{}, movie.problem};
    if (!movie.facts.frames.valid()) return {{}, "the " + who + " movie's frame rate is unknown"};
    SideFrames out;
    for (std::int32_t k = 0; k < length; ++k) {
        const std::optional<std::int64_t> at = movieFrameFor(setup, side, *shifted(in, k));
        if (!at) {
            const std::string range = in->tcAsString() + "-" + shifted(in, length)->tcAsString();
            out.problem = who + " " + range + " lies " + (k == 0 ? "outside" : "partly past the end of") +
                          " the movie (" + std::to_string(movie.facts.frames.frameCount()) + " frames)";
            return out;
        }
        out.index.push_back(*at);
    }
    return out;
}

class EventCheckRun {
public:
    EventCheckRun(const VerifySetup& setup, PicturePort& pictures, std::vector<std::int64_t> oldFrames,
                  std::vector<std::int64_t> newFrames, std::function<bool()> keepGoing)
        : tuning_(setup.tuning), pictures_(pictures), old_(std::move(oldFrames)), new_(std::move(newFrames)),
          keepGoing_(std::move(keepGoing)) {}

    ~EventCheckRun() {
        pictures_.forget(MovieSide::Old, kEverything);
        pictures_.forget(MovieSide::New, kEverything);
    }

    // Nothing when stopped.
    std::optional<EventCheck> run() {
        if (std::optional<EventCheck> sampled = samples()) return sampled;
        if (failed_) return failed_;
        return everyFrame();
    }

private:
    int length() const { return static_cast<int>(new_.size()); }

    // Readies event frames of both movies; false when one cannot be had.
    bool fetch(const std::set<int>& olds, const std::set<int>& news) {
        std::vector<std::int64_t> o, n;
        for (const int j : olds) o.push_back(old_[j]);
        for (const int k : news) n.push_back(new_[k]);
        const std::optional<MovieFrame> missing = pictures_.fetch(o, n);
        if (!missing) return true;
        failed_ = noPicture(std::string(sideName(missing->side)) + " frame " + std::to_string(missing->index) +
                            " cannot be decoded: the movie may be cut short or damaged");
        return false;
    }

    void compare(OffsetScores& scores, int k, int offset) {
        scores.add(offset, k, pictures_.difference(old_[k + offset], new_[k]));
    }

    OffsetScores sampleScores(const std::set<int>& at, const std::set<int>& olds) {
        OffsetScores scores;
        for (const int k : at)
            for (int offset = -1; offset <= 1; ++offset)
                if (olds.count(k + offset)) compare(scores, k, offset);
        return scores;
    }

    // The first, middle and last frames in place, and the OLD frame after
    // the middle one (where a still shows alike). The OLD frames on either
    // side of each are asked for only when a neighbour could still be
    // clearly better than in place.
    std::optional<EventCheck> samples() {
        const int last = length() - 1;
        const std::set<int> at{0, last / 2, last};
        std::set<int> olds = at;
        if (last / 2 < last) olds.insert(last / 2 + 1);
        if (!fetch(olds, at)) return std::nullopt;
        OffsetScores scores = sampleScores(at, olds);
        if (!neighboursMayDecide(scores, tuning_)) return judgeSamples(scores, tuning_);
        for (const int k : at) {
            if (k > 0) olds.insert(k - 1);
            if (k < last) olds.insert(k + 1);
        }
        if (!fetch(olds, {})) return std::nullopt;
        return judgeSamples(sampleScores(at, olds), tuning_);
    }

    // NEW frame k against OLD frames k - reach .. k + reach, a batch of NEW
    // frames at a time with the OLD frames they need, until the end or until
    // no offset can be alike throughout any more (a replaced shot).
    std::optional<EventCheck> everyFrame() {
        const int reach = std::max(0, std::min(tuning_.search, length() / 2));
        OffsetScores scores;
        int oldFetched = -1;
        for (int k0 = 0; k0 < length(); k0 += kBatchFrames) {
            if (!keepGoing_()) return std::nullopt;
            const int k1 = std::min(length(), k0 + kBatchFrames);
            std::set<int> olds, news;
            for (int k = k0; k < k1; ++k) news.insert(k);
            for (; oldFetched < std::min(length() - 1, k1 - 1 + reach);) olds.insert(++oldFetched);
            if (!fetch(olds, news)) return failed_;
            for (int k = k0; k < k1; ++k)
                for (int offset = std::max(-reach, -k); offset <= std::min(reach, length() - 1 - k); ++offset)
                    compare(scores, k, offset);
            pictures_.forget(MovieSide::New, new_[k1 - 1] + 1);
            if (k1 > reach) pictures_.forget(MovieSide::Old, old_[k1 - reach]);
            if (settledAsDiffering(scores, static_cast<std::size_t>(2 * reach + 1), tuning_)) break;
        }
        return judgeEvent(scores, tuning_);
    }

    const VerifyTuning& tuning_;
    PicturePort& pictures_;
    std::vector<std::int64_t> old_, new_;
    std::function<bool()> keepGoing_;
    std::optional<EventCheck> failed_;
};

// Events whose two ranges differ in length are compared over the shorter;
// a zero-length event by its in point.
std::optional<EventCheck> checkEvent(const edit& e, const VerifySetup& setup, PicturePort& pictures,
                                     const std::function<bool()>& keepGoing) {
    if (!e.sourceIn() || !e.sourceOut() || !e.masterIn() || !e.masterOut()) return noPicture("the event has no times");
    const std::int64_t oldLength = static_cast<std::int64_t>(framesOf(e.sourceOut())) - framesOf(e.sourceIn());
    const std::int64_t newLength = static_cast<std::int64_t>(framesOf(e.masterOut())) - framesOf(e.masterIn());
    const auto length = static_cast<std::int32_t>(std::max<std::int64_t>(1, std::min(oldLength, newLength)));
    SideFrames old = locateFrames(setup, MovieSide::Old, e.sourceIn(), length);
    if (!old.problem.empty()) return noPicture(old.problem);
    SideFrames neu = locateFrames(setup, MovieSide::New, e.masterIn(), length);
    if (!neu.problem.empty()) return noPicture(neu.problem);
    return EventCheckRun(setup, pictures, std::move(old.index), std::move(neu.index), keepGoing).run();
}

}  // namespace

std::optional<std::int64_t> movieFrameFor(const VerifySetup& setup, MovieSide side, const KLVtc& t) {
    const VerifyMovie& movie = setup.movies[sideIndex(side)];
    const MovieFacts& f = movie.facts;
    if (!movie.problem.empty() || !f.frames.valid()) return std::nullopt;
    const LocateRequest request{t, side == MovieSide::New, f.rate, f.timeScale, f.duration,
                                movie.start.field, movie.start.start, setup.ntscDf};
    const LocateResult at = locateMovie(request, f.frames);
    if (at.locateTime < 0 || at.locateTime >= f.duration) return std::nullopt;
    const std::int64_t index = f.frames.frameIndexAt(at.locateTime);
    if (index < 0 || index >= f.frames.frameCount()) return std::nullopt;
    return index;
}

TcPtr oldTimeOf(const edit& event, std::int32_t k) { return shifted(event.sourceIn(), k); }
TcPtr newTimeOf(const edit& event, std::int32_t k) { return shifted(event.masterIn(), k); }

VerifyOutcome verifyEvents(const EditArray& events, const VerifySetup& setup, PicturePort& pictures,
                           const VerifyProgress& keepGoing, const VerifyListener& checked) {
    VerifyOutcome out;
    const auto goOn = [&] { return !keepGoing || keepGoing(out.checks.size(), events.size()); };
    for (const EditPtr& e : events) {
        std::optional<EventCheck> check;
        if (goOn()) check = e ? checkEvent(*e, setup, pictures, goOn) : noPicture("no event");
        if (!check) {
            out.cancelled = true;
            return out;
        }
        if (checked) checked(out.checks.size(), *check);
        out.checks.push_back(std::move(*check));
    }
    if (keepGoing) keepGoing(out.checks.size(), events.size());
    return out;
}

}  // namespace rw
