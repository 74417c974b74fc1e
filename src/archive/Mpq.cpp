// The only unit that sees StormLib. Its C functions share names with ours, so every call into
// the library is written with "::".
#include "archive/Mpq.h"

#include <StormLib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
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

bool SyncToDisk(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

void WINAPI ForwardCompactProgress(void* user, DWORD, ULONGLONG done, ULONGLONG total) {
    static_cast<CompactProgress*>(user)->Update(done, total);
}

} // namespace

bool SFileOpenArchive(const std::string& path, int, int, Handle& archive) {
    DescriptorZeroGuard guard;
    HANDLE h = nullptr;
    // Read-only: browsing must never write, and a read-only archive must still open.
    if (!::SFileOpenArchive(path.c_str(), 0, MPQ_OPEN_READ_ONLY, &h)) {
        KeepLibraryError();
        return false;
    }
    archive = h;
    return true;
}

uint32_t SFileGetFileInfo(Handle archive, int what) {
    if (what != ListEntryCount) return 0;
    DescriptorZeroGuard guard;
    DWORD value = 0;
    if (!::SFileGetFileInfo(archive, SFileMpqHashTableSize, &value, sizeof value, nullptr) ||
        value == 0)
        ::SFileGetFileInfo(archive, SFileMpqMaxFileCount, &value, sizeof value, nullptr);
    return value;
}

bool SFileListFiles(Handle archive, const std::string& nameList,
                    std::vector<FileListEntry>& entries, int) {
    DescriptorZeroGuard guard;
    SFILE_FIND_DATA found{};
    HANDLE find = ::SFileFindFirstFile(archive, "*", &found, NameListOrNull(nameList));
    if (!find) return ::GetLastError() == ERROR_NO_MORE_FILES;
    size_t filled = 0;
    do {
        if (filled == entries.size()) break;
        FileListEntry& e = entries[filled++];
        e = FileListEntry{};
        e.InUse = 1;
        e.Locale = static_cast<int32_t>(found.lcLocale);
        e.CompressedSize = found.dwCompSize;
        e.FullSize = found.dwFileSize;
        e.Flags = found.dwFileFlags;
        for (size_t i = 0; i + 1 < e.Name.size() && found.cFileName[i]; ++i)
            e.Name[i] = found.cFileName[i];
    } while (::SFileFindNextFile(find, &found));
    ::SFileFindClose(find);
    return true;
}

bool SFileOpenFile(Handle archive, const std::string& name, int32_t locale, Handle& file) {
    DescriptorZeroGuard guard;
    LocaleGuard localeGuard(locale);
    HANDLE h = nullptr;
    if (!::SFileOpenFileEx(archive, name.c_str(), SFILE_OPEN_FROM_MPQ, &h)) {
        KeepLibraryError();
        return false;
    }
    file = h;
    return true;
}

uint32_t SFileGetFileSize(Handle file) {
    DescriptorZeroGuard guard;
    DWORD high = 0;
    return ::SFileGetFileSize(file, &high);
}

bool SFileReadFile(Handle file, std::span<uint8_t> buffer, uint32_t& bytesRead) {
    DescriptorZeroGuard guard;
    DWORD got = 0;
    bool ok =
        ::SFileReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
    bytesRead = got;
    // Reaching the end exactly is reported as an error by the library.
    return ok || (::GetLastError() == ERROR_HANDLE_EOF && got == buffer.size());
}

void SFileCloseFile(Handle file) {
    DescriptorZeroGuard guard;
    ::SFileCloseFile(file);
}

void SFileCloseArchive(Handle archive) {
    DescriptorZeroGuard guard;
    ::SFileCloseArchive(archive);
}

class Update {
  public:
    std::string Target;
    std::string Copy;
    std::string NameList;
    HANDLE Archive = nullptr;
    bool Failed = false;
};

namespace {

void Discard(Update* update) {
    std::error_code ec;
    fs::remove(update->Copy, ec);
    delete update;
}

} // namespace

