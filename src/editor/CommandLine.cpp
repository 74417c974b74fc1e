#include "editor/CommandLine.h"

#include <cctype>
#include <string_view>

namespace tarrox {

std::string FileNameFromCommandLine(const std::string& text) {
    if (text.find('"') == std::string::npos) return text;
    if (text.size() < 2) return {}; // a lone quote names nothing
    size_t close = text.find('"', 1);
    return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

bool HasBinExtension(const std::string& name) {
    const std::string_view extension = ".bin";
    if (name.size() < extension.size()) return false;
    std::string tail = name.substr(name.size() - extension.size());
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == extension;
}

} // namespace tarrox
