#include "platform/ProgramFolder.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

// The install tree's share folder as seen from its bin folder; the build sets it from the
// install layout.
#ifndef TARROX_SHARE_FROM_BIN
#define TARROX_SHARE_FROM_BIN "../share/tarrox2"
#endif

namespace tarrox {

namespace fs = std::filesystem;

namespace {

constexpr const char* WorkingCopyName = "~!temp.dat";
// WriteFileAtomically stages the new content under this suffix before the rename.
constexpr const char* StagedSuffix = ".tarrox-new";

std::string& Folder() {
    static std::string folder;
    return folder;
}

// The working folder and the process that made it: a forked child makes its own and never
// removes its parent's.
struct Working {
    fs::path folder;
    int owner = 0;
};

Working& Work() {
    static Working work;
    return work;
}

// Copies of the working paths for the signal handler, which may not allocate.
char signalDir[1024], signalFile[1024], signalStaged[1024];

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// Exclusive: fails when the name exists in any form, so a name planted by someone else is
// never used. Owner-only from the start on POSIX.
bool MakeOwnFolder(const fs::path& path) {
#ifdef _WIN32
    std::error_code ec;
    return fs::create_directory(path, ec);
#else
    return ::mkdir(path.c_str(), 0700) == 0;
#endif
}

bool CopyForSignal(char (&to)[1024], const std::string& from) {
    if (from.size() >= sizeof to) return false;
    std::memcpy(to, from.c_str(), from.size() + 1);
    return true;
}

#ifndef _WIN32
extern "C" void RemoveOnSignal(int sig) {
    ::unlink(signalFile);
    ::unlink(signalStaged);
    ::rmdir(signalDir);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// Only where nobody else handles the signal: a handler of the host's stays in charge.
void CleanUpOnSignals() {
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction mine {};
        mine.sa_handler = RemoveOnSignal;
        sigemptyset(&mine.sa_mask);
        ::sigaction(sig, &mine, nullptr);
    }
}
#endif

void RegisterCleanUp(const fs::path& folder) {
    static bool registered = false;
    const std::string file = (folder / WorkingCopyName).string();
    bool copied = CopyForSignal(signalDir, folder.string()) && CopyForSignal(signalFile, file) &&
                  CopyForSignal(signalStaged, file + StagedSuffix);
    if (registered) return;
    registered = true;
    std::atexit(RemoveTempFile);
#ifndef _WIN32
    if (copied) CleanUpOnSignals();
#else
    (void)copied;
#endif
}

const fs::path& WorkingFolder() {
    Working& work = Work();
    if (!work.folder.empty() && work.owner == ProcessId()) return work.folder;
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::random_device random;
    const std::string stem = "tarrox2-" + std::to_string(ProcessId()) + "-";
    fs::path candidate;
    for (int attempt = 0; attempt < 64; ++attempt) {
        char suffix[9];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<uint32_t>(random()));
        candidate = base / (stem + suffix);
        if (MakeOwnFolder(candidate)) {
            work = {candidate, ProcessId()};
            RegisterCleanUp(work.folder);
            return work.folder;
        }
    }
    // No folder could be made: the write into it fails and names the path.
    static fs::path unusable;
    unusable = candidate;
    return unusable;
}

} // namespace

void SetProgramFolder(const std::string& folder) {
    Folder() = folder;
}

std::string ProgramFolder() {
    return Folder();
}

std::string ProgramFile(const std::string& name) {
    return (fs::path(Folder()) / name).string();
}

std::string DataFile(const std::string& name) {
    const fs::path beside = fs::path(Folder()) / name;
    std::error_code ec;
    if (fs::exists(beside, ec)) return beside.string();
    const fs::path shared = (fs::path(Folder()) / TARROX_SHARE_FROM_BIN / name).lexically_normal();
    if (fs::exists(shared, ec)) return shared.string();
    return beside.string();
}

std::string TempFilePath() {
    return (WorkingFolder() / WorkingCopyName).string();
}

void RemoveTempFile() {
    Working& work = Work();
    if (work.folder.empty() || work.owner != ProcessId()) return;
    signalDir[0] = signalFile[0] = signalStaged[0] = '\0';
    std::error_code ignored;
    fs::remove_all(work.folder, ignored);
    work.folder.clear();
}

} // namespace tarrox
