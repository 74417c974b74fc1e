#include "archive/ArchiveClient.h"

#include <cstdio>
#include <cstdlib>

#include "archive/Mpq.h"
#include "platform/ProgramFolder.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARROX_ADDRESS_SANITIZER
#endif
#endif

namespace tarrox {

namespace {

const char* const OpenFailed = "Error: Could not open archive.";
const char* const CompactFailed = "Error: Could not compact";
const char* const AddFailed = "Error: Could not add file.";

std::vector<std::string> Args(const std::string& job, std::vector<std::string> rest,
                              int32_t locale) {
    rest.insert(rest.begin(), job);
    rest.push_back("--locale");
    rest.push_back(std::to_string(locale));
    return rest;
}

ChildResult Run(ArchiveJob job, const std::vector<std::string>& args, const ChildWatch& watch) {
    return RunChild(ArchiveToolPath(), args, ArchiveJobLimits(job), watch);
}

// What the tool said on failure, in the editor's words; the fallback when it said nothing
// (a crash, a limit, a tool that would not start).
ArchiveOutcome Failure(const ChildResult& r, const std::string& fallback) {
    ArchiveOutcome outcome;
    std::vector<std::string> errors;
    if (r.How == ChildResult::Ending::Exited) errors = r.ErrLines("Error: ");
    for (std::string line : errors) {
        // The tool puts the error code on the message's line; the editor shows it below.
        const std::string add = AddFailed;
        if (line.starts_with(add + " ")) line = add + "\r\n" + line.substr(add.size() + 1);
        if (line.starts_with(AddFailed) || line == CompactFailed) outcome.Icon = MessageIcon::None;
        outcome.Message += (outcome.Message.empty() ? "" : "\r\n") + line;
    }
    if (outcome.Message.empty()) outcome.Message = fallback;
    return outcome;
}

// Runs a job that rewrites the archive, its "progress DONE TOTAL" lines passed on.
ChildResult RunWithProgress(std::vector<std::string> args, mpq::CompactProgress* progress,
                            const KeepAlive& keepAlive) {
    auto onLine = [progress](const std::string& line) {
        unsigned long long done = 0, total = 0;
        if (progress && std::sscanf(line.c_str(), "progress %llu %llu", &done, &total) == 2)
            progress->Update(done, total);
    };
    args.push_back("--progress");
    return Run(ArchiveJob::Put, args, {onLine, keepAlive});
}

} // namespace

ProcessLimits ArchiveJobLimits(ArchiveJob job) {
    ProcessLimits limits;
    // The sanitizers reserve terabytes of address space up front; their builds go without.
#if !defined(__SANITIZE_ADDRESS__) && !defined(TARROX_ADDRESS_SANITIZER)
    limits.AddressSpaceBytes = 512ull << 20;
#endif
    // A compaction copies the whole archive and reports as it goes; the rest is quick.
    limits.CpuSeconds = job == ArchiveJob::Put ? 120 : 10;
    limits.QuietSeconds = 30;
    return limits;
}

std::string ArchiveToolPath() {
    return ProgramFile("tarrox2-cli");
}

ArchiveLine ParseListedLine(const std::string& text) {
    // Every listed name ends ".bin", so a closing parenthesis can only end a locale.
    size_t open = text.rfind(" (");
    if (text.empty() || text.back() != ')' || open == std::string::npos) return {text, 0};
    char* end = nullptr;
    long locale = std::strtol(text.c_str() + open + 2, &end, 10);
    if (end != text.c_str() + text.size() - 1) return {text, 0};
    // The tool shows the locale separator as a blank.
    size_t nameEnd = open;
    while (nameEnd > 0 && text[nameEnd - 1] == ' ') --nameEnd;
    return {text.substr(0, nameEnd), static_cast<int32_t>(locale)};
}

ArchiveListing ListInChild(const std::string& archivePath, int32_t locale,
                           const KeepAlive& keepAlive) {
    ChildResult r = Run(ArchiveJob::List, Args("list", {archivePath}, locale), {{}, keepAlive});
    ArchiveListing listing;
    using Kind = ArchiveListing::Kind;
    const auto errors = r.ErrLines("Error: ");
    if (r.Succeeded())
        listing.How = Kind::Listed;
    else if (r.How == ChildResult::Ending::Exited && errors.size() == 1 &&
             errors[0] == "Error: " + archivePath + " does not contain an MPQ archive.")
        return {Kind::NotAnArchive, {}, {}};
    else if (r.How == ChildResult::Ending::Exited && errors.size() == 1 &&
             errors[0] == "Error: Could not list " + archivePath + ".")
        listing.How = Kind::ListingFailed;
    else
        return {Kind::Failed, {}, Failure(r, OpenFailed).Message};
    for (const std::string& line : OutputLines(r.Out))
        listing.Lines.push_back(ParseListedLine(line));
    return listing;
}

ArchiveOutcome ExtractInChild(const std::string& archivePath, const ArchiveLine& file,
                              const std::string& destination, const KeepAlive& keepAlive) {
    ChildResult r =
        Run(ArchiveJob::Extract,
            Args("extract", {archivePath, file.Name, destination}, file.Locale), {{}, keepAlive});
    if (r.Succeeded()) return {true, {}, MessageIcon::None};
    return Failure(r, OpenFailed);
}

ArchiveOutcome PutInChild(const std::string& archivePath, const ArchiveLine& file,
                          const std::string& source, mpq::CompactProgress* progress,
                          const KeepAlive& keepAlive) {
    ChildResult r = RunWithProgress(Args("put", {archivePath, file.Name, source}, file.Locale),
                                    progress, keepAlive);
    // Notes (an archive that could not be compacted for a harmless reason) stay quiet.
    if (r.Succeeded()) return {true, {}, MessageIcon::None};
    ArchiveOutcome outcome = Failure(r, OpenFailed);
    outcome.Done = outcome.Message == CompactFailed;
    return outcome;
}

ArchiveOutcome CompactInChild(const std::string& archivePath, mpq::CompactProgress* progress,
                              const KeepAlive& keepAlive) {
    ChildResult r = RunWithProgress({"compact", archivePath}, progress, keepAlive);
    if (!r.Succeeded()) return Failure(r, OpenFailed);
    const auto notes = r.ErrLines("note: ");
    return {true, notes.empty() ? archivePath + " is compacted." : notes[0].substr(6),
            MessageIcon::None};
}

ArchiveOutcome ImportInChild(const std::vector<std::string>& sources, const std::string& folder,
                             const KeepAlive& keepAlive) {
    std::vector<std::string> args = {"import-data"};
    args.insert(args.end(), sources.begin(), sources.end());
    args.insert(args.end(), {"--to", folder});
    ChildResult r = Run(ArchiveJob::Import, args, {{}, keepAlive});
    // The report: what came in, what did not and why, then any error.
    ArchiveOutcome outcome{
        r.Succeeded(), {}, r.Succeeded() ? MessageIcon::None : MessageIcon::Exclamation};
    std::vector<std::string> lines = OutputLines(r.Out);
    if (r.How == ChildResult::Ending::Exited)
        for (const std::string& line : r.ErrLines("Error: ")) lines.push_back(line);
    else
        lines.push_back("Error: Could not import the game data.");
    for (const std::string& line : lines)
        outcome.Message += (outcome.Message.empty() ? "" : "\r\n") + line;
    return outcome;
}

} // namespace tarrox
