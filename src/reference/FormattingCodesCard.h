// "Font Colors": the formatting codes and, for each colour set, the colour codes drawn in
// their own colours. Drawn when the window is made and when the game data changes.
// Called "Form 5" in older notes.
#pragma once

#include <QWidget>
#include <string>

namespace tarrox {

struct TextDrawingState;
class SurfaceView;

class FormattingCodesCard : public QWidget {
  public:
    // Draws with a copy of `text`; the custom set comes from `customColorFile` when it exists.
    FormattingCodesCard(const TextDrawingState& text, const std::string& customColorFile);
    // Draws the card afresh, with the game data as it is now.
    void Redraw(const TextDrawingState& text, const std::string& customColorFile);
    const QImage& Image() const;

  private:
    SurfaceView* view_ = nullptr;
};

} // namespace tarrox
