// load: the inverse of dump, so dialogs can be kept, compared and edited as text.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/Commands.h"
#include "document/BinWriter.h"
#include "document/DocumentJson.h"
#include "platform/FileAccess.h"

namespace tarrox::cli {

namespace {

// A dialog's JSON is well under a megabyte; the ceiling is checked before anything is read.
constexpr uintmax_t MaxJsonBytes = uintmax_t{16} << 20;

bool ReadJson(const std::string& path, std::string& text, std::string& error) {
    namespace fs = std::filesystem;
    error = "Error: Could not open " + path + ".";
    std::error_code ec;
    // Only regular files: a FIFO or a device could block or never end.
    if (!fs::is_regular_file(path, ec)) return false;
    const uintmax_t size = fs::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in.is_open()) return false;
    // One byte more than the ceiling is asked for, so a file that grew since is noticed too.
    text.assign(size_t(std::min(size, MaxJsonBytes)) + 1, '\0');
    if (size <= MaxJsonBytes) in.read(text.data(), std::streamsize(text.size()));
    if (size > MaxJsonBytes || size_t(in.gcount()) > MaxJsonBytes) {
        error = "Error: " + path + " is larger than 16 MB.";
        return false;
    }
    if (in.bad()) return false;
    text.resize(size_t(in.gcount()));
    error.clear();
    return true;
}

} // namespace

int LoadJson(const Args& args) {
    if (args.size() != 2) return Fail("Error: usage: tarrox2-cli load IN.json OUT.bin");
    std::string text, error;
    if (!ReadJson(args[0], text, error)) return Fail(error);
    DialogDocument doc;
    if (!DocumentFromJson(text, doc, error)) return Fail(error);
    if (!WriteFileAtomically(args[1], WriteBinDocument(doc)))
        return Fail("Error: Could not save " + args[1] + ".");
    return 0;
}

} // namespace tarrox::cli
