#include "document/BinFile.h"

#include <vector>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "platform/FileAccess.h"

namespace tarrox {

bool LoadBinFile(const std::string& path, DialogDocument& out, std::string& error,
                 MissingFile missing) {
    std::vector<uint8_t> bytes;
    ReadStatus status = ReadFileBytes(path, bytes);
    if (status != ReadStatus::Ok &&
        (status != ReadStatus::Missing || missing == MissingFile::IsAnError)) {
        error = ReadFailureMessage(path, status);
        return false;
    }
    return ReadBinDocument(bytes, out, error);
}

bool SaveBinFileInPlace(const std::string& path, const DialogDocument& doc) {
    auto bytes = WriteBinDocument(doc);
    return bytes && WriteFileInPlace(path, *bytes);
}

bool SaveBinFileWhole(const std::string& path, const DialogDocument& doc) {
    auto bytes = WriteBinDocument(doc);
    return bytes && WriteFileAtomically(path, *bytes);
}

} // namespace tarrox
