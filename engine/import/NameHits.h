#pragma once
// The names found so far in one search.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rw {

struct NameHits {
    std::vector<bool> found;
    std::size_t left = 0;  // names that can occur and have not

    void mark(std::uint32_t id) {
        if (found[id]) return;
        found[id] = true;
        --left;
    }
    bool complete() const { return left == 0; }
};

}  // namespace rw
