#include "platform/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TARROX_AVX2 1
// clang 14 cannot read this glibc header in C++ (it uses _Bool).
#if __has_include(<sys/platform/x86.h>) && !defined(__clang__)
#include <sys/platform/x86.h>
#endif
#endif

namespace tarrox {

namespace {

// Far beyond any sum of 16-bit dialog coordinates; keeps every product below in 64 bits.
constexpr int64_t CoordinateLimit = int64_t{1} << 28;

int64_t Clamp(int64_t v) {
    return std::clamp(v, -CoordinateLimit, CoordinateLimit);
}

struct Box {
    int64_t Left, Top, Right, Bottom;
    int64_t Width() const { return Right - Left; }
    int64_t Height() const { return Bottom - Top; }
};

Box Ordered(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int64_t l = Clamp(x1), t = Clamp(y1), r = Clamp(x2), b = Clamp(y2);
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    return {l, t, r, b};
}

// The run of pixel centres inside the ellipse that exactly fills a w x h box, on the row
// whose centre lies dy2 half-pixels from the box centre; returned as the half-width dx2 in
// half-pixels, or -1 when the row holds no pixel centre. Work is in half-pixels so boxes of
// odd and even size share one exact integer test.
int64_t EllipseHalfRun(int64_t w, int64_t h, int64_t dy2) {
    const int64_t parity = (w + 1) & 1;
    const bool exact = w <= (1 << 15) && h <= (1 << 15);
    auto inside = [&](int64_t dx2) {
        if (exact) return dx2 * dx2 * h * h + dy2 * dy2 * w * w <= w * w * h * h;
        double x = double(dx2) / double(w), y = double(dy2) / double(h);
        return x * x + y * y <= 1.0;
    };
    double ratio = double(dy2) / double(h);
    int64_t m = static_cast<int64_t>(double(w) * std::sqrt(std::max(0.0, 1.0 - ratio * ratio)));
    if ((m & 1) != parity) --m;
    while (m >= 0 && !inside(m)) m -= 2;
    while (inside(m + 2)) m += 2;
    return m < 0 ? -1 : m;
}

// The half-runs of one w x h ellipse by dy2 as EllipseHalfRun gives them, from the runs kept
// for its size where there are some.
struct EllipseRows {
    int64_t W, H;
    std::span<const int64_t> Kept;
    int64_t operator()(int64_t dy2) const {
        // dy2 runs over 1 - h, 3 - h, .. h - 1 as the rows do.
        return Kept.empty() ? EllipseHalfRun(W, H, dy2) : Kept[size_t((dy2 + H - 1) / 2)];
    }
};

#ifdef TARROX_AVX2
// The vector widths the processor has. glibc asked the processor once at start; asking again
// (libgcc's check, or target_clones' resolver) costs a trap to the hypervisor per question in a
// virtual machine, ~5 us each here.
struct VectorWidths {
    bool Avx2, Avx512;
};

VectorWidths AskVectorWidths() {
#ifdef CPU_FEATURE_ACTIVE
    return {CPU_FEATURE_ACTIVE(AVX2), CPU_FEATURE_ACTIVE(AVX512F)};
#else
    __builtin_cpu_init(); // this runs among the constructors, maybe before libgcc's
    return {__builtin_cpu_supports("avx2") != 0, __builtin_cpu_supports("avx512f") != 0};
#endif
}

// Set before main, so a fill asks no guard each time. Anything drawn before it is set finds
// both false and takes the plain loop.
const VectorWidths Vectors = AskVectorWidths();

__attribute__((target("avx2"))) void FillPixelsAvx2(uint32_t* at, size_t count, uint32_t color) {
    for (size_t i = 0; i < count; ++i) at[i] = color;
}

__attribute__((target("avx512f"))) void FillPixelsAvx512(uint32_t* at, size_t count,
                                                         uint32_t color) {
    for (size_t i = 0; i < count; ++i) at[i] = color;
}
#endif

// Sets `count` pixels from `at` to `color`: a byte fill for black, the colour of every clear,
// otherwise a loop the compiler turns into wide stores, as wide as the processor has.
void FillPixels(uint32_t* at, size_t count, uint32_t color) {
    if ((color & 0xFF) * 0x01010101u == color) {
        std::memset(at, int(color & 0xFF), count * sizeof color);
        return;
    }
#ifdef TARROX_AVX2
    if (Vectors.Avx512) return FillPixelsAvx512(at, count, color);
    if (Vectors.Avx2) return FillPixelsAvx2(at, count, color);
#endif
    for (size_t i = 0; i < count; ++i) at[i] = color;
}

// Pixels of one colour waiting to be set. A shape's runs come in surface order, and pieces that
// touch (a row's outline and inside in one colour, the rows of a box as wide as the surface)
// are set in one fill. With a backdrop, every pixel the runs leave out takes its colour.
class PendingFill {
  public:
    explicit PendingFill(uint32_t* pixels) : pixels_(pixels) {}
    ~PendingFill() {
        if (covered_ < backdropEnd_) Merge(covered_, backdropEnd_, backdrop_);
        Flush();
    }
    PendingFill(const PendingFill&) = delete;
    PendingFill& operator=(const PendingFill&) = delete;

