// The only unit that calls StormLib (StormLibrary.cpp only loads it). Its C functions share
// names with ours, so every call into the library is written with "::".
#include "archive/Mpq.h"

#include "archive/MpqHeaderCheck.h"
#include "archive/SectorDecode.h"
#include "archive/UpdateLock.h"
#include "platform/FileAccess.h"

#include <StormLib.h>
#include <fcntl.h>
#ifdef __linux__
#include <linux/fs.h>
#endif
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <system_error>

namespace tarrox::mpq {

namespace fs = std::filesystem;

namespace {

// StormLib 9.22 closes descriptor 0 when an open fails. Whatever holds descriptor 0 then
// (often an archive opened earlier) is closed under its owner, and later writes can land in
// the wrong file. Keeping the null device there makes that close harmless.
void ParkNullDeviceOnDescriptorZero() {
    static struct stat nullDevice {};
    static bool known = ::stat("/dev/null", &nullDevice) == 0;
    struct stat current {};
    if (known && ::fstat(0, &current) == 0 && current.st_rdev == nullDevice.st_rdev &&
        S_ISCHR(current.st_mode))
        return;
    int fd = ::open("/dev/null", O_RDWR);
    if (fd > 0) {
        ::dup2(fd, 0);
        ::close(fd);
    }
}

struct DescriptorZeroGuard {
    DescriptorZeroGuard() { ParkNullDeviceOnDescriptorZero(); }
    ~DescriptorZeroGuard() { ParkNullDeviceOnDescriptorZero(); }
};

// The library's locale is global; each call that needs one sets it and puts it back.
struct LocaleGuard {
    explicit LocaleGuard(int32_t locale) : saved(::SFileGetLocale()) {
        ::SFileSetLocale(static_cast<LCID>(locale));
    }
    ~LocaleGuard() { ::SFileSetLocale(saved); }
    LCID saved;
};

void KeepLibraryError() {
    errno = static_cast<int>(::GetLastError());
}

const char* NameListOrNull(const std::string& nameList) {
    std::error_code ec;
    return !nameList.empty() && fs::is_regular_file(nameList, ec) ? nameList.c_str() : nullptr;
}

// A file the user has marked read-only is not replaced behind their back, even by a user
// (such as root) whom the system would let write it.
bool Writable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// The library counts the tables it writes at the end on top of the bytes it planned for, and
// so ends past its total; what goes on never passes the total and ends at it.
struct ProgressForward {
    CompactProgress* to = nullptr;
    uint64_t done = 0, total = 0;

    void Update(uint64_t nowDone, uint64_t nowTotal) {
        if (nowTotal != total) done = 0;
        total = nowTotal;
        done = std::max(done, std::min(nowDone, nowTotal));
        to->Update(done, total);
    }
    void Finish() {
        if (total != 0 && done != total) Update(total, total);
    }
};

void WINAPI ForwardCompactProgress(void* user, DWORD, ULONGLONG done, ULONGLONG total) {
    static_cast<ProgressForward*>(user)->Update(done, total);
}

// Writes all of `size` bytes, however few each write takes.
bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

// Through a buffer, where the kernel cannot copy between the two files itself.
bool CopyThroughBuffer(int in, int out) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!WriteAll(out, buffer.data(), size_t(n))) return false;
    }
}

// In the kernel: the file system's clone of the blocks where it shares them, else a copy that
// never passes through this process.
bool CopyInKernel(int in, int out) {
#ifdef FICLONE
    if (::ioctl(out, FICLONE, in) == 0) return true;
#endif
#ifdef __linux__
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (n > 0) continue;
        if (n == 0) return true;
        if (errno == EINTR) continue;
        // Both offsets have moved past what was copied, so the buffer goes on from there.
        if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL) break;
        return false;
    }
#endif
    return CopyThroughBuffer(in, out);
}

// The archive's bytes into the working copy. On failure errno keeps the write's own reason (a
// full disk) which the standard library's copy turns into a plain I/O error.
bool CopyContents(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = ::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = out >= 0 && CopyInKernel(in, out);
    const int error = errno;
    ::close(in);
    if (out >= 0 && ::close(out) != 0 && ok) return false;
    errno = error;
    return ok;
}

// Compacting writes the whole archive once more: always worth it for a small archive, and for
// a large one once an eighth of it is space that replaced and deleted files left.
constexpr uint64_t AlwaysCompactBelow = uint64_t{16} << 20;

bool CompactionWorthIt(const MpqSpace& space) {
    const uint64_t unused = space.Total - std::min(space.Used, space.Total);
    return space.Total < AlwaysCompactBelow || unused >= space.Total / 8;
}

// How long a save waits for another save into the same archive before giving up.
constexpr std::chrono::milliseconds LockWait{3000};

