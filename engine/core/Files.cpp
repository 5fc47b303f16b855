#include "core/Files.h"

#include "core/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace rw {

namespace fs = std::filesystem;

namespace {

// A regular file open for reading, closed when it goes.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path) { opened_ = open(path); }
    ~ReadableFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // What stopped it from opening.
    const Outcome<>& opened() const { return opened_; }

    Outcome<std::string> readAll() const {
        if (!opened_) return Outcome<std::string>::failure(opened_.error);
        std::string bytes;
        bytes.reserve(size_);
        char buf[1 << 16];
        for (;;) {
            ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                return Outcome<std::string>::failure(std::strerror(errno));
            }
            if (n == 0) return Outcome<std::string>::success(std::move(bytes));
            bytes.append(buf, static_cast<std::size_t>(n));
        }
    }

private:
    Outcome<> open(const std::string& path) {
        // Non-blocking, so a named pipe among the lists is refused instead of
        // waiting for a writer forever; a regular file reads as ever.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) return Outcome<>::failure(errno == EACCES ? "is not readable" : std::strerror(errno));
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return Outcome<>::failure(std::strerror(errno));
        if (S_ISDIR(st.st_mode)) return Outcome<>::failure("is a folder");
        if (!S_ISREG(st.st_mode)) return Outcome<>::failure("is not a regular file");
        size_ = static_cast<std::size_t>(st.st_size);
        return Outcome<>::success();
    }

    int fd_ = -1;
    std::size_t size_ = 0;
    Outcome<> opened_;
};

}  // namespace

Outcome<std::string> readFileBytes(const std::string& path) { return ReadableFile(path).readAll(); }

Outcome<std::string> readFileText(const std::string& path) {
    auto bytes = readFileBytes(path);
    if (bytes) bytes.value = decodeOwnedText(std::move(bytes.value));
    return bytes;
}

Outcome<> checkReadable(const std::string& path) { return ReadableFile(path).opened(); }

Outcome<> writeFileAtomic(const std::string& path, const std::string& bytes) {
    const auto cannotWrite = [&](const std::string& why) {
        return Outcome<>::failure("cannot write " + path + ": " + why);
    };
    fs::path target(path);
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return Outcome<>::failure("cannot write in " + folder.string() + ": " + std::strerror(errno));
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(tmpl.c_str());
            return cannotWrite(why);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    ::fchmod(fd, 0644);
    // Closed either way, so a failed sync does not leak the descriptor.
    int failed = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && failed == 0) failed = errno;
    if (failed != 0) {
        ::unlink(tmpl.c_str());
        return cannotWrite(std::strerror(failed));
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(tmpl.c_str());
        return cannotWrite(why);
    }
    return Outcome<>::success();
}

Outcome<> makeFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    std::error_code isFolder;
    if (fs::is_directory(path, isFolder)) return Outcome<>::success();
    return Outcome<>::failure("cannot make the folder " + path + ": " + (ec ? ec.message() : "is not a folder"));
}

std::string lastPathComponent(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    auto slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string pathExtension(const std::string& path) {
    std::string name = lastPathComponent(path);
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {};
    return name.substr(dot + 1);
}

std::string deletingPathExtension(const std::string& name) {
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace rw
