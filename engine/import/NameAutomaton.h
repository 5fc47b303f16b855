#pragma once
// An Aho-Corasick automaton over a group of names, compiled to a full
// transition table over the byte classes the names use: one table step per
// byte of text, whatever the number of names.

#include "import/NameHits.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class NameAutomaton {
public:
    // Table entries (4 bytes each) one automaton may hold; more names need more automata.
    static constexpr std::size_t kMaxEntries = std::size_t{1} << 24;

    // `ids`: which of `names` this automaton finds.
    NameAutomaton(const std::vector<std::string>& names, const std::vector<std::uint32_t>& ids);
    // How many table entries these names need.
    static std::size_t entriesFor(std::size_t totalLength, std::size_t classes) {
        return (totalLength + 1) * classes;
    }

    std::size_t states() const { return outputs_.size(); }
    // Marks the names that occur in `text`; `reported` (one flag per state,
    // kept across texts) saves walking the same output states again.
    void search(std::string_view text, NameHits& hits, std::vector<bool>& reported) const;

private:
    void report(std::uint32_t state, NameHits& hits, std::vector<bool>& reported) const;

    std::uint8_t byteClass_[256] = {};
    std::uint32_t classes_ = 1;
    // next_[state * classes + class] = next state * classes, with the top bit
    // set when that state ends a name.
    std::vector<std::uint32_t> next_;
    std::vector<std::vector<std::uint32_t>> outputs_;  // names ending at each state
    std::vector<std::uint32_t> outLink_;               // nearest suffix state with output, or 0
};

}  // namespace rw
