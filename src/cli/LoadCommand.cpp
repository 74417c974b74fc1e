// load: the inverse of dump, so dialogs can be kept, compared and edited as text.
#include "cli/Commands.h"
#include "document/DocumentJson.h"
#include "platform/FileAccess.h"

namespace tarrox::cli {

namespace {

// A dialog's JSON is well under a megabyte; the ceiling is checked before anything is read.
constexpr uint64_t MaxJsonBytes = uint64_t{16} << 20;

bool ReadJson(const std::string& path, std::string& text, std::string& error) {
    std::vector<uint8_t> bytes;
    const ReadStatus status = ReadFileBytes(path, bytes, MaxJsonBytes);
    if (status != ReadStatus::Ok) {
        error = ReadFailureMessage(path, status, MaxJsonBytes);
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace

int LoadJson(const Args& args) {
    if (args.size() != 2) return Fail("Error: usage: tarrox2-cli load IN.json OUT.bin");
    std::string text, error;
    if (!ReadJson(args[0], text, error)) return Fail(error);
    DialogDocument doc;
    if (!DocumentFromJson(text, doc, error)) return Fail(error);
    return SaveDialog(doc, args[1]);
}

} // namespace tarrox::cli
