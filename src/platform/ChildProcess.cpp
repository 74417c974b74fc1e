#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

namespace tarrox {

namespace {

constexpr size_t MaxOut = 8u << 20;
constexpr size_t MaxErr = 1u << 20;
constexpr int PollMilliseconds = 15;

// Only lowers: a child may not raise what its parent was given.
void Lower(int resource, rlim_t value) {
    rlimit current{};
    if (::getrlimit(resource, &current) != 0) return;
    if (current.rlim_max != RLIM_INFINITY && current.rlim_max < value) value = current.rlim_max;
    rlimit wanted{value, value};
    // Past the soft CPU limit the system sends SIGXCPU, past the hard one SIGKILL.
    if (resource == RLIMIT_CPU && value != current.rlim_max) wanted.rlim_max = value + 1;
    ::setrlimit(resource, &wanted);
}

// Runs between fork and exec: only async-signal-safe calls.
void ApplyLimits(const ProcessLimits& limits) {
    if (limits.AddressSpaceBytes) Lower(RLIMIT_AS, limits.AddressSpaceBytes);
    if (limits.CpuSeconds) Lower(RLIMIT_CPU, limits.CpuSeconds);
    // A crash on a hostile file is expected here; its core file is not wanted.
    Lower(RLIMIT_CORE, 0);
}

struct Pipe {
    int Read = -1, Write = -1;
    bool Open() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return false;
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
        Read = fds[0];
        Write = fds[1];
        return true;
    }
    void CloseRead() {
        if (Read >= 0) ::close(Read);
        Read = -1;
    }
    void CloseWrite() {
        if (Write >= 0) ::close(Write);
        Write = -1;
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
};

// Reads what is there without waiting; false at end of file or on error.
bool Drain(int fd, std::string& into, size_t cap) {
    char buffer[65536];
    while (into.size() <= cap) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return true;
        if (n <= 0) return false;
        into.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

} // namespace

void LimitThisProcess(const ProcessLimits& limits) {
    ApplyLimits(limits);
}

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> ChildResult::ErrLines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (std::string& line : OutputLines(Err))
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(std::move(line));
    return lines;
}

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const ProcessLimits& limits, const ChildWatch& watch) {
    ChildResult result;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    Pipe out, err;
    if (!out.Open() || !err.Open()) return result;
    int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0) return result;

    pid_t pid = ::fork();
    if (pid == 0) {
        // Its own process group, so a timeout also ends whatever it started.
        ::setpgid(0, 0);
        ::dup2(devNull, 0);
        ::dup2(out.Write, 1);
        ::dup2(err.Write, 2);
        // Descriptors the parent opened without close-on-exec stay out of the child.
        ::syscall(SYS_close_range, 3u, ~0u, 0u);
        ApplyLimits(limits);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(devNull);
    out.CloseWrite();
    err.CloseWrite();
    if (pid < 0) return result;

    using Clock = std::chrono::steady_clock;
    const auto quiet = std::chrono::seconds(limits.QuietSeconds);
    auto deadline = Clock::now() + quiet;
    size_t lineStart = 0;
    int status = 0;
    bool reaped = false;
    std::optional<ChildResult::Ending> stopped;
    for (;;) {
        pollfd fds[2];
        nfds_t count = 0;
        for (int fd : {out.Read, err.Read})
            if (fd >= 0) fds[count++] = {fd, POLLIN, 0};
        // With both streams closed the child is about to end: look again soon.
        if (count > 0)
            ::poll(fds, count, PollMilliseconds);
        else
            ::usleep(1000);
        // Seen to end before the last read, so nothing it wrote before it ended is missed.
        // WNOWAIT keeps its id (and so its group's) from being reused until it is reaped.
        siginfo_t info{};
        const bool ended =
            ::waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
        if (out.Read >= 0 && !Drain(out.Read, result.Out, MaxOut)) out.CloseRead();
        if (err.Read >= 0 && !Drain(err.Read, result.Err, MaxErr)) err.CloseRead();
        for (size_t end; (end = result.Out.find('\n', lineStart)) != std::string::npos;
             lineStart = end + 1) {
            if (watch.OnLine) watch.OnLine(result.Out.substr(lineStart, end - lineStart));
            deadline = Clock::now() + quiet;
        }
        if (result.Out.size() > MaxOut || result.Err.size() > MaxErr)
            stopped = ChildResult::Ending::OutputTooLong;
        else if (!ended && limits.QuietSeconds && Clock::now() > deadline)
            stopped = ChildResult::Ending::TimedOut;
        // Also after a normal end: whatever the child left running goes with it.
        if (stopped || ended) {
            ::kill(-pid, SIGKILL);
            reaped = ::waitpid(pid, &status, 0) == pid;
            break;
        }
        if (watch.KeepAlive) watch.KeepAlive();
    }
    if (stopped) {
        result.How = *stopped;
    } else if (!reaped) {
        result.How = ChildResult::Ending::NotStarted;
    } else if (WIFEXITED(status)) {
        result.How = ChildResult::Ending::Exited;
        result.ExitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.How = ChildResult::Ending::Signalled;
        result.Signal = WTERMSIG(status);
    }
    return result;
}

} // namespace tarrox
