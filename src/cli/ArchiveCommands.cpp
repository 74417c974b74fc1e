// list, extract and put: the archive browser and the write-back for scripts, on the same code.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFiles.h"
#include "archive/Mpq.h"
#include "cli/Commands.h"
#include "platform/Dialogs.h"

namespace tarrox::cli {

namespace {

// The windows' messages go to stderr; a script asked for the file, so it is replaced.
class ConsoleDialogs : public Dialogs {
  public:
    int Errors = 0;
    MessageAnswer MessageBox(const std::string& text, MessageIcon, MessageButtons buttons,
                             const std::string&) override {
        if (buttons != MessageButtons::Ok) return MessageAnswer::Yes;
        std::string line = text;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        std::fprintf(stderr, "%s\n", line.c_str());
        ++Errors;
        return MessageAnswer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool ShowOpen(FileDialogState&) override { return false; }
    bool ShowSaveAs(FileDialogState&) override { return false; }
    bool OpenWithDefaultApp(const std::string&) override { return false; }
};

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

extern "C" void OnAlarm(int) {
    static const char message[] = "Error: Timed out.\n";
    (void)!::write(2, message, sizeof message - 1);
    ::_exit(1);
}

// A user's run keeps to the limits the editor gives the tool; the wall time by an alarm that
// progress pushes back.
void LimitSelf(ArchiveJob job) {
    LimitThisProcess(ArchiveJobLimits(job));
    std::signal(SIGALRM, OnAlarm);
    ::alarm(ArchiveJobLimits(job).QuietSeconds);
}

// "progress DONE TOTAL" lines on stdout for the editor's progress window.
class ProgressLines : public mpq::CompactProgress {
  public:
    explicit ProgressLines(bool print) : print_(print) {}
    void Update(uint64_t done, uint64_t total) override {
        ::alarm(ArchiveJobLimits(ArchiveJob::Put).QuietSeconds);
        if (!print_) return;
        std::printf("progress %llu %llu\n", static_cast<unsigned long long>(done),
                    static_cast<unsigned long long>(total));
        std::fflush(stdout);
    }

  private:
    bool print_;
};

} // namespace

int List(const Args& given) {
    Args args = given;
    int32_t locale = 0;
    if (!TakeLocale(args, locale) || args.size() != 1)
        return Fail("Error: usage: tarrox2-cli list ARCHIVE [--locale N]");
    LimitSelf(ArchiveJob::List);
    std::vector<ArchiveLine> lines;
    ListResult result = ListDialogFiles(args[0], NameListPath(), locale, lines);
    if (result == ListResult::NotAnArchive)
        return Fail("Error: " + args[0] + " does not contain an MPQ archive.");
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
    ConsoleDialogs dialogs;
    return ExtractArchivedFile(dialogs, args[0], {args[1], locale}, args[2]) ? 0 : 1;
}

int Put(const Args& given) {
    Args args = given;
    int32_t locale = 0;
    const bool progress = TakeFlag(args, "--progress");
    if (!TakeLocale(args, locale) || args.size() != 3)
        return Fail("Error: usage: tarrox2-cli put ARCHIVE NAME IN.bin [--locale N] [--progress]");
    LimitSelf(ArchiveJob::Put);
    ConsoleDialogs dialogs;
    ProgressLines lines(progress);
    bool stored = WriteBackToArchive(dialogs, args[0], {args[1], locale}, args[2], &lines);
    return stored && dialogs.Errors == 0 ? 0 : 1;
}

} // namespace tarrox::cli
