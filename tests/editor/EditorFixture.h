// Runs the real main window offscreen over a fresh document, with scripted dialogs, an
// in-memory settings store and a program folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "document/DialogDocument.h"
#include "editor/MainWindow.h"
#include "editor/Settings.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "preview/TextState.h"
#include "support/MemorySettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace tarrox::test {

struct ObjectRow {
    int32_t Type = 2;
    std::string Text;
    int32_t SmkLink = -1;
};

struct SmkRow {
    std::string Name;
    int32_t Next = -1;
};

// A document whose object strings come first and SMK strings after them; written to disk and
// read back it takes the reader's numbering.
inline DialogDocument MakeDocument(const std::vector<ObjectRow>& objects,
                                   const std::vector<SmkRow>& smks = {}) {
    DialogDocument d;
    int n = 0;
    for (const ObjectRow& o : objects) {
        DialogObject& r = d.ObjectTable[d.ObjectCount++];
        r.ControlType = o.Type;
        r.SmkLink = o.SmkLink;
        r.Text = n;
        d.StringTable[n++] = o.Text;
    }
    for (const SmkRow& s : smks) {
        SmkEntry& e = d.SmkTable[d.SmkCount++];
        e.Next = s.Next;
        e.FileName = n;
        d.StringTable[n++] = s.Name;
    }
    d.StringCount = n;
    return d;
}

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = TestTempPath("ui-");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        SetProgramFolder(dir.string());
    }

    void TearDown() override {
        form.reset();
        std::filesystem::remove_all(dir);
    }

    MainWindow& Start(const std::string& commandLine = "") {
        form = std::make_unique<MainWindow>(*doc, settings, dialogs, store, text);
        form->Startup(commandLine);
        return *form;
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    std::string Write(const std::string& name, const DialogDocument& d) {
        std::string path = Path(name);
        auto bytes = WriteBinDocument(d).value();
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        return path;
    }

    // Starts the editor on the document, opened from disk through the command line.
    MainWindow& StartWith(const DialogDocument& d, const std::string& name = "dialog.bin") {
        return Start(Write(name, d));
    }

    DialogDocument Reload(const std::string& path) {
        auto read = std::make_unique<DialogDocument>();
        std::string error;
        EXPECT_TRUE(LoadBinFile(path, *read, error, MissingFile::IsAnError)) << error;
        return *read;
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

    // Runs `act` on the modal window once it is up. It polls rather than firing once: another
    // event loop (a progress window, a busy machine's late paint) may run before the modal
    // window's own, and a one-shot check there would find nothing. Gives up after ten seconds.
    void WhenModal(std::function<void(QWidget*)> act) {
        auto* poll = new QTimer(form.get());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act, deadline] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool up = modal && modal->isVisible();
            if (!up && std::chrono::steady_clock::now() < deadline) return;
            poll->stop();
            poll->deleteLater();
            if (up)
                act(modal);
            else
                ADD_FAILURE() << "no modal window came up";
        });
        poll->start(0);
    }
    std::string Title() { return form->windowTitle().toStdString(); }
    static int SelectedRow(QListWidget* list) {
        const auto chosen = list->selectedItems();
        return chosen.isEmpty() ? -1 : list->row(chosen.first());
    }

    std::vector<std::string> Entries(QListWidget* list) {
        std::vector<std::string> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
        return out;
    }
    std::vector<std::string> Entries(QComboBox* combo) {
        std::vector<std::string> out;
        for (int i = 0; i < combo->count(); ++i) out.push_back(combo->itemText(i).toStdString());
        return out;
    }

    std::filesystem::path dir;
    std::unique_ptr<DialogDocument> doc = std::make_unique<DialogDocument>();
    Settings settings;
    ScriptedDialogs dialogs;
    MemorySettingsStore store;
    TextDrawingState text;
    std::unique_ptr<MainWindow> form;
};

} // namespace tarrox::test
