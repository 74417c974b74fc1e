// "Browse MPQ": the dialog files of one archive, to open in the editor or extract to disk.
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

class Form4 : public QDialog {
  public:
    // Loads the file just extracted to the temporary file into the main window; false keeps
    // the browser open.
    using OpenExtracted = std::function<bool(const ArchiveLine& file)>;

    Form4(Dialogs& dialogs, std::string archivePath, const std::vector<ArchiveLine>& lines,
          OpenExtracted openExtracted, QWidget* parent = nullptr);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

  private:
    bool SelectedLine(ArchiveLine& line) const;
    // Extracts in a child process, replacing the destination; tells the user of a failure.
    bool Extract(const ArchiveLine& line, const std::string& destination);

    Dialogs& dialogs_;
    std::string archivePath_;
    OpenExtracted openExtracted_;
    FileDialogState CommonDialog1{"Bin Files (*.bin)|*.bin", 1, {}};

    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

} // namespace tarrox
