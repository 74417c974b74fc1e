// The undo history: every change to the document is applied through it as a step that can be
// taken back and made again, and it knows whether the document is where it was last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "document/EditCommands.h"

namespace tarrox {

// Steps with the same key merge while merging is open; NoMerge never merges.
using MergeKey = uint64_t;
inline constexpr MergeKey NoMerge = 0;

class EditHistory {
  public:
    static constexpr size_t DefaultMaxSteps = 1000;
    static constexpr size_t DefaultMaxBytes = size_t{64} << 20;

    explicit EditHistory(DialogDocument& doc, size_t maxSteps = DefaultMaxSteps,
                         size_t maxBytes = DefaultMaxBytes);

    // Applies the command. When the last step has the same key and merging has stayed open
    // since, the change becomes part of that step. A step that ends up changing nothing is
    // dropped unless `keepUnchanged`. False (nothing recorded) when it could not be applied.
    bool Apply(std::unique_ptr<EditCommand> command, std::string description,
               MergeKey key = NoMerge, bool keepUnchanged = false);
    // What the last Apply left to show: its step's target, applied; nothing when it recorded no
    // change (or failed), or an undo or redo came since.
    const std::optional<EditTarget>& LastApplied() const { return lastApplied_; }
    // The record the step was about; nothing when there is no step to take.
    std::optional<EditTarget> Undo();
    std::optional<EditTarget> Redo();

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // What Undo and Redo would take back or make again; empty when nothing.
    std::string UndoDescription() const;
    std::string RedoDescription() const;

    // The next step starts afresh whatever its key, e.g. once the user leaves a box.
    void CloseMerging() { mergeOpen_ = false; }
    // A key no other caller has, for one run of merged changes such as a drag.
    MergeKey NewMergeKey() { return ++lastKey_; }

    // Forgets every step; the document as it is counts as saved.
    void Clear();
    void MarkSaved();
    bool IsAtSaved() const { return saved_ == position_; }
    size_t StepCount() const { return steps_.size(); }

  private:
    struct Step {
        std::unique_ptr<EditCommand> Command;
        std::string Description;
        MergeKey Key = NoMerge;
        size_t Bytes = 0;
    };
    bool MergeIntoLast(const EditCommand& command, MergeKey key, bool keepUnchanged);
    void DropRedoSteps();
    void Trim();

    DialogDocument& doc_;
    size_t maxSteps_;
    size_t maxBytes_;
    std::deque<Step> steps_;
    size_t position_ = 0; // steps applied
    // The position whose document was saved; nothing once no undo or redo can reach it.
    std::optional<size_t> saved_ = 0;
    size_t bytes_ = 0;
    bool mergeOpen_ = false;
    MergeKey lastKey_ = NoMerge;
    std::optional<EditTarget> lastApplied_;
};

} // namespace tarrox
