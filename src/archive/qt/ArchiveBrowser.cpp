#include "archive/qt/ArchiveBrowser.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/ArchiveClient.h"
#include "archive/qt/ProgressWindow.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

ArchiveBrowser::ArchiveBrowser(Dialogs& dialogs, std::string archivePath,
                               const std::vector<ArchiveLine>& lines, OpenExtracted openExtracted,
                               QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), archivePath_(std::move(archivePath)),
      openExtracted_(std::move(openExtracted)) {
    setObjectName("ArchiveBrowser");
    setWindowTitle("Browse MPQ");
    setModal(true);

    fileList_ = new QListWidget(this);
    fileList_->setObjectName("fileList");
    for (const ArchiveLine& line : lines) {
        // The separator has no glyph; the line shows a blank and keeps the real text behind.
        const std::string text = FormatArchiveLine(line);
        auto* item =
            new QListWidgetItem(QString::fromLatin1(text).replace(QChar(31), ' '), fileList_);
        item->setData(Qt::UserRole, QString::fromLatin1(text));
    }
    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    openButton_ = makeButton("openButton", "Open");
    extractButton_ = makeButton("extractButton", "Extract");
    cancelButton_ = makeButton("cancelButton", "Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton_);
    buttons->addWidget(extractButton_);
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileList_);
    layout->addLayout(buttons);
    resize(360, 320);

    connect(openButton_, &QPushButton::clicked, this, &ArchiveBrowser::OpenChosen);
    connect(extractButton_, &QPushButton::clicked, this, &ArchiveBrowser::ExtractChosen);
    connect(cancelButton_, &QPushButton::clicked, this, &ArchiveBrowser::Cancel);
    connect(fileList_, &QListWidget::itemDoubleClicked, this, &ArchiveBrowser::OpenChosen);
}

bool ArchiveBrowser::SelectedLine(ArchiveLine& line) const {
    QListWidgetItem* item = fileList_->currentItem();
    if (!item || !item->isSelected()) return false;
    line = ParseArchiveLine(item->data(Qt::UserRole).toString().toLatin1().toStdString());
    return true;
}

void ArchiveBrowser::OpenChosen() {
    ArchiveLine line;
    if (!SelectedLine(line)) return;
    if (!Extract(line, TempFilePath())) return;
    if (openExtracted_ && openExtracted_(line)) accept();
}

void ArchiveBrowser::ExtractChosen() {
    ArchiveLine line;
    if (!SelectedLine(line)) return;
    if (!dialogs_.ShowSaveAs(saveDialog_) || saveDialog_.FileName.empty()) return;
    const std::string path = saveDialog_.FileName;
    // Asked here once; the old file goes only when the new one is complete.
    if (PathExists(path) &&
        dialogs_.MessageBox(path + " already exists.\r\nDo you want to replace it?",
                            MessageIcon::None, MessageButtons::YesNo,
                            "Save As...") != MessageAnswer::Yes)
        return;
    Extract(line, path);
}

bool ArchiveBrowser::Extract(const ArchiveLine& line, const std::string& destination) {
    ArchiveOutcome outcome = ExtractInChild(archivePath_, line, destination, KeepWindowsPainted);
    if (!outcome.Done)
        dialogs_.MessageBox(outcome.Message, outcome.Icon, MessageButtons::Ok, "Tarrox II");
    return outcome.Done;
}

void ArchiveBrowser::Cancel() {
    reject();
}

} // namespace tarrox
