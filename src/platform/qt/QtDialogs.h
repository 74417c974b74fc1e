// The dialog seam on Qt's message box, input dialog, file dialog and desktop services.
#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <string>

class QWidget;

namespace tarrox {

// "Caption|*.a;*.b|..." -> Qt name filters. A caption that already ends in its own pattern list
// is kept as it is; otherwise the patterns are appended, since Qt reads them from the text.
QStringList QtNameFilters(const std::string& filter);

class QtDialogs : public Dialogs {
  public:
    // Dialogs are shown over `parent` (may be null).
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                             const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& preset) override;
    bool ShowOpen(FileDialogState& state) override;
    bool ShowSaveAs(FileDialogState& state) override;
    bool OpenWithDefaultApp(const std::string& path) override;

  private:
    bool ShowFileDialog(FileDialogState& state, bool save);
    QWidget* parent_;
};

} // namespace tarrox
