// The file named on the command line.
#pragma once

#include <string>

namespace tarrox {

// The file name in the text after the program's path: the whole text, or, when it holds a
// double quote, the text from its second character up to the next quote (or to the end when
// there is none).
std::string FileNameFromCommandLine(const std::string& text);

// True when the name ends in ".bin", in any case.
bool HasBinExtension(const std::string& name);

} // namespace tarrox
