// Adding records at the end of the tables and deleting them with every reference renumbered:
// the string table keeps one string per record, in record order.
#pragma once

#include "document/DialogDocument.h"

namespace tarrox {

// Appends a record with the string "New". False (and nothing changes) when the table is full.
bool AddObject(DialogDocument& doc);
bool AddSmk(DialogDocument& doc);

// Removes the record and its string and closes the gaps. Links to a deleted SMK become -1.
// False (and nothing changes) for an index outside the table, and for the last remaining
// object: a dialog without its dialog record cannot be written.
bool DeleteObject(DialogDocument& doc, int32_t index);
bool DeleteSmk(DialogDocument& doc, int32_t index);

} // namespace tarrox
