// The changes a document can take, each able to make itself and to take itself back exactly:
// the one way the windows write the tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "document/DialogDocument.h"

namespace tarrox {

enum class RecordType { Object, Smk };

// The record a change is about, for showing it; Index -1 when there is none to show.
struct EditTarget {
    RecordType Type = RecordType::Object;
    int32_t Index = -1;
};

class EditCommand {
  public:
    virtual ~EditCommand() = default;
    // Makes the change; false (and nothing changes) when it cannot be made. Run again after
    // Revert it makes the same change.
    virtual bool Apply(DialogDocument& doc) = 0;
    // Puts back exactly what the last Apply found.
    virtual void Revert(DialogDocument& doc) = 0;
    // Takes `next`, applied right after this one, into this change. False when it is about
    // another record or of another kind; then nothing changes.
    virtual bool Absorb(const EditCommand& next) = 0;
    virtual bool ChangesNothing() const = 0;
    // The record to show once the change is applied (or reverted).
    virtual EditTarget Target(bool applied) const = 0;
    // Roughly what the command keeps in memory, for bounding the history.
    virtual size_t Bytes() const = 0;
};

// Replaces object `index` with `after`. The string the record names becomes `text`; without
// a text the strings stay as they are.
std::unique_ptr<EditCommand> ReplaceObject(int32_t index, const DialogObject& after,
                                           std::optional<std::string> text = std::nullopt);
std::unique_ptr<EditCommand> ReplaceSmk(int32_t index, const SmkEntry& after,
                                        std::optional<std::string> fileName = std::nullopt);
// Add and delete as the Editing functions do them, renumbering included.
std::unique_ptr<EditCommand> AddObjectCommand();
std::unique_ptr<EditCommand> AddSmkCommand();
std::unique_ptr<EditCommand> DeleteObjectCommand(int32_t index);
std::unique_ptr<EditCommand> DeleteSmkCommand(int32_t index);

} // namespace tarrox
