// Small path helpers shared by the windows and the tools.
#pragma once

#include <string>

namespace tarrox {

// The part of `path` after its last separator ("\" or "/"); the whole path without one;
// empty when it ends in a separator.
std::string FileNameOf(const std::string& path);

// True when `path` names an existing entry that is not a folder; false for folders, missing
// or invalid paths and any error while asking.
bool PathExists(const std::string& path);

// The text with its letters in lower case, for file and archive names, which compare without
// regard to case.
std::string LowerCase(std::string text);

} // namespace tarrox
