#include "platform/ProgramFolder.h"

#include <filesystem>

namespace tarrox {

namespace {
std::string& Folder() {
    static std::string folder;
    return folder;
}
} // namespace

void SetProgramFolder(const std::string& folder) {
    Folder() = folder;
}

std::string ProgramFolder() {
    return Folder();
}

std::string ProgramFile(const std::string& name) {
    return (std::filesystem::path(Folder()) / name).string();
}

std::string TempFilePath() {
    return ProgramFile("~!temp.dat");
}

} // namespace tarrox
