#include "import/CutListReader.h"

#include "comparison/Heal.h"
#include "core/Text.h"
#include "import/FootageLine.h"

#include <algorithm>
#include <limits>

namespace rw {

namespace {

constexpr std::int64_t kFramesPerHour24 = 86400;

// A footage field cut after the last white space within its first four
// characters, so "  12+05" (fewer than four feet digits) reads as 12+05.
TcPtr footage(std::string_view field) {
    std::size_t cut = 0;
    for (std::size_t i = 0; i < field.size() && i < 4; ++i)
        if (isWhiteChar(field[i])) cut = i + 1;
    TcPtr tc = KLVtc::initWithFeetAndFrames(field.substr(cut));
    if (tc && tc->totalFrames() < 0) return nullptr;  // no film runs backwards
    return tc;
}

// The lab roll column: cut after its last control character, empty when it holds a "+".
std::string nameField(std::string_view field) {
    std::size_t cut = 0;
    for (std::size_t i = 0; i < field.size(); ++i)
        if (isControlChar(field[i])) cut = i + 1;
    std::string_view n = field.substr(cut);
    if (n.find('+') != std::string_view::npos) return {};
    return std::string(n);
}

std::string chooseName(const std::string& n, const std::string& c, const CutListOptions& opt) {
    // A lab roll column of blanks holds no name, so the clip column stands in.
    const bool noLabroll = trimControl(trimWhitespace(n)).empty();
    std::string name = n;
    if ((!c.empty() && noLabroll) || (opt.isVFXClip && opt.isVFXClip(c)) || opt.compareByClipName) name = c;
    return std::string(trimControl(trimWhitespace(name)));
}

bool acceptedName(const std::string& name) {
    if (name.empty() || name == "LEADER") return false;
    return !(utf8Length(name) > 4 && startsWith(name, "Opt "));
}

TcPtr at24(std::int64_t frames) {
    if (frames < 0 || frames > std::numeric_limits<std::int32_t>::max()) return nullptr;
    return KLVtc::initWithFrames(static_cast<std::int32_t>(frames), "24");
}

void readLine(std::string_view text, const CutListOptions& opt, std::int64_t hour, EditArray& events) {
    if (std::count(text.begin(), text.end(), '+') != 5) return;
    const FootageLine line(text);
    const auto& plus = line.plusPositions();
    if (plus.size() != 5 || plus[3] < 15) return;
    auto recField = line.footageField(plus[0]), durField = line.footageField(plus[2]);
    auto srcField = line.footageField(plus[3]);
    if (!recField || !durField || !srcField) return;
    TcPtr recordStart = footage(*recField), duration = footage(*durField), sourceStart = footage(*srcField);
    if (!recordStart || !duration || !sourceStart) return;

    const std::string name = chooseName(nameField(line.substr(plus[3] - 15, 10)), std::string(line.afterLastControl()), opt);
    const std::int64_t dur = duration->totalFrames();
    TcPtr sourceOut = at24(std::int64_t{sourceStart->totalFrames()} + dur);
    TcPtr masterOut = at24(std::int64_t{recordStart->totalFrames()} + dur);
    // The hour must leave both record times frame counts that fit.
    auto placed = [hour](const TcPtr& t) { return t->totalFrames() + (hour - t->hours()) * kFramesPerHour24; };
    auto fits = [](std::int64_t v) { return v >= 0 && v <= std::numeric_limits<std::int32_t>::max(); };
    if (!sourceOut || !masterOut || !fits(placed(recordStart)) || !fits(placed(masterOut))) return;
    recordStart->setHours(static_cast<std::int32_t>(hour));
    masterOut->setHours(static_cast<std::int32_t>(hour));

    if (sourceStart->totalFrames() == sourceOut->totalFrames() || !acceptedName(name)) return;
    EditPtr e = edit::initWithNum(eventNumberText(events.size() + 1), name, sourceStart, sourceOut, recordStart,
                                  masterOut);
    if (opt.setVFXValues) opt.setVFXValues(*e);
    events.push_back(std::move(e));
}

}  // namespace

void readCutListLines(const std::vector<std::string_view>& lines, const CutListOptions& opt, EditArray& events) {
    const std::int64_t hour = hourCodeValue(opt.hourCode);
    for (const auto& line : lines) readLine(line, opt, hour, events);
}

}  // namespace rw
