#pragma once
// Picture cuts and their movies for the check's tests and benchmark. A cut is
// shots of source clips laid end to end from 01:00:00:00 at 24 fps; its movie
// shows each clip's own moving picture, with the cut's master timecode and
// the clip's source timecode burned in (as boxes of bits), and for the NEW
// cut a watermark. The NEW movie can be made wrong on purpose at chosen shots.

#include "MovieMaker.h"

#include <string>
#include <vector>

namespace rw::test {

enum class Look { Moving, Still, Black };

struct Shot {
    int clip = 1;        // which source clip; each one's picture is its own
    int sourceIn = 0;    // its first frame, counted from the clip's start
    int length = 24;
    Look look = Look::Moving;
    // What the movie shows instead of what the list says.
    int slip = 0;        // the clip's frames this many later
    int replacedBy = 0;  // another clip's picture
};

struct Cut {
    std::vector<Shot> shots;
    int frames() const;
};

// A CMX EDL of the cut at 24 fps; clip n is reel and clip "CLIPn", its source
// timecode starting at n:00:00:00 + 10 hours.
std::string edlOf(const Cut& cut, const std::string& title);

// Empty on success. `recipe` gives codec, size, start timecode; its frame
// count, when non-zero, cuts the movie short of the cut.
std::string makeCutMovie(const std::string& path, const Cut& cut, MovieRecipe recipe, bool newCut);

}  // namespace rw::test
