// Dialog files inside archives as the windows and the command-line tool use them: listing,
// extracting and writing back, with the messages the user sees.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace tarrox {

namespace mpq {
class CompactProgress;
}

// The names to look for in archives: data/binlist.txt in the program folder.
std::string NameListPath();

// A browser line: the archived name, and for a locale above 0 the code-31 separator and
// " (locale)".
struct ArchiveLine {
    std::string Name;
    int32_t Locale = 0;
};
std::string FormatArchiveLine(const ArchiveLine& line);
ArchiveLine ParseArchiveLine(const std::string& text);

enum class ListResult { Listed, NotAnArchive, TooFewEntries, ListingFailed };

// The dialog files of the archive: names under "rez\" ending ".bin", of `locale` or neutral
// (every locale for -1), sorted and one line per file. ListingFailed still fills
// whatever was found. For NotAnArchive, `refusal` (when given) says why in a user's words.
ListResult ListDialogFiles(const std::string& archivePath, const std::string& nameList,
                           int32_t locale, std::vector<ArchiveLine>& lines,
                           std::string* refusal = nullptr);

// What an archive operation leaves for the user. The windows show Message, the tool prints it;
// Note is said only by the tool (a window keeps quiet about it).
struct ArchiveResult {
    bool Ok = false;
    std::string Message;
    MessageIcon Icon = MessageIcon::Critical;
    std::string Note;
};

// Asked before an existing destination is replaced; true to replace it.
using ReplaceQuestion = std::function<bool(const std::string& destination)>;

// Reads one archived file whole. Fails with "Error: Could not open archive.",
// "Error: Could not open file.", "Error: NAME in ARCHIVE is damaged." or
// "Error: Could not read NAME.".
ArchiveResult ReadArchivedFile(const std::string& archivePath, const ArchiveLine& file,
                               std::vector<uint8_t>& bytes);

// Copies one archived file to `destination`. An existing destination other than the temporary
// file is replaced only when `askReplace` says so (always when it is empty). Ok when the
// destination was written; a "no" to the question ends with no message.
ArchiveResult ExtractArchivedFile(const std::string& archivePath, const ArchiveLine& file,
                                  const std::string& destination,
                                  const ReplaceQuestion& askReplace = {});

// Stores `source` in the archive under `file`, creating the archive when it does not exist,
// then compacts it when that is due: always for a new or small (under 16 MB) archive, for a
// larger one once an eighth of it is space that replaced files left. Ok when the file is in
// the archive (also when only the compaction failed, which still has a message); otherwise the
// archive is exactly as before.
ArchiveResult WriteBackToArchive(const std::string& archivePath, const ArchiveLine& file,
                                 const std::string& source, mpq::CompactProgress* progress);

// Rewrites the archive without the space replaced and deleted files left, whatever its size,
// with the same messages as WriteBackToArchive.
ArchiveResult CompactArchive(const std::string& archivePath, mpq::CompactProgress* progress);

} // namespace tarrox
