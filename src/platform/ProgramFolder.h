// Where the program's own files are, and where its working copies go.
#pragma once

#include <string>

namespace tarrox {

// Set once at start-up (and by tests) before anything asks for the folder: the folder of the
// executable.
void SetProgramFolder(const std::string& folder);
std::string ProgramFolder();

// `name` inside the program folder, joined with the host's separator: the program's own
// executables.
std::string ProgramFile(const std::string& name);

// A file the program ships with (`data`, `data/binlist.txt`, the readme): beside the program
// in a build tree, else in the install tree's share folder. When neither holds it, the path
// beside the program, so messages name a sensible place.
std::string DataFile(const std::string& name);

// The working copy of a dialog taken from an archive: in a folder of the user's temporary
// folder that only this process uses, made (owner-only) on first use and removed by
// RemoveTempFile or at exit.
std::string TempFilePath();
void RemoveTempFile();

} // namespace tarrox
