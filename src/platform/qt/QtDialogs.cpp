#include "platform/qt/QtDialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace tarrox {

namespace {

// Messages, prompts and file names carry paths, which are in the host's 8-bit encoding.
QString Text(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), qsizetype(s.size()));
}
std::string Bytes(const QString& s) {
    return s.toLocal8Bit().toStdString();
}

} // namespace

QStringList QtNameFilters(const std::string& filter) {
    QStringList parts = Text(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        QString patterns = parts[i + 1];
        if (caption.endsWith("(" + patterns + ")")) {
            caption.chop(patterns.size() + 2);
            filters << caption + "(" + QString(patterns).replace(';', ' ') + ")";
        } else {
            filters << caption + " (" + QString(patterns).replace(';', ' ') + ")";
        }
    }
    return filters;
}

MessageAnswer QtDialogs::MessageBox(const std::string& text, MessageIcon icon,
                                    MessageButtons buttons, const std::string& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(Text(title));
    box.setText(Text(text));
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        // Closing the box with Escape or its close button counts as the safe answer.
        return buttons == MessageButtons::YesNo ? MessageAnswer::No
               : buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                : MessageAnswer::Cancel;
    }
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& preset) {
    bool ok = false;
    QString answer = QInputDialog::getText(parent_, Text(title), Text(prompt), QLineEdit::Normal,
                                           Text(preset), &ok);
    return ok ? Bytes(answer) : std::string();
}

bool QtDialogs::ShowOpen(FileDialogState& state) {
    return ShowFileDialog(state, false);
}
bool QtDialogs::ShowSaveAs(FileDialogState& state) {
    return ShowFileDialog(state, true);
}

bool QtDialogs::ShowFileDialog(FileDialogState& state, bool save) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own replace question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = QtNameFilters(state.Filter);
    dialog.setNameFilters(filters);
    int index = state.FilterIndex - 1;
    if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    if (!state.FileName.empty()) dialog.selectFile(Text(state.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    std::string chosen = Bytes(dialog.selectedFiles().first());
    if (chosen.empty()) return false;
    state.FileName = chosen;
    state.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (state.FilterIndex < 1) state.FilterIndex = 1;
    return true;
}

bool QtDialogs::OpenWithDefaultApp(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Text(path)));
}

} // namespace tarrox
