#pragma once
// Which of a set of names occur in a text, found in one pass over it, so a
// file is read once however many names are looked for. When every name has
// six bytes or more the text is skipped through (NameShiftTable); shorter
// names are found by an automaton that steps every byte (NameAutomaton).
//
// A text may be fed in pieces; a name that spans two pieces is found when
// each piece begins with the last overlap() bytes of the one before.
// Matching is byte-exact and case-sensitive; an empty name (or one longer
// than a megabyte) never occurs.

#include "import/NameAutomaton.h"
#include "import/NameShiftTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class NameMatcher {
public:
    explicit NameMatcher(const std::vector<std::string>& names);

    std::size_t nameCount() const { return names_.size(); }
    bool allAscii() const { return allAscii_; }
    std::size_t overlap() const { return longest_ > 0 ? longest_ - 1 : 0; }

    class Scan {
    public:
        // found()[i]: name i has occurred in what was fed so far.
        const std::vector<bool>& found() const { return hits_.found; }
        // Every name that can occur has occurred: nothing more to learn.
        bool complete() const { return hits_.complete(); }

    private:
        friend class NameMatcher;
        NameHits hits_;
        std::vector<std::vector<bool>> reported_;  // per automaton
    };

    Scan start() const;
    void feed(Scan& scan, std::string_view text) const;

private:
    std::vector<std::string> names_;
    std::vector<std::uint32_t> matchable_;  // the names that can occur
    bool allAscii_ = true;
    std::size_t longest_ = 0;
    std::optional<NameShiftTable> shift_;
    std::vector<NameAutomaton> automata_;
};

}  // namespace rw
