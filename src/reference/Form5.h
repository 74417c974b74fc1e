// "Font Colors": the formatting codes and, for each colour set, the colour codes drawn in
// their own colours. Drawn once when the window is made.
#pragma once

#include <QWidget>

namespace tarrox {

struct Settings;
struct TextDrawingState;
class SurfaceView;

class Form5 : public QWidget {
  public:
    Form5(TextDrawingState& text, const Settings& settings);
    const QImage& Image() const;

  private:
    SurfaceView* view_ = nullptr;
};

} // namespace tarrox
