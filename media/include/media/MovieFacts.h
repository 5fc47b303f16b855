#pragma once
// What the review's arithmetic needs of a movie the reader opened.

#include "media/MovieReader.h"
#include "movies/MovieFiles.h"

namespace rw::media {

inline MovieFacts movieFactsOf(const MovieInfo& info) {
    MovieFacts f;
    f.rate = static_cast<float>(info.rate);
    f.rateText = info.rateText;
    f.timeScale = info.timeScale;
    f.duration = info.duration;
    f.frames = info.frames;
    f.timecode = info.timecode;
    f.width = info.displayWidth;
    f.height = info.displayHeight;
    return f;
}

}  // namespace rw::media
