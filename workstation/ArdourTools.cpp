#include "workstation/ArdourTools.h"

#include "workstation/ChildProcess.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace rw {

namespace fs = std::filesystem;

namespace {

// N of "ardourN-<name>", or 0 when the file name is not that.
int versionOf(const std::string& file, const std::string& name) {
    const std::string prefix = "ardour", suffix = "-" + name;
    if (file.size() <= prefix.size() + suffix.size() || file.rfind(prefix, 0) != 0 ||
        file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string digits = file.substr(prefix.size(), file.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::atoi(digits.c_str());
}

// Removes the file when it goes out of scope.
struct TempFile {
    std::string path;
    ~TempFile() {
        if (!path.empty()) ::unlink(path.c_str());
    }
};

std::string writeTemp(const std::string& text) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/reelwright-ardour-XXXXXX.lua";
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0) return {};
    std::size_t at = 0;
    while (at < text.size()) {
        const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
        if (n <= 0) break;
        at += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (at == text.size()) return path;
    ::unlink(path.c_str());
    return {};
}

}  // namespace

std::string ArdourTools::find(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string best;
    int bestVersion = 0;
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t from = 0; from <= dirs.size();) {
        const std::size_t to = std::min(dirs.find(':', from), dirs.size());
        const std::string dir = dirs.substr(from, to - from);
        from = to + 1;
        std::error_code ec;
        for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
            const int v = versionOf(it->path().filename().string(), name);
            if (v > bestVersion && ::access(it->path().c_str(), X_OK) == 0) {
                bestVersion = v;
                best = it->path().string();
            }
        }
    }
    return best;
}

std::optional<ArdourTool> ArdourTools::luaTool() {
    if (looked_) return lua_;
    looked_ = true;
    const std::string path = find("lua");
    if (path.empty()) return std::nullopt;
    // "ardour-lua version 7.3.0~ds0": the text after "version ".
    std::string version;
    runChild({path, "--version"},
             [&](const std::string& line) {
                 const auto at = line.find("version ");
                 if (version.empty() && at != std::string::npos) version = line.substr(at + 8);
             },
             std::chrono::seconds(20));
    if (version.empty()) version = std::to_string(versionOf(fs::path(path).filename().string(), "lua")) + ".0";
    lua_ = ArdourTool{path, version};
    return lua_;
}

ArdourRun ArdourTools::runLua(const ArdourTool& tool, const std::string& program,
                              const std::function<void(const std::string&)>& onLine, std::chrono::seconds limit) {
    TempFile script{writeTemp(program)};
    if (script.path.empty()) return {};
    const ChildResult r = runChild({tool.path, script.path}, onLine, limit);
    return {r.started, r.timedOut, r.exitStatus, r.errorTail};
}

}  // namespace rw
