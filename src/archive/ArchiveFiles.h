// Dialog files inside archives as the windows and the command-line tool use them: listing,
// extracting and writing back, with the messages the user sees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarrox {

class Dialogs;
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
// whatever was found.
ListResult ListDialogFiles(const std::string& archivePath, const std::string& nameList,
                           int32_t locale, std::vector<ArchiveLine>& lines);

enum class ReplaceQuestion { Ask, AlreadyAnswered };

// Copies one archived file to `destination`, replacing it (asking first unless it is the
// temporary file or the caller has asked). Tells the user of every failure; true when the
// destination was written.
bool ExtractArchivedFile(Dialogs& dialogs, const std::string& archivePath, const ArchiveLine& file,
                         const std::string& destination,
                         ReplaceQuestion question = ReplaceQuestion::Ask);

// Stores `source` in the archive under `file`, creating the archive when it does not exist,
// then compacts it. Tells the user of failures. True when the file is in the archive (also
// when only the compaction failed); on false the archive is exactly as before.
bool WriteBackToArchive(Dialogs& dialogs, const std::string& archivePath, const ArchiveLine& file,
                        const std::string& source, mpq::CompactProgress* progress);

} // namespace tarrox
