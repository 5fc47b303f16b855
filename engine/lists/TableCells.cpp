#include "lists/TableCells.h"

#include <algorithm>

namespace rw {

namespace {

const std::optional<std::string>* vfxField(const edit& e, std::string_view column) {
    if (column == "scene") return &e.scene();
    if (column == "shot") return &e.shot();
    if (column == "version") return &e.version();
    return nullptr;
}

template <class T>
int order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// -1, 0 or 1 as x sorts before, with or after y by one column.
int compareBy(const edit& x, const edit& y, std::string_view key) {
    if (isTimecodeColumn(key)) {
        const TcPtr a = timecodeForColumn(x, key), b = timecodeForColumn(y, key);
        if (!a || !b) return order(a != nullptr, b != nullptr);
        return a->compare(*b);
    }
    if (key == "editNum") return order(x.editNum(), y.editNum());
    if (key == "clip") return order(x.clip(), y.clip());
    if (const auto* a = vfxField(x, key)) return order(*a, *vfxField(y, key));
    return 0;
}

}  // namespace

bool isTimecodeColumn(std::string_view c) {
    return c == "sourceIn" || c == "sourceOut" || c == "masterIn" || c == "masterOut";
}

bool isColumnEditable(std::string_view c) { return c == "clip" || isTimecodeColumn(c); }

TcPtr timecodeForColumn(const edit& e, std::string_view c) {
    if (c == "sourceIn") return e.sourceIn();
    if (c == "sourceOut") return e.sourceOut();
    if (c == "masterIn") return e.masterIn();
    if (c == "masterOut") return e.masterOut();
    return nullptr;
}

std::string cellText(const edit& e, std::string_view c) {
    if (c == "editNum") return e.editNum();
    if (c == "clip") return e.clip();
    if (isTimecodeColumn(c)) return describe(timecodeForColumn(e, c));
    if (const auto* v = vfxField(e, c)) return v->value_or("");
    return {};
}

std::vector<std::string> tableColumns(bool changeList) {
    std::vector<std::string> c = {"editNum", "clip", "sourceIn", "sourceOut", "masterIn", "masterOut"};
    if (!changeList) c.insert(c.end(), {"scene", "shot", "version"});
    return c;
}

bool isColumnShown(const EditArray& events, std::string_view c) {
    if (c != "scene" && c != "shot" && c != "version") return true;
    return std::any_of(events.begin(), events.end(), [&](const EditPtr& e) { return !cellText(*e, c).empty(); });
}

Color cellTextColor(const Color& color, bool selected, bool changeList) {
    if (!selected) return color;
    // Missed and VFX share one red, so a red event reads as both.
    if (color == standardColorVFX()) return changeList ? standardColorVFXHilite() : standardColorMissedHilite();
    if (color == standardColorGap() && changeList) return standardColorGapHilite();
    return color;
}

std::string expandTypedTimecode(std::string_view t) {
    if (t.size() != 8) return std::string(t);
    std::string out;
    for (std::size_t i = 0; i < 8; i += 2) {
        if (i) out += ':';
        out += t.substr(i, 2);
    }
    return out;
}

void sortEvents(EditArray& events, const std::vector<SortDescriptor>& descriptors) {
    if (descriptors.empty()) return;
    std::stable_sort(events.begin(), events.end(), [&](const EditPtr& x, const EditPtr& y) {
        for (const auto& d : descriptors) {
            const int c = compareBy(*x, *y, d.key);
            if (c != 0) return d.ascending ? c < 0 : c > 0;
        }
        return false;
    });
}

}  // namespace rw
