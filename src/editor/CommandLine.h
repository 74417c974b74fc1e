// The file named on the command line, and which kinds of file the editor opens.
#pragma once

#include <string>

namespace tarrox {

// The file name in the text after the program's path: the whole text, or, when it holds a
// double quote, the text from its second character up to the next quote (or to the end when
// there is none).
std::string FileNameFromCommandLine(const std::string& text);

// True when the name ends in ".bin", in any case.
bool HasBinExtension(const std::string& name);
// True when the name ends, in any case, in one of the extensions the Open dialog lists for
// archives.
bool HasArchiveExtension(const std::string& name);
// The Open and Save As dialog's file types, .bin files and archives, each caption listing
// exactly the patterns its type matches.
std::string DialogFileFilter();

} // namespace tarrox
