// The main window: the object and SMK lists with their property editors, the menus, the
// title, start-up and shutdown. The controls are views of the one document; every handler
// changes it through the edit history, so each change can be undone. The window keeps which
// file is open and what is selected.
// Called "Form 1" in older notes.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "document/DialogDocument.h"
#include "document/EditHistory.h"
#include "editor/EditorIndices.h"
#include "editor/OpenFile.h"
#include "editor/RecentFiles.h"
#include "platform/Dialogs.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
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
class PreviewWindow;
class FormattingCodesCard;

// Document strings are bytes; each shows as the Latin-1 character of its value.
inline QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

class MainWindow : public QMainWindow {
  public:
    MainWindow(DialogDocument& doc, Settings& settings, Dialogs& dialogs, SettingsStore& store,
               TextDrawingState& text, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: control types, settings, then the file named in `commandLine` (the text after
    // the program's path).
    void Startup(const std::string& commandLine);

    // The preview and the formatting-codes card while they are open; null otherwise.
    PreviewWindow* Preview() const;
    FormattingCodesCard* CodesCard() const;

    // Reads `path` into the document and refills the lists. On failure the user is told and
    // the open document stays as it was. Sets the open file's path on success.
    bool OpenBinFile(const std::string& path);
    // Writes the document to the open file; tells the user and returns false when that fails.
    bool SaveBinFile();
    void SetTitle(bool modified);
    bool IsModified() const { return modified_; }
    OpenFile& File() { return file_; }
    const Selection& Selected() const { return selected_; }
    // Replaces object `index` with `after` as one undo step named `description` ("Move
    // Object 4") and shows it in the boxes, the list and the preview. Edits with the same key
    // (NewEditMergeKey, e.g. one per drag) merge into one step until merging closes: another
    // record is picked, a box is left, or CloseEditMerging. A step that ends where it began
    // (a cancelled drag) is dropped. False when there is no such object.
    bool ApplyObjectEdit(int32_t index, const DialogObject& after, std::string description,
                         MergeKey key = NoMerge);
    // The same for several objects at once ("Move 3 Objects"); one record goes as above.
    bool ApplyObjectEdits(const std::vector<IndexedObject>& after, std::string description,
                          MergeKey key = NoMerge);
    // Selects these objects in the list and the preview, the first shown in the boxes; none (or
    // only unknown ones) selects the dialog, object 0.
    void SelectObjects(const std::vector<int32_t>& indices);
    MergeKey NewEditMergeKey() { return history_.NewMergeKey(); }
    void CloseEditMerging() { history_.CloseMerging(); }
    const EditHistory& History() const { return history_; }
    // Edit > Undo and Redo, also for other windows' shortcuts.
    void UndoFromMenu();
    void RedoFromMenu();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout (MainWindowLayout.cpp)
    void BuildUi();
    void BuildMenus();
    QWidget* BuildObjectHalf();
    QWidget* BuildSmkHalf();
    void ConnectHandlers();

    // Start-up and shutdown (MainWindowStartup.cpp)
    void LoadTextDrawingTables();
    void OpenFromCommandLine(const std::string& commandLine);
    bool ConfirmQuit();

    // Object editor (MainWindowObjects.cpp)
    void ObjectSelected();
    // Fills the editor from the object without counting as an edit.
    void ShowObjectFields(int row);
    void ObjectBoxEdited(ObjectBox box);
    void ControlTypeChosen();
    void UsesSmkToggled();
    void ObjectSmkChosen();
    void ObjectFlagToggled(int bit);
    void ViewObjectSmk();
    bool ObjectEditable() const;
    // With no object chosen the editor shows nothing rather than the last one's values.
    void ClearObjectEditor();
    // The edits that objects and SMKs share: a link by box and picker, a flag bit by its box.
    static int32_t LinkFromBoxes(const QCheckBox* uses, const QComboBox* picker);
    static uint32_t FlagsFromBox(uint32_t flags, int bit, const QCheckBox* box);
    // "Set Visible of Object 4": what a flag step undoes.
    static std::string FlagStepName(const char* caption, bool set, const std::string& record);

    // SMK editor (MainWindowSmks.cpp)
    void SmkSelected();
    void SmkBoxEdited(SmkBox box);
    void SmkFlagToggled(int bit);
    void UsesNextSmkToggled();
    void NextSmkChosen();
    void ViewNextSmk();
    void ShowSmk(int row);
    bool SmkEditable() const;
    void ClearSmkEditor();

    // Adding and deleting (MainWindowRecords.cpp)
    void AddObjectFromMenu();
    void DeleteObjectFromMenu();
    void AddSmkFromMenu();
    void DeleteSmkFromMenu();
    void FillObjectList();
    void FillSmkLists();
    void AppendSmkEntry(int index, const std::vector<bool>& unused);
    QString ObjectListEntry(int index) const;
    QString SmkListEntry(int index, const std::vector<bool>& unused) const;
    // Which SMKs no object reaches, by index.
    std::vector<bool> UnusedSmks() const;
    // Links decide which SMKs are marked unused; called after every change to them.
    void RefreshSmkEntries();
    // A save drops SMKs no object reaches: asks once; false when the user keeps them.
    bool ConfirmDroppedSmks();
    // Selects a freshly added record's row and scrolls it into view.
    static void SelectNewRow(QListWidget* list, int row);
    // The list's selected entry, -1 when none; its current row may differ.
    static int SelectedRow(const QListWidget* list);

    // Edits made in the preview's picture (MainWindowPreviewEdits.cpp)
    void ConnectPreviewEdits(PreviewWindow& preview);

    // Several objects at once (MainWindowSelection.cpp)
    // The boxes, the list's order of picks and the preview take the selection, first shown.
    void ShowSelection(std::vector<int32_t> order);
    // The selected objects other than the dialog, in the order they were picked.
    std::vector<int32_t> SelectedChildren() const;
    void ClearSelectionFromMenu();
    // Delete and Insert act on the SMK list while it has the focus, otherwise on the objects.
    void DeleteFromKey();
    void InsertFromKey();
    void FindFromMenu();
    void FindAgainFromMenu();
    void FindNext();

    // Clipboard and arranging (MainWindowArrange.cpp)
    void BuildArrangeMenu();
    void CutFromMenu();
    void CopyFromMenu();
    void PasteFromMenu();
    void DuplicateFromMenu();
    // Adds the batch's objects as one step named "<verb> N Objects", shifted off the objects
    // they were copied from, and selects them; says why when they do not fit.
    void InsertBatch(const DialogDocument& batch, const std::string& verb,
                     const std::string& holder);
    void Arrange(std::vector<IndexedObject> after, const std::string& description);
    void Reorder(DrawOrderMove move, const std::string& description);
    // After a step that added, removed or reordered objects: the lists afresh, its objects
    // selected.
    void ShowAppliedStep();

    // Undo and redo (MainWindowHistory.cpp)
    // Applies a change as an undo step and updates the Edit menu and the title. False when
    // the change could not be made.
    bool Commit(std::unique_ptr<EditCommand> command, std::string description,
                MergeKey key = NoMerge, bool keepUnchanged = false);
    // After undo or redo: the lists and pickers afresh, the changed record selected.
    void ShowHistoryStep(const EditTarget& target);
    void UpdateEditMenu();
    // The document boxes leave Ctrl+Z and its kin to the window's history.
    bool IsHistoryShortcut(QEvent* event) const;
    void WatchDocumentBox(QLineEdit* box);

    // Menus, files and title (MainWindowFile.cpp)
    void OpenFromMenu();
    void SaveFromMenu();
    void SaveAsFromMenu();
    void ExitFromMenu() { close(); }
    void ShowPreview();
    void ShowCodesCard();
    void ShowReadme();
    void ShowAbout();
    void AutoCalcToggled();
    void SetMpqLocaleFromMenu();
    // Opens a .bin file from disk and makes it the saved, titled document.
    void OpenDiskFile(const std::string& path);
    // Writing over a file that did not look like a dialog needs the user's word again.
    bool ConfirmOverwriteForeignFile(const std::string& path);
    void ShowReadmeWindow(const std::string& readme);

    // Recent files and dropped files (MainWindowRecent.cpp)
    void RememberFile(const std::string& path);
    void FillRecentMenu();
    void OpenRecentFile(const std::string& path);
    void OpenChosenFile(const std::string& path);

    // The game's own data (MainWindowGameData.cpp)
    void ImportGameDataFromMenu();
    void UseBundledDataFromMenu();
    // Text tables, colours and fonts afresh, and every open window that draws game text.
    void ReloadGameData();

    // Archives (MainWindowArchive.cpp)
    void OpenArchiveFromMenu(const std::string& archivePath);
    bool OpenFromArchive(const std::string& archivePath, const ArchiveLine& file);
    void SaveIntoArchive(const std::string& archivePath);
    bool StoreInArchive();
    // Saves compact a large archive only now and then; this does it when the user asks.
    void CompactArchiveFromMenu();
    bool WriteDocument(const std::string& path, bool replaceWhole);
    bool ConfirmUnsavedWork();
    void EnableSaving();
    // Edits redraw always, creating the preview hidden; selections and loads only while it
    // is shown.
    void RedrawPreview(bool onlyWhenVisible);
    PreviewWindow& EnsurePreview();
    MessageAnswer Message(const std::string& text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok,
                          const std::string& title = "Tarrox II");

    DialogDocument& doc_;
    EditHistory history_;
    // The undo key shared by the steps of the preview drag under way.
    MergeKey previewDragKey_ = NoMerge;
    // Typing merges per box visit: leaving the box or picking a record closes merging.
    MergeKey typingKey_ = NoMerge;
    Settings& settings_;
    Dialogs& dialogs_;
    SettingsStore& store_;
    TextDrawingState& text_;
    OpenFile file_;
    Selection selected_;
    QPointer<PreviewWindow> preview_;
    QPointer<FormattingCodesCard> codesCard_;
    QPointer<QTextBrowser> readme_;
    // The file opened although it did not look like a dialog; empty otherwise.
    std::string foreignFile_;
    FileDialogState fileDialog_;
    RecentFiles recent_;
    QMenu* recentMenu_ = nullptr;

    FileDialogState gameDataDialog_{"Game Archives (*.mpq;*.exe)|*.mpq;*.exe|Loose Game Files "
                                    "(*.fnt;*.pcx)|*.fnt;*.pcx",
                                    1,
                                    {}};
    std::array<std::string, ControlTypeCount> controlTypeNames_;
    // What Find looked for last, for Find Again; Latin-1 bytes as the strings hold them.
    std::string findQuery_;
    std::vector<QAction*> arrangeItems_;
    // Set while the editors show a record; cleared while code fills them.
    bool objectShown_ = false;
    bool smkShown_ = false;
    bool modified_ = false;
    bool unloaded_ = false;

    QListWidget* objectList_ = nullptr;
    QListWidget* smkList_ = nullptr;
    EnumArray<QLineEdit*, ObjectBox> objectBoxes_{};
    std::array<QCheckBox*, ObjectFlagCount> objectFlags_{};
    QComboBox* controlType_ = nullptr;
    QCheckBox* usesSmk_ = nullptr;
    QComboBox* objectSmk_ = nullptr;
    QPushButton* viewObjectSmk_ = nullptr;
    EnumArray<QLineEdit*, SmkBox> smkBoxes_{};
    std::array<QCheckBox*, SmkFlagCount> smkFlags_{};
    QCheckBox* usesNextSmk_ = nullptr;
    QComboBox* nextSmk_ = nullptr;
    QPushButton* viewNextSmk_ = nullptr;

    EnumArray<QAction*, FileMenu> fileMenu_{};
    EnumArray<QAction*, EditMenu> editMenu_{};
    EnumArray<QAction*, OptionsMenu> optionsMenu_{};
    EnumArray<QMenu*, RecordKind> popups_{};
};

} // namespace tarrox
