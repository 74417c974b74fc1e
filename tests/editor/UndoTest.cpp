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
        original = Bytes();
    }
    std::string Text(const char* action) { return Find<QAction>(action)->text().toStdString(); }
    // Types into a box and leaves it, as a user moving on to the next box does.
    void Type(const char* box, const char* typed) {
        QLineEdit* edit = Box(box);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        emit edit->editingFinished();
    }
    std::vector<uint8_t> Bytes() { return WriteBinDocument(*doc).value(); }
    std::vector<uint8_t> original;
};

TEST_F(UndoTest, TypingIsOneStepPerBoxVisitAndUndoingToTheSavedStateClearsTheMark) {
    List("objectList")->setCurrentRow(1);
    Type("objectLeft", "42");
    Type("objectText", "Run");
    Type("objectLeft", "7");
    Trigger("editUndo");
    EXPECT_EQ(Box("objectLeft")->text(), "42");
    EXPECT_EQ(Text("editRedo"), "Redo Edit Left of Object 1");
    Trigger("editUndo");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(Find<QAction>("editUndo")->isEnabled());
    Trigger("editRedo");
    EXPECT_EQ(doc->ObjectTable[1].Left, 42);
    Trigger("fileSave");
    Type("objectLeft", "2");
    Trigger("editUndo");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin]");
    Trigger("editUndo");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_FALSE(form->close());                       // asked, and Cancel keeps it open
    ASSERT_TRUE(form->OpenBinFile(form->File().Path)); // opening forgets the history
    EXPECT_FALSE(Find<QAction>("editUndo")->isEnabled());
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
    EXPECT_EQ(label->text(), "Go");
    EXPECT_EQ(Text("editRedo"), "Redo Edit Text of Object 1");
    QTest::keyClick(label, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[1].Text], "New");
}

TEST_F(UndoTest, AddAndDeleteComeBackWithLinksAndSelection) {
    List("smkList")->setCurrentRow(0);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteSmk");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(SelectedRow(List("smkList")), 0);
    EXPECT_EQ(Entries(Combo("nextSmk")), (Names{"0 - a.smk", "1 - b.smk"}));
    EXPECT_TRUE(Check("usesNextSmk")->isChecked());
    List("objectList")->setCurrentRow(1);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    Trigger("addObject");
    Trigger("editUndo");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(Box("objectText")->text(), "Go");
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    Trigger("editRedo");
    EXPECT_EQ(form->Selected().Object, -1);
    EXPECT_EQ(Entries(List("objectList")), (Names{"0 - Dialog Box", "1 - Button"}));
}

// A drag from the preview that ends where it began leaves no step.
TEST_F(UndoTest, AnEditFromOutsideMergesByKey) {
    const MergeKey drag = form->NewEditMergeKey();
    DialogObject moved = doc->ObjectTable[1];
    for (int left : {11, 12, 13, 10}) {
        moved.Left = int16_t(left);
        EXPECT_TRUE(form->ApplyObjectEdit(1, moved, "Move Object 1", drag));
    }
    EXPECT_FALSE(Find<QAction>("editUndo")->isEnabled() || form->IsModified());
    EXPECT_FALSE(form->ApplyObjectEdit(3, moved, "Move Object 3"));
}

} // namespace
} // namespace tarrox::test
