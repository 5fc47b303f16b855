#include "verify/Verdict.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rw {

namespace {

std::string oneDecimal(double v) {
    if (!std::isfinite(v)) return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

std::string signedOffset(int k) { return (k > 0 ? "+" : "") + std::to_string(k); }

bool clearlyBetter(double candidate, double other, const VerifyTuning& t) {
    return candidate < 0.6 * other && other - candidate >= t.alike / 2;
}

using Stats = OffsetScores::Stats;

// The offset with the lowest mean; on a tie the one nearest to in place.
int bestOffset(const OffsetScores& scores) {
    int best = 0;
    double lowest = std::numeric_limits<double>::infinity();
    for (const auto& [k, s] : scores.byOffset()) {
        const bool nearer = std::abs(k) < std::abs(best) || (std::abs(k) == std::abs(best) && k < best);
        if (s.mean() < lowest || (s.mean() == lowest && nearer)) best = k, lowest = s.mean();
    }
    return best;
}

EventCheck checkFrom(Verdict verdict, const Stats& inPlace) {
    EventCheck c;
    c.verdict = verdict;
    c.difference = inPlace.mean();
    c.worstFrame = inPlace.worstFrame;
    return c;
}

EventCheck matchCheck(const OffsetScores& scores, const VerifyTuning& t) {
    const Stats& inPlace = scores.byOffset().at(0);
    EventCheck c = checkFrom(Verdict::Match, inPlace);
    bool everyOffsetAlike = scores.byOffset().size() > 1;
    for (const auto& [k, s] : scores.byOffset()) everyOffsetAlike = everyOffsetAlike && s.worst <= t.alike;
    c.lowDetail = everyOffsetAlike;
    c.detail = (everyOffsetAlike ? "alike at every offset tried: a still or low-detail picture (difference "
                                 : "alike in place (difference ") +
               oneDecimal(inPlace.mean()) + ")";
    return c;
}

bool agreesInPlace(const OffsetScores& scores, const VerifyTuning& t) {
    const Stats& inPlace = scores.byOffset().at(0);
    return inPlace.worst <= t.alike && !clearlyBetter(scores.byOffset().at(bestOffset(scores)).mean(), inPlace.mean(), t);
}

}  // namespace

std::string verdictText(const EventCheck& c) {
    switch (c.verdict) {
        case Verdict::Match: return "match";
        case Verdict::Slip: return "slip " + signedOffset(c.slip);
        case Verdict::Differs: return "differs";
        case Verdict::NoPicture: break;
    }
    return "no picture";
}

std::string verdictLabel(const EventCheck& c) { return verdictText(c) + (c.lowDetail ? " (low detail)" : ""); }

Color verdictColor(Verdict verdict) {
    switch (verdict) {
        case Verdict::Match: return Color::rgb(0.13f, 0.55f, 0.25f);
        case Verdict::Slip: return Color::rgb(0.85f, 0.5f, 0.0f);
        case Verdict::Differs: return Color::rgb(0.55f, 0.2f, 0.7f);
        case Verdict::NoPicture: break;
    }
    return Color::rgb(0.45f, 0.45f, 0.45f);
}

void OffsetScores::add(int offset, std::int32_t frame, double difference) {
    Stats& s = stats_[offset];
    ++s.pairs;
    s.sum += difference;
    if (difference > s.worst) s.worst = difference, s.worstFrame = frame;
}

std::optional<EventCheck> judgeSamples(const OffsetScores& scores, const VerifyTuning& t) {
    if (!scores.byOffset().count(0) || !agreesInPlace(scores, t)) return std::nullopt;
    return matchCheck(scores, t);
}

bool neighboursMayDecide(const OffsetScores& scores, const VerifyTuning& t) {
    const auto inPlace = scores.byOffset().find(0);
    return inPlace != scores.byOffset().end() && inPlace->second.worst <= t.alike && inPlace->second.mean() >= t.alike / 2;
}

bool settledAsDiffering(const OffsetScores& scores, std::size_t offsets, const VerifyTuning& t) {
    if (scores.byOffset().size() < offsets) return false;
    for (const auto& [k, s] : scores.byOffset())
        if (s.worst <= t.alike) return false;
    return true;
}

EventCheck judgeEvent(const OffsetScores& scores, const VerifyTuning& t) {
    if (!scores.byOffset().count(0)) return noPicture("no frame could be compared");
    if (agreesInPlace(scores, t)) return matchCheck(scores, t);
    const Stats& inPlace = scores.byOffset().at(0);
    const int k = bestOffset(scores);
    const Stats& best = scores.byOffset().at(k);
    if (k != 0 && best.worst <= t.alike && clearlyBetter(best.mean(), inPlace.mean(), t)) {
        EventCheck c = checkFrom(Verdict::Slip, inPlace);
        c.slip = k;
        c.detail = "alike " + std::to_string(std::abs(k)) + (std::abs(k) == 1 ? " frame " : " frames ") +
                   (k > 0 ? "later" : "earlier") + " (difference " + oneDecimal(best.mean()) + "; in place " +
                   oneDecimal(inPlace.mean()) + ")";
        return c;
    }
    EventCheck c = checkFrom(Verdict::Differs, inPlace);
    c.detail = "in place " + oneDecimal(inPlace.mean()) + ", worst at frame " + std::to_string(inPlace.worstFrame) +
               " (" + oneDecimal(inPlace.worst) + ")";
    if (k != 0) c.detail += "; nearest offset " + signedOffset(k) + " (" + oneDecimal(best.mean()) + ")";
    return c;
}

EventCheck noPicture(std::string why) {
    EventCheck c;
    c.verdict = Verdict::NoPicture;
    c.detail = std::move(why);
    return c;
}

void VerifySummary::add(const EventCheck& c) {
    ++checked;
    switch (c.verdict) {
        case Verdict::Match: ++match; break;
        case Verdict::Slip: ++slipped; break;
        case Verdict::Differs: ++differ; break;
        case Verdict::NoPicture: ++noPicture; break;
    }
}

std::string summaryLine(const VerifySummary& s) {
    return "checked " + std::to_string(s.checked) + ": " + std::to_string(s.match) + " match, " +
           std::to_string(s.slipped) + " slipped, " + std::to_string(s.differ) + " differ, " +
           std::to_string(s.noPicture) + " no picture";
}

}  // namespace rw
