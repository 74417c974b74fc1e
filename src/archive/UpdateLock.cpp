#include "archive/UpdateLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <thread>

namespace tarrox {

namespace fs = std::filesystem;

namespace {

const std::string LockSuffix = ".tarrox-lock";
const std::string CopyInfix = ".tarrox-update-";
constexpr size_t CopyTagLength = 8;

bool IsHex(const std::string& s) {
    return s.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// A working copy of `archiveName`'s updates, or the library's partial file beside one.
bool IsWorkingCopyOf(const std::string& name, const std::string& archiveName) {
    const std::string prefix = archiveName + CopyInfix;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    std::string tag = name.substr(prefix.size());
    const std::string partial = CompactionPartialOf("");
    if (tag.size() > partial.size() && tag.ends_with(partial))
        tag.resize(tag.size() - partial.size());
    return tag.size() == CopyTagLength && IsHex(tag);
}

void RemoveLeftovers(const std::string& archive) {
    const fs::path path(archive);
    const std::string name = path.filename().string();
    std::error_code ec;
    fs::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        std::error_code ignored;
        if (IsWorkingCopyOf(entry, name) && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

// The lock file is removed on release, so a waiter may end up holding a file that is no
// longer the one at the path; it must then start over on the new one.
bool StillAtPath(int fd, const std::string& path) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

std::string CompactionPartialOf(const std::string& path) {
    return path + ".tmp";
}

UpdateLock::UpdateLock(const std::string& archivePath, std::chrono::milliseconds wait)
    : archive_(archivePath), lockPath_(archivePath + LockSuffix) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (StillAtPath(fd, lockPath_)) {
                fd_ = fd;
                RemoveLeftovers(archive_);
                return;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            errno = error == EWOULDBLOCK ? EBUSY : error;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

UpdateLock::~UpdateLock() {
    if (fd_ < 0) return;
    // Removed while still held, so nobody can lock this file after we let it go.
    ::unlink(lockPath_.c_str());
    ::close(fd_);
}

std::string UpdateLock::NewWorkingCopy() const {
    if (fd_ < 0) return {};
    static std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char tag[CopyTagLength + 1];
        std::snprintf(tag, sizeof tag, "%08x", unsigned(random()));
        const std::string path = archive_ + CopyInfix + tag;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) return {};
    }
    errno = EEXIST;
    return {};
}

} // namespace tarrox
