#include "preview/ArtView.h"

#include <algorithm>
#include <array>

#include "document/DialogDocument.h"
#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtDrawing.h"
#include "preview/ObjectDrawing.h"

namespace tarrox {

namespace {

// Frame numbers of the control pieces in dlg.grp and dlgs\<race>.grp, disabled then normal.
struct Pieces {
    int Disabled, Normal;
};
constexpr Pieces ButtonLeft{112, 115}, ButtonMiddle{113, 116}, ButtonRight{114, 117};
constexpr Pieces OptionOff{6, 7}, CheckOff{11, 12};
constexpr Pieces ArrowUp{16, 17}, ArrowDown{19, 20};
constexpr Pieces SliderLeft{91, 94}, SliderMiddle{92, 95}, SliderRight{93, 96},
    SliderThumb{99, 100};
constexpr Pieces ComboLeft{53, 53}, ComboMiddle{54, 54}, ComboRight{55, 55}, ComboArrow{52, 50};
constexpr int ListThumb = 28, TrackTop = 29, TrackMiddle = 30, TrackBottom = 31;
// The 3 x 3 tile box: corners, edges and centre, row by row.
constexpr int TileCount = 9;

bool Has(int32_t flags, int bit) {
    return (uint32_t(flags) >> bit) & 1;
}

class ArtPainter {
  public:
    ArtPainter(PreviewCanvas& canvas, ArtCache& art, const ArtChoice& choice)
        : c_(canvas), art_(art), choice_(choice) {}

    void Background() {
        const std::string name = BackgroundFile(choice_);
        if (name.empty()) return;
        const auto background = art_.Pcx(name);
        if (!Found(background)) return;
        backgroundPalette_ = background.Art->Colors;
        hasBackgroundPalette_ = background.Art->HasPalette;
        DrawIndexed(c_.Target, background.Art->Image, background.Art->Colors, 0, 0);
    }

    // False when the object's art is missing: the caller draws its outline instead.
    bool Object(int32_t type, const DialogObject& o, const ObjectPlacement& p) {
        const bool disabled = Has(o.Flags, DisabledBit);
        auto pick = [disabled](Pieces pieces) {
            return disabled ? pieces.Disabled : pieces.Normal;
        };
        switch (type) {
        case 0:
            return !choice_.Folder.empty() || TileBox(p);
        case 1:
        case 2:
            return Row(p.X, p.Y, p.W, pick(ButtonLeft), pick(ButtonMiddle), pick(ButtonRight));
        case 3:
            return Frame(pick(OptionOff), p.X, p.Y);
        case 4:
            return Frame(pick(CheckOff), p.X, p.Y + 1);
        case 5:
            return Image(o, p);
        case 6:
            return Row(p.X, p.Y + 4, p.W, pick(SliderLeft), pick(SliderMiddle),
                       pick(SliderRight)) &&
                   Frame(pick(SliderThumb), p.X, p.Y);
        case 12:
            return ScrollBar(p, disabled);
        case 13:
            return Row(p.X, p.Y, p.W, pick(ComboLeft), pick(ComboMiddle), pick(ComboRight)) &&
                   Frame(pick(ComboArrow), p.X + p.W - 18, p.Y + 4);
        case 9:
        case 10:
        case 11:
        case 14:
            return true; // text only: light-up buttons have no frame
        default:
            return false; // text boxes: no art known
        }
    }

    std::vector<std::string> Missing() const { return missing_; }

  private:
    template <typename T> bool Found(const ArtFile<T>& file) {
        if (file.Art) return true;
        if (std::find(missing_.begin(), missing_.end(), file.Problem) == missing_.end())
            missing_.push_back(file.Problem);
        return false;
    }

    // The control frames and their colours, read once a redraw.
    bool LoadFrames() {
        if (framesTried_) return frames_ != nullptr;
        framesTried_ = true;
        auto palette = art_.Pcx(FramePaletteFile(choice_));
        if (palette.Art && palette.Art->HasPalette) {
            framePalette_ = palette.Art->Colors;
        } else if (hasBackgroundPalette_) {
            framePalette_ = backgroundPalette_; // every glue picture shares its folder's palette
        } else if (!Found(palette) || !Found(art_.Pcx(FallbackPaletteFile()))) {
            return false;
        } else {
            framePalette_ = art_.Pcx(FallbackPaletteFile()).Art->Colors;
        }
        translucent_ = TranslucentIndex(framePalette_);
        auto frames = art_.Grp(ControlFramesFile(choice_));
        if (!Found(frames)) return false;
        frames_ = frames.Art;
        return true;
    }

    std::string FallbackPaletteFile() const {
        return choice_.Folder.empty() ? "game\\tfontgam.pcx" : BackgroundFile(choice_);
    }

    const GrpFrame* FrameAt(int number) {
        if (!LoadFrames() || number < 0 || size_t(number) >= frames_->Frames.size()) return nullptr;
        return &frames_->Frames[size_t(number)];
    }

    bool Frame(int number, int64_t x, int64_t y) {
        const GrpFrame* frame = FrameAt(number);
        if (!frame) return false;
        DrawGrpFrame(c_.Target, *frame, framePalette_, x, y);
        return true;
    }

    // A left end, the middle repeated and a right end across `width`, as buttons, combo boxes
    // and slider tracks are built.
    bool Row(int64_t x, int64_t y, int64_t width, int left, int middle, int right) {
        const GrpFrame* m = FrameAt(middle);
        const GrpFrame* r = FrameAt(right);
        if (!m || !r || !FrameAt(left)) return false;
        const int64_t step = std::max(1, m->Image.Width);
        const int64_t rightX = x + std::max<int64_t>(width - std::max(1, r->Image.Width), step);
        for (int64_t at = x + step; at < rightX && at < Surface::Width; at += step)
            Frame(middle, at, y);
        Frame(left, x, y);
        Frame(right, rightX, y);
        return true;
    }

