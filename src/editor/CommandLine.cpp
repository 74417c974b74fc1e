#include "editor/CommandLine.h"

#include <cctype>

namespace tarrox {

std::string FileNameFromCommandLine(const std::string& text) {
    if (text.find('"') == std::string::npos) return text;
    if (text.size() < 2) return {};
    size_t close = text.find('"', 1);
    return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

bool HasBinExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".bin";
}

} // namespace tarrox