// Only what the archive check accepts reaches the library. `names` are the files the caller
// will read, whose encrypted sector tables only their names unlock.
bool Acceptable(const std::string& path, MpqHeaderProblem& refusal,
                std::span<const std::string> names = {},
                MpqCheckDepth depth = MpqCheckDepth::NamedFiles, MpqSpace* space = nullptr) {
    refusal = CheckMpqHeader(path, names, depth, space);
    if (refusal == MpqHeaderProblem::Ok) return true;
    errno = EINVAL;
    return false;
}

// A read that failed for want of memory or through the disk, not for what the archive holds.
bool IsSystemError(DWORD error) {
    return error == ENOMEM || error == EIO;
}

// The library's decoding is trusted only when an independent one, with every sector's length
// checked, yields the same bytes.
bool DecodesAlike(const std::string& path, HANDLE archive, HANDLE file,
                  const std::vector<uint8_t>& read) {
    ULONGLONG headerAt = 0, position = 0;
    StoredFile stored;
    const bool known =
        ::SFileGetFileInfo(archive, SFileMpqHeaderOffset, &headerAt, sizeof headerAt, nullptr) &&
        ::SFileGetFileInfo(archive, SFileMpqSectorSize, &stored.SectorSize,
                           sizeof stored.SectorSize, nullptr) &&
        ::SFileGetFileInfo(file, SFileInfoByteOffset, &position, sizeof position, nullptr) &&
        ::SFileGetFileInfo(file, SFileInfoCompressedSize, &stored.Packed, sizeof stored.Packed,
                           nullptr) &&
        ::SFileGetFileInfo(file, SFileInfoFileSize, &stored.Size, sizeof stored.Size, nullptr) &&
        ::SFileGetFileInfo(file, SFileInfoFlags, &stored.Flags, sizeof stored.Flags, nullptr) &&
        ::SFileGetFileInfo(file, SFileInfoEncryptionKey, &stored.Key, sizeof stored.Key, nullptr);
    if (!known) return false;
    stored.Start = headerAt + position;
    const auto decompress = [](bool imploded, std::span<uint8_t> in, std::span<uint8_t> out) {
        int length = int(out.size());
        const int done = imploded
                             ? ::SCompExplode(out.data(), &length, in.data(), int(in.size()))
                             : ::SCompDecompress(out.data(), &length, in.data(), int(in.size()));
        return done != 0 && length == int(out.size());
    };
    std::vector<uint8_t> decoded;
    return DecodeStoredFile(path, stored, decompress, decoded) && decoded == read;
}

// The sector checksums, and the CRC32 and MD5 that (attributes) keeps, where the archive has
// them.
bool PassesChecksums(HANDLE archive, const FoundFile& file) {
    LocaleGuard localeGuard(file.Locale);
    const DWORD result =
        ::SFileVerifyFile(archive, file.Name.c_str(),
                          SFILE_VERIFY_SECTOR_CRC | SFILE_VERIFY_FILE_CRC | SFILE_VERIFY_FILE_MD5);
    return (result & VERIFY_FILE_ERROR_MASK) == 0;
}

struct FileCloser {
    void operator()(void* file) const { ::SFileCloseFile(file); }
};
using FileHandle = std::unique_ptr<void, FileCloser>;

} // namespace

std::vector<std::string> NamesInList(const std::string& nameList) {
    std::vector<std::string> names;
    std::vector<uint8_t> bytes;
    if (nameList.empty() || ReadFileBytes(nameList, bytes, 1u << 20) != ReadStatus::Ok)
        return names;
    std::string name;
    for (uint8_t c : bytes) {
        if (c == '\r' || c == '\n' || c == ';') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += char(c);
        }
    }
    if (!name.empty()) names.push_back(name);
    return names;
}

ReadArchive::ReadArchive(const std::string& path, MpqCheckDepth depth) : path_(path) {
    if (!Acceptable(path, refusal_, {}, depth)) return;
    DescriptorZeroGuard guard;
    HANDLE h = nullptr;
    // Read-only: browsing must never write, and a read-only archive must still open.
    if (::SFileOpenArchive(path.c_str(), 0, MPQ_OPEN_READ_ONLY, &h))
        handle_ = h;
    else
        KeepLibraryError();
}

ReadArchive::~ReadArchive() {
    if (!handle_) return;
    DescriptorZeroGuard guard;
    ::SFileCloseArchive(handle_);
}

uint32_t ReadArchive::EntryCount() const {
    if (!handle_) return 0;
    DescriptorZeroGuard guard;
    DWORD value = 0;
    if (!::SFileGetFileInfo(handle_, SFileMpqHashTableSize, &value, sizeof value, nullptr) ||
        value == 0)
        ::SFileGetFileInfo(handle_, SFileMpqMaxFileCount, &value, sizeof value, nullptr);
    return value;
}

