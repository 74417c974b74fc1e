// "Object Preview": the open dialog drawn as the game lays it out, with the menus that choose
// what is drawn and in which colours. The choices are the process-wide settings.
// Called "Form 2" in older notes.
#pragma once

#include <QMainWindow>
#include <array>

#include "editor/EditorIndices.h"
#include "editor/OpenFile.h"
#include "editor/PreviewPicture.h"
#include "platform/Dialogs.h"
#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtScreen.h"
#include "preview/Shapes.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace tarrox {

struct DialogDocument;
struct Settings;

// Menu item positions.
enum class PreviewViewItem { All, Current, Hidden, Count };
inline constexpr int ZoomCount = MaxZoom - MinZoom + 1;
enum class ColorSchemeItem { PinkAndBlue, Red, Blue, Count };
// The first four are the font colour sets by number.
inline constexpr int FontColorSetCount = 4;
enum class FontColorItem { TitleScreen, Glue, InGame, Custom, Separator, SetCustom, Count };

class PreviewWindow : public QMainWindow {
  public:
    // Loads the fonts and draws the document; the caller decides whether to show it. The
    // selection is the main window's, which outlives this one.
    PreviewWindow(const DialogDocument& doc, const OpenFile& file, const Selection& selection,
                  Settings& settings, TextDrawingState& text, Dialogs& dialogs);
    ~PreviewWindow() override;

    // The one way to draw: the whole document afresh from the current settings.
    void RedrawPreview();
    // After the game data changed: loads the fonts and the art again and redraws.
    void ReloadFonts();

    // Once the user has closed the window it is gone for good; the next request makes a new one.
    bool IsUnloaded() const { return unloaded_; }
    const Surface& Picture() const { return picture_; }
    const PreviewFonts& Fonts() const { return fonts_; }
    // Where selections and edits made in the picture go; the window itself writes nothing.
    void SetEditHooks(PreviewEditHooks hooks) { view_->SetHooks(std::move(hooks)); }
    int Zoom() const { return view_->Zoom(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void LoadFontsAndDraw();
    void CloseFonts();
    void CheckViewItems();
    void CheckFontColorSet();
    void ShowAllChosen(bool all);
    void ShowHiddenToggled();
    void FillRectanglesToggled();
    void ColorSchemeChosen(ColorSchemeItem item);
    void FontColorSetChosen(int set);
    void SetCustomColors();
    void LoadFontColors();
    void ZoomChosen(int zoom);
    void FitToPicture();
    void ShowGridToggled();
    void SnapToGridToggled();
    void GridSizeFromMenu();
    // The picture and the check marks take the grid settings.
    void ApplyGrid();
    // The art view's menus and choices (PreviewWindowArt.cpp).
    void BuildArtMenus(QMenu* view);
    void FillBackgroundMenu();
    void GameArtToggled();
    void BackgroundChosen(const std::string& folder);
    void RaceChosen(Race race);
    ArtChoice CurrentArtChoice() const;
    std::string OpenDialogName() const;

    const DialogDocument& doc_;
    const OpenFile& file_;
    const Selection& selection_;
    Settings& settings_;
    TextDrawingState& text_;
    Dialogs& dialogs_;
    PreviewFonts fonts_;
    ArtCache art_;
    Surface picture_;
    PreviewPicture* view_ = nullptr;
    QScrollArea* scroller_ = nullptr;
    FileDialogState colorTableDialog_{"StarCraft Color Index Tables (*.pcx)|*.pcx", 1, {}};
    bool unloaded_ = false;

    EnumArray<QAction*, PreviewViewItem> viewItems_{};
    std::array<QAction*, ZoomCount> zoomItems_{};
    QAction* fillRectangles_ = nullptr;
    QAction* showGrid_ = nullptr;
    QAction* snapToGrid_ = nullptr;
    EnumArray<QAction*, ColorSchemeItem> colorSchemes_{};
    EnumArray<QAction*, FontColorItem> fontColors_{};
    QAction* gameArt_ = nullptr;
    QMenu* backgroundMenu_ = nullptr;
    std::array<QAction*, 3> races_{};
    QLabel* missingArt_ = nullptr;
};

} // namespace tarrox
