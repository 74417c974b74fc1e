#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tarrox {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Hands the descriptor to the caller, who closes it.
    int Release() { return std::exchange(fd_, -1); }
    // Closes now, so a failing close (a full disk on some file systems) is seen.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool IsRegular(int fd, struct stat& st) {
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
}

// A new file beside `target` under a name no other save uses: the process id and a counter,
// with O_EXCL so a leftover of the same name is never reused or followed.
int CreateSibling(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 64; ++attempt) {
        temp = target + ".tarrox-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

DiskStepWatcher diskStepWatcher = nullptr;

// fsync and rename as a save takes them, told to the watcher first.
int SyncFile(int fd, const std::string& path) {
    if (diskStepWatcher) diskStepWatcher("fsync " + path);
    return ::fsync(fd);
}

int RenameFile(const std::string& from, const std::string& to) {
    if (diskStepWatcher) diskStepWatcher("rename " + from + " -> " + to);
    return ::rename(from.c_str(), to.c_str());
}

// Gives the finished file `temp` the permission bits, owner and group of `old` (the file it
// replaces, when there is one), puts it on disk and renames it over `target`. The caller
// removes `temp` when this fails.
bool TakePlaceOf(Descriptor& fd, const std::string& temp, const std::string& target,
                 const struct stat* old) {
    bool ok = true;
    if (old) {
        // Owner and group first: changing them may clear the set-id bits set after.
        if (::fchown(fd.get(), old->st_uid, old->st_gid) != 0)
            (void)!::fchown(fd.get(), static_cast<uid_t>(-1), old->st_gid);
        ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
    }
    // On disk before it takes the old file's place, so a power cut leaves one or the other.
    ok = ok && SyncFile(fd.get(), temp) == 0;
    ok = fd.Close() && ok;
    return ok && RenameFile(temp, target) == 0;
}

// Whether `file` exists, filled into `st`; false with errno for a failed look other than a
// missing file.
bool LookUp(const std::string& file, struct stat& st, bool& exists) {
    exists = ::stat(file.c_str(), &st) == 0;
    return exists || errno == ENOENT;
}

} // namespace

bool FollowLinks(std::string path, std::string& file) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            file = path;
            return true;
        }
        std::error_code ec;
        fs::path target = fs::read_symlink(path, ec);
        if (ec) return false;
        if (target.is_relative()) target = fs::path(path).parent_path() / target;
        path = target.string();
    }
    errno = ELOOP;
    return false;
}

int OpenRegularFile(const std::string& path, uint64_t& size) {
    // Non-blocking, so opening a FIFO with no writer returns at once; it is refused below.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return -1;
    struct stat st;
    if (!IsRegular(fd.get(), st)) {
        errno = EINVAL;
        return -1;
    }
    size = static_cast<uint64_t>(st.st_size);
    return fd.Release();
}

std::vector<uint8_t> ReadFileHead(const std::string& path, size_t count) {
    std::vector<uint8_t> head(count);
    uint64_t size = 0;
    Descriptor fd(OpenRegularFile(path, size));
    if (fd.get() < 0) return {};
    size_t got = 0;
    while (got < count) {
        ssize_t n = ::read(fd.get(), head.data() + got, count - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    head.resize(got);
    return head;
}

ReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, uint64_t limit) {
    out.clear();
    uint64_t size = 0;
    Descriptor fd(OpenRegularFile(path, size));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    if (size > limit) return ReadStatus::TooLarge;
    // Read to the end rather than to the size seen: a file cut short or grown meanwhile must
    // not pass as a different one, and one grown past the limit is refused like any other. The
    // bytes go straight into `out`, with room for one more than seen to notice growth.
    const uint64_t room = limit < UINT64_MAX ? limit + 1 : limit; // never wraps to 0
    size_t have = 0;
    out.resize(static_cast<size_t>(size) + 1);
    for (;;) {
        if (have == out.size())
            out.resize(
                static_cast<size_t>(std::min<uint64_t>(have + std::max<size_t>(have, 4096), room)));
        ssize_t got = ::read(fd.get(), out.data() + have, out.size() - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || have + static_cast<uint64_t>(got) > limit) {
            out.clear();
            return got < 0 ? ReadStatus::Failed : ReadStatus::TooLarge;
        }
        if (got == 0) {
            out.resize(have);
            return ReadStatus::Ok;
        }
        have += static_cast<size_t>(got);
    }
}

std::string ReadFailureMessage(const std::string& path, ReadStatus status, uint64_t limit) {
    if (status == ReadStatus::TooLarge)
        return "Error: " + path + " is larger than " + std::to_string(limit >> 20) + " MB.";
    return "Error: Could not open " + path + ".";
}

bool WriteFileInPlace(const std::string& path, std::span<const uint8_t> bytes) {
    Descriptor fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat st;
    if (fd.get() < 0 || !IsRegular(fd.get(), st)) return false;
    return WriteAll(fd.get(), bytes) && fd.Close();
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    std::string target;
    struct stat old;
    bool exists = false;
    if (!FollowLinks(path, target) || !LookUp(target, old, exists)) return false;
    if (exists && !S_ISREG(old.st_mode)) return false;

    std::string temp;
    Descriptor fd(CreateSibling(target, temp));
    if (fd.get() < 0) return false;
    const bool ok =
        WriteAll(fd.get(), bytes) && TakePlaceOf(fd, temp, target, exists ? &old : nullptr);
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool ReplaceFileWith(const std::string& file, const std::string& finished) {
    struct stat old;
    bool exists = false;
    if (!LookUp(file, old, exists)) return false;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = EINVAL;
        return false;
    }
    Descriptor fd(::open(finished.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    return fd.get() >= 0 && TakePlaceOf(fd, finished, file, exists ? &old : nullptr);
}

void WatchDiskSteps(DiskStepWatcher watcher) {
    diskStepWatcher = watcher;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

} // namespace tarrox
