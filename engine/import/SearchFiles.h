#pragma once
// The search for the selected NEW events in other lists below a folder:
//
//   1. every file below the folder (links followed, each folder once) is
//      read once and counted: how many of the events' clip names occur in it
//   2. the 30 files with the most names are read as EDLs and compared with
//      the selection: shot count and summed record time
//   3. ranked by that time, then by shot count

#include "core/Edit.h"
#include "import/EdlReader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rw {

struct SearchResult {
    std::string file;     // "file": the file's name
    std::string thePath;  // "thePath"
    int theCount = 0;     // "theCount": names of the selection found in its text
    std::optional<int> shotCount;         // "shotCount": events the comparison returned
    std::optional<std::string> duration;  // "duration": their summed record time
};

// Only these many best files are parsed and compared.
inline constexpr std::size_t kComparedResults = 30;

// Files of this size and more are searched only when they are lists by name.
inline constexpr std::uintmax_t kLargeFileBytes = 10'000'000;

// Step 1: the files with at least one of the names (counted once per name
// given, so two events of one clip count twice), most names first.
std::vector<SearchResult> countNamesBelow(const std::string& folder, const std::vector<std::string>& names);

// Told after each file of step 1 with the files done and their total; false
// stops the search (a window's Cancel button, quitting).
using SearchProgress = std::function<bool(std::size_t done, std::size_t total)>;
// Step 1 as above, reporting progress; nullopt when the progress stopped it.
std::optional<std::vector<SearchResult>> countNamesBelow(const std::string& folder,
                                                         const std::vector<std::string>& names,
                                                         const SearchProgress& progress);

// Steps 2 and 3. `timebase`: the rate durations are counted and printed at.
void rankResults(std::vector<SearchResult>& results, const EditArray& selected, const EdlReadOptions& readOptions,
                 const std::string& timebase);

// One line per compared result with shots: "%d\t\t%@\t\t%@\n" (shots, duration, file).
std::string summaryText(const std::vector<SearchResult>& results);

}  // namespace rw
