// "Browse MPQ": the dialog files of one archive, to open in the editor or extract to disk.
// Called "Form 4" in older notes.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveFiles.h"
#include "platform/Dialogs.h"

class QListWidget;
class QPushButton;

namespace tarrox {

class ArchiveBrowser : public QDialog {
  public:
    // Loads the file just extracted to the temporary file into the main window; false keeps
    // the browser open.
    using OpenExtracted = std::function<bool(const ArchiveLine& file)>;

    ArchiveBrowser(Dialogs& dialogs, std::string archivePath, const std::vector<ArchiveLine>& lines,
                   OpenExtracted openExtracted, QWidget* parent = nullptr);

    void OpenChosen();
    void ExtractChosen();
    void Cancel();

  private:
    bool SelectedLine(ArchiveLine& line) const;
    // Extracts in a child process, replacing the destination; tells the user of a failure.
    bool Extract(const ArchiveLine& line, const std::string& destination);

    Dialogs& dialogs_;
    std::string archivePath_;
    OpenExtracted openExtracted_;
    FileDialogState saveDialog_{"Bin Files (*.bin)|*.bin", 1, {}};

    QListWidget* fileList_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* extractButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace tarrox