    // On the list's right edge: arrow, 5 px, the track, 5 px, arrow; the thumb at the top.
    bool ScrollBar(const ObjectPlacement& p, bool disabled) {
        const GrpFrame* up = FrameAt(disabled ? ArrowUp.Disabled : ArrowUp.Normal);
        const GrpFrame* middle = FrameAt(TrackMiddle);
        if (!up || !middle || !FrameAt(TrackTop) || !FrameAt(TrackBottom) || !FrameAt(ListThumb))
            return false;
        const int64_t x = p.X + p.W - std::max(1, up->Image.Width);
        const int64_t arrow = std::max(1, up->Image.Height);
        const int64_t top = p.Y + arrow + 5, bottom = p.Y + p.H - arrow - 5;
        const int64_t step = std::max(1, middle->Image.Height);
        for (int64_t y = top + step; y < bottom - step && y < Surface::Height; y += step)
            Frame(TrackMiddle, x, y);
        Frame(TrackTop, x, top);
        Frame(TrackBottom, x, bottom - step);
        Frame(disabled ? ArrowUp.Disabled : ArrowUp.Normal, x, p.Y);
        Frame(disabled ? ArrowDown.Disabled : ArrowDown.Normal, x, p.Y + p.H - arrow);
        Frame(ListThumb, x + 1, top);
        return true;
    }

    // An in-game dialog's box: corners once, edges and centre repeated; the centre's fill
    // lets the game show through.
    bool TileBox(const ObjectPlacement& p) {
        if (!LoadFrames()) return false;
        auto tiles = art_.Grp(TileBoxFile(choice_));
        if (!Found(tiles) || tiles.Art->Frames.size() < TileCount) return false;
        const auto& f = tiles.Art->Frames;
        const int64_t w = std::max(1, f[0].Image.Width), h = std::max(1, f[0].Image.Height);
        const int64_t right = p.X + std::max<int64_t>(p.W - w, w);
        const int64_t bottom = p.Y + std::max<int64_t>(p.H - h, h);
        auto column = [&](int64_t x, int first) {
            DrawGrpFrame(c_.Target, f[size_t(first)], framePalette_, x, p.Y, translucent_);
            for (int64_t y = p.Y + h; y < bottom && y < Surface::Height; y += h)
                DrawGrpFrame(c_.Target, f[size_t(first + 3)], framePalette_, x, y, translucent_);
            DrawGrpFrame(c_.Target, f[size_t(first + 6)], framePalette_, x, bottom, translucent_);
        };
        column(p.X, 0);
        for (int64_t x = p.X + w; x < right && x < Surface::Width; x += w) column(x, 1);
        column(right, 2);
        return true;
    }

    // The picture the text names, unscaled at the object's corner, clipped to the screen only.
    bool Image(const DialogObject& o, const ObjectPlacement& p) {
        if (p.wholeText.empty()) return false;
        const auto image = art_.Pcx(std::string(p.wholeText));
        if (!Found(image)) return false;
        const bool translucent = Has(o.Flags, TranslucencyBit);
        const Palette& colors = image.Art->HasPalette || !hasBackgroundPalette_
                                    ? image.Art->Colors
                                    : backgroundPalette_;
        IndexedDrawing how;
        how.ZeroTransparent = translucent || Has(o.Flags, TransparentBit);
        if (translucent) how.TranslucentIndex = TranslucentIndex(colors);
        DrawIndexed(c_.Target, image.Art->Image, colors, p.X, p.Y, how);
        return true;
    }

    PreviewCanvas& c_;
    ArtCache& art_;
    const ArtChoice& choice_;
    Palette backgroundPalette_{};
    bool hasBackgroundPalette_ = false;
    bool framesTried_ = false;
    std::shared_ptr<const GrpImage> frames_;
    Palette framePalette_{};
    int translucent_ = -1;
    std::vector<std::string> missing_;
};

} // namespace

std::vector<std::string> RedrawArtView(PreviewCanvas& canvas, const DialogDocument& doc,
                                       int32_t selObj, ArtCache& art, const ArtChoice& choice) {
    canvas.Target.SetPen(0);
    canvas.Target.SetSolidBrush(0);
    canvas.Target.Rectangle(0, 0, Surface::Width, Surface::Height);
    ArtPainter painter(canvas, art, choice);
    painter.Background();

    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    int32_t first = 0, last = count - 1;
    if (!canvas.Settings.ShowAll) first = last = selObj;
    if (first < 0 || first >= count) return painter.Missing();
    // Art lies over the screen: outlines that stand in for missing art stay unfilled.
    PreviewSettings hollow = canvas.Settings;
    hollow.FillRects = false;
    PreviewCanvas outline{canvas.Target, hollow, canvas.Fonts, canvas.Text};
    for (int32_t i = first; i <= last; ++i) {
        const DialogObject& o = doc.ObjectTable[i];
        if (!IsShown(o)) continue; // the game neither draws nor hits it
        const ObjectPlacement p = PlaceObject(outline, doc, i, selObj);
        if (painter.Object(o.ControlType, o, p))
            DrawControlText(outline, o.ControlType, p);
        else
            DrawOutlineObject(outline, o.ControlType, p);
    }
    // The selection shows over everything, hidden or not.
    if (selObj >= 0 && selObj < count) {
        const ObjectPlacement p = PlaceObject(outline, doc, selObj, selObj);
        DrawShape(outline, Highlight, p.X, p.Y, p.X + std::max(p.W, 1), p.Y + std::max(p.H, 1));
    }
    return painter.Missing();
}

} // namespace tarrox