bool ReadArchive::List(const std::string& nameList, size_t maxEntries,
                       std::vector<FoundFile>& out) const {
    out.clear();
    if (!handle_) return false;
    DescriptorZeroGuard guard;
    SFILE_FIND_DATA found{};
    HANDLE find = ::SFileFindFirstFile(handle_, "*", &found, NameListOrNull(nameList));
    if (!find) return ::GetLastError() == ERROR_NO_MORE_FILES;
    do {
        if (out.size() == maxEntries) break;
        const size_t length = ::strnlen(found.cFileName, sizeof found.cFileName);
        out.push_back({std::string(found.cFileName, length), int32_t(found.lcLocale)});
    } while (::SFileFindNextFile(find, &found));
    ::SFileFindClose(find);
    return true;
}

ReadArchive::ReadStatus ReadArchive::ReadFile(const FoundFile& file, uint32_t maxSize,
                                              std::vector<uint8_t>& out) const {
    out.clear();
    if (!handle_) return ReadStatus::Failed;
    // Only its name unlocks an encrypted file's sector table for the check. Damage only the
    // name reveals is the file's; any other is the archive's, as when the whole is checked.
    MpqHeaderProblem refusal{};
    if (!Acceptable(path_, refusal, std::span(&file.Name, 1))) {
        refusal_ = CheckMpqHeader(path_);
        return refusal_ == MpqHeaderProblem::Ok ? ReadStatus::Damaged : ReadStatus::Refused;
    }
    DescriptorZeroGuard guard;
    FileHandle handle;
    {
        LocaleGuard localeGuard(file.Locale);
        HANDLE h = nullptr;
        if (!::SFileOpenFileEx(handle_, file.Name.c_str(), SFILE_OPEN_FROM_MPQ, &h)) {
            KeepLibraryError();
            return ReadStatus::Missing;
        }
        handle.reset(h);
    }
    DWORD high = 0;
    const DWORD size = ::SFileGetFileSize(handle.get(), &high);
    if (size == SFILE_INVALID_SIZE || high != 0 || size > maxSize) return ReadStatus::Failed;
    // An empty file is a valid answer; the library reports reading nothing as a failure.
    if (size == 0) return ReadStatus::Ok;
    out.assign(size, 0);
    DWORD got = 0;
    const bool ok = ::SFileReadFile(handle.get(), out.data(), size, &got, nullptr);
    // Reaching the end exactly is reported as an error by the library.
    const bool read = (ok || ::GetLastError() == ERROR_HANDLE_EOF) && got == size;
    if (!read && IsSystemError(::GetLastError())) {
        KeepLibraryError();
        out.clear();
        return ReadStatus::Failed;
    }
    if (read && DecodesAlike(path_, handle_, handle.get(), out) && PassesChecksums(handle_, file))
        return ReadStatus::Ok;
    out.clear();
    return ReadStatus::Damaged;
}

UpdateSession::UpdateSession(const std::string& path, Mode mode, uint32_t maxFiles,
                             const std::string& nameList, Compaction compaction)
    : nameList_(nameList), compact_(compaction == Compaction::Always) {
    // Through a link the update is of the file it names: the lock and the copy lie beside
    // that file, so the rename stays on its file system and the link stays a link.
    if (!FollowLinks(path, target_)) return;
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        state_ = State::NotAFile;
        return;
    }
    if (mode == Mode::OpenExisting && !Writable(target_)) {
        errno = EACCES;
        return;
    }
    lock_ = std::make_unique<UpdateLock>(target_, LockWait);
    if (!lock_->Held()) {
        if (errno == EBUSY) state_ = State::Busy;
        return;
    }
    DescriptorZeroGuard guard;
    std::error_code ec;
    if (mode == Mode::OpenExisting) {
        MpqSpace space;
        if (!Acceptable(target_, refusal_, {}, MpqCheckDepth::NamedFiles, &space)) return;
        compact_ = compact_ || CompactionWorthIt(space);
        copy_ = lock_->NewWorkingCopy();
        if (copy_.empty()) return;
        if (!CopyContents(target_, copy_)) return;
        // The library opens the copy: that is what must pass, whatever the original became.
        // Compacting reads every file; adding one reads only the archive's own files.
        const auto depth = compact_ ? MpqCheckDepth::EveryFile : MpqCheckDepth::NamedFiles;
        if (!Acceptable(copy_, refusal_, NamesInList(nameList), depth)) return;
        HANDLE h = nullptr;
        if (!::SFileOpenArchive(copy_.c_str(), 0, 0, &h)) {
            KeepLibraryError();
            return;
        }
        handle_ = h;
        // Growing the tables and compacting need every name; an archive without a
        // (listfile) learns them from the name list.
        if (const char* list = NameListOrNull(nameList)) ::SFileAddListFile(handle_, list);
        state_ = State::Open;
        return;
    }
    if (fs::exists(target_, ec) || ec) {
        errno = EEXIST;
        return;
    }
    // The library probes for an existing archive first; a file that is there and empty
    // makes that probe a plain "not an archive" instead of a failed open.
    copy_ = lock_->NewWorkingCopy();
    if (copy_.empty()) return;
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof create;
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwStreamFlags = STREAM_PROVIDER_FLAT | BASE_PROVIDER_FILE;
    create.dwFileFlags1 = MPQ_FILE_EXISTS | MPQ_FILE_COMPRESS | MPQ_FILE_REPLACEEXISTING;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = maxFiles;
    compact_ = true; // a new archive is small
    HANDLE h = nullptr;
    if (!::SFileCreateArchive2(copy_.c_str(), &create, &h)) {
        KeepLibraryError();
        return;
    }
    handle_ = h;
    state_ = State::Open;
}

