// "Object Preview": the open dialog drawn as the game lays it out, with the menus that choose
// what is drawn and in which colours. The choices are the process-wide settings.
#pragma once

#include <QMainWindow>
#include <array>

#include "platform/Dialogs.h"
#include "platform/Surface.h"
#include "preview/Shapes.h"

class QAction;

namespace tarrox {

struct DialogDocument;
struct Settings;
class SurfaceView;

class Form2 : public QMainWindow {
  public:
    // Loads the fonts and draws the document; the caller decides whether to show it.
    Form2(const DialogDocument& doc, Settings& settings, TextDrawingState& text, Dialogs& dialogs);
    ~Form2() override;

    // The one way to draw: the whole document afresh from the current settings.
    void RedrawPreview();

    // Once the user has closed the window it is gone for good; the next request makes a new one.
    bool IsUnloaded() const { return unloaded_; }
    const Surface& Picture() const { return picture_; }
    const PreviewFonts& Fonts() const { return fonts_; }

    void Menu0_Click(int index);
    void Menu1_Click(int index);
    void Menu11_Click(int index);
    void Menu12_Click(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void Form_Load();
    void Form_Unload();
    void CheckViewItems();

    const DialogDocument& doc_;
    Settings& settings_;
    TextDrawingState& text_;
    Dialogs& dialogs_;
    PreviewFonts fonts_;
    Surface picture_;
    SurfaceView* view_ = nullptr;
    FileDialogState CommonDialog1{"StarCraft Color Index Tables (*.pcx)|*.pcx", 1, {}};
    bool unloaded_ = false;

    std::array<QAction*, 2> Menu0{};
    std::array<QAction*, 3> Menu1{};
    std::array<QAction*, 3> Menu11{};
    std::array<QAction*, 6> Menu12{};
};

} // namespace tarrox