    // Pixels from the first up to `end` that no run covers take `color`.
    void SetBackdrop(uint32_t color, size_t end) {
        backdrop_ = color;
        backdropEnd_ = end;
    }

    void Add(size_t from, size_t to, uint32_t color) {
        if (from > covered_ && backdropEnd_ > 0) Merge(covered_, from, backdrop_);
        Merge(from, to, color);
        covered_ = to;
    }

  private:
    void Merge(size_t from, size_t to, uint32_t color) {
        if (from == end_ && color == color_) {
            end_ = to;
            return;
        }
        Flush();
        start_ = from;
        end_ = to;
        color_ = color;
    }

    void Flush() {
        // Outlines are mostly runs of a pixel or two, not worth a call.
        if (end_ - start_ <= ShortRun)
            std::fill(pixels_ + start_, pixels_ + end_, color_);
        else
            FillPixels(pixels_ + start_, end_ - start_, color_);
    }

    static constexpr size_t ShortRun = 8;

    uint32_t* pixels_;
    size_t start_ = 0, end_ = 0;
    uint32_t color_ = 0;
    size_t covered_ = 0, backdropEnd_ = 0;
    uint32_t backdrop_ = 0;
};

// Paints `rows` rows of `count` cells, each `cellPitch` after the last, onto rows of the
// surface from `at`, and returns how many of each row's cells it painted: whole blocks of 8
// where the processor looks them up and stores them at once, else none.
#ifdef TARROX_AVX2
__attribute__((target("avx2"))) size_t PaintCellBlocks(uint32_t* at, const uint8_t* cells,
                                                       size_t cellPitch, size_t rows, size_t count,
                                                       const uint32_t* colors) {
    const __m256i table = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(colors));
    const __m256i colorCount = _mm256_set1_epi32(8);
    const size_t blocks = count / 8 * 8;
    for (size_t r = 0; r < rows; ++r, at += Surface::Width, cells += cellPitch) {
        for (size_t i = 0; i < blocks; i += 8) {
            const __m256i index =
                _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cells + i)));
            const __m256i shown = _mm256_cmpgt_epi32(colorCount, index);
            auto* target = reinterpret_cast<__m256i*>(at + i);
            const __m256i painted = _mm256_permutevar8x32_epi32(table, index);
            _mm256_storeu_si256(target,
                                _mm256_blendv_epi8(_mm256_loadu_si256(target), painted, shown));
        }
    }
    return blocks;
}

bool CanPaintCellBlocks() {
    return Vectors.Avx2;
}
#else
size_t PaintCellBlocks(uint32_t*, const uint8_t*, size_t, size_t, size_t, const uint32_t*) {
    return 0;
}

