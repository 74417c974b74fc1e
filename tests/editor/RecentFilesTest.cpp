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
    Names Listed() {
        Names out;
        for (QAction* a : Find<QMenu>("fileRecentFiles")->actions())
            out.push_back(a->text().toStdString());
        return out;
    }
    void Pick(int entry) { Find<QMenu>("fileRecentFiles")->actions()[entry]->trigger(); }
    std::string Stored(int n) {
        return store.Read("Recent Files", "File" + std::to_string(n)).value_or("");
    }
};

TEST_F(RecentFilesTest, OpenedFilesAreListedNewestFirstKeptInTheSettingsAndMissingOnesGo) {
    const std::string a = Write("a.bin", MakeDocument({{0, "A"}}));
    const std::string b = Write("b.bin", MakeDocument({{0, "B"}}));
    for (int i = 1; i <= 10; ++i)
        store.Write("Recent Files", "File" + std::to_string(i), Path(std::to_string(i)));
    Write("1", MakeDocument({{0, "A"}}));
    Start(a);
    form->OpenBinFile(b); // not through a menu: not remembered
    dialogs.FileChoices.push_back(FileChoice{b, 1});
    Trigger("fileOpen");
    EXPECT_EQ(Listed(),
              (Names{"&1 " + b, "&2 " + a, "&3 " + Path("1"), "&4 " + Path("2"), "&5 " + Path("3"),
                     "&6 " + Path("4"), "&7 " + Path("5"), "&8 " + Path("6")}));
    EXPECT_EQ(Stored(8), Path("6"));
    Pick(1);
    EXPECT_EQ(Title(), "Tarrox II - [a.bin]");
    EXPECT_EQ(Stored(1), a);
    Pick(3);
    EXPECT_EQ(Messages(), Names{Path("2") + " could not be found.\r\nIt has been removed from "
                                            "Recent Files."});
    EXPECT_EQ(Listed().size(), 7u);
    EXPECT_EQ(Stored(4), Path("3"));
}

TEST_F(RecentFilesTest, ADroppedFileOpensAfterTheUnsavedWorkQuestion) {
    const std::string other = Write("other.bin", MakeDocument({{0, "Other"}, {2, "B"}}));
    StartWith(MakeDocument({{0, "A"}, {2, "a"}}));
    Edit(1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(other))});
    for (MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        dialogs.Answers = {answer};
        // A drop reaches only the widget that accepted the drag's entry.
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QApplication::processEvents(); // the drop opens the file once the event is done
    }
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(Title(), "Tarrox II - [other.bin]");
}

} // namespace
} // namespace tarrox::test
