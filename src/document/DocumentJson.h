// The document as JSON, for scripts and tests: every field of every record in file order.
#pragma once

#include <string>

#include "document/DialogDocument.h"

namespace tarrox {

// {"objects":[...],"smks":[...]}; strings in their editable form, Latin-1 bytes as UTF-8.
std::string DocumentToJson(const DialogDocument& doc);

} // namespace tarrox
