#include <QMenuBar>
#include <QTest>

#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

class UndoTest : public EditorTest {
  protected:
    // A dialog and two buttons, the first showing SMK 0, which chains to SMK 1.
    void SetUp() override {
        EditorTest::SetUp();
        DialogDocument d =
            MakeDocument({{0, "Main"}, {2, "Go", 0}, {2, "Stop"}}, {{"a.smk", 1}, {"b.smk"}});
        d.ObjectTable[1].Left = 10;
        StartWith(d);
    }
    QAction* Action(const char* name) { return Find<QAction>(name); }
    std::string Text(const char* action) { return Action(action)->text().toStdString(); }
    // Types into a box and leaves it, as a user moving on to the next box does.
    void Type(const char* box, const char* typed) {
        QLineEdit* edit = Box(box);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        emit edit->editingFinished();
    }
    std::vector<uint8_t> Bytes() { return WriteBinDocument(*doc).value(); }
    const std::string saved = "Tarrox II - [dialog.bin]";
};

TEST_F(UndoTest, TypingIsOneStepPerBoxVisit) {
    QStringList menus;
    for (const QAction* menu : form->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"File", "Edit", "View", "Help", "Options"}));
    EXPECT_EQ(Text("editUndo"), "Undo");
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    EXPECT_EQ(Action("editRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    const std::vector<uint8_t> original = Bytes();
    List("objectList")->setCurrentRow(1);
    Type("objectLeft", "42");
    Type("objectText", "Run");
    Type("objectLeft", "7");
    EXPECT_EQ(Text("editUndo"), "Undo Edit Left of Object 1");
    Trigger("editUndo");
    EXPECT_EQ(Box("objectLeft")->text(), "42");
    EXPECT_EQ(Text("editUndo"), "Undo Edit Text of Object 1");
    EXPECT_EQ(Text("editRedo"), "Redo Edit Left of Object 1");
    Trigger("editUndo");
    EXPECT_EQ(Box("objectText")->text(), "Go");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(Title(), saved);
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    Trigger("editRedo");
    EXPECT_EQ(doc->ObjectTable[1].Left, 42);
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    // Picking another record ends a visit too.
    List("objectList")->setCurrentRow(2);
    Box("objectTop")->setText("3");
    List("objectList")->setCurrentRow(1);
    List("objectList")->setCurrentRow(2);
    Box("objectTop")->setText("4");
    Trigger("editUndo");
    EXPECT_EQ(doc->ObjectTable[2].Top, 3);
}

// Inside a document box the window's undo wins over the box's own.
TEST_F(UndoTest, CtrlZInABoxUndoesTheDocument) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    List("objectList")->setCurrentRow(1);
    QLineEdit* label = Box("objectText");
    label->setFocus();
    label->selectAll();
    QTest::keyClicks(label, "New");
    QTest::keyClick(label, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[1].Text], "Go");
    EXPECT_EQ(label->text(), "Go");
    EXPECT_EQ(Text("editRedo"), "Redo Edit Text of Object 1"); // not the box's own undo
    QTest::keyClick(label, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[1].Text], "New");
}

TEST_F(UndoTest, AddAndDeleteComeBackWithLinksAndSelection) {
    const std::vector<uint8_t> original = Bytes();
    List("smkList")->setCurrentRow(0);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteSmk");
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, -1);
    EXPECT_EQ(Text("editUndo"), "Undo Delete SMK 0");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(SelectedRow(List("smkList")), 0);
    EXPECT_EQ(Entries(Combo("nextSmk")), (std::vector<std::string>{"0 - a.smk", "1 - b.smk"}));
    EXPECT_TRUE(Check("usesNextSmk")->isChecked());

    List("objectList")->setCurrentRow(1);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    Trigger("addObject");
    EXPECT_EQ(Text("editUndo"), "Undo Add Object 2");
    Trigger("editUndo");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(form->Selected().Object, 1);
    EXPECT_EQ(Box("objectText")->text(), "Go");
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    Trigger("editRedo");
    EXPECT_EQ(doc->ObjectCount, 2);
    EXPECT_EQ(form->Selected().Object, -1);
    EXPECT_EQ(Entries(List("objectList")),
              (std::vector<std::string>{"0 - Dialog Box", "1 - Button"}));
}

TEST_F(UndoTest, TheModifiedMarkFollowsTheSavedState) {
    List("objectList")->setCurrentRow(1);
    Type("objectLeft", "1");
    Trigger("fileSave");
    Type("objectLeft", "2");
    Trigger("editUndo");
    EXPECT_EQ(Title(), saved);
    EXPECT_FALSE(form->IsModified());
    Trigger("editUndo");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_FALSE(form->close()); // asked, and the question's Cancel keeps it open
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Save changes to dialog.bin?");
    ASSERT_TRUE(form->OpenBinFile(form->File().Path)); // opening forgets the history
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    EXPECT_EQ(doc->ObjectTable[1].Left, 1);
}

TEST_F(UndoTest, AnEditFromOutsideMergesByKeyAndShowsInTheBoxes) {
    List("objectList")->setCurrentRow(1);
    const MergeKey drag = form->NewEditMergeKey();
    DialogObject moved = doc->ObjectTable[1];
    for (int16_t step = 1; step <= 3; ++step) {
        moved.Left = int16_t(10 + step);
        EXPECT_TRUE(form->ApplyObjectEdit(1, moved, "Move Object 1", drag));
        EXPECT_EQ(Box("objectLeft")->text(), QString::number(moved.Left));
    }
    EXPECT_EQ(Text("editUndo"), "Undo Move Object 1");
    moved.Left = 10; // back where it began: a cancelled drag leaves no step
    form->ApplyObjectEdit(1, moved, "Move Object 1", drag);
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    EXPECT_EQ(Title(), saved);
    EXPECT_FALSE(form->ApplyObjectEdit(3, moved, "Move Object 3"));
}

} // namespace
} // namespace tarrox::test
