#include <cstdio>

#include "cli/Commands.h"
#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "document/DialogCheck.h"
#include "document/DocumentJson.h"
#include "platform/FileAccess.h"

namespace tarrox::cli {

namespace {

// Scripts name files that exist; a typo must not silently become an empty dialog.
bool Load(const std::string& path, DialogDocument& doc, std::string& error) {
    if (ShapeOfFile(path) != FileShape::Dialog)
        std::fprintf(stderr, "warning: %s does not look like a dialog file\n", path.c_str());
    return LoadBinFile(path, doc, error, MissingFile::IsAnError);
}

} // namespace

int Dump(const Args& args) {
    if (args.size() != 1) return Fail("Error: usage: tarrox2-cli dump FILE.bin");
    DialogDocument doc;
    std::string error;
    if (!Load(args[0], doc, error)) return Fail(error);
    std::string json = DocumentToJson(doc);
    json += '\n';
    std::fwrite(json.data(), 1, json.size(), stdout);
    return StdoutWritten() ? 0 : Fail("Error: Could not write the dump.");
}

int Resave(const Args& args) {
    if (args.size() != 2) return Fail("Error: usage: tarrox2-cli resave IN.bin OUT.bin");
    DialogDocument doc;
    std::string error;
    if (!Load(args[0], doc, error)) return Fail(error);
    return SaveDialog(doc, args[1]);
}

int SaveDialog(const DialogDocument& doc, const std::string& path) {
    auto bytes = WriteBinDocument(doc);
    if (!bytes) return Fail(TextTooLargeToSave);
    if (IsReadOnlyFile(path)) return Fail("Error: " + path + " is read-only.");
    if (!WriteFileAtomically(path, *bytes)) return Fail("Error: Could not save " + path + ".");
    return 0;
}

} // namespace tarrox::cli
