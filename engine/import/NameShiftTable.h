#pragma once
// Finding many names by skipping through the text (Wu-Manber). A window as
// long as the shortest name (m) slides over the text; the last four bytes
// of the window say how far it may jump without passing over the end of any
// name's first m bytes:
//
//   text    ...........[..window..wxyz]......
//   name         [....wxyz..]            "wxyz" ends 2 before the name's m-th
//                                          byte: jump 2; 0 means try the names
//                                          whose first m bytes end in "wxyz"
//
// Most windows of a list's text end in bytes no name holds near its end, so
// most of the text is never looked at.

#include "import/NameHits.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class NameShiftTable {
public:
    // Every name must have at least this many bytes.
    static constexpr std::size_t kMinLength = 6;

    NameShiftTable(const std::vector<std::string>& names, const std::vector<std::uint32_t>& ids);

    void search(std::string_view text, const std::vector<std::string>& names, NameHits& hits) const;

private:
    std::size_t step(const unsigned char* t, std::size_t n, std::size_t i, const std::vector<std::string>& names,
                     NameHits& hits) const;
    void verify(const unsigned char* t, std::size_t n, std::size_t start, std::uint32_t h,
                const std::vector<std::string>& names, NameHits& hits) const;

    // Four bytes tell names apart far better than three where names and
    // text share their alphabet (reel names are mostly digits).
    static constexpr std::size_t kBlock = 4;
    static constexpr unsigned kHashBits = 16;
    static std::uint32_t hash(const unsigned char* block) {
        std::uint32_t key;
        std::memcpy(&key, block, sizeof key);
        return (key * 0x9E3779B1u) >> (32 - kHashBits);
    }

    std::size_t window_ = 0;
    std::vector<std::uint8_t> shift_;          // per hash of four bytes
    std::vector<std::uint32_t> bucketStart_;   // per hash: where its names begin in bucketIds_
    std::vector<std::uint32_t> bucketIds_;     // names whose window ends in those bytes
};

}  // namespace rw
