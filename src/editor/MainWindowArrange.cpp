// Cut, copy, paste and duplicate through the system clipboard, and the Arrange menu: align,
// distribute, same size and draw order, each one undo step.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <functional>

#include "document/Clipboard.h"
#include "editor/MainWindow.h"
#include "preview/Arrange.h"

namespace tarrox {

namespace {

// The exact batch for another running editor; text/plain carries the same JSON for people.
constexpr const char* ObjectsMimeType = "application/x-tarrox2-objects";

std::string Counted(size_t n) {
    return n == 1 ? "1 Object" : std::to_string(n) + " Objects";
}

} // namespace

void MainWindow::BuildArrangeMenu() {
    QMenu* arrange = new QMenu("Arrange", this);
    arrange->setObjectName("ArrangeMenu");
    menuBar()->addMenu(arrange); // right after Edit
    // Each handler is given the item's caption, which also names its undo step.
    using Handler = std::function<void(const std::string&)>;
    struct Item {
        const char* Name; // nullptr: a separator
        const char* Caption;
        const char* Shortcut;
        Handler Run;
    };
    auto align = [this](Alignment a) -> Handler {
        return [this, a](const std::string& step) {
            Arrange(Aligned(doc_, selected_.Objects, a), step);
        };
    };
    auto distribute = [this](bool horizontally) -> Handler {
        return [this, horizontally](const std::string& step) {
            Arrange(Distributed(doc_, selected_.Objects, horizontally), step);
        };
    };
    auto sameSize = [this](bool width, bool height) -> Handler {
        return [this, width, height](const std::string& step) {
            Arrange(SameSize(doc_, selected_.Objects, width, height), step);
        };
    };
    auto reorder = [this](DrawOrderMove move) -> Handler {
        return [this, move](const std::string& step) { Reorder(move, step); };
    };
    const Item items[] = {
        {"arrangeAlignLefts", "Align Lefts", nullptr, align(Alignment::Lefts)},
        {"arrangeAlignRights", "Align Rights", nullptr, align(Alignment::Rights)},
        {"arrangeAlignTops", "Align Tops", nullptr, align(Alignment::Tops)},
        {"arrangeAlignBottoms", "Align Bottoms", nullptr, align(Alignment::Bottoms)},
        {"arrangeAlignHorizontalCentres", "Align Horizontal Centres", nullptr,
         align(Alignment::HorizontalCentres)},
        {"arrangeAlignVerticalCentres", "Align Vertical Centres", nullptr,
         align(Alignment::VerticalCentres)},
        {nullptr, nullptr, nullptr, {}},
        {"arrangeDistributeHorizontally", "Distribute Horizontally", nullptr, distribute(true)},
        {"arrangeDistributeVertically", "Distribute Vertically", nullptr, distribute(false)},
        {nullptr, nullptr, nullptr, {}},
        {"arrangeSameWidth", "Make Same Width", nullptr, sameSize(true, false)},
        {"arrangeSameHeight", "Make Same Height", nullptr, sameSize(false, true)},
        {"arrangeSameSize", "Make Same Size", nullptr, sameSize(true, true)},
        {nullptr, nullptr, nullptr, {}},
        {"arrangeBringToFront", "Bring to Front", "Ctrl+Shift+]",
         reorder(DrawOrderMove::BringToFront)},
        {"arrangeBringForward", "Bring Forward", "Ctrl+]", reorder(DrawOrderMove::BringForward)},
        {"arrangeSendBackward", "Send Backward", "Ctrl+[", reorder(DrawOrderMove::SendBackward)},
        {"arrangeSendToBack", "Send to Back", "Ctrl+Shift+[", reorder(DrawOrderMove::SendToBack)},
    };
    for (const Item& item : items) {
        if (!item.Name) {
            arrangeItems_.push_back(arrange->addSeparator());
            continue;
        }
        QAction* action = arrange->addAction(item.Caption);
        action->setObjectName(item.Name);
        if (item.Shortcut) action->setShortcut(QKeySequence(item.Shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this,
                [run = item.Run, step = std::string(item.Caption)] { run(step); });
        arrangeItems_.push_back(action);
    }
}

void MainWindow::Arrange(std::vector<IndexedObject> after, const std::string& description) {
    if (file_.IsOpen && after.size() > 1) ApplyObjectEdits(after, description);
}

void MainWindow::Reorder(DrawOrderMove move, const std::string& description) {
    if (!file_.IsOpen) return;
    if (Commit(DrawOrderCommand(SelectedChildren(), move), description)) ShowAppliedStep();
}

void MainWindow::ShowAppliedStep() {
    if (const auto& target = history_.LastApplied()) ShowHistoryStep(*target);
}

void MainWindow::CopyFromMenu() {
    const std::vector<int32_t> children = SelectedChildren();
    if (!file_.IsOpen || children.empty()) return;
    const std::string json = BatchToJson(CopyObjects(doc_, children));
    auto* content = new QMimeData;
    content->setData(ObjectsMimeType, QByteArray::fromStdString(json));
    content->setText(QString::fromStdString(json));
    QApplication::clipboard()->setMimeData(content);
}

// Cut asks nothing: the objects are on the clipboard and the step can be undone.
void MainWindow::CutFromMenu() {
    const std::vector<int32_t> children = SelectedChildren();
    if (!file_.IsOpen || children.empty()) return;
    CopyFromMenu();
    if (Commit(DeleteObjectsCommand(children), "Cut " + Counted(children.size())))
        ShowAppliedStep();
}

void MainWindow::PasteFromMenu() {
    if (!file_.IsOpen) return;
    const QMimeData* content = QApplication::clipboard()->mimeData();
    std::string json;
    if (content && content->hasFormat(ObjectsMimeType))
        json = content->data(ObjectsMimeType).toStdString();
    else if (content && content->hasText())
        json = content->text().toStdString();
    DialogDocument batch;
    std::string error;
    if (json.empty() || !BatchFromJson(json, batch, error)) {
        Message("The clipboard holds no objects to paste." +
                    (error.empty() ? std::string() : "\r\n" + error),
                MessageIcon::Exclamation);
        return;
    }
    InsertBatch(batch, "Paste", "the clipboard");
}

void MainWindow::DuplicateFromMenu() {
    const std::vector<int32_t> children = SelectedChildren();
    if (!file_.IsOpen || children.empty()) return;
    InsertBatch(CopyObjects(doc_, children), "Duplicate", "the selection");
}

void MainWindow::InsertBatch(const DialogDocument& batch, const std::string& verb,
                             const std::string& holder) {
    if (const std::string refused = BatchDoesNotFit(doc_, batch, holder); !refused.empty()) {
        Message(refused, MessageIcon::Exclamation);
        return;
    }
    const auto shifted = std::make_unique<DialogDocument>(ShiftedForPaste(doc_, batch));
    if (Commit(InsertObjectsCommand(*shifted), verb + " " + Counted(size_t(batch.ObjectCount))))
        ShowAppliedStep();
}

} // namespace tarrox
