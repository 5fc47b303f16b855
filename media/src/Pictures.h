#pragma once
// Pictures already made, each shown from its start up to its end, so that
// going back over frames decoded before costs nothing. They are kept within
// a byte budget; over it, those farthest from where the viewer is go first.

#include "media/Image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

namespace rw::media {

class Pictures {
public:
    struct Entry {
        std::shared_ptr<const Image> image;
        std::int64_t end = 0;
    };
    using Item = std::map<std::int64_t, Entry>::value_type;

    void setBudget(std::size_t bytes) { budget_ = bytes; }
    void setFocus(std::int64_t time) { focus_ = time; }
    std::int64_t focus() const { return focus_; }
    // The picture shown at t; nullptr when none is kept.
    const Item* find(std::int64_t t) const;
    // Whether a picture starting at `start` would stay rather than go at once.
    bool wouldKeep(std::int64_t start) const;
    void put(std::int64_t start, std::int64_t end, std::shared_ptr<const Image> image);
    // The pictures that follow one another without a gap around t, as
    // [first start, last end); {t, t} when none holds t.
    std::pair<std::int64_t, std::int64_t> runAround(std::int64_t t) const;
    void clear();

private:
    static std::size_t sizeOf(const Image& image) { return image.bytes.size() + sizeof(Image); }
    std::uint64_t distance(std::int64_t t) const;
    void trim();

    std::map<std::int64_t, Entry> byStart_;
    std::size_t bytes_ = 0, budget_ = 0, lastSize_ = 0;
    std::int64_t focus_ = 0;
};

}  // namespace rw::media
