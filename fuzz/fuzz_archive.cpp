// Any bytes as an archive. The header check runs here and must agree with itself on a file
// and in memory. What it lets through is listed and read in a child process, as the editor
// does: the MPQ library is not built with the sanitizers and has faults of its own on damaged
// archives, so its death in the child is a handled outcome, never ours.
#include <fcntl.h>
#include <sanitizer/common_interface_defs.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "archive/ArchiveFiles.h"
#include "archive/MpqHeaderCheck.h"

namespace {

std::string MemoryFile(const char* name, const void* data, size_t size) {
    const int fd = ::memfd_create(name, 0);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || (size && ::pwrite(fd, data, size, 0) != ssize_t(size)))
        std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
}

// The limits the editor's child runs under: a little memory beyond what it starts with (the
// sanitizer's reservations count too), two seconds.
void LimitChild() {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    if (!std::getenv("FUZZ_ARCHIVE_KEEP")) ::dup2(null, 2);
    struct sigaction fallDown {};
    fallDown.sa_handler = SIG_DFL;
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::sigaction(s, &fallDown, nullptr);
    __sanitizer_set_death_callback([] { ::_exit(99); });
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    if (pages > 0) {
        const rlim_t bytes = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (256u << 20);
        const rlimit memory{bytes, bytes};
        ::setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit cpu{2, 2};
    ::setrlimit(RLIMIT_CPU, &cpu);
    ::alarm(2);
}

// How many inputs reached the library, and how many of those it did not survive: said at exit.
struct Tally {
    long reached = 0, died = 0, hung = 0;
    ~Tally() {
        std::fprintf(stderr,
                     "fuzz_archive: %ld inputs reached the library, %ld killed it, %ld hung\n",
                     reached, died, hung);
    }
} tally;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    static const std::string nameList = [] {
        const std::string names = "rez\\glumain.bin\r\nrez\\x.bin\r\n(listfile)\r\n";
        return MemoryFile("names", names.data(), names.size());
    }();
    static const std::string archive = MemoryFile("archive", nullptr, 0);
    const int fd = std::atoi(archive.c_str() + archive.rfind('/') + 1);
    if (::ftruncate(fd, 0) != 0 || (size && ::pwrite(fd, data, size, 0) != ssize_t(size)))
        std::abort();

    // The depth listing and reading use: the library must stay safe on what that passes.
    constexpr auto depth = MpqCheckDepth::NamedFiles;
    const MpqHeaderProblem problem = CheckMpqHeader(archive, {}, depth);
    if (problem != CheckMpqHeader(std::span<const uint8_t>(data, size), {}, depth)) std::abort();
    if (problem != MpqHeaderProblem::Ok) return 0;

    const pid_t child = ::fork();
    if (child < 0) return 0;
    if (child == 0) {
        LimitChild();
        std::vector<ArchiveLine> lines;
        ListDialogFiles(archive, nameList, -1, lines);
        lines.push_back({"rez\\glumain.bin", 0});
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < lines.size() && i < 8; ++i)
            ReadArchivedFile(archive, lines[i], bytes);
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ++tally.reached;
    if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGALRM || WTERMSIG(status) == SIGXCPU))
        ++tally.hung;
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ++tally.died;
    else
        return 0;
    // Kept for study when asked: what the library could not survive.
    if (const char* keep = std::getenv("FUZZ_ARCHIVE_KEEP")) {
        const std::string path = std::string(keep) + "/death-" + std::to_string(tally.reached);
        if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
    }
    return 0;
}