Update* MpqOpenArchiveForUpdate(const std::string& path, int flags, uint32_t maxFiles,
                                const std::string& nameList) {
    DescriptorZeroGuard guard;
    auto* update = new Update{path, path + ".tarrox-update", nameList};
    std::error_code ec;
    if (flags == UpdateExisting) {
        if (!Writable(path)) {
            errno = EACCES;
            delete update;
            return nullptr;
        }
        if (!fs::copy_file(path, update->Copy, fs::copy_options::overwrite_existing, ec) ||
            !::SFileOpenArchive(update->Copy.c_str(), 0, 0, &update->Archive)) {
            if (!ec) KeepLibraryError();
            Discard(update);
            return nullptr;
        }
        // Growing the tables and compacting need every name; an archive without a
        // (listfile) learns them from the name list.
        if (const char* list = NameListOrNull(nameList)) ::SFileAddListFile(update->Archive, list);
        return update;
    }
    if (fs::exists(path, ec) || ec) {
        errno = EEXIST;
        delete update;
        return nullptr;
    }
    // The library probes for an existing archive first; a file that is there and empty
    // makes that probe a plain "not an archive" instead of a failed open.
    if (std::FILE* f = std::fopen(update->Copy.c_str(), "wb")) std::fclose(f);
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof create;
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwStreamFlags = STREAM_PROVIDER_FLAT | BASE_PROVIDER_FILE;
    create.dwFileFlags1 = MPQ_FILE_EXISTS | MPQ_FILE_COMPRESS | MPQ_FILE_REPLACEEXISTING;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = maxFiles;
    if (!::SFileCreateArchive2(update->Copy.c_str(), &create, &update->Archive)) {
        KeepLibraryError();
        Discard(update);
        return nullptr;
    }
    return update;
}

bool MpqAddFileToArchive(Update* update, const std::string& source, const std::string& name,
                         uint32_t flags, int32_t locale) {
    if (!update || update->Failed) {
        errno = EINVAL;
        return false;
    }
    DescriptorZeroGuard guard;
    LocaleGuard localeGuard(locale);
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        errno = ec ? ec.value() : ENOENT;
        update->Failed = true;
        return false;
    }
    DWORD fileFlags = 0;
    DWORD compression = 0;
    if (flags & AddCompress) {
        // The game reads PKWARE-imploded files; newer methods it cannot.
        fileFlags |= MPQ_FILE_COMPRESS;
        compression = MPQ_COMPRESSION_PKWARE;
    }
    if (flags & AddReplaceExisting) fileFlags |= MPQ_FILE_REPLACEEXISTING;
    // Replacing a file whose name the archive does not know trips an assertion inside the
    // library; opening it by name first records the name.
    HANDLE existing = nullptr;
    if (::SFileOpenFileEx(update->Archive, name.c_str(), SFILE_OPEN_FROM_MPQ, &existing))
        ::SFileCloseFile(existing);
    auto add = [&] {
        return ::SFileAddFileEx(update->Archive, source.c_str(), name.c_str(), fileFlags,
                                compression, MPQ_COMPRESSION_NEXT_SAME);
    };
    bool added = add();
    if (!added && ::GetLastError() == ERROR_DISK_FULL) {
        // The hash table is full: double it and try once more.
        DWORD count = ::SFileGetMaxFileCount(update->Archive);
        if (::SFileSetMaxFileCount(update->Archive, count * 2)) added = add();
    }
    if (!added) {
        KeepLibraryError();
        update->Failed = true;
    }
    return added;
}

bool MpqCompactArchive(Update* update, CompactProgress* progress) {
    if (!update || update->Failed) return false;
    DescriptorZeroGuard guard;
    if (progress) ::SFileSetCompactCallback(update->Archive, ForwardCompactProgress, progress);
    bool ok = ::SFileCompactArchive(update->Archive, NameListOrNull(update->NameList), false);
    if (!ok) KeepLibraryError();
    ::SFileSetCompactCallback(update->Archive, nullptr, nullptr);
    return ok;
}

bool MpqCloseUpdatedArchive(Update* update, int) {
    if (!update) return false;
    DescriptorZeroGuard guard;
    const bool closed = ::SFileCloseArchive(update->Archive);
    // After a failed step errno already holds that step's reason.
    if (!closed && !update->Failed) KeepLibraryError();
    bool ok = closed && !update->Failed;
    // On disk before it takes the original's place, so a power cut leaves one or the other.
    ok = ok && SyncToDisk(update->Copy);
    std::error_code ec;
    if (ok) fs::rename(update->Copy, update->Target, ec);
    if (!ok || ec) {
        if (ec) errno = ec.value();
        Discard(update);
        return false;
    }
    delete update;
    return true;
}

} // namespace tarrox::mpq
