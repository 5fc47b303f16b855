#pragma once
// The movies the media tests share, made once per test program on first use.

#include "MovieMaker.h"
#include "media/MovieReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
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

// A QuickTime movie with its index in front, cut off at `keep` of its bytes.
inline std::string cutShort(const std::string& name, const MovieRecipe& recipe, double keep) {
    MovieRecipe r = recipe;
    r.frontIndex = true;
    r.texture = true;  // pictures that outweigh the index
    const std::string whole = readAll(movie("whole_" + name, r));
    const std::string path = movieFolder().file(name);
    std::ofstream(path, std::ios::binary) << whole.substr(0, static_cast<std::size_t>(whole.size() * keep));
    return path;
}

// A WAVE file of mono silence: a movie file without video.
inline std::string silentWave(std::uint32_t rate, std::uint32_t samples) {
    auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
        return s;
    };
    return "RIFF" + le(36 + samples * 2, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) +
           le(rate * 2, 4) + le(2, 2) + le(16, 2) + "data" + le(samples * 2, 4) + std::string(samples * 2, '\0');
}

}  // namespace rw::test
