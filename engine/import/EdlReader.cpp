#include "import/EdlReader.h"

#include "core/Files.h"
#include "core/Text.h"
#include "ports/MoviePort.h"

#include <array>
#include <optional>

namespace rw {

namespace {

constexpr std::array<std::string_view, 6> kNamePrefixes = {
    "* FROM CLIP NAME:", "*FROM CLIP NAME:", "* TO CLIP NAME:",
    "*TO CLIP NAME:",    "* KEY CLIP NAME:", "*KEY CLIP NAME:"};

struct FileState {
    std::string mode = "none";
    std::string listRate;
    Timebase listTimebase;
    bool oldMovieTaken = false;
    bool newMovieTaken = false;
};

bool isNonEventReel(std::string_view reel) { return reel == "BL" || reel == "CLOCK" || reel == "AX"; }

void takeMovieLine(std::string_view line, const EdlReadOptions& opt, FileState& st) {
    if (!opt.importVariant || !opt.movies || line.size() <= 9) return;
    if (!st.oldMovieTaken && startsWith(line, "MovieOld:")) {
        opt.movies->setMoviesOld(std::string(line.substr(9)));
        st.oldMovieTaken = true;
    } else if (!st.newMovieTaken && startsWith(line, "MovieNew:")) {
        opt.movies->setMoviesNew(std::string(line.substr(9)));
        st.newMovieTaken = true;
    }
}

std::string lineRateFor(const FileState& st, const EdlReadOptions& opt) {
    const std::string& mode = st.mode;
    if (mode == "DROP FRAME") return "29.97df";
    if (mode.size() >= 2) {
        std::string two = mode.substr(0, 2);
        if (two == "25" || two == "24" || two == "30" || two == "50" || two == "60") return two;
    }
    if (mode == "NON-DROP FRAME" && st.listRate == "29.97df") return "30";
    if (opt.importVariant && mode == "29.97 NON-DROP FRAME") return "30";
    if (opt.edlType == "PAL film") return "25";
    return opt.currentRate;
}

bool isEventLine(std::string_view line) {
    std::size_t colons = 0, semis = 0;
    for (char c : line) {
        colons += c == ':';
        semis += c == ';';
    }
    return colons == 12 || (colons == 8 && semis == 4);
}

// The four 11-character timecodes of an event line, found from its colons.
std::optional<std::array<std::string_view, 4>> timecodeTexts(std::string_view line) {
    std::array<std::string_view, 4> out;
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon < 2) return std::nullopt;
    std::size_t start = colon - 2;
    for (int k = 0; k < 4; ++k) {
        if (start + 11 > line.size()) return std::nullopt;
        out[k] = line.substr(start, 11);
        if (k == 3) break;
        std::size_t from = start + 11;
        std::size_t next = from <= line.size() ? line.find(':', from) : std::string_view::npos;
        if (next == std::string_view::npos || next < 2) return std::nullopt;
        start = next - 2;
    }
    return out;
}

struct Block {
    std::optional<std::size_t> nameLine;
    bool motion = false;
};

bool isNameLine(std::string_view t) {
    for (auto prefix : kNamePrefixes)
        if (startsWith(t, prefix) && t.size() > prefix.size()) return true;
    return false;
}

// The comment and motion lines that follow an event line and belong to it:
// lines starting "*" or "M2" belong to any block, lines starting with the
// event's number to its own block. Hostile files (thousands of event lines
// with one number, or starred event lines) would make a plain scan from every
// event line quadratic; instead the lines are classified once, runs of
// "any block" lines are skipped in one step, and the last long scan answers
// for the later lines inside it that carry the same number (two long scans
// cannot overlap with different numbers: each stops at the other's lines).
class LookAhead {
public:
    explicit LookAhead(const std::vector<std::string_view>& lines) : lines_(lines) {}

