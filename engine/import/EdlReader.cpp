#include "import/EdlReader.h"

#include "core/Files.h"
#include "core/Text.h"
#include "ports/MoviePort.h"

#include <array>
#include <optional>

namespace rw {

namespace {

// A comment block longer than this is not an EDL's; stopping bounds the work
// on hostile files without changing any real list.
constexpr std::size_t kMaxLookAhead = 10000;

constexpr std::array<std::string_view, 6> kNamePrefixes = {
    "* FROM CLIP NAME:", "*FROM CLIP NAME:", "* TO CLIP NAME:",
    "*TO CLIP NAME:",    "* KEY CLIP NAME:", "*KEY CLIP NAME:"};

struct FileState {
    std::string mode = "none";
    std::string listRate;
    bool oldMovieTaken = false;
    bool newMovieTaken = false;
};

bool isNonEventReel(std::string_view reel) { return reel == "BL" || reel == "CLOCK" || reel == "AX"; }

void takeMovieLine(const std::string& line, const EdlReadOptions& opt, FileState& st) {
    if (!opt.importVariant || !opt.movies || line.size() <= 9) return;
    if (!st.oldMovieTaken && startsWith(line, "MovieOld:")) {
        opt.movies->setMoviesOld(line.substr(9));
        st.oldMovieTaken = true;
    } else if (!st.newMovieTaken && startsWith(line, "MovieNew:")) {
        opt.movies->setMoviesNew(line.substr(9));
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
std::optional<std::array<std::string, 4>> timecodeTexts(std::string_view line) {
    std::array<std::string, 4> out;
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon < 2) return std::nullopt;
    std::size_t start = colon - 2;
    for (int k = 0; k < 4; ++k) {
        if (start + 11 > line.size()) return std::nullopt;
        out[k] = std::string(line.substr(start, 11));
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

// The comment and motion lines that follow an event line and belong to it.
Block lookAhead(const std::vector<std::string>& lines, std::size_t i, std::string_view number,
                std::string_view reel) {
    Block b;
    for (std::size_t j = i + 1; j < lines.size() && j - i <= kMaxLookAhead; ++j) {
        std::string_view t = trimSpaceTab(lines[j]);
        if (t.size() < 4) break;
        bool belongs = startsWith(t, "*") || startsWith(t, "M2") || (t.substr(0, 3) == number && reel != "AX");
        if (!belongs) break;
        for (auto prefix : kNamePrefixes)
            if (startsWith(t, prefix) && t.size() > prefix.size()) b.nameLine = j;
        if (t.size() > 2 && startsWith(t, "M2")) b.motion = true;
    }
    return b;
}

std::string clipFromNameLine(std::string_view line) {
    std::string_view t = trimSpaceTab(line);
    for (auto prefix : kNamePrefixes)
        if (startsWith(t, prefix)) return std::string(trimSpaceTab(trimControl(t.substr(prefix.size()))));
    return {};
}

void readEventLine(const std::vector<std::string>& lines, std::size_t i, const std::string& lineRate,
                   const FileState& st, const EdlReadOptions& opt, EditArray& events) {
    const std::string& line = lines[i];
    auto tcs = timecodeTexts(line);
    if (!tcs) return;
    auto w = words(line, " \t");
    if (w.size() < 2) return;
    std::string number(w[0]);
    std::string reel(trimSpaceTab(w[1]));

    Block block;
    if (opt.compareByClipName || reel == "BL" || reel == "CLOCK" || reel == "AX" || reel == "LEADER")
        block = lookAhead(lines, i, number, reel);
    std::string clip = block.nameLine ? clipFromNameLine(lines[*block.nameLine]) : reel;

    TcPtr si = KLVtc::initWithString((*tcs)[0], lineRate);
    TcPtr so = KLVtc::initWithString((*tcs)[1], lineRate);
    TcPtr mi = KLVtc::initWithString((*tcs)[2], st.listRate);
    TcPtr mo = KLVtc::initWithString((*tcs)[3], st.listRate);
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

void readEdlLines(const std::vector<std::string>& lines, const EdlReadOptions& opt, EditArray& events) {
    FileState st;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        takeMovieLine(line, opt, st);
        if (line.size() > 4 && startsWith(line, "FCM:")) st.mode = std::string(trimWhitespace(line.substr(4)));
        std::string lineRate = lineRateFor(st, opt);
        if (st.listRate.empty()) st.listRate = lineRate;
        if (isEventLine(line)) readEventLine(lines, i, lineRate, st, opt, events);
    }
}

EditArray extractEDLDataFromPath(const std::string& path, EdlReadOptions options) {
    options.importVariant = false;
    options.movies = nullptr;
    EditArray events;
    auto text = readFileText(path);
    if (!text) return events;
    std::vector<std::string> lines = split(*text, '\n');
    if (lines.size() == 1) lines = split(*text, '\r');
    readEdlLines(lines, options, events);
    return events;
}

}  // namespace rw
