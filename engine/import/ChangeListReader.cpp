#include "import/ChangeListReader.h"

#include "comparison/Heal.h"
#include "core/Text.h"
#include "import/FootageLine.h"

#include <array>
#include <limits>
#include <map>

namespace rw {

namespace {

constexpr std::int64_t kReelFrames = 86400;  // one hour at 24 fps

enum class Kind { Delete, Insert, Move, Trim, Lengthen };

struct Change {
    Kind kind;
    std::int64_t a, b;   // position and length, frames
    std::string number;  // the change number
};

std::optional<Kind> kindOf(std::string_view line) {
    static constexpr std::array<std::pair<std::string_view, Kind>, 5> words = {{
        {"delete ", Kind::Delete}, {"insert ", Kind::Insert}, {"move ", Kind::Move},
        {"trim ", Kind::Trim},     {"lengthen ", Kind::Lengthen},
    }};
    for (const auto& [word, kind] : words)
        if (containsNoCase(line, word)) return kind;
    return std::nullopt;
}

bool adds(Kind k) { return k == Kind::Insert || k == Kind::Lengthen; }

// The first run of digits before the last white space that precedes the 1st "+".
std::string changeNumber(const FootageLine& line) {
    auto head = line.beforeLastWhite(0);
    if (!head) return {};
    const std::size_t b = head->find_first_of("0123456789");
    if (b == std::string_view::npos) return {};
    const std::size_t e = head->find_first_not_of("0123456789", b);
    return std::string(head->substr(b, e == std::string_view::npos ? std::string_view::npos : e - b));
}

std::optional<std::int64_t> footageFrames(const FootageLine& line, std::size_t plus) {
    auto field = line.footageField(plus);
    TcPtr tc = field ? KLVtc::initWithFeetAndFrames(*field) : nullptr;
    if (!tc || tc->totalFrames() < 0) return std::nullopt;  // no film runs backwards
    return tc->totalFrames();
}

std::optional<Change> parseChange(std::string_view text) {
    auto kind = kindOf(text);
    if (!kind) return std::nullopt;
    const FootageLine line(text);
    const auto& plus = line.plusPositions();
    const std::size_t lengthPlus = adds(*kind) ? 2 : 1;
    if (plus.size() < 2 || plus.size() <= lengthPlus) return std::nullopt;
    auto a = footageFrames(line, plus[0]);
    auto b = footageFrames(line, plus[lengthPlus]);
    if (!a || !b) return std::nullopt;
    return Change{*kind, *a, *b, changeNumber(line)};
}

// The number named by "to #" or "from #" on a line: four characters, trimmed.
std::optional<std::string> markedNumber(const std::string_view* line, std::string_view marker) {
    if (!line) return std::nullopt;
    const std::size_t at = line->find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    const FootageLine rest(line->substr(at + marker.size()));
    return std::string(trimWhitespace(rest.substr(0, 4)));
}

TcPtr at24(std::int64_t frames) {
    if (frames < 0 || frames > std::numeric_limits<std::int32_t>::max()) return nullptr;
    return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), "24");
}

struct Range {
    std::int64_t in, out;
};

class Replay {
public:
    Replay(EditArray& events, std::int64_t hourStart) : events_(events), h_(hourStart) {
        events_.push_back(edit::initWithNum("001", "", at24(h_), at24(h_ + kReelFrames), at24(h_),
                                            at24(h_ + kReelFrames)));
    }

    void apply(const Change& c, const std::string_view* next) {
        const std::int64_t at = h_ + c.a;
        const std::int64_t si = adds(c.kind) ? at - d_ : at + c.b - d_;
        const std::int64_t so = h_ + kReelFrames;
        const std::int64_t mi = adds(c.kind) ? at + c.b : at;
        TcPtr tsi = at24(si), tso = at24(so), tmi = at24(mi), tmo = at24(mi + (so - si));
        if (!cutLast(at)) return;
        if (c.kind == Kind::Move) {
            // The moved piece is the material the move takes out, which lay
            // at the position before the running shift changes.
            if (auto to = markedNumber(next, "to #")) pieces_.push_back({*to, {at - d_, at - d_ + c.b}});
        }
        d_ += adds(c.kind) ? c.b : -c.b;
        createCNEditForSI(events_, tsi, tso, tmi, tmo);
        if (adds(c.kind) && markedNumber(next, "from #")) gaps_[c.number] = {at, at + c.b};
    }

    // Each moved piece fills the gap stored under its name.
    void placeMovedPieces() {
        for (const auto& [name, source] : pieces_) {
            auto gap = gaps_.find(name);
            if (gap == gaps_.end()) continue;
            TcPtr si = at24(source.in), so = at24(source.out), mi = at24(gap->second.in), mo = at24(gap->second.out);
            if (si && so && mi && mo) events_.push_back(edit::initWithNum("001", "from move", si, so, mi, mo));
        }
    }

private:
    // Ends the running tail at `at`. A change that lies before the tail's
    // start is out of order and cannot be replayed.
    bool cutLast(std::int64_t at) {
        const EditPtr& last = events_.back();
        const std::int64_t mi = framesOf(last->masterIn());
        TcPtr mo = at24(at), so = at24(framesOf(last->sourceIn()) + (at - mi));
        if (at < mi || !mo || !so) return false;
        last->setMasterOut(mo);
        last->setSourceOut(so);
        return true;
    }

    EditArray& events_;
    const std::int64_t h_;
    std::int64_t d_ = 0;
    std::vector<std::pair<std::string, Range>> pieces_;
    std::map<std::string, Range> gaps_;
};

}  // namespace

void createCNEditForSI(EditArray& events, TcPtr si, TcPtr so, TcPtr mi, TcPtr mo) {
    if (!si || !so || !mi || !mo || si->totalFrames() >= so->totalFrames()) return;
    events.push_back(edit::initWithNum(eventNumberText(events.size() + 1), "", si, so, mi, mo));
    if (events.size() < 2) return;
    const EditPtr& before = events[events.size() - 2];
    if (framesOf(before->sourceOut()) - framesOf(before->sourceIn()) <= 0) events.erase(events.end() - 2);
}

void readChangeListLines(const std::vector<std::string_view>& lines, const ChangeListOptions& opt, EditArray& events) {
    Replay replay(events, hourCodeValue(opt.hourCode) * kReelFrames);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto change = parseChange(lines[i]);
        if (change) replay.apply(*change, i + 1 < lines.size() ? &lines[i + 1] : nullptr);
    }
    replay.placeMovedPieces();
    static const EditArray noNewList;
    EditArray healed = healArray(events, opt.ferocity, opt.newList ? *opt.newList : noNewList);
    renumberArray(healed);
    events = std::move(healed);
}

}  // namespace rw
