// The changes a document can take, each able to make itself and to take itself back exactly:
// the one way the windows write the tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {

enum class RecordType { Object, Smk };

// The record a change is about, for showing it; Index -1 when there is none to show.
struct EditTarget {
    RecordType Type = RecordType::Object;
    int32_t Index = -1;
    // Every record to select, Index first, for a change about several; empty when only Index.
    std::vector<int32_t> Indices;
};

// An object record and the place in the object table it is for.
struct IndexedObject {
    int32_t Index = -1;
    DialogObject Record;
    bool operator==(const IndexedObject&) const = default;
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

// Replaces several objects as one step (a move, resize or arrangement of a selection); the
// strings stay as they are. A later one for the same indices in the same order merges into it,
// so a drag stays one step. Targets all the indices.
std::unique_ptr<EditCommand> ReplaceObjectsCommand(std::vector<IndexedObject> after);

// Deletes several objects as one step, renumbering as DeleteObject does. Object 0 is never
// deleted and is left out, as are indices outside the table; false when none remains. Reverted,
// it targets the deleted objects; applied, nothing (-1).
std::unique_ptr<EditCommand> DeleteObjectsCommand(std::vector<int32_t> indices);

// Appends the objects of `batch` (see Clipboard.h: a document holding only those objects, their
// texts and the SMK records their links reach, links numbered within it) after the existing
// objects, its SMK records after the existing ones with links and chains renumbered, and a new
// string for each record. False, changing nothing, when it does not fit (BatchDoesNotFit says
// why) or the batch is broken. Targets the new objects.
std::unique_ptr<EditCommand> InsertObjectsCommand(const DialogDocument& batch);

// Why the batch cannot be added to the document: "Only 3 more objects fit in this dialog (128 at
// most); the clipboard holds 5." with `holder` for "the clipboard"; empty when it fits.
std::string BatchDoesNotFit(const DialogDocument& doc, const DialogDocument& batch,
                            std::string_view holder = "the clipboard");

// Where a draw-order command puts the selected objects in the object table, which is the order
// the game and the preview draw in: later objects lie on top. Object 0 always stays first.
enum class DrawOrderMove {
    BringToFront, // after every other object, keeping their own order
    BringForward, // each one place later, past the next unselected object
    SendBackward, // each one place earlier, not before object 1
    SendToBack,   // right after object 0, keeping their own order
};

// Moves the objects `indices` in the draw order as one step; texts and SMK links go with their
// objects. Object 0 and indices outside the table are left out; false when none remains.
// Targets the moved objects at their new (or, reverted, old) places.
std::unique_ptr<EditCommand> DrawOrderCommand(std::vector<int32_t> indices, DrawOrderMove move);

} // namespace tarrox
