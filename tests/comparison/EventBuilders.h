#pragma once
// Terse event construction for comparison tests.

#include "core/Edit.h"

#include <string>
#include <vector>

namespace rw::test {

inline TcPtr tc(const char* text, const char* rate = "24") { return KLVtc::initWithString(text, rate); }
inline TcPtr fr(int frames, const char* rate = "24") { return KLVtc::initWithFrames(frames, rate); }

inline EditPtr ev(const std::string& clip, int si, int so, int mi, int mo, const char* rate = "24") {
    return edit::initWithNum("001", clip, fr(si, rate), fr(so, rate), fr(mi, rate), fr(mo, rate));
}

inline EditPtr evTc(const std::string& clip, const char* si, const char* so, const char* mi, const char* mo) {
    return edit::initWithNum("001", clip, tc(si), tc(so), tc(mi), tc(mo));
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
