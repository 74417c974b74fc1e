// Where the program's own files are: the folder of the executable.
#pragma once

#include <string>

namespace tarrox {

// Set once at start-up (and by tests) before anything asks for the folder.
void SetProgramFolder(const std::string& folder);
std::string ProgramFolder();

// `name` inside the program folder, joined with the host's separator.
std::string ProgramFile(const std::string& name);

// The working copy of a dialog taken from an archive.
std::string TempFilePath();

} // namespace tarrox
