#include "reference/FormattingCodesCard.h"

#include "platform/DataFolders.h"
#include "platform/Gdi.h"
#include "platform/Surface.h"
#include "platform/qt/SurfaceView.h"
#include "preview/ReferenceCards.h"

namespace tarrox {

FormattingCodesCard::FormattingCodesCard(const TextDrawingState& text,
                                         const std::string& customColorFile)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("FormattingCodesCard");
    setWindowTitle("Font Colors");
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new SurfaceView(CodesCardWidth, CodesCardHeight, this);
    setFixedSize(CodesCardWidth, CodesCardHeight);
    Redraw(text, customColorFile);
}

void FormattingCodesCard::Redraw(const TextDrawingState& text, const std::string& customColorFile) {
    const DataFolders dataFolder = GameDataFolders();
    GameFont font;
    LoadGameFont(dataFolder.File("font10.fnt"), font);
    Surface card;
    DrawCodesCard(card, font, text, dataFolder, customColorFile, PathExists(customColorFile));
    view_->Refresh(card);
    CloseGameFont(font);
}

const QImage& FormattingCodesCard::Image() const {
    return view_->Image();
}

} // namespace tarrox
