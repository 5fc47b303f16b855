#pragma once
// Ownership of libplist nodes. A node handed to a container belongs to it, so
// release() the handle when appending.

#include <plist/plist.h>

#include <memory>

namespace rw {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistHandle = std::unique_ptr<void, PlistFree>;

}  // namespace rw
