#pragma once
// A temporary folder for one test, removed with everything in it at the end.

#include "core/Files.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace rw::test {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "reelwright-test-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path_ = tmpl;
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "/" + name; }

    // Writes a file (making its folders) and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string p = at(name);
        makeFolders(std::filesystem::path(p).parent_path().string());
        writeFileAtomic(p, bytes);
        return p;
    }

private:
    std::string path_;
};

}  // namespace rw::test
