#pragma once
// What checking one change event against the OLD and NEW movies found, and
// the rules that decide it from the differences of picture pairs.
//
// Event frame k of the NEW range is compared with event frame k + K of the
// OLD range, for offsets K; a pair's difference is a number (0 alike, tens
// for different pictures) from the picture comparison.
//
//   match     in place (K = 0) every pair is alike, and no other offset
//             is clearly better
//   slip +K   at K every pair is alike and K is clearly better than in
//             place: NEW shows what OLD shows K frames later (-K: earlier)
//   differs   no offset makes every pair alike
//   no picture  a range lies outside its movie, or a movie is missing
//
// "Clearly better": a mean difference below 0.6 of the other one and at
// least half the alike threshold less. A still or black picture is alike at
// every offset: it matches, and is marked low-detail (a slip would not show).

#include "core/Color.h"

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>

namespace rw {

enum class Verdict { Match, Slip, Differs, NoPicture };

// The numbers a user may tune.
struct VerifyTuning {
    int search = 12;             // frames either way a slip is looked for
    double alike = 6.0;          // pairs that differ by at most this are alike
    double ignoredShare = 0.15;  // of each picture, the most different part left out (burn-ins)
};

struct EventCheck {
    Verdict verdict = Verdict::NoPicture;
    int slip = 0;                 // K, for a slip
    bool lowDetail = false;       // alike at every offset tried
    double difference = 0;        // in place: the mean over the pairs compared
    std::int32_t worstFrame = 0;  // event frame where OLD and NEW differ most in place
    std::string detail;           // a short note for people
};

// "match", "slip +2", "slip -1", "differs", "no picture".
std::string verdictText(const EventCheck& check);
// The same, with "(low detail)" after a match no slip could show in.
std::string verdictLabel(const EventCheck& check);

// Each verdict's colour, apart from the comparison's red and blue: green,
// amber, purple and grey.
Color verdictColor(Verdict verdict);

// The pair differences gathered for one event, by offset.
class OffsetScores {
public:
    void add(int offset, std::int32_t frame, double difference);
    struct Stats {
        int pairs = 0;
        double sum = 0;
        double worst = -1;
        std::int32_t worstFrame = 0;
        double mean() const { return pairs ? sum / pairs : std::numeric_limits<double>::infinity(); }
    };
    const std::map<int, Stats>& byOffset() const { return stats_; }

private:
    std::map<int, Stats> stats_;
};

// After the first, middle and last frames (with the OLD frames next to them):
// the event's verdict when they agree in place, nothing when every frame must
// be compared.
std::optional<EventCheck> judgeSamples(const OffsetScores& scores, const VerifyTuning& tuning);
// Whether OLD frames beside the samples could still turn out clearly better
// than in place: only while every sample is alike in place but not by far.
bool neighboursMayDecide(const OffsetScores& scores, const VerifyTuning& tuning);
// Whether the event differs whatever its remaining frames show: every one of
// the `offsets` tried already has a pair that is not alike.
bool settledAsDiffering(const OffsetScores& scores, std::size_t offsets, const VerifyTuning& tuning);
// After every frame at every offset tried.
EventCheck judgeEvent(const OffsetScores& scores, const VerifyTuning& tuning);

EventCheck noPicture(std::string why);

struct VerifySummary {
    int checked = 0, match = 0, slipped = 0, differ = 0, noPicture = 0;
    void add(const EventCheck& check);
};
// "checked 12: 9 match, 2 slipped, 1 differ, 0 no picture"
std::string summaryLine(const VerifySummary& summary);

}  // namespace rw
