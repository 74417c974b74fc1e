#include "editor/Form2.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "document/DialogDocument.h"
#include "editor/Settings.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/SurfaceView.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace tarrox {

namespace {

// The Color menu's items, in menu order.
constexpr std::array<ColorScheme, 3> Schemes{PinkAndBlueScheme, RedScheme, BlueScheme};

int32_t Stored(uint32_t color) {
    return static_cast<int32_t>(color);
}

} // namespace

Form2::Form2(const DialogDocument& doc, Settings& settings, TextDrawingState& text,
             Dialogs& dialogs)
    : doc_(doc), settings_(settings), text_(text), dialogs_(dialogs) {
    setObjectName("Form2");
    setWindowTitle("Object Preview");
    view_ = new SurfaceView(Surface::Width, Surface::Height, this);
    view_->setObjectName("PreviewPicture");
    setCentralWidget(view_);
    BuildMenus();
    // The drawing surface is the game's screen; the window does not resize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

Form2::~Form2() {
    Form_Unload();
}

void Form2::BuildMenus() {
    auto add = [this](QMenu* menu, const char* prefix, int index, const char* caption,
                      void (Form2::*handler)(int)) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString("%1_%2").arg(prefix).arg(index));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [=, this] { (this->*handler)(index); });
        return action;
    };
    QMenu* view = menuBar()->addMenu("View");
    Menu0[0] = add(view, "Menu0", 0, "All", &Form2::Menu0_Click);
    Menu0[1] = add(view, "Menu0", 1, "Current", &Form2::Menu0_Click);

    QMenu* options = menuBar()->addMenu("Options");
    Menu1[0] = add(options, "Menu1", 0, "Fill Rectangles", &Form2::Menu1_Click);
    QMenu* color = options->addMenu("Color");
    Menu1[1] = color->menuAction();
    QMenu* fontColor = options->addMenu("Font Color");
    Menu1[2] = fontColor->menuAction();
    const char* schemes[] = {"Pink & Blue", "Red", "Blue"};
    for (int i = 0; i < 3; ++i)
        Menu11[i] = add(color, "Menu11", i, schemes[i], &Form2::Menu11_Click);
    const char* sets[] = {"Title Screen", "Glue", "In-Game", "Custom"};
    for (int i = 0; i < 4; ++i)
        Menu12[i] = add(fontColor, "Menu12", i, sets[i], &Form2::Menu12_Click);
    Menu12[4] = fontColor->addSeparator();
    Menu12[5] = add(fontColor, "Menu12", 5, "Set Custom...", &Form2::Menu12_Click);
    Menu12[5]->setCheckable(false);
}

void Form2::Form_Load() {
    CheckViewItems();
    Menu1[0]->setChecked(settings_.FillRects);
    // Only the highlight colour tells the schemes apart; colours from an edited store may
    // match none, and are then used as they are.
    const int order[] = {1, 0, 2};
    for (QAction* item : Menu11) item->setChecked(false);
    for (int i : order) {
        if (Stored(Schemes[i].HighlightColor) == settings_.HighlightColor) {
            Menu11[i]->setChecked(true);
            break;
        }
    }
    for (int i = 0; i < 4; ++i) Menu12[i]->setChecked(i == settings_.FontColorSet);
    // A missing or bad font leaves its slot empty; its text is then simply not drawn.
    LoadPreviewFonts(fonts_, DataFile("data"));
    RedrawPreview();
}

void Form2::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // Slot 3 is slot 2's font, so there are five to close, not six.
    for (GameFont& font : fonts_.Loaded) CloseGameFont(font);
}

void Form2::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    deleteLater();
}

void Form2::RedrawPreview() {
    PreviewSettings chosen;
    chosen.ShowAll = settings_.ShowAll;
    chosen.FillRects = settings_.FillRects;
    chosen.Colors = {static_cast<uint32_t>(settings_.HighlightColor),
                     static_cast<uint32_t>(settings_.HighlightColorDark),
                     static_cast<uint32_t>(settings_.NormalColor),
                     static_cast<uint32_t>(settings_.NormalColorDark)};
    chosen.FontColorSet = settings_.FontColorSet;
    PreviewCanvas canvas{picture_, chosen, fonts_, text_};
    tarrox::RedrawPreview(canvas, doc_, doc_.SelObj);
    view_->Refresh(picture_);
}

void Form2::CheckViewItems() {
    Menu0[0]->setChecked(settings_.ShowAll);
    Menu0[1]->setChecked(!settings_.ShowAll);
}

void Form2::Menu0_Click(int index) {
    settings_.ShowAll = index == 0;
    CheckViewItems();
    RedrawPreview();
}

void Form2::Menu1_Click(int index) {
    if (index != 0) return; // the submenu headers have no action of their own
    settings_.FillRects = !settings_.FillRects;
    Menu1[0]->setChecked(settings_.FillRects);
    RedrawPreview();
}

void Form2::Menu11_Click(int index) {
    const ColorScheme& s = Schemes[index];
    settings_.HighlightColor = Stored(s.HighlightColor);
    settings_.HighlightColorDark = Stored(s.HighlightColorDark);
    settings_.NormalColor = Stored(s.NormalColor);
    settings_.NormalColorDark = Stored(s.NormalColorDark);
    for (int i = 0; i < 3; ++i) Menu11[i]->setChecked(i == index);
    RedrawPreview();
}

void Form2::Menu12_Click(int index) {
    if (index >= 0 && index <= 3) {
        settings_.FontColorSet = index;
    } else if (index == 5) {
        // A cancelled choice keeps the file there was; an empty path is never stored.
        if (!dialogs_.ShowOpen(CommonDialog1) || CommonDialog1.FileName.empty()) return;
        settings_.CustomColorFile = CommonDialog1.FileName;
    } else {
        return;
    }
    for (int i = 0; i < 4; ++i) Menu12[i]->setChecked(i == settings_.FontColorSet);
    const auto set = static_cast<uint8_t>(settings_.FontColorSet);
    const std::string data = DataFile("data");
    if (!LoadColorTable(text_, set, data, settings_.CustomColorFile)) {
        // The choice stays, but the text keeps the colours it had: say so rather than let the
        // check mark claim colours that are not shown.
        const std::string path = ColorTablePath(set, data, settings_.CustomColorFile);
        dialogs_.MessageBox(path.empty()
                                ? std::string("No custom color table loaded.\r\nChoose one "
                                              "with Set Custom...")
                                : "Error: Could not load the color table " + path + ".",
                            MessageIcon::Exclamation, MessageButtons::Ok, "Tarrox II");
    }
    RedrawPreview();
}

} // namespace tarrox
