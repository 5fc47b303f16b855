#include "conform/RelativeNote.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace rw {

namespace {

using Key = std::function<std::int32_t(const edit&)>;

EditArray sortedBy(const EditArray& events, const Key& key) {
    EditArray out = events;
    std::stable_sort(out.begin(), out.end(), [&](const EditPtr& a, const EditPtr& b) { return key(*a) < key(*b); });
    return out;
}

std::int32_t sIn(const edit& e) { return framesOf(e.sourceIn()); }
std::int32_t sOut(const edit& e) { return framesOf(e.sourceOut()); }
std::int32_t mIn(const edit& e) { return framesOf(e.masterIn()); }
std::int32_t mOut(const edit& e) { return framesOf(e.masterOut()); }

// Lengths and totals as times of the note's timebase.
TcPtr asTime(std::int64_t frames, const std::string& timebase) {
    frames = std::clamp<std::int64_t>(frames, 0, std::numeric_limits<std::int32_t>::max());
    return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), timebase);
}

std::string shown(const TcPtr& tc, bool feetFrames) {
    if (!tc) return describe(tc);
    return feetFrames ? tc->tcAsFeetFrames() : tc->tcAsString();
}

}  // namespace

EditArray sortedByMaster(const EditArray& events) {
    EditArray out = events;
    std::stable_sort(out.begin(), out.end(), [](const EditPtr& a, const EditPtr& b) {
        if (mIn(*a) != mIn(*b)) return mIn(*a) < mIn(*b);
        return mOut(*a) < mOut(*b);
    });
    return out;
}

RelativeOrder checkRelativeOrder(const EditArray& listC) {
    const EditArray byMasterIn = sortedBy(listC, mIn);
    if (byMasterIn != sortedBy(listC, sIn)) return RelativeOrder::ReorderedShots;
    if (byMasterIn != sortedBy(listC, mOut) || sortedBy(listC, sIn) != sortedBy(listC, sOut))
        return RelativeOrder::OverlappingOrReusedShots;
    return RelativeOrder::Fine;
}

std::string relativeOrderText(RelativeOrder problem) {
    if (problem == RelativeOrder::ReorderedShots)
        return "this change EDL contains reordered shots which can cause errors in a relative change note.\nplease "
               "locate and delete these shots before trying again.";
    if (problem == RelativeOrder::OverlappingOrReusedShots)
        return "this change EDL contains overlapping or reused shots which will cause errors in a relative change "
               "note.\nplease locate and delete these shots before trying again.";
    return {};
}

std::vector<RelativeStep> relativeSteps(const EditArray& sorted) {
    std::vector<RelativeStep> steps;
    std::int64_t total = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const edit& e = *sorted[i];
        const edit& p = i == 0 ? e : *sorted[i - 1];
        if (mIn(e) != mOut(p)) {
            RelativeStep s{true, nullptr, 0, 0};
            if (i > 0) s = {true, p.masterOut(), std::int64_t{mIn(e)} - mOut(p), 0};
            else if (mIn(e) > sIn(e)) s = {true, e.sourceIn(), std::int64_t{mIn(e)} - sIn(e), 0};
            total += s.length;
            s.total = total;
            steps.push_back(s);
        }
        if (sIn(e) != sOut(p)) {
            RelativeStep s{false, nullptr, 0, 0};
            if (i > 0) s = {false, e.masterIn(), std::int64_t{sIn(e)} - sOut(p), 0};
            else if (mIn(e) < sIn(e)) s = {false, e.masterIn(), std::int64_t{sIn(e)} - mIn(e), 0};
            total -= s.length;
            s.total = total;
            steps.push_back(s);
        }
    }
    return steps;
}

std::string relativeTimebase(const EditArray& sorted) {
    if (sorted.empty() || !sorted.front()->sourceIn()) return {};
    return sorted.front()->sourceIn()->framerateString();
}

std::string relativeNoteText(const EditArray& listC, bool feetFrames) {
    const EditArray sorted = sortedByMaster(listC);
    const std::string rate = relativeTimebase(sorted);
    // A rate without a label still counts frames: label at its whole rate.
    std::string labelRate = rate;
    if (labelRate.empty() && !sorted.empty() && sorted.front()->sourceIn())
        labelRate = std::to_string(sorted.front()->sourceIn()->integerRate());
    if (KLVtc::initWithFrames(0, labelRate) == nullptr) labelRate = "24";

    std::string text = "original timebase: " + rate + "\nreelwright relative change note\n";
    text += "all times are inclusive (inside-inside)\n\n";
    text += feetFrames ? "\tfrom\taction\t\tlength\t\ttotal change\n\n" : "\tfrom\t\taction\t\tlength\t\ttotal change\n\n";
    int number = 0;
    for (const auto& s : relativeSteps(sorted)) {
        if (s.length < 1) continue;
        const char* sign = s.total > 0 ? "+" : s.total < 0 ? "-" : " ";
        text += std::to_string(++number) + "\t" + shown(s.position, feetFrames) + (s.insert ? "\tinsert\t\t" : "\tdelete\t\t") +
                shown(asTime(s.length, labelRate), feetFrames) + (feetFrames ? "\t\t" : "\t") + sign + " " +
                shown(asTime(s.total < 0 ? -s.total : s.total, labelRate), feetFrames) + "\n";
    }
    return text;
}

}  // namespace rw
