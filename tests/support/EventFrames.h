#pragma once
// An event's four times as frame counts, for comparing whole events at once.

#include "core/Edit.h"

#include <ostream>
#include <vector>

namespace rw::test {

struct Frames {
    int si, so, mi, mo;
    friend bool operator==(const Frames&, const Frames&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Frames& f) {
        return os << "src " << f.si << "-" << f.so << " rec " << f.mi << "-" << f.mo;
    }
};

inline Frames frames(const EditPtr& e) {
    return {framesOf(e->sourceIn()), framesOf(e->sourceOut()), framesOf(e->masterIn()), framesOf(e->masterOut())};
}

inline std::vector<Frames> frames(const EditArray& events) {
    std::vector<Frames> out;
    for (const auto& e : events) out.push_back(frames(e));
    return out;
}

}  // namespace rw::test
