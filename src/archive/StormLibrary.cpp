#include "archive/StormLibrary.h"

#ifdef TARROX_STORMLIB_SONAME

#include <StormLib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace tarrox::mpq {

namespace {

struct Loaded {
    void* Handle = nullptr;
    std::string Error;
};

const Loaded& Library() {
    static const Loaded library = [] {
        Loaded l;
        l.Handle = ::dlopen(TARROX_STORMLIB_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (!l.Handle) {
            const char* why = ::dlerror();
            l.Error = std::string("Error: Could not load StormLib (") + TARROX_STORMLIB_SONAME +
                      "): " + (why ? why : "unknown reason") + ".";
        }
        return l;
    }();
    return library;
}

// A call that reaches the library without LoadStormLib having been asked first cannot report
// a failure through its own return value, so the run ends with the message.
template <typename Function> Function Resolve(const char* name) {
    const Loaded& library = Library();
    void* symbol = library.Handle ? ::dlsym(library.Handle, name) : nullptr;
    if (!symbol) {
        std::fprintf(stderr, "%s\n",
                     library.Handle ? ("Error: StormLib lacks " + std::string(name) + ".").c_str()
                                    : library.Error.c_str());
        std::exit(1);
    }
    return reinterpret_cast<Function>(symbol);
}

} // namespace

std::string LoadStormLib() {
    return Library().Error;
}

} // namespace tarrox::mpq

// Each of the library's functions the program calls, passed on to the loaded library. The
// lookup in the library's own handle finds its definition, never these.
#define TARROX_FORWARD(Result, Name, Parameters, Arguments)                                        \
    Result WINAPI Name Parameters {                                                                \
        static const auto function = tarrox::mpq::Resolve<Result(WINAPI*) Parameters>(#Name);      \
        return function Arguments;                                                                 \
    }

TARROX_FORWARD(LCID, SFileGetLocale, (), ())
TARROX_FORWARD(LCID, SFileSetLocale, (LCID locale), (locale))
TARROX_FORWARD(bool, SFileOpenArchive,
               (const TCHAR* name, DWORD priority, DWORD flags, HANDLE* archive),
               (name, priority, flags, archive))
TARROX_FORWARD(bool, SFileCreateArchive2,
               (const TCHAR* name, PSFILE_CREATE_MPQ create, HANDLE* archive),
               (name, create, archive))
TARROX_FORWARD(bool, SFileCloseArchive, (HANDLE archive), (archive))
TARROX_FORWARD(int, SFileAddListFile, (HANDLE archive, const TCHAR* list), (archive, list))
TARROX_FORWARD(bool, SFileSetCompactCallback,
               (HANDLE archive, SFILE_COMPACT_CALLBACK callback, void* user),
               (archive, callback, user))
TARROX_FORWARD(bool, SFileCompactArchive, (HANDLE archive, const TCHAR* list, bool reserved),
               (archive, list, reserved))
TARROX_FORWARD(DWORD, SFileGetMaxFileCount, (HANDLE archive), (archive))
TARROX_FORWARD(bool, SFileSetMaxFileCount, (HANDLE archive, DWORD count), (archive, count))
TARROX_FORWARD(bool, SFileOpenFileEx, (HANDLE archive, const char* name, DWORD scope, HANDLE* file),
               (archive, name, scope, file))
TARROX_FORWARD(DWORD, SFileGetFileSize, (HANDLE file, LPDWORD high), (file, high))
TARROX_FORWARD(bool, SFileReadFile,
               (HANDLE file, void* buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped),
               (file, buffer, count, read, overlapped))
TARROX_FORWARD(bool, SFileCloseFile, (HANDLE file), (file))
TARROX_FORWARD(bool, SFileGetFileInfo,
               (HANDLE handle, SFileInfoClass info, void* out, DWORD size, LPDWORD needed),
               (handle, info, out, size, needed))
TARROX_FORWARD(DWORD, SFileVerifyFile, (HANDLE archive, const char* name, DWORD flags),
               (archive, name, flags))
TARROX_FORWARD(HANDLE, SFileFindFirstFile,
               (HANDLE archive, const char* mask, SFILE_FIND_DATA* found, const TCHAR* list),
               (archive, mask, found, list))
TARROX_FORWARD(bool, SFileFindNextFile, (HANDLE find, SFILE_FIND_DATA* found), (find, found))
TARROX_FORWARD(bool, SFileFindClose, (HANDLE find), (find))
TARROX_FORWARD(bool, SFileAddFileEx,
               (HANDLE archive, const TCHAR* file, const char* name, DWORD flags, DWORD compression,
                DWORD compressionNext),
               (archive, file, name, flags, compression, compressionNext))
TARROX_FORWARD(int, SCompExplode, (void* out, int* outSize, void* in, int inSize),
               (out, outSize, in, inSize))
TARROX_FORWARD(int, SCompDecompress, (void* out, int* outSize, void* in, int inSize),
               (out, outSize, in, inSize))
TARROX_FORWARD(DWORD, GetLastError, (), ())

#else

namespace tarrox::mpq {

// Linked in at start: nothing to load.
std::string LoadStormLib() {
    return {};
}

} // namespace tarrox::mpq

#endif
