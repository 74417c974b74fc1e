// The commands of tarrox2-cli. Each takes the arguments after its name and returns the exit
// status; errors go to stderr starting "Error: ".
#pragma once

#include <string>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {
enum class ArchiveJob;
}

namespace tarrox::cli {

using Args = std::vector<std::string>;

int Dump(const Args& args);
int Resave(const Args& args);
int LoadJson(const Args& args);
int Render(const Args& args);
int List(const Args& args);
int Extract(const Args& args);
int Put(const Args& args);
int Compact(const Args& args);
int ImportData(const Args& args);

// Keeps this run to the limits the editor gives the tool for `job`.
void LimitSelf(ArchiveJob job);

// Writes the dialog to `path` as resave does; the exit status, with the error printed.
int SaveDialog(const DialogDocument& doc, const std::string& path);

// Prints the message and returns 1.
int Fail(const std::string& message);

// Flushes stdout; false when anything written to it was lost (a full disk, a closed pipe).
bool StdoutWritten();

} // namespace tarrox::cli
