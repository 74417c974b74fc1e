// File > Recent Files and dropping files on the main window.
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

class RecentFilesTest : public EditorTest {
  protected:
    std::string Stored(const char* key) { return store.Read("Recent Files", key).value_or("?"); }
    std::vector<std::string> Listed() {
        std::vector<std::string> out;
        for (QAction* a : Find<QMenu>("fileRecentFiles")->actions())
            out.push_back(a->text().toStdString());
        return out;
    }
    void Drop(const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        // A drop reaches only the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QApplication::processEvents(); // the drop opens the file once the event is done
    }
};

TEST_F(RecentFilesTest, OpenedFilesAreListedNewestFirstAndKeptInTheSettings) {
    const std::string a = Write("a.bin", MakeDocument({{0, "A"}}));
    const std::string b = Write("b.bin", MakeDocument({{0, "B"}}));
    for (int i = 0; i < 10; ++i)
        Write("old" + std::to_string(i) + ".bin", MakeDocument({{0, "A"}}));
    for (int i = 0; i < 10; ++i)
        store.Write("Recent Files", "File" + std::to_string(i + 1),
                    Path("old" + std::to_string(i) + ".bin"));
    StartWith(MakeDocument({{0, "A"}}), "a.bin");
    form->OpenBinFile(b); // not through a menu: not remembered
    dialogs.FileChoices.push_back(FileChoice{b, 1});
    Trigger("fileOpen");
    EXPECT_EQ(Listed().size(), 8u);
    EXPECT_EQ(Listed()[0], "&1 " + b);
    EXPECT_EQ(Listed()[1], "&2 " + a);
    EXPECT_EQ(Stored("File1"), b);
    EXPECT_EQ(Stored("File8"), Path("old5.bin"));

    Find<QMenu>("fileRecentFiles")->actions()[1]->trigger();
    EXPECT_EQ(Listed()[0], "&1 " + a);
    EXPECT_EQ(Title(), "Tarrox II - [a.bin]");
}

TEST_F(RecentFilesTest, AMissingFileIsRemovedWithAMessage) {
    const std::string gone = Path("gone.bin");
    store.Write("Recent Files", "File1", gone);
    StartWith(MakeDocument({{0, "A"}}));
    ASSERT_EQ(Listed().size(), 2u);
    Find<QMenu>("fileRecentFiles")->actions()[1]->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              gone + " could not be found.\r\nIt has been removed from Recent Files.");
    EXPECT_EQ(Listed().size(), 1u);
    EXPECT_EQ(Stored("File2"), "");
}

TEST_F(RecentFilesTest, ADroppedFileOpensAfterTheUnsavedWorkQuestion) {
    const std::string other = Write("other.bin", MakeDocument({{0, "Other"}, {2, "B"}}));
    StartWith(MakeDocument({{0, "A"}, {2, "a"}}));
    List("objectList")->setCurrentRow(1);
    Box("objectLeft")->setText("123");
    ASSERT_TRUE(form->IsModified());
    Drop(other);
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]"); // asked, cancelled by default
    dialogs.Answers = {MessageAnswer::No};
    Drop(other);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(Title(), "Tarrox II - [other.bin]");
    EXPECT_EQ(List("objectList")->count(), 2);
}

} // namespace
} // namespace tarrox::test
