#include "reference/Form5.h"

#include "editor/Settings.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "platform/Surface.h"
#include "platform/qt/SurfaceView.h"
#include "preview/ReferenceCards.h"

namespace tarrox {

Form5::Form5(TextDrawingState& text, const Settings& settings)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("Form5");
    setWindowTitle("Font Colors");
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new SurfaceView(CodesCardWidth, CodesCardHeight, this);
    setFixedSize(CodesCardWidth, CodesCardHeight);

    const std::string data = DataFile("data");
    GameFont font;
    LoadGameFont(data + "/font10.fnt", font);
    Surface card;
    DrawCodesCard(card, font, text, data, settings.CustomColorFile,
                  PathExists(settings.CustomColorFile));
    view_->Refresh(card);
    CloseGameFont(font);
}

const QImage& Form5::Image() const {
    return view_->Image();
}

} // namespace tarrox
