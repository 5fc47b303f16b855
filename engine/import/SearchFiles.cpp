#include "import/SearchFiles.h"

#include "core/Files.h"
#include "import/NameMatcher.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace rw {

namespace fs = std::filesystem;

namespace {

bool isListExtension(const std::string& ext) { return ext == "txt" || ext == "edl" || ext == "xml"; }

// Every regular file below `folder` that the size rule lets through, in path
// order. Links are followed; a folder reached twice (through a link back up
// the tree) is walked once, so the walk always ends.
std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> files;
    std::set<std::pair<dev_t, ino_t>> seen;
    std::vector<fs::path> todo;
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return files;
    seen.insert({st.st_dev, st.st_ino});
    todo.emplace_back(folder);
    while (!todo.empty()) {
        const fs::path dir = std::move(todo.back());
        todo.pop_back();
        std::error_code ec;
        for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            const std::string path = it->path().string();
            if (::stat(path.c_str(), &st) != 0) continue;  // a dangling link has no size
            if (S_ISDIR(st.st_mode)) {
                if (seen.insert({st.st_dev, st.st_ino}).second) todo.push_back(it->path());
                continue;
            }
            // Pipes and devices are no lists, and reading one could wait forever.
            if (!S_ISREG(st.st_mode)) continue;
            if (static_cast<std::uintmax_t>(st.st_size) < kLargeFileBytes || isListExtension(pathExtension(path)))
                files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Reads the file once, in blocks, and stops as soon as every name was seen.
// Each block begins with the end of the one before, so a name that spans two
// reads is found. Names that are all ASCII occur in the bytes exactly where
// they occur in the text (Latin-1 or UTF-8 alike); other names are looked for
// in the decoded text.
std::optional<std::vector<bool>> namesIn(const std::string& path, const NameMatcher& matcher,
                                         std::vector<char>& buffer) {
    NameMatcher::Scan scan = matcher.start();
    if (!matcher.allAscii()) {
        auto text = readFileText(path);
        if (!text) return std::nullopt;
        matcher.feed(scan, text.value);
        return scan.found();
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    const std::size_t overlap = matcher.overlap();
    if (buffer.size() < 2 * overlap + (1 << 16)) buffer.resize(2 * overlap + (1 << 16));
    bool readable = true;
    std::size_t kept = 0;
    while (!scan.complete()) {
        const ssize_t n = ::read(fd, buffer.data() + kept, buffer.size() - kept);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            readable = n == 0;
            break;
        }
        const std::size_t filled = kept + static_cast<std::size_t>(n);
        matcher.feed(scan, std::string_view(buffer.data(), filled));
        kept = std::min(overlap, filled);
        std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
    }
    ::close(fd);
    if (!readable) return std::nullopt;
    return scan.found();
}

}  // namespace

std::vector<SearchResult> countNamesBelow(const std::string& folder, const std::vector<std::string>& names) {
    return countNamesBelow(folder, names, {}).value_or(std::vector<SearchResult>{});
}

std::optional<std::vector<SearchResult>> countNamesBelow(const std::string& folder,
                                                         const std::vector<std::string>& names,
                                                         const SearchProgress& progress) {
    std::vector<SearchResult> results;
    const NameMatcher matcher(names);
    std::vector<char> buffer(1 << 18);  // grown when the names need a longer overlap
    const std::vector<std::string> files = filesBelow(folder);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (progress && !progress(i, files.size())) return std::nullopt;
        const std::string& path = files[i];
        auto found = namesIn(path, matcher, buffer);
        if (!found) continue;  // unreadable: no matches
        const int count = static_cast<int>(std::count(found->begin(), found->end(), true));
        if (count > 0) results.push_back({lastPathComponent(path), path, count, std::nullopt, std::nullopt});
    }
    std::stable_sort(results.begin(), results.end(),
                     [](const SearchResult& a, const SearchResult& b) { return a.theCount > b.theCount; });
    return results;
}

}  // namespace rw
