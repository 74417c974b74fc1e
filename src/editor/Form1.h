// The main window: the object and SMK lists with their property editors, the menus, the
// title, start-up and shutdown. The controls are views of the one document; every handler
// writes straight into its tables.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <string>

#include "document/DialogDocument.h"
#include "platform/Dialogs.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTextBrowser;

namespace tarrox {

class SettingsStore;
struct TextDrawingState;
struct Settings;
struct ArchiveLine;
class Form2;
class Form5;

// Document strings are bytes; each shows as the Latin-1 character of its value.
inline QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

class Form1 : public QMainWindow {
  public:
    Form1(DialogDocument& doc, Settings& settings, Dialogs& dialogs, SettingsStore& store,
          TextDrawingState& text, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: control types, settings, then the file named in `commandLine` (the text after
    // the program's path).
    void Form_Load(const std::string& commandLine);

    // The preview and the formatting-codes card while they are open; null otherwise.
    Form2* Preview() const;
    Form5* CodesCard() const;

    // Reads `path` into the document and refills the lists. On failure the user is told and
    // the open document stays as it was. Sets Filename on success.
    bool OpenBinFile(const std::string& path);
    // Writes the document to Filename; tells the user and returns false when that fails.
    bool SaveBinFile();
    void SetTitle(bool modified);
    bool IsModified() const { return modified_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout (Form1Layout.cpp)
    void BuildUi();
    void BuildMenus();
    QWidget* BuildObjectHalf();
    QWidget* BuildSmkHalf();
    void ConnectHandlers();

    // Start-up and shutdown (Form1Startup.cpp)
    void LoadTextDrawingTables();
    void OpenFromCommandLine(const std::string& commandLine);
    bool Form_Unload();

    // Object editor (Form1Objects.cpp)
    void List1_Click();
    void obj_Change(int index);
    void Combo1_Click();
    void Check1_Click();
    void Combo2_Click();
    void objFlag_Click(int index);
    void Command1_Click();
    bool ObjectEditable() const;
    // With no object chosen the editor shows nothing rather than the last one's values.
    void ClearObjectEditor();
    // The edits that objects and SMKs share: a link by box and picker, a flag bit by its box.
    void StoreLink(int32_t& link, const QCheckBox* uses, const QComboBox* picker);
    uint32_t FlagsFromBox(uint32_t flags, int bit, const QCheckBox* box);

    // SMK editor (Form1Smks.cpp)
    void List2_Click();
    void smk_Change(int index);
    void smkFlag_Click(int index);
    void Check2_Click();
    void Combo3_Click();
    void Command2_Click();
    void ShowSmk(int row);
    bool SmkEditable() const;
    void ClearSmkEditor();

    // Adding and deleting (Form1Records.cpp)
    void Menu5_Click(int index);
    void Menu6_Click(int index);
    void FillObjectList();
    void FillSmkLists();
    void AppendSmkEntry(int index);
    QString ObjectListEntry(int index) const;
    QString SmkListEntry(int index) const;
    // Links decide which SMKs are marked unused; called after every change to them.
    void RefreshSmkEntries();
    // A save drops SMKs no object reaches: asks once; false when the user keeps them.
    bool ConfirmDroppedSmks();
    // Selects a freshly added record's row and scrolls it into view.
    static void SelectNewRow(QListWidget* list, int row);
    // The list's selected entry, -1 when none; its current row may differ.
    static int SelectedRow(const QListWidget* list);

    // Menus, files and title (Form1File.cpp)
    void Menu1_Click(int index);
    void Menu2_Click(int index);
    void Menu3_Click(int index);
    void Menu4_Click(int index);
    void OpenFromMenu();
    // Opens a .bin file from disk and makes it the saved, titled document.
    void OpenDiskFile(const std::string& path);
    void SaveAsFromMenu();
    // Writing over a file that did not look like a dialog needs the user's word again.
    bool ConfirmOverwriteForeignFile(const std::string& path);
    void ShowReadmeWindow(const std::string& readme);

    // Archives (Form1Archive.cpp)
    bool OpenArchiveFromMenu(const std::string& archivePath);
    bool OpenFromArchive(const std::string& archivePath, const ArchiveLine& file);
    void SaveIntoArchive(const std::string& archivePath);
    bool StoreInArchive();
    bool WriteDocument(const std::string& path, bool replaceWhole);
    bool ConfirmUnsavedWork();
    void EnableSaving();
    // Edits redraw always, creating the preview hidden; selections and loads only while it
    // is shown.
    void RedrawPreview(bool onlyWhenVisible);
    Form2& PreviewWindow();
    MessageAnswer Message(const std::string& text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok,
                          const std::string& title = "Tarrox II");

    DialogDocument& doc_;
    Settings& settings_;
    Dialogs& dialogs_;
    SettingsStore& store_;
    TextDrawingState& text_;
    QPointer<Form2> form2_;
    QPointer<Form5> form5_;
    QPointer<QTextBrowser> readme_;
    // The file opened although it did not look like a dialog; empty otherwise.
    std::string foreignFile_;
    FileDialogState CommonDialog1;
    std::array<std::string, ControlTypeCount> ControlTypeNames;
    bool ObjLoaded = false;
    bool SmkLoaded = false;
    bool modified_ = false;
    bool unloaded_ = false;

    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    std::array<QLineEdit*, 16> obj{};
    std::array<QCheckBox*, ObjectFlagCount> objFlag{};
    QComboBox* Combo1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    std::array<QLineEdit*, 3> smk{};
    std::array<QCheckBox*, SmkFlagCount> smkFlag{};
    QCheckBox* Check2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QPushButton* Command2 = nullptr;

    std::array<QAction*, 5> Menu1{};
    std::array<QAction*, 2> Menu2{};
    std::array<QAction*, 3> Menu3{};
    std::array<QAction*, 2> Menu4{};
    std::array<QAction*, 2> Menu5{};
    std::array<QAction*, 2> Menu6{};
    std::array<QMenu*, 2> Popup{};
};

} // namespace tarrox
