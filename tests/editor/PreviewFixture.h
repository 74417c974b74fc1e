// The editor with its preview open on the bundled game data, and the mouse in the picture.
#pragma once

#include <QMouseEvent>
#include <QTest>

#include "editor/EditorFixture.h"
#include "editor/PreviewPicture.h"
#include "editor/PreviewWindow.h"
#include "support/BinBuilder.h"

namespace tarrox::test {

// The editor with the bundled game data beside it, for the windows that draw game text.
class PreviewTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::filesystem::copy(std::filesystem::path(TARROX_SOURCE_DIR) / "data", dir_ / "data",
                              std::filesystem::copy_options::recursive);
    }
    void StartWithSample() { Start(std::string(TARROX_SOURCE_DIR) + "/samples/mainmenu.bin"); }
    bool Checked(const QString& item) {
        return form->Preview()->findChild<QAction*>(item)->isChecked();
    }
    void Choose(const QString& item) { form->Preview()->findChild<QAction*>(item)->trigger(); }
    // What a preview made now, from the same settings and document, would show.
    std::vector<uint32_t> Fresh() {
        return PreviewWindow(*doc, form->File(), form->Selected(), settings, text, dialogs)
            .Picture()
            .Pixels();
    }
};

// The editor on a dialog of its own with the preview open, and the mouse in its picture.
class PictureTest : public PreviewTest {
  protected:
    void OpenPicture(const DialogDocument& d) {
        StartWith(d);
        Trigger("viewPreview");
        picture = form->Preview()->findChild<PreviewPicture*>("PreviewPicture");
        ASSERT_NE(picture, nullptr);
    }
    // Mouse events at picture pixels, placed in the middle of the pixel on the screen.
    void Mouse(QEvent::Type type, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const int zoom = picture->Zoom();
        const QPointF pos(at.x() * zoom + zoom / 2.0, at.y() * zoom + zoom / 2.0);
        const bool move = type == QEvent::MouseMove;
        QMouseEvent e(type, pos, picture->mapToGlobal(pos), move ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, keys);
        QApplication::sendEvent(picture, &e);
    }
    void Click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, at, keys);
        Mouse(QEvent::MouseButtonRelease, at, keys);
    }
    // Presses at `from` and moves in steps to `from + by`, leaving the button down.
    void DragBy(QPoint from, QPoint by, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, from, keys);
        Mouse(QEvent::MouseMove, from + by / 2, keys);
        Mouse(QEvent::MouseMove, from + by, keys);
    }
    void Drag(QPoint from, QPoint by, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        DragBy(from, by, keys);
        Mouse(QEvent::MouseButtonRelease, from + by, keys);
    }
    PreviewPicture* picture = nullptr;
};

} // namespace tarrox::test
