#pragma once
// The movies the media tests share, made once per test program on first use.

#include "MovieMaker.h"
#include "media/MovieReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace rw::test {

inline const TempDir& movieFolder() {
    static const TempDir folder;
    return folder;
}

// The path of a movie made from `recipe` under `name`; made on first use.
inline std::string movie(const std::string& name, const MovieRecipe& recipe) {
    static std::map<std::string, std::string> made;
    auto it = made.find(name);
    if (it != made.end()) return it->second;
    media::quietFFmpegLog();
    const std::string path = movieFolder().file(name);
    const std::string why = makeMovie(path, recipe);
    EXPECT_EQ(why, "") << name;
    return made[name] = path;
}

}  // namespace rw::test
