// The dialog seam with scripted answers: requests are recorded, answers come from queues.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace tarrox::test {

struct FileChoice {
    std::string FileName;
    int FilterIndex = 1;
};

class ScriptedDialogs : public Dialogs {
  public:
    // Answers for question boxes; with none queued, the safe choice (No, or Cancel if offered).
    std::deque<MessageAnswer> Answers;
    std::deque<std::string> InputAnswers;
    // Files chosen in the file dialog, in order; nothing queued means Cancel.
    std::deque<std::optional<FileChoice>> FileChoices;

    // The texts of the messages shown.
    std::vector<std::string> Messages;
    // Runs as each message is shown, to look at the windows at that moment.
    std::function<void(const std::string&)> OnMessage;
    std::vector<FileDialogState> FileDialogsShown;
    // Whether a default application starts for files handed to it.
    bool DefaultAppStarts = true;

    MessageAnswer MessageBox(const std::string& text, MessageIcon, MessageButtons buttons,
                             const std::string&) override {
        Messages.push_back(text);
        if (OnMessage) OnMessage(Messages.back());
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return Pop(Answers).value_or(buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                                      : MessageAnswer::Cancel);
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return Pop(InputAnswers).value_or("");
    }
    bool ShowOpen(FileDialogState& state) override { return Choose(state); }
    bool ShowSaveAs(FileDialogState& state) override { return Choose(state); }
    bool OpenWithDefaultApp(const std::string&) override { return DefaultAppStarts; }

  private:
    template <class T> static std::optional<T> Pop(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
    bool Choose(FileDialogState& state) {
        FileDialogsShown.push_back(state);
        const auto choice = Pop(FileChoices).value_or(std::nullopt);
        if (choice) state.FileName = choice->FileName, state.FilterIndex = choice->FilterIndex;
        return choice.has_value();
    }
};

} // namespace tarrox::test
