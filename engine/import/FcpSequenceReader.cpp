#include "import/FcpSequenceReader.h"

#include "comparison/Heal.h"
#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rw {

namespace {

// Text longer than this is no field of a clip item; the rest is dropped.
constexpr std::size_t kMaxText = 1 << 20;

bool collects(std::string_view tag) {
    static constexpr std::string_view names[] = {"ntsc", "timebase", "startoffset", "name",  "in",
                                                 "out",  "enabled",  "string",      "frame", "source",
                                                 "displayformat", "start", "end"};
    return std::find(std::begin(names), std::end(names), tag) != std::end(names);
}

// Leading-integer reading: "1055.0" is 1055, "12abc" 12, nothing 0; clamped to 32 bits.
std::int64_t leadingInt(std::string_view text) {
    double v = std::trunc(leadingNumber(text));
    return static_cast<std::int64_t>(std::clamp<double>(v, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
}

std::string trimmed(const std::string& s) { return std::string(trimWhitespace(s)); }

TcPtr framesAt(std::int64_t frames, const std::string& timebase) {
    if (frames < 0 || frames > std::numeric_limits<std::int32_t>::max()) return nullptr;
    return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), timebase);
}

}  // namespace

bool sequenceRateAccepted(const std::string& rate, const std::string& type, int tab) {
    if (rate == "25") return type == "PAL video" || (type == "PAL film" && tab < 2);
    if (rate == "24" || rate == "23.976")
        return type == "film cutlist" || type == "24fps EDL/XML" || (type == "PAL film" && tab == 2);
    if (rate == "30") return type == "NTSC" || type == "NTSC df";
    if (rate == "50") return type == "50fps EDL/XML";
    if (rate == "60") return type == "60fps EDL/XML";
    return true;
}

// Inside a skipped subtree only elements of the skipped name itself are seen,
// so the stack stays balanced.
bool FcpSequenceReader::skipping(std::string_view name) const {
    if (skipAudio_ + skipBin_ + skipMulticlip_ == 0) return false;
    if (name == "audio") return skipAudio_ == 0;
    if (name == "bin") return skipBin_ == 0;
    if (name == "multiclip") return skipMulticlip_ == 0;
    return true;
}

std::string_view FcpSequenceReader::parent() const { return tags_.empty() ? std::string_view() : tags_.back(); }

std::string_view FcpSequenceReader::grandparent() const {
    return tags_.size() < 2 ? std::string_view() : std::string_view(tags_[tags_.size() - 2]);
}

void FcpSequenceReader::startElement(std::string_view name, const char* const* attributes) {
    if (skipping(name)) return;
    if (name == "audio") ++skipAudio_;
    else if (name == "bin") ++skipBin_;
    else if (name == "multiclip") ++skipMulticlip_;

    if (name == "clipitem") {
        FcpClipItem item;
        if (transitionEnd_ - transitionStart_ > 0) {
            item.transitionStart = transitionStart_;
            item.transitionEnd = transitionEnd_;
            transitionStart_ = transitionEnd_ = 0;
        }
        clipItems_.push(std::move(item));
    } else if (name == "track") {
        tracks_.emplace_back();
    } else if (name != "transitionitem") {
        if (name == "file") {
            for (auto a = attributes; a && a[0] && a[1]; a += 2) {
                if (std::string_view(a[0]) != "id") continue;
                currentFileID_ = a[1];
                // A file's timecode and reel are its own, never the last file's.
                currentTC_ = nullptr;
                currentReel_.clear();
                if (parent() == "clipitem" && !clipItems_.empty()) clipItems_.top().fileID = currentFileID_;
            }
        } else if (name == "timecode") {
            currentTCFrames_ = -1;
            currentTCString_.clear();
            currentDisplayFormat_.clear();
            tempReel_.clear();
            currentSource_ = "source";  // a timecode that names no source is the source timecode
        }
        text_.clear();
    }
    tags_.emplace_back(name);
}

void FcpSequenceReader::characters(std::string_view text) {
    if (skipAudio_ + skipBin_ + skipMulticlip_ > 0 || tags_.empty() || !collects(tags_.back())) return;
    if (text_.size() < kMaxText) text_.append(text.substr(0, kMaxText - text_.size()));
}

bool FcpSequenceReader::endElement(std::string_view name) {
    if (skipping(name)) return true;
    if (!tags_.empty()) tags_.pop_back();
    if (name == "audio") --skipAudio_;
    else if (name == "bin") --skipBin_;
    else if (name == "multiclip") --skipMulticlip_;

    const std::string_view p = parent(), gp = grandparent();
    FcpClipItem* item = clipItems_.empty() ? nullptr : &clipItems_.top();
    bool goOn = true;
    if (name == "track") endTrack();
    else if (name == "ntsc" && (gp == "sequence" || gp == "clipitem")) ntsc_ = trimmed(text_) != "FALSE";
    else if (name == "timebase" && (gp == "sequence" || gp == "file" || p == "clipitem"))
        currentTimebase_ = static_cast<int>(leadingInt(text_));
    else if (name == "startoffset" && p == "subclipinfo" && gp == "clipitem" && item)
        item->startOffset = leadingInt(text_);
    else if (name == "rate") goOn = endRate();
    else if (name == "enabled" && p == "track" && !tracks_.empty()) tracks_.back().enabled = trimmed(text_);
    else if (name == "enabled" && p == "clipitem" && item) item->enabled = trimmed(text_);
    else if (p == "timecode" && name == "string") currentTCString_ = trimmed(text_);
    else if (p == "timecode" && name == "frame") currentTCFrames_ = leadingInt(text_);
    else if (p == "timecode" && name == "source") currentSource_ = trimmed(text_);
    else if (p == "timecode" && name == "displayformat") currentDisplayFormat_ = trimmed(text_);
    else if (name == "timecode") endTimecode();
    else if (name == "name" && p == "clipitem" && item) item->clipname = text_;
    else if (name == "name" && p == "reel" && gp == "timecode") tempReel_ = text_;
    else if (p == "clipitem" && item && (name == "in" || name == "out" || name == "start" || name == "end")) {
        std::int64_t v = leadingInt(text_);
        (name == "in" ? item->in : name == "out" ? item->out : name == "start" ? item->start : item->end) = v;
    } else if (p == "transitionitem" && (name == "start" || name == "end"))
        (name == "start" ? transitionStart_ : transitionEnd_) = leadingInt(text_);
    else if (name == "file") endFile();
    else if (name == "clipitem") finishClipItem();
    else if (name == "sequence" && p != "clipitem") placeFinished();
    text_.clear();
    return goOn;
}

