// The editor's archive work done by the command-line tool in a short-lived child process under
// resource limits: the archive library never sees a hostile archive inside the editor, and a
// crash or a runaway there costs the user nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveFiles.h"
#include "platform/ChildProcess.h"
#include "platform/Dialogs.h"

namespace tarrox {

enum class ArchiveJob { List, Extract, Put, Import };

// The limits each job runs under; the tool applies the same to itself when a user runs it.
ProcessLimits ArchiveJobLimits(ArchiveJob job);

// The tool that does the work. It lies beside the editor, in the build tree and when installed.
std::string ArchiveToolPath();

// The outcome of a job as the user is to hear of it.
struct ArchiveOutcome {
    bool Done = false;   // the job did what was asked
    std::string Message; // what to tell the user; empty for nothing
    MessageIcon Icon = MessageIcon::Critical;
};

struct ArchiveListing {
    enum class Kind { Listed, NotAnArchive, ListingFailed, Failed };
    Kind How = Kind::Failed;
    std::vector<ArchiveLine> Lines; // also for ListingFailed: what was found
    std::string Message;            // for Failed
};

using KeepAlive = std::function<void()>;

// The tool's list line, "NAME" or "NAME  (LOCALE)", back as a browser line.
ArchiveLine ParseListedLine(const std::string& text);

ArchiveListing ListInChild(const std::string& archivePath, int32_t locale,
                           const KeepAlive& keepAlive = {});
// Writes the archived file to `destination`, replacing it without a question.
ArchiveOutcome ExtractInChild(const std::string& archivePath, const ArchiveLine& file,
                              const std::string& destination, const KeepAlive& keepAlive = {});
// Stores `source` under `file` and compacts the archive. Done also when only the compaction
// failed: the file is stored then, and the message says so.
ArchiveOutcome PutInChild(const std::string& archivePath, const ArchiveLine& file,
                          const std::string& source, mpq::CompactProgress* progress,
                          const KeepAlive& keepAlive = {});

// Rewrites the archive without its unused space. Done when it went through; the message then
// says whether it was compacted (its names may be unknown).
ArchiveOutcome CompactInChild(const std::string& archivePath, mpq::CompactProgress* progress,
                              const KeepAlive& keepAlive = {});

// Imports the game's fonts, colour tables and art from `sources` into `folder`. The message is the
// tool's whole report; Done when anything was imported.
ArchiveOutcome ImportInChild(const std::vector<std::string>& sources, const std::string& folder,
                             const KeepAlive& keepAlive = {});

} // namespace tarrox
