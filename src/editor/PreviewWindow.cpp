#include "editor/PreviewWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

#include "document/DialogDocument.h"
#include "document/NumberText.h"
#include "editor/Settings.h"
#include "platform/DataFolders.h"
#include "preview/Arrange.h"
#include "preview/ArtView.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace tarrox {

namespace {

// The Color menu's schemes.
constexpr EnumArray<ColorScheme, ColorSchemeItem> Schemes{
    {{PinkAndBlueScheme, RedScheme, BlueScheme}}};

int32_t Stored(uint32_t color) {
    return static_cast<int32_t>(color);
}

} // namespace

PreviewWindow::PreviewWindow(const DialogDocument& doc, const OpenFile& file,
                             const Selection& selection, Settings& settings, TextDrawingState& text,
                             Dialogs& dialogs)
    : doc_(doc), file_(file), selection_(selection), settings_(settings), text_(text),
      dialogs_(dialogs), art_(GameDataFolders()) {
    setObjectName("PreviewWindow");
    setWindowTitle("Object Preview");
    view_ = new PreviewPicture(doc, selection, this);
    view_->setObjectName("PreviewPicture");
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setWidget(view_);
    setCentralWidget(scroller_);
    // Keys go to the picture (arrows move, Tab selects), not to the scroll bars.
    scroller_->setFocusProxy(view_);
    // What the art view could not find; empty in the outline view.
    missingArt_ = new QLabel(this);
    missingArt_->setObjectName("missingArt");
    statusBar()->addWidget(missingArt_, 1);
    BuildMenus();
    FitToPicture();
    LoadFontsAndDraw();
}

PreviewWindow::~PreviewWindow() {
    CloseFonts();
}

void PreviewWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const QString& name, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* view = menuBar()->addMenu("View");
    viewItems_[PreviewViewItem::All] = add(view, "viewAll", "All", [this] { ShowAllChosen(true); });
    viewItems_[PreviewViewItem::Current] =
        add(view, "viewCurrent", "Current", [this] { ShowAllChosen(false); });
    view->addSeparator();
    viewItems_[PreviewViewItem::Hidden] =
        add(view, "viewHidden", "Hidden Objects", [this] { ShowHiddenToggled(); });
    view->addSeparator();
    BuildArtMenus(view);
    view->addSeparator();
    QAction* zoomIn = add(view, "zoomIn", "Zoom In", [this] { ZoomChosen(Zoom() + 1); });
    // Ctrl+= is Ctrl++ on keyboards where + needs Shift.
    zoomIn->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    QAction* zoomOut = add(view, "zoomOut", "Zoom Out", [this] { ZoomChosen(Zoom() - 1); });
    zoomOut->setShortcut(QKeySequence("Ctrl+-"));
    for (QAction* item : {zoomIn, zoomOut}) item->setCheckable(false);
    for (int zoom = MinZoom; zoom <= MaxZoom; ++zoom)
        zoomItems_[size_t(zoom - MinZoom)] =
            add(view, QString("zoom%1").arg(zoom), QString("%1\u00d7").arg(zoom),
                [this, zoom] { ZoomChosen(zoom); });
    view->addSeparator();
    showGrid_ = add(view, "viewShowGrid", "Show Grid", [this] { ShowGridToggled(); });
    snapToGrid_ = add(view, "viewSnapToGrid", "Snap to Grid", [this] { SnapToGridToggled(); });
    add(view, "viewGridSize", "Grid Size...", [this] { GridSizeFromMenu(); })->setCheckable(false);
    ApplyGrid();

    QMenu* options = menuBar()->addMenu("Options");
    fillRectangles_ =
        add(options, "fillRectangles", "Fill Rectangles", [this] { FillRectanglesToggled(); });
    QMenu* color = options->addMenu("Color");
    QMenu* fontColor = options->addMenu("Font Color");
    const EnumArray<const char*, ColorSchemeItem> schemes{{{"Pink & Blue", "Red", "Blue"}}};
    for (size_t i = 0; i < schemes.size(); ++i) {
        const auto item = static_cast<ColorSchemeItem>(i);
        colorSchemes_[item] = add(color, QString("colorScheme%1").arg(i), schemes[item],
                                  [this, item] { ColorSchemeChosen(item); });
    }
    const char* sets[FontColorSetCount] = {"Title Screen", "Glue", "In-Game", "Custom"};
    for (int set = 0; set < FontColorSetCount; ++set)
        fontColors_[static_cast<size_t>(set)] =
            add(fontColor, QString("fontColorSet%1").arg(set), sets[set],
                [this, set] { FontColorSetChosen(set); });
    fontColors_[FontColorItem::Separator] = fontColor->addSeparator();
    fontColors_[FontColorItem::SetCustom] =
        add(fontColor, "setCustomColors", "Set Custom...", [this] { SetCustomColors(); });
    fontColors_[FontColorItem::SetCustom]->setCheckable(false);
}