    Block from(std::size_t i, std::string_view number, bool ax) {
        classify();
        std::size_t end;
        if (long_.valid && i > long_.from && i < long_.end && number == long_.number && ax == long_.ax) {
            end = long_.end;
        } else {
            std::size_t walked = 0;
            end = endOfBlock(i, number, ax, walked);
            if (walked > kLongScan) long_ = {true, i, end, std::string(number), ax};
        }
        Block b;
        const std::size_t last = end - 1;  // the block is (i, end)
        if (lastName_[last] != kNone && lastName_[last] > i) b.nameLine = lastName_[last];
        b.motion = lastMotion_[last] != kNone && lastMotion_[last] > i;
        return b;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::size_t kLongScan = 8;  // same-number lines walked
    struct Scan {
        bool valid = false;
        std::size_t from = 0, end = 0;
        std::string number;
        bool ax = false;
    };

    std::size_t endOfBlock(std::size_t i, std::string_view number, bool ax, std::size_t& walked) const {
        std::size_t j = i + 1;
        while (j < lines_.size()) {
            j = nextOther_[j];
            if (j >= lines_.size()) break;
            std::string_view t = trimSpaceTab(lines_[j]);
            if (t.size() < 4 || ax || t.substr(0, 3) != number) break;
            ++walked;
            ++j;
        }
        return j;
    }

    void classify() {
        if (classified_) return;
        classified_ = true;
        const std::size_t n = lines_.size();
        nextOther_.assign(n + 1, n);
        lastName_.assign(n, kNone);
        lastMotion_.assign(n, kNone);
        for (std::size_t j = 0; j < n; ++j) {
            std::string_view t = trimSpaceTab(lines_[j]);
            bool any = t.size() >= 4 && (startsWith(t, "*") || startsWith(t, "M2"));
            lastName_[j] = any && isNameLine(t) ? j : (j ? lastName_[j - 1] : kNone);
            lastMotion_[j] = any && startsWith(t, "M2") ? j : (j ? lastMotion_[j - 1] : kNone);
            if (!any) nextOther_[j] = j;
        }
        for (std::size_t j = n; j-- > 0;)
            if (nextOther_[j] != j) nextOther_[j] = nextOther_[j + 1];
    }

    const std::vector<std::string_view>& lines_;
    bool classified_ = false;
    std::vector<std::size_t> nextOther_;  // first line at or after j that belongs to no block by itself
    std::vector<std::size_t> lastName_, lastMotion_;  // last clip-name / motion line at or before j
    Scan long_;
};

std::string clipFromNameLine(std::string_view line) {
    std::string_view t = trimSpaceTab(line);
    for (auto prefix : kNamePrefixes)
        if (startsWith(t, prefix)) return std::string(trimSpaceTab(trimControl(t.substr(prefix.size()))));
    return {};
}

// The number and reel words; tabs separate words as spaces do.
bool firstTwoWords(std::string_view line, std::string_view& first, std::string_view& second) {
    constexpr std::string_view kSeparators = " \t";
    std::size_t a = line.find_first_not_of(kSeparators);
    if (a == std::string_view::npos) return false;
    std::size_t b = line.find_first_of(kSeparators, a);
    if (b == std::string_view::npos) return false;
    std::size_t c = line.find_first_not_of(kSeparators, b);
    if (c == std::string_view::npos) return false;
    std::size_t d = std::min(line.find_first_of(kSeparators, c), line.size());
    first = line.substr(a, b - a);
    second = line.substr(c, d - c);
    return true;
}

void readEventLine(const std::vector<std::string_view>& lines, std::size_t i, const Timebase& lineRate,
                   const FileState& st, const EdlReadOptions& opt, LookAhead& lookAhead, EditArray& events) {
    std::string_view line = lines[i];
    auto tcs = timecodeTexts(line);
    if (!tcs) return;
    std::string_view first, second;
    if (!firstTwoWords(line, first, second)) return;
    std::string number(first);
    std::string reel(trimSpaceTab(second));

    Block block;
    if (opt.compareByClipName || reel == "BL" || reel == "CLOCK" || reel == "AX" || reel == "LEADER")
        block = lookAhead.from(i, number, reel == "AX");
    std::string clip = block.nameLine ? clipFromNameLine(lines[*block.nameLine]) : reel;

    TcPtr si = KLVtc::initWithString((*tcs)[0], lineRate);
    TcPtr so = KLVtc::initWithString((*tcs)[1], lineRate);
    TcPtr mi = KLVtc::initWithString((*tcs)[2], st.listTimebase);
    TcPtr mo = KLVtc::initWithString((*tcs)[3], st.listTimebase);
    if (!si || !so || !mi || !mo) return;
    if (si->totalFrames() == so->totalFrames()) return;
    if (isNonEventReel(clip)) return;
    if (!events.empty() && events.back()->editNum() == number) return;

    EditPtr e = edit::initWithNum(number, clip, si, so, mi, mo);
    if (opt.setVFXValues) opt.setVFXValues(*e);
    if (block.motion) e->setIsMotionEffected(true);
    events.push_back(std::move(e));
}

}  // namespace

void readEdlLines(const std::vector<std::string_view>& lines, const EdlReadOptions& opt, EditArray& events) {
    FileState st;
    LookAhead lookAhead(lines);
    std::string lineRate;
    Timebase lineTimebase;
    bool rateKnown = false;  // the line rate changes only with the mode or an empty list rate
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        takeMovieLine(line, opt, st);
        if (line.size() > 4 && startsWith(line, "FCM:")) {
            st.mode = std::string(trimWhitespace(line.substr(4)));
            rateKnown = false;
        }
        if (!rateKnown || st.listRate.empty()) {
            lineRate = lineRateFor(st, opt);
            lineTimebase = Timebase::parse(lineRate);
            rateKnown = true;
        }
        if (st.listRate.empty()) {
            st.listRate = lineRate;
            st.listTimebase = lineTimebase;
        }
        if (isEventLine(line)) readEventLine(lines, i, lineTimebase, st, opt, lookAhead, events);
    }
}

EditArray extractEDLDataFromPath(const std::string& path, EdlReadOptions options) {
    options.importVariant = false;
    options.movies = nullptr;
    EditArray events;
    auto text = readFileText(path);
    if (!text) return events;
    std::vector<std::string_view> lines = splitView(text.value, '\n');
    if (lines.size() == 1) lines = splitView(text.value, '\r');
    readEdlLines(lines, options, events);
    return events;
}

}  // namespace rw
