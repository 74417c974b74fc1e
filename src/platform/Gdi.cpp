#include "platform/Gdi.h"

#include <cctype>

#include <filesystem>
#include <system_error>

namespace tarrox {

std::string FileNameOf(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool PathExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec) return false;
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace tarrox