void PreviewWindow::LoadFontsAndDraw() {
    CheckViewItems();
    fillRectangles_->setChecked(settings_.FillRects);
    // Only the highlight colour tells the schemes apart; colours from an edited store may
    // match none, and are then used as they are.
    for (QAction* item : colorSchemes_) item->setChecked(false);
    for (ColorSchemeItem item :
         {ColorSchemeItem::Red, ColorSchemeItem::PinkAndBlue, ColorSchemeItem::Blue}) {
        if (Stored(Schemes[item].HighlightColor) == settings_.HighlightColor) {
            colorSchemes_[item]->setChecked(true);
            break;
        }
    }
    CheckFontColorSet();
    // A missing or bad font leaves its slot empty; its text is then simply not drawn.
    LoadPreviewFonts(fonts_, GameDataFolders());
    RedrawPreview();
}

void PreviewWindow::ReloadFonts() {
    art_.SetFolders(GameDataFolders());
    LoadFontsAndDraw();
}

void PreviewWindow::CloseFonts() {
    if (unloaded_) return;
    unloaded_ = true;
    // Slot 3 is slot 2's font, so there are five to close, not six.
    for (GameFont& font : fonts_.Loaded) CloseGameFont(font);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    CloseFonts();
    event->accept();
    deleteLater();
}

void PreviewWindow::RedrawPreview() {
    PreviewSettings chosen;
    chosen.ShowAll = settings_.ShowAll;
    chosen.FillRects = settings_.FillRects;
    chosen.ShowHidden = settings_.ShowHidden;
    view_->SetHiddenPickable(settings_.ShowHidden);
    chosen.Colors = {static_cast<uint32_t>(settings_.HighlightColor),
                     static_cast<uint32_t>(settings_.HighlightColorDark),
                     static_cast<uint32_t>(settings_.NormalColor),
                     static_cast<uint32_t>(settings_.NormalColorDark)};
    chosen.FontColorSet = settings_.FontColorSet;
    PreviewCanvas canvas{picture_, chosen, fonts_, text_};
    std::vector<std::string> missing;
    if (settings_.GameArt)
        missing = RedrawArtView(canvas, doc_, selection_.Object, art_, CurrentArtChoice());
    else
        tarrox::RedrawPreview(canvas, doc_, selection_.Object);
    std::string status;
    for (const std::string& line : missing) status += (status.empty() ? "" : " ") + line;
    missingArt_->setText(QString::fromLatin1(status));
    view_->Refresh(picture_);
}

void PreviewWindow::CheckViewItems() {
    viewItems_[PreviewViewItem::All]->setChecked(settings_.ShowAll);
    viewItems_[PreviewViewItem::Current]->setChecked(!settings_.ShowAll);
    viewItems_[PreviewViewItem::Hidden]->setChecked(settings_.ShowHidden);
    for (int zoom = MinZoom; zoom <= MaxZoom; ++zoom)
        zoomItems_[size_t(zoom - MinZoom)]->setChecked(zoom == Zoom());
}

void PreviewWindow::ZoomChosen(int zoom) {
    view_->SetZoom(zoom);
    CheckViewItems();
    FitToPicture();
}

void PreviewWindow::FitToPicture() {
    // The drawing surface is the game's screen: the window shows all of it and does not
    // resize, unless a zoomed picture is larger than the screen; then it scrolls.
    const QSize whole =
        view_->size() + QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    if (whole.width() <= room.width() && whole.height() <= room.height()) {
        setFixedSize(whole);
        return;
    }
    setMinimumSize(0, 0);
    setMaximumSize(whole);
    resize(whole.boundedTo(room));
}

