#pragma once
// An OpenTimelineIO document read as JSON, guarded against hostile input: a
// size cap, a nesting limit and a cap on the values kept, each refused with
// a message that says where. Only what the timeline reader uses is kept:
// markers, parameters and every metadata key other than "cmx_3600" and
// "reelwright" are skipped while parsing.
//
// OpenTimelineIO writes non-finite numbers as NaN, Inf, Infinity; they are
// read as text, so a time that holds one fails like any other non-number.

#include "core/Outcome.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

namespace rw::otio {

inline constexpr std::size_t kMaxBytes = 64u << 20;
inline constexpr int kMaxDepth = 256;
inline constexpr std::size_t kMaxValues = 4'000'000;

// The document's root value. `bytes` is patched in place (the non-finite
// numbers), hence taken by value.
Outcome<nlohmann::json> parseDocument(std::string bytes, std::size_t maxValues = kMaxValues);

// Whether a file of this many bytes is read, and why not.
Outcome<> checkSize(std::uintmax_t bytes);

// "line L, column C" of a byte offset (columns count bytes, from 1).
std::string lineAndColumn(const std::string& text, std::size_t offset);

}  // namespace rw::otio
