#include "archive/LibraryArchive.h"

#include <StormLib.h>

namespace tarrox::test {

bool MakeLibraryArchive(const std::string& path, const std::vector<StoredFile>& files,
                        bool withListfile, uint32_t maxFiles) {
    HANDLE archive = nullptr;
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof create;
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwStreamFlags = STREAM_PROVIDER_FLAT | BASE_PROVIDER_FILE;
    create.dwFileFlags1 = withListfile ? MPQ_FILE_EXISTS | MPQ_FILE_COMPRESS : 0;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = maxFiles;
    if (!::SFileCreateArchive2(path.c_str(), &create, &archive)) return false;
    bool ok = true;
    for (const StoredFile& f : files) {
        HANDLE file = nullptr;
        ok = ok &&
             ::SFileCreateFile(archive, f.Name.c_str(), 0, DWORD(f.Content.size()), LCID(f.Locale),
                               MPQ_FILE_COMPRESS, &file) &&
             ::SFileWriteFile(file, f.Content.data(), DWORD(f.Content.size()),
                              MPQ_COMPRESSION_PKWARE) &&
             ::SFileFinishFile(file);
    }
    return ::SFileCloseArchive(archive) && ok;
}

} // namespace tarrox::test
