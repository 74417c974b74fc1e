// The modal dialogs the windows ask the host for, behind one interface so tests can script
// the answers.
#pragma once

#include <string>

namespace tarrox {

enum class MessageIcon { None, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// The one file dialog a window keeps for Open and Save As: what was last chosen stays as the
// preset of the next showing.
struct FileDialogState {
    // "Caption|pattern;pattern|Caption|pattern": caption and pattern list alternate.
    std::string Filter;
    // 1-based position of the chosen file type in Filter.
    int FilterIndex = 1;
    std::string FileName;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer MessageBox(const std::string& text, MessageIcon icon,
                                     MessageButtons buttons, const std::string& title) = 0;

    // One line of text; empty when the user cancels.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& preset) = 0;

    // Show the dialog preset from `state`; on OK store the chosen file and type there and
    // return true. False, with `state` unchanged, when cancelled.
    virtual bool ShowOpen(FileDialogState& state) = 0;
    virtual bool ShowSaveAs(FileDialogState& state) = 0;

    // Hands the file to the user's default application for it; false when none could be
    // started.
    virtual bool OpenWithDefaultApp(const std::string& path) = 0;
};

} // namespace tarrox
