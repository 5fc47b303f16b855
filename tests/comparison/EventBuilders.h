#pragma once
// Terse event construction for comparison tests.

#include "core/Edit.h"

#include <string>
#include <vector>

namespace rw::test {

// An event at 24 fps, its times in frames.
inline EditPtr ev(const std::string& clip, int si, int so, int mi, int mo) {
    auto f = [](int n) { return KLVtc::initWithFrames(n, "24"); };
    return edit::initWithNum("001", clip, f(si), f(so), f(mi), f(mo));
}

inline EditPtr evTc(const std::string& clip, const char* si, const char* so, const char* mi, const char* mo) {
    auto t = [](const char* text) { return KLVtc::initWithString(text, "24"); };
    return edit::initWithNum("001", clip, t(si), t(so), t(mi), t(mo));
}

// "clip si-so > mi-mo" in frames, for compact expectations.
inline std::string frames(const EditPtr& e) {
    return e->clip() + " " + std::to_string(e->sourceIn()->totalFrames()) + "-" +
           std::to_string(e->sourceOut()->totalFrames()) + " > " + std::to_string(e->masterIn()->totalFrames()) + "-" +
           std::to_string(e->masterOut()->totalFrames());
}

inline std::vector<std::string> frames(const EditArray& events) {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(frames(e));
    return out;
}

}  // namespace rw::test