UpdateSession::~UpdateSession() {
    Abandon();
}

void UpdateSession::Abandon() {
    DescriptorZeroGuard guard;
    if (handle_) ::SFileCloseArchive(handle_);
    handle_ = nullptr;
    std::error_code ec;
    if (!copy_.empty()) {
        fs::remove(copy_, ec);
        fs::remove(CompactionPartialOf(copy_), ec);
    }
    copy_.clear();
    lock_.reset();
}

bool UpdateSession::Add(const std::string& source, const std::string& name, int32_t locale) {
    if (state_ != State::Open || spoilt_) {
        errno = EINVAL;
        return false;
    }
    DescriptorZeroGuard guard;
    LocaleGuard localeGuard(locale);
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        errno = ec ? ec.value() : ENOENT;
        spoilt_ = true;
        return false;
    }
    // The game reads PKWARE-imploded files; newer methods it cannot.
    const DWORD fileFlags = MPQ_FILE_COMPRESS | MPQ_FILE_REPLACEEXISTING;
    // Replacing a file whose name the archive does not know trips an assertion inside the
    // library; opening it by name first records the name.
    HANDLE existing = nullptr;
    if (::SFileOpenFileEx(handle_, name.c_str(), SFILE_OPEN_FROM_MPQ, &existing))
        ::SFileCloseFile(existing);
    auto add = [&] {
        return ::SFileAddFileEx(handle_, source.c_str(), name.c_str(), fileFlags,
                                MPQ_COMPRESSION_PKWARE, MPQ_COMPRESSION_NEXT_SAME);
    };
    bool added = add();
    if (!added && ::GetLastError() == ERROR_DISK_FULL) {
        // The hash table is full: double it and try once more.
        DWORD count = ::SFileGetMaxFileCount(handle_);
        if (::SFileSetMaxFileCount(handle_, count * 2)) added = add();
    }
    if (!added) {
        KeepLibraryError();
        spoilt_ = true;
    }
    return added;
}

UpdateSession::CompactStatus UpdateSession::Compact(CompactProgress* progress) {
    // Compacting reads every file, and only a session that planned it had them all checked.
    if (state_ != State::Open || spoilt_ || !compact_) return CompactStatus::Failed;
    DescriptorZeroGuard guard;
    ProgressForward forward{progress};
    if (progress) ::SFileSetCompactCallback(handle_, ForwardCompactProgress, &forward);
    const bool ok = ::SFileCompactArchive(handle_, NameListOrNull(nameList_), false);
    const DWORD error = ok ? 0 : ::GetLastError();
    ::SFileSetCompactCallback(handle_, nullptr, nullptr);
    if (ok && progress) forward.Finish();
    if (ok) return CompactStatus::Compacted;
    // A compaction that stopped half-way (a full disk) must not keep its partial file.
    std::error_code ec;
    fs::remove(CompactionPartialOf(copy_), ec);
    errno = int(error);
    return error == ERROR_UNKNOWN_FILE_NAMES ? CompactStatus::NamesUnknown : CompactStatus::Failed;
}

bool UpdateSession::Commit() {
    if (state_ != State::Open) return false;
    DescriptorZeroGuard guard;
    const bool closed = ::SFileCloseArchive(handle_);
    handle_ = nullptr;
    // After a failed step errno already holds that step's reason.
    if (!closed && !spoilt_) KeepLibraryError();
    // The original's mode, owner and group go with the copy that takes its place.
    const bool ok = closed && !spoilt_ && ReplaceFileWith(target_, copy_);
    if (ok) copy_.clear();
    Abandon();
    return ok;
}

} // namespace tarrox::mpq
