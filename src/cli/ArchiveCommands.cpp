// list, extract and put: the archive browser and the write-back for scripts, on the same code.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFiles.h"
#include "archive/Mpq.h"
#include "cli/Commands.h"

namespace tarrox::cli {

namespace {

// A message may span lines; the tool says each on one.
void Say(const std::string& prefix, std::string text) {
    if (text.empty()) return;
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    std::fprintf(stderr, "%s%s\n", prefix.c_str(), text.c_str());
}

// Takes "--locale N" out of the arguments; false when N is not a number.
bool TakeLocale(Args& args, int32_t& locale) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--locale") continue;
        if (i + 1 == args.size()) return false;
        char* end = nullptr;
        long value = std::strtol(args[i + 1].c_str(), &end, 10);
        if (*end != '\0' || args[i + 1].empty() || value < INT32_MIN || value > INT32_MAX)
            return false;
        locale = static_cast<int32_t>(value);
        args.erase(args.begin() + i, args.begin() + i + 2);
        return true;
    }
    return true;
}

// Takes `flag` out of the arguments; true when it was there.
bool TakeFlag(Args& args, const std::string& flag) {
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i] == flag) {
            args.erase(args.begin() + i);
            return true;
        }
    return false;
}

// "progress DONE TOTAL" lines on stdout for the editor's progress window.
class ProgressLines : public mpq::CompactProgress {
  public:
    explicit ProgressLines(bool print) : print_(print) {}
    void Update(uint64_t done, uint64_t total) override {
        // Progress comes once a sector: the alarm is pushed back once a second at most.
        const auto now = std::chrono::steady_clock::now();
        if (now - alarmSet_ >= std::chrono::seconds(1)) {
            ::alarm(ArchiveJobLimits(ArchiveJob::Put).QuietSeconds);
            alarmSet_ = now;
        }
        // A bar moves in steps of a thousandth: finer lines would only cost a write each.
        if (!print_ || (done != total && done < printed_ + total / 1000 && total == total_)) return;
        printed_ = done;
        total_ = total;
        std::printf("progress %llu %llu\n", static_cast<unsigned long long>(done),
                    static_cast<unsigned long long>(total));
        std::fflush(stdout);
    }

  private:
    bool print_;
    uint64_t printed_ = 0, total_ = 0;
    std::chrono::steady_clock::time_point alarmSet_ = std::chrono::steady_clock::now();
};

extern "C" void OnAlarm(int) {
    static const char message[] = "Error: Timed out.\n";
    (void)!::write(2, message, sizeof message - 1);
    ::_exit(1);
}

} // namespace

// A user's run keeps to the limits the editor gives the tool; the wall time by an alarm that
// progress pushes back.
void LimitSelf(ArchiveJob job) {
    LimitThisProcess(ArchiveJobLimits(job));
    std::signal(SIGALRM, OnAlarm);
    ::alarm(ArchiveJobLimits(job).QuietSeconds);
}

int List(const Args& given) {
    Args args = given;
    int32_t locale = 0;
    if (!TakeLocale(args, locale) || args.size() != 1)
        return Fail("Error: usage: tarrox2-cli list ARCHIVE [--locale N]");
    LimitSelf(ArchiveJob::List);
    std::vector<ArchiveLine> lines;
    std::string refusal;
    ListResult result = ListDialogFiles(args[0], NameListPath(), locale, lines, &refusal);
    if (result == ListResult::NotAnArchive)
        return Fail("Error: " +
                    (refusal.empty() ? args[0] + " does not contain an MPQ archive." : refusal));
    for (const ArchiveLine& line : lines) {
        std::string text = FormatArchiveLine(line);
        for (char& c : text)
            if (c == 31) c = ' ';
        std::printf("%s\n", text.c_str());
    }
    if (!StdoutWritten()) return 1;
    return result == ListResult::ListingFailed ? Fail("Error: Could not list " + args[0] + ".") : 0;
}

int Extract(const Args& given) {
    Args args = given;
    int32_t locale = 0;
    if (!TakeLocale(args, locale) || args.size() != 3)
        return Fail("Error: usage: tarrox2-cli extract ARCHIVE NAME OUT.bin [--locale N]");
    LimitSelf(ArchiveJob::Extract);
    // A script asked for the file, so an existing one is replaced.
    const ArchiveResult result = ExtractArchivedFile(args[0], {args[1], locale}, args[2]);
    Say("", result.Message);
    return result.Ok ? 0 : 1;
}

int Put(const Args& given) {
    Args args = given;
    int32_t locale = 0;
    const bool progress = TakeFlag(args, "--progress");
    if (!TakeLocale(args, locale) || args.size() != 3)
        return Fail("Error: usage: tarrox2-cli put ARCHIVE NAME IN.bin [--locale N] [--progress]");
    LimitSelf(ArchiveJob::Put);
    ProgressLines lines(progress);
    const ArchiveResult result = WriteBackToArchive(args[0], {args[1], locale}, args[2], &lines);
    Say("", result.Message);
    Say("note: ", result.Note);
    return result.Ok && result.Message.empty() ? 0 : 1;
}

int Compact(const Args& given) {
    Args args = given;
    const bool progress = TakeFlag(args, "--progress");
    if (args.size() != 1) return Fail("Error: usage: tarrox2-cli compact ARCHIVE [--progress]");
    LimitSelf(ArchiveJob::Put);
    ProgressLines lines(progress);
    const ArchiveResult result = CompactArchive(args[0], &lines);
    Say("", result.Message);
    Say("note: ", result.Note);
    return result.Ok && result.Message.empty() ? 0 : 1;
}

} // namespace tarrox::cli