bool CanPaintCellBlocks() {
    return false;
}
#endif

} // namespace

Surface::Surface() : pixels_(static_cast<size_t>(Width) * Height, 0) {}

void Surface::ApplyFill() const {
    FillPixels(pixels_.data(), pixels_.size(), fillColor_);
    fillPending_ = false;
}

template <typename RowSpan> void Surface::DrawSpans(int64_t top, int64_t bottom, RowSpan rowSpan) {
    const Span none{1, 0};
    const int64_t first = std::max<int64_t>(top, 0), end = std::min<int64_t>(bottom, Height);
    if (first >= end) return;
    PendingFill fill(pixels_.data());
    if (fillPending_) {
        fill.SetBackdrop(fillColor_, pixels_.size());
        fillPending_ = false;
    }
    auto hline = [&](int64_t y, int64_t x0, int64_t x1, uint32_t color) {
        x0 = std::max<int64_t>(x0, 0);
        x1 = std::min<int64_t>(x1, Width - 1);
        if (x0 > x1) return;
        const size_t row = size_t(y) * Width;
        fill.Add(row + size_t(x0), row + size_t(x1) + 1, color);
    };
    // Each row's run is worked out once and kept while it is the row above or below.
    Span above = first - 1 >= top ? rowSpan(first - 1) : none;
    Span s = rowSpan(first);
    for (int64_t y = first; y < end; ++y) {
        const Span below = y + 1 < bottom ? rowSpan(y + 1) : none;
        if (s.Left <= s.Right) {
            // Inside pixels have all four neighbours in the shape; the rest is outline.
            const int64_t lo = std::max({s.Left + 1, above.Left, below.Left});
            const int64_t hi = std::min({s.Right - 1, above.Right, below.Right});
            if (lo > hi) {
                hline(y, s.Left, s.Right, pen_);
            } else {
                hline(y, s.Left, lo - 1, pen_);
                if (!hollow_) hline(y, lo, hi, brush_);
                hline(y, hi + 1, s.Right, pen_);
            }
        }
        above = s;
        s = below;
    }
}

void Surface::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Box b = Ordered(x1, y1, x2, y2);
    DrawSpans(b.Top, b.Bottom, [&](int64_t) { return Span{b.Left, b.Right - 1}; });
}

void Surface::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Box b = Ordered(x1, y1, x2, y2);
    const int64_t w = b.Width(), h = b.Height();
    if (w <= 0 || h <= 0) return;
    const EllipseRows run{w, h, KeptEllipseRuns(w, h)};
    DrawSpans(b.Top, b.Bottom, [&](int64_t y) {
        int64_t m = run(2 * y + 1 - (b.Top + b.Bottom));
        if (m < 0) return Span{1, 0};
        return Span{(b.Left + b.Right - 1 - m) / 2, (b.Left + b.Right - 1 + m) / 2};
    });
}

void Surface::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                        int32_t cornerHeight) {
    Box b = Ordered(x1, y1, x2, y2);
    const int64_t cw = std::min<int64_t>(std::abs(int64_t{cornerWidth}), b.Width());
    const int64_t ch = std::min<int64_t>(std::abs(int64_t{cornerHeight}), b.Height());
    if (cw <= 0 || ch <= 0) return Rectangle(x1, y1, x2, y2);
    const EllipseRows run{cw, ch, KeptEllipseRuns(cw, ch)};
    DrawSpans(b.Top, b.Bottom, [&](int64_t y) {
        int64_t k;
        if (y - b.Top < ch / 2)
            k = y - b.Top;
        else if (b.Bottom - 1 - y < ch / 2)
            k = y - (b.Bottom - ch);
        else
            return Span{b.Left, b.Right - 1};
        // The straight top and bottom edges run between the corner ellipses' centres.
        int64_t m = run(2 * k + 1 - ch);
        int64_t inset = m < 0 ? (cw - 1) / 2 : std::min((cw - 1 - m) / 2, (cw - 1) / 2);
        return Span{b.Left + inset, b.Right - 1 - inset};
    });
}

