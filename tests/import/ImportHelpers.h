#pragma once
// Shared by the import tests: a controller on recording ports, EDL text read
// straight through the reader, and events checked or written as one line each.

#include "app/ConformController.h"
#include "core/Text.h"
#include "import/EdlReader.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rw::test {

struct Session {
    RecordingUi ui;
    NoMovies movies;
    conformController c{ui, movies};

    const EditArray& list(int tab = 0) { return c.listForTab(tab).getEditArray(); }
};

// The search reads without the import's extras (import = false).
inline EditArray readEdl(const std::string& text, const std::string& type = "film cutlist", bool byClip = false,
                         bool import = true, MoviePort* movies = nullptr) {
    EditArray out;
    readEdlLines(splitLineViews(text), {type, rateForListType(type), byClip, import, movies, {}}, out);
    return out;
}

// Every event a reader makes has four times and a source length.
inline void expectWellFormed(const EditArray& events, const std::string& what = "") {
    for (const auto& e : events) {
        ASSERT_TRUE(e->sourceIn() && e->sourceOut() && e->masterIn() && e->masterOut()) << what;
        ASSERT_NE(e->sourceIn()->totalFrames(), e->sourceOut()->totalFrames()) << what;
    }
}

// "num|clip|source in|source out|record in|record out", then "|M" for a motion effect.
inline std::vector<std::string> rows(const EditArray& events) {
    std::vector<std::string> out;
    for (const auto& e : events)
        out.push_back(e->editNum() + "|" + e->clip() + "|" + describe(e->sourceIn()) + "|" + describe(e->sourceOut()) +
                      "|" + describe(e->masterIn()) + "|" + describe(e->masterOut()) +
                      (e->isMotionEffected() ? "|M" : ""));
    return out;
}

}  // namespace rw::test
