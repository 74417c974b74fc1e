#include "archive/Form4.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"

namespace tarrox {

namespace {

bool Shown(Dialogs& dialogs, const ArchiveResult& result) {
    if (!result.Message.empty())
        dialogs.MessageBox(result.Message, result.Icon, MessageButtons::Ok, "Tarrox II");
    return result.Ok;
}

} // namespace

Form4::Form4(Dialogs& dialogs, std::string archivePath, const std::vector<ArchiveLine>& lines,
             OpenExtracted openExtracted, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), archivePath_(std::move(archivePath)),
      openExtracted_(std::move(openExtracted)) {
    setObjectName("Form4");
    setWindowTitle("Browse MPQ");
    setModal(true);

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    for (const ArchiveLine& line : lines) {
        // The separator has no glyph; the line shows a blank and keeps the real text behind.
        const std::string text = FormatArchiveLine(line);
        auto* item = new QListWidgetItem(QString::fromLatin1(text).replace(QChar(31), ' '), List1);
        item->setData(Qt::UserRole, QString::fromLatin1(text));
    }
    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    Command1 = makeButton("Command1", "Open");
    Command2 = makeButton("Command2", "Extract");
    Command3 = makeButton("Command3", "Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(buttons);
    resize(360, 320);

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &Form4::Command1_Click);
}

bool Form4::SelectedLine(ArchiveLine& line) const {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return false;
    line = ParseArchiveLine(item->data(Qt::UserRole).toString().toLatin1().toStdString());
    return true;
}

void Form4::Command1_Click() {
    ArchiveLine line;
    if (!SelectedLine(line)) return;
    if (!Shown(dialogs_, ExtractArchivedFile(archivePath_, line, TempFilePath()))) return;
    if (openExtracted_ && openExtracted_(line)) accept();
}

void Form4::Command2_Click() {
    ArchiveLine line;
    if (!SelectedLine(line)) return;
    if (!dialogs_.ShowSaveAs(CommonDialog1) || CommonDialog1.FileName.empty()) return;
    const std::string path = CommonDialog1.FileName;
    // Asked here once; the old file goes only when the new one is complete.
    if (PathExists(path) &&
        dialogs_.MessageBox(path + " already exists.\r\nDo you want to replace it?",
                            MessageIcon::None, MessageButtons::YesNo,
                            "Save As...") != MessageAnswer::Yes)
        return;
    Shown(dialogs_, ExtractArchivedFile(archivePath_, line, path));
}

void Form4::Command3_Click() {
    reject();
}

} // namespace tarrox
