#include "document/EditHistory.h"

#include <utility>

namespace tarrox {

EditHistory::EditHistory(DialogDocument& doc, size_t maxSteps, size_t maxBytes)
    : doc_(doc), maxSteps_(maxSteps < 1 ? 1 : maxSteps), maxBytes_(maxBytes) {}

bool EditHistory::Apply(std::unique_ptr<EditCommand> command, std::string description, MergeKey key,
                        bool keepUnchanged) {
    lastApplied_.reset();
    if (!command || !command->Apply(doc_)) return false;
    if (MergeIntoLast(*command, key, keepUnchanged)) return true;
    if (!keepUnchanged && command->ChangesNothing()) return true;
    lastApplied_ = command->Target(true);
    DropRedoSteps();
    const size_t bytes = command->Bytes() + description.capacity();
    steps_.push_back({std::move(command), std::move(description), key, bytes});
    bytes_ += bytes;
    ++position_;
    mergeOpen_ = key != NoMerge;
    Trim();
    return true;
}

// Never into the saved step: the saved document would then be one no undo reaches.
bool EditHistory::MergeIntoLast(const EditCommand& command, MergeKey key, bool keepUnchanged) {
    if (!mergeOpen_ || key == NoMerge || position_ == 0 || position_ != steps_.size() ||
        saved_ == position_)
        return false;
    Step& last = steps_.back();
    if (last.Key != key || !last.Command->Absorb(command)) return false;
    bytes_ -= last.Bytes;
    last.Bytes = last.Command->Bytes() + last.Description.capacity();
    bytes_ += last.Bytes;
    if (!keepUnchanged && last.Command->ChangesNothing()) {
        bytes_ -= last.Bytes;
        steps_.pop_back();
        --position_;
        mergeOpen_ = false;
    } else {
        lastApplied_ = last.Command->Target(true);
    }
    return true;
}

void EditHistory::DropRedoSteps() {
    if (saved_ && *saved_ > position_) saved_.reset();
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().Bytes;
        steps_.pop_back();
    }
}

// The oldest steps go first; the newest always stays.
void EditHistory::Trim() {
    while (steps_.size() > maxSteps_ || (bytes_ > maxBytes_ && steps_.size() > 1)) {
        bytes_ -= steps_.front().Bytes;
        steps_.pop_front();
        --position_;
        if (saved_ == size_t{0})
            saved_.reset();
        else if (saved_)
            --*saved_;
    }
}

std::optional<EditTarget> EditHistory::Undo() {
    mergeOpen_ = false;
    lastApplied_.reset();
    if (!CanUndo()) return std::nullopt;
    EditCommand& command = *steps_[--position_].Command;
    command.Revert(doc_);
    return command.Target(false);
}

std::optional<EditTarget> EditHistory::Redo() {
    mergeOpen_ = false;
    lastApplied_.reset();
    if (!CanRedo()) return std::nullopt;
    EditCommand& command = *steps_[position_].Command;
    // It applied here before; should it not now, the steps after it cannot hold either.
    if (!command.Apply(doc_)) {
        DropRedoSteps();
        return std::nullopt;
    }
    ++position_;
    return command.Target(true);
}

std::string EditHistory::UndoDescription() const {
    return CanUndo() ? steps_[position_ - 1].Description : std::string();
}

std::string EditHistory::RedoDescription() const {
    return CanRedo() ? steps_[position_].Description : std::string();
}

void EditHistory::Clear() {
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    saved_ = 0;
    mergeOpen_ = false;
}

void EditHistory::MarkSaved() {
    saved_ = position_;
    mergeOpen_ = false;
}

} // namespace tarrox
