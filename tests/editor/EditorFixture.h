// The real main window offscreen, with scripted dialogs, settings in memory, its own folder.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "editor/MainWindow.h"
#include "editor/Settings.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ProgramFolder.h"
#include "preview/TextState.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace tarrox::test {

using Names = std::vector<std::string>;
struct ObjectRow {
    int32_t Type = 2;
    std::string Text;
    int32_t SmkLink = -1;
};
struct SmkRow {
    std::string Name;
    int32_t Next = -1;
};

// Object strings first, SMK strings after them: the numbering the reader gives when read back.
inline DialogDocument MakeDocument(const std::vector<ObjectRow>& objects,
                                   const std::vector<SmkRow>& smks = {}) {
    DialogDocument d;
    int n = 0;
    for (const ObjectRow& o : objects) {
        d.ObjectTable[d.ObjectCount++] = {.Text = n, .ControlType = o.Type, .SmkLink = o.SmkLink};
        d.StringTable[n++] = o.Text;
    }
    for (const SmkRow& s : smks) {
        d.SmkTable[d.SmkCount++] = {.Next = s.Next, .FileName = n};
        d.StringTable[n++] = s.Name;
    }
    d.StringCount = n;
    return d;
}

class EditorTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SetProgramFolder(dir_.string());
    }
    void TearDown() override {
        form.reset();
        TempDirTest::TearDown();
    }
    // A window of its own each time, as when the program starts again.
    void Start(const std::string& commandLine = "") {
        form.reset();
        form = std::make_unique<MainWindow>(*doc, settings, dialogs, store, text);
        form->Startup(commandLine);
    }
    void StartWith(const DialogDocument& d, const std::string& name = "dialog.bin") {
        Start(Write(name, d));
    }
    using TempDirTest::Write;
    std::string Write(const std::string& name, const DialogDocument& d) {
        return Write(name, WriteBinDocument(d).value());
    }
    DialogDocument Reload(const std::string& path) {
        DialogDocument read;
        std::string error;
        EXPECT_TRUE(LoadBinFile(path, read, error, MissingFile::IsAnError)) << error;
        return read;
    }
    template <class T> T* Find(const QString& name) {
        T* w = form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* Box(const QString& name) { return Find<QLineEdit>(name); }
    QListWidget* List(const char* name) { return Find<QListWidget>(name); }
    QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
    QCheckBox* Check(const QString& name) { return Find<QCheckBox>(name); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    std::string Title() { return form->windowTitle().toStdString(); }
    void Edit(int row, const char* box = "objectLeft", const char* value = "123") {
        List("objectList")->setCurrentRow(row);
        Box(box)->setText(value);
    }
    const Names& Messages() { return dialogs.Messages; }

    static int SelectedRow(QListWidget* list) {
        const auto chosen = list->selectedItems();
        return chosen.isEmpty() ? -1 : list->row(chosen.first());
    }
    template <class W> static Names Entries(W* w) {
        Names out;
        for (int i = 0; i < w->count(); ++i)
            out.push_back(w->model()->index(i, 0).data().toString().toStdString());
        return out;
    }

    std::unique_ptr<DialogDocument> doc = std::make_unique<DialogDocument>();
    Settings settings;
    ScriptedDialogs dialogs;
    MemorySettingsStore store;
    TextDrawingState text;
    std::unique_ptr<MainWindow> form;
};

} // namespace tarrox::test
