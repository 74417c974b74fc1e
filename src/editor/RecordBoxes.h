// Reading a record's editor boxes back, shared by the object and SMK editors: the numeric boxes
// map to fields through a table of member pointers, the one box without a field is the
// record's string.
#pragma once

#include <QLineEdit>
#include <cstddef>
#include <optional>
#include <string>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"

namespace tarrox {

// Stores every box into `record` up to the first that does not hold a number yet, and the
// string box's text (codes turned into bytes) into `text` once every box before it does.
// Half-typed numbers are normal: false until the last keystroke completes them.
template <class Boxes, class Fields, class Record>
bool ReadRecordBoxes(const Boxes& boxes, const Fields& fields, Record& record,
                     std::optional<std::string>& text) {
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!fields[i]) {
            text = CodesToText(boxes[i]->text().toLatin1().toStdString());
            continue;
        }
        const auto value = ParseInt16(boxes[i]->text().toStdString());
        if (!value) return false;
        record.*fields[i] = *value;
    }
    return true;
}

} // namespace tarrox
