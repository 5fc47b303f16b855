#include "workstation/ChildProcess.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace rw {

namespace {

constexpr std::size_t kErrorTail = 2000;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

struct Pipe {
    Fd read, write;
};

bool makePipe(Pipe& p) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    p.read.reset(fds[0]);
    p.write.reset(fds[1]);
    return true;
}

// Spawns argv in a process group of its own with stdout and stderr on the pipes.
pid_t spawn(const std::vector<std::string>& argv, Pipe& out, Pipe& err) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write.get(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.write.get(), 2);
    posix_spawnattr_init(&attr);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], &actions, &attr, args.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return pid;
}

struct Streams {
    std::string pending;  // standard output not yet ended by a line feed
    std::string errors;
};

// Reads what is there; false at the end of both streams.
bool drain(std::array<pollfd, 2>& fds, Streams& s, const std::function<void(const std::string&)>& onLine) {
    char buf[1 << 14];
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fds[i].fd = -1;
            continue;
        }
        if (i == 1) {
            s.errors.append(buf, static_cast<std::size_t>(n));
            if (s.errors.size() > 2 * kErrorTail) s.errors.erase(0, s.errors.size() - kErrorTail);
            continue;
        }
        s.pending.append(buf, static_cast<std::size_t>(n));
        for (std::size_t nl; (nl = s.pending.find('\n')) != std::string::npos; s.pending.erase(0, nl + 1))
            if (onLine) onLine(s.pending.substr(0, nl));
    }
    return fds[0].fd >= 0 || fds[1].fd >= 0;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

ChildResult runChild(const std::vector<std::string>& argv, const std::function<void(const std::string&)>& onLine,
                     std::chrono::milliseconds limit) {
    ChildResult result;
    Pipe out, err;
    if (argv.empty() || !makePipe(out) || !makePipe(err)) return result;
    const pid_t pid = spawn(argv, out, err);
    if (pid < 0) return result;
    result.started = true;
    out.write.reset();
    err.write.reset();
    std::array<pollfd, 2> fds{{{out.read.get(), POLLIN, 0}, {err.read.get(), POLLIN, 0}}};
    Streams streams;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (bool open = true; open;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(-pid, SIGKILL);
            break;
        }
        if (::poll(fds.data(), fds.size(), static_cast<int>(std::min<long long>(left.count(), 1000))) < 0 && errno != EINTR)
            break;
        open = drain(fds, streams, onLine);
    }
    if (!streams.pending.empty() && onLine && !result.timedOut) onLine(streams.pending);
    result.exitStatus = waitFor(pid);
    const auto from = streams.errors.size() > kErrorTail ? streams.errors.size() - kErrorTail : 0;
    result.errorTail = streams.errors.substr(from);
    return result;
}

}  // namespace rw
