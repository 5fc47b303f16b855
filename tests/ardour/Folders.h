#pragma once
// What a folder holds, to see that a command left it as it was.

#include "core/Files.h"

#include <filesystem>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rw::test {

// Each file below the folder (relative path) with a hash of its bytes.
using FolderState = std::map<std::string, std::size_t>;

inline FolderState folderState(const std::string& folder) {
    FolderState state;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            state[std::filesystem::relative(entry.path(), folder).string()] =
                std::hash<std::string>{}(readFileBytes(entry.path().string()).value);
    return state;
}

// The files added, removed or changed, sorted.
inline std::vector<std::string> changedEntries(const FolderState& before, const FolderState& after) {
    std::vector<std::string> changed;
    for (const auto& [name, hash] : after)
        if (!before.count(name) || before.at(name) != hash) changed.push_back(name);
    for (const auto& [name, hash] : before)
        if (!after.count(name)) changed.push_back(name);
    std::sort(changed.begin(), changed.end());
    return changed;
}

}  // namespace rw::test