std::span<const int64_t> Surface::KeptEllipseRuns(int64_t w, int64_t h) {
    // Previews repeat a few shapes (buttons' corners, sliders' marks): each size's runs are
    // worked out once. Huge ones are not kept.
    constexpr int64_t MaxKeptHeight = 1024;
    if (h > MaxKeptHeight || w > (int64_t{1} << 15)) return {};
    for (EllipseRuns& e : ellipses_)
        if (e.Width == w && e.Height == h) return e.HalfRuns;
    EllipseRuns& kept = ellipses_[nextEllipse_++ % ellipses_.size()];
    kept.Width = w;
    kept.Height = h;
    kept.HalfRuns.resize(size_t(h));
    for (int64_t i = 0; i < h; ++i) kept.HalfRuns[size_t(i)] = EllipseHalfRun(w, h, 2 * i + 1 - h);
    return kept.HalfRuns;
}

void Surface::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int64_t sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    if (major == 0) return; // a zero-length segment is all last point
    // Step i of the major axis puts the minor axis at the Bresenham rounding of i * minor /
    // major; only the steps that can land on the surface are walked.
    const int64_t start = xMajor ? x0 : y0, step = xMajor ? sx : sy;
    const int64_t extent = xMajor ? Width : Height;
    int64_t first = 0, last = major - 1;
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, extent - 1 - start);
    } else {
        first = std::max(first, start - (extent - 1));
        last = std::min(last, start);
    }
    for (int64_t i = first; i <= last; ++i) {
        int64_t along = start + step * i;
        int64_t across = (2 * i * minor + major) / (2 * major);
        if (xMajor)
            SetPixel(along, y0 + sy * across, pen_);
        else
            SetPixel(x0 + sx * across, along, pen_);
    }
}

void Surface::Polyline(std::span<const Point> points) {
    for (size_t i = 1; i < points.size(); ++i)
        Line(Clamp(points[i - 1].X), Clamp(points[i - 1].Y), Clamp(points[i].X),
             Clamp(points[i].Y));
}

void Surface::PaintCells(int64_t x, int64_t y, int64_t width, int64_t height,
                         std::span<const uint8_t> cells, std::span<const uint32_t, 8> colors) {
    if (width <= 0 || height <= 0 || width > CoordinateLimit || height > CoordinateLimit ||
        uint64_t(width * height) > cells.size())
        return;
    SettleFill();
    x = Clamp(x), y = Clamp(y);
    const int64_t skip = std::max<int64_t>(-x, 0); // columns left of the surface
    const int64_t shown = std::min<int64_t>(width, Width - x) - skip;
    const int64_t first = std::max<int64_t>(-y, 0), end = std::min<int64_t>(height, Height - y);
    if (shown <= 0 || first >= end) return;
    uint32_t* at = pixels_.data() + size_t(y + first) * Width + size_t(x + skip);
    const uint8_t* from = cells.data() + size_t(first * width + skip);
    const size_t rows = size_t(end - first), count = size_t(shown);
    const size_t done = CanPaintCellBlocks()
                            ? PaintCellBlocks(at, from, size_t(width), rows, count, colors.data())
                            : 0;
    if (done == count) return;
    for (size_t r = 0; r < rows; ++r, at += Width, from += width)
        for (size_t i = done; i < count; ++i)
            if (from[i] < colors.size()) at[i] = colors[from[i]];
}

void Surface::BitBlt(int32_t x, int32_t y, int width, int height,
                     std::span<const uint32_t> source) {
    if (width <= 0 || height <= 0 || source.size() < size_t(width) * size_t(height)) return;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            SetPixel(int64_t{x} + col, int64_t{y} + row, source[size_t(row) * width + col]);
}

} // namespace tarrox
