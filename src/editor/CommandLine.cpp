#include "editor/CommandLine.h"

#include <string_view>

#include "platform/Gdi.h"

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
    return LowerCase(name.substr(name.size() - extension.size())) == extension;
}

} // namespace tarrox