void PreviewWindow::ShowGridToggled() {
    settings_.ShowGrid = !settings_.ShowGrid;
    ApplyGrid();
}

void PreviewWindow::SnapToGridToggled() {
    settings_.SnapToGrid = !settings_.SnapToGrid;
    ApplyGrid();
}

void PreviewWindow::GridSizeFromMenu() {
    const std::string answer = dialogs_.InputBox("Grid size in pixels (" + std::to_string(MinGrid) +
                                                     " to " + std::to_string(MaxGrid) + "):",
                                                 "Grid Size", std::to_string(settings_.GridSize));
    if (answer.empty()) return; // cancelled
    const auto size = ParseRoundedDecimal(answer, MinGrid, MaxGrid);
    if (!size) {
        dialogs_.MessageBox("Error: The grid size must be a whole number from " +
                                std::to_string(MinGrid) + " to " + std::to_string(MaxGrid) + ".",
                            MessageIcon::Exclamation, MessageButtons::Ok, "Tarrox II");
        return;
    }
    settings_.GridSize = *size;
    ApplyGrid();
}

void PreviewWindow::ApplyGrid() {
    showGrid_->setChecked(settings_.ShowGrid);
    snapToGrid_->setChecked(settings_.SnapToGrid);
    view_->SetGrid({settings_.ShowGrid, settings_.SnapToGrid, settings_.GridSize});
}

void PreviewWindow::CheckFontColorSet() {
    for (int set = 0; set < FontColorSetCount; ++set)
        fontColors_[static_cast<size_t>(set)]->setChecked(set == settings_.FontColorSet);
}

void PreviewWindow::ShowAllChosen(bool all) {
    settings_.ShowAll = all;
    CheckViewItems();
    RedrawPreview();
}

void PreviewWindow::ShowHiddenToggled() {
    settings_.ShowHidden = !settings_.ShowHidden;
    CheckViewItems();
    RedrawPreview();
}

void PreviewWindow::FillRectanglesToggled() {
    settings_.FillRects = !settings_.FillRects;
    fillRectangles_->setChecked(settings_.FillRects);
    RedrawPreview();
}

void PreviewWindow::ColorSchemeChosen(ColorSchemeItem chosen) {
    const ColorScheme& s = Schemes[chosen];
    settings_.HighlightColor = Stored(s.HighlightColor);
    settings_.HighlightColorDark = Stored(s.HighlightColorDark);
    settings_.NormalColor = Stored(s.NormalColor);
    settings_.NormalColorDark = Stored(s.NormalColorDark);
    for (size_t i = 0; i < colorSchemes_.size(); ++i)
        colorSchemes_[i]->setChecked(static_cast<ColorSchemeItem>(i) == chosen);
    RedrawPreview();
}

void PreviewWindow::FontColorSetChosen(int set) {
    settings_.FontColorSet = set;
    LoadFontColors();
}

void PreviewWindow::SetCustomColors() {
    // A cancelled choice keeps the file there was; an empty path is never stored.
    if (!dialogs_.ShowOpen(colorTableDialog_) || colorTableDialog_.FileName.empty()) return;
    settings_.CustomColorFile = colorTableDialog_.FileName;
    LoadFontColors();
}

void PreviewWindow::LoadFontColors() {
    CheckFontColorSet();
    const auto set = static_cast<uint8_t>(settings_.FontColorSet);
    const DataFolders dataFolder = GameDataFolders();
    if (!LoadColorTable(text_, set, dataFolder, settings_.CustomColorFile)) {
        // The choice stays, but the text keeps the colours it had: say so rather than let the
        // check mark claim colours that are not shown.
        const std::string path = ColorTablePath(set, dataFolder, settings_.CustomColorFile);
        dialogs_.MessageBox(path.empty()
                                ? std::string("No custom color table loaded.\r\nChoose one "
                                              "with Set Custom...")
                                : "Error: Could not load the color table " + path + ".",
                            MessageIcon::Exclamation, MessageButtons::Ok, "Tarrox II");
    }
    RedrawPreview();
}

} // namespace tarrox
