#include "editor/CommandLine.h"

#include <array>
#include <string_view>

#include "platform/Gdi.h"

namespace tarrox {

std::string FileNameFromCommandLine(const std::string& text) {
    if (text.find('"') == std::string::npos) return text;
    if (text.size() < 2) return {}; // a lone quote names nothing
    size_t close = text.find('"', 1);
    return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

namespace {

// The game's kinds of archive: its data archives, the programs that carry one (the CD's
// installer, the network providers) and its maps.
constexpr std::array<std::string_view, 5> ArchiveExtensions = {".mpq", ".exe", ".snp", ".scm",
                                                               ".scx"};

bool HasExtension(const std::string& name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    return LowerCase(name.substr(name.size() - extension.size())) == extension;
}

} // namespace

bool HasBinExtension(const std::string& name) {
    return HasExtension(name, ".bin");
}

bool HasArchiveExtension(const std::string& name) {
    for (std::string_view extension : ArchiveExtensions)
        if (HasExtension(name, extension)) return true;
    return false;
}

std::string DialogFileFilter() {
    std::string patterns;
    for (std::string_view extension : ArchiveExtensions)
        patterns += (patterns.empty() ? "*" : ";*") + std::string(extension);
    return "Bin Files (*.bin)|*.bin|Mpq Archives (" + patterns + ")|" + patterns;
}

} // namespace tarrox
