#include "conform/TextConform.h"

#include "conform/ConformTime.h"
#include "core/Files.h"
#include "core/Text.h"

#include <limits>

namespace rw {

namespace {

std::string_view withoutQuotes(std::string_view field) {
    while (!field.empty() && field.front() == '"') field.remove_prefix(1);
    while (!field.empty() && field.back() == '"') field.remove_suffix(1);
    return field;
}

bool fitsFrames(std::int64_t v) { return v >= 0 && v <= std::numeric_limits<std::int32_t>::max(); }

enum class Status { NoCode, Conformed, Respot };

const char* statusWord(Status s) {
    if (s == Status::Conformed) return "CONFORMED";
    if (s == Status::Respot) return "RESPOT";
    return "NOCODE";
}

// Timecodes read the old ranges in full, footages within their hour.
struct Indexes {
    ChangeIndex full, withinHour;
};

// One field's output text; a time field updates the line's status.
std::string conformField(std::string_view field, const Indexes& events, const std::string& timebase,
                         Status& status) {
    const std::string v(withoutQuotes(field));
    OldRange range = OldRange::Full;
    TcPtr time = KLVtc::initWithString(v, timebase);
    if (!time) {
        time = KLVtc::initWithFeetAndFrames(v);
        range = OldRange::WithinHour;
    }
    if (!time) return v;
    const ChangeIndex& index = range == OldRange::Full ? events.full : events.withinHour;
    auto moved = index.movedFrames(time->totalFrames());
    if (!moved || !fitsFrames(*moved)) {
        status = Status::Respot;
        return "[" + v + "]";
    }
    time->setTotalFrames(static_cast<std::int32_t>(*moved));
    if (status != Status::Respot) status = Status::Conformed;
    return range == OldRange::Full ? time->tcAsString() : time->tcAsFeetFrames();
}

}  // namespace

std::string conformTextFile(const std::string& text, const EditArray& events, char separator,
                            const std::string& timebase) {
    const Indexes indexes{ChangeIndex(events, OldRange::Full), ChangeIndex(events, OldRange::WithinHour)};
    std::string out;
    for (const auto& line : splitLines(text)) {
        Status status = Status::NoCode;
        const auto fields = splitView(line, separator);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            std::string v = conformField(fields[k], indexes, timebase, status);
            out += separator == ',' ? "\"" + v + "\"" : v;
            if (k + 1 < fields.size()) out += separator;
            else out += std::string("\t") + statusWord(status) + "\n";
        }
    }
    return out;
}

std::string conformedTextName(const std::string& inputName) {
    const std::string name = deletingPathExtension(inputName);
    const std::string ext = pathExtension(inputName);
    const std::size_t n = utf8Length(name), x = utf8Length(ext);
    // An extension of 25 characters or more would leave nothing of the name.
    if (ext.empty() || x >= 25) return (n >= 23 ? utf8Prefix(name, 22) : name) + "-conf.txt";
    if (n + 6 + x < 32) return name + "-conf." + ext;
    return utf8Prefix(name, 31 - 6 - x) + "-conf." + ext;
}

}  // namespace rw