bool FcpSequenceReader::endRate() {
    const std::string_view p = parent(), gp = grandparent();
    if (!(p == "clipitem" || p == "sequence" || gp == "sequence" || gp == "file")) return true;
    currentKLVTimebase_ = (ntsc_ && currentTimebase_ == 24) ? "23.976" : std::to_string(currentTimebase_);
    if (p != "sequence") return true;
    if (gp != "clipitem") {
        // The sequence's own rate, until its timecode says more (drop frame).
        sequenceRate_ = currentTimebase_;
        sequenceNtsc_ = ntsc_;
        sequenceTimebase_ = currentKLVTimebase_;
    }
    if (sequenceRateAccepted(currentKLVTimebase_, opt_.edlType, opt_.tab)) return true;
    refusedRate_ = currentKLVTimebase_;
    return false;
}

void FcpSequenceReader::endTimecode() {
    const std::string_view p = parent();
    if (currentSource_ != "source") return;
    if (p == "sequence" && grandparent() != "clipitem") {
        const int rate = sequenceRate_ ? sequenceRate_ : currentTimebase_;
        const bool df = currentDisplayFormat_ == "DF";
        if (sequenceNtsc_ && df && rate == 30) sequenceTimebase_ = "29.97df";
        else if (sequenceNtsc_ && df && rate == 60) sequenceTimebase_ = "59.94df";
        else sequenceTimebase_ = std::to_string(rate);
        TcPtr fromText = KLVtc::initWithString(currentTCString_, sequenceTimebase_);
        sequenceOffset_ = currentTCFrames_ != -1 ? currentTCFrames_ : fromText ? fromText->totalFrames() : 0;
    } else if (p == "file") {
        currentTC_ = currentTCFrames_ != -1 ? framesAt(currentTCFrames_, currentKLVTimebase_)
                                             : KLVtc::initWithString(currentTCString_, currentKLVTimebase_);
        currentReel_ = tempReel_;
    }
}

void FcpSequenceReader::endTrack() {
    if (tracks_.empty()) return;
    Track track = std::move(tracks_.back());
    tracks_.pop_back();
    if (track.enabled != "TRUE") return;
    auto& into = tracks_.empty() ? finished_ : tracks_.back().events;
    into.splice(into.end(), track.events);
}

void FcpSequenceReader::endFile() {
    if (currentFileID_.empty() || files_.count(currentFileID_)) return;
    files_[currentFileID_] = FileRecord{currentTC_, currentReel_};
}

void FcpSequenceReader::finishClipItem() {
    if (clipItems_.empty()) return;
    FcpClipItem item = clipItems_.pop();
    if (item.enabled == "FALSE" || !item.fileID) return;
    // A file id that no file element defined has no start: it counts from 0.
    auto file = files_.find(*item.fileID);
    const std::int64_t fileTC = file != files_.end() && file->second.tc ? file->second.tc->totalFrames() : 0;
    auto placed = clipItems_.place(item, !finished_.empty());
    if (!placed || tracks_.empty()) return;  // outside the used part, or on no timeline

    std::string clip = item.clipname.value_or("");
    if (opt_.useReelNames && file != files_.end() && !file->second.reel.empty()) clip = file->second.reel;
    const std::int64_t source = fileTC + item.startOffset;
    tracks_.back().events.push_back(Pending{eventNumberText(static_cast<std::size_t>(eventCount_)), clip,
                                            placed->in + source, placed->out + source, placed->start, placed->end,
                                            eventCount_, false, 0, {}});
    ++eventCount_;
}

void FcpSequenceReader::placeFinished() {
    for (auto& e : finished_) {
        if (e.placed) continue;
        e.placed = true;
        e.offset = sequenceOffset_;
        e.timebase = sequenceTimebase_;
    }
}

EditArray FcpSequenceReader::takeEvents() {
    placeFinished();
    EditArray out;
    for (const auto& e : finished_) {
        TcPtr si = framesAt(e.in, e.timebase), so = framesAt(e.out, e.timebase);
        TcPtr mi = framesAt(e.start + e.offset, e.timebase), mo = framesAt(e.end + e.offset, e.timebase);
        if (!si || !so || !mi || !mo) continue;  // times before 00:00:00:00 or past 32 bits
        EditPtr ev = edit::initWithNum(e.number, e.clip, si, so, mi, mo);
        ev->setTrackPriority(e.priority);
        out.push_back(std::move(ev));
    }
    finished_.clear();
    return out;
}

}  // namespace rw
