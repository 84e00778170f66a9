// aid_pictures.cpp - the teaching aids drawn with the plot library into the
// page, in its palette: see aid_pictures.h.
#include "demo/aid_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "app/catalogue.h"
#include "demo/kept_drawing.h"
#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"

namespace {

using namespace plot_palette;

constexpr double kTwoPi = 6.283185307179586;

// The graph band in its own units: y is page units from the band's foot
// at -1.9, so that displacement 0 lies 1.9 above the foot.
constexpr float kGraphFoot = -1.9f;
constexpr float kGraphBoxHalf = 1.3f;
constexpr int kGraphTickEvery = 12;
constexpr float kAxisTitleSpacings = 6.0f;
constexpr float kDensityLabelInset = 0.5f;  // spacings

// The bracket over a chain, in the chain's units (rest line 0).
constexpr float kBracketY = 1.85f;
constexpr float kBracketLegFoot = 1.6f;
constexpr float kTraceYLong = -1.23f;  // among the lower rest ticks

constexpr int kMarkDotSize = 26;
constexpr int kTraceDotSize = 8;
constexpr int kGraphDotSize = 18;
constexpr int kLabelHeight = 24;

// Where a click hits a particle: its bar (half width 0.15 spacings, half
// height 0.9) or its dot (0.1 page units each way), and 0.1 more.
constexpr double kBarHitHalfWidth = 0.25;
constexpr double kBarHitHalfHeight = 1.0;
constexpr double kDotHitHalfWidth = 0.35;  // spacings: 0.2 page units
constexpr double kDotHitHalfHeight = 0.2;

struct Chains {
    int count;
    std::array<WaveKind, 2> kinds;
};

Chains ChainsOf(WaveKind current, const AidState& aids) {
    if (aids.both) return {2, {WaveKind::Longitudinal, WaveKind::Transversal}};
    return {1, {current, current}};
}

void UseChainBand(const AidLayout& layout, const AidState& aids, int chain) {
    SetChainBand({layout.chainBottom[chain], layout.pageHeight, aids.both});
}

// The drawn position of particle i along the chain and across it.
float AlongOf(WaveKind kind, int i, int n) {
    const double u = kind == WaveKind::Longitudinal ? ParticleDisplacement(kind, i, n) : 0.0;
    return static_cast<float>(i + u);
}
float AcrossOf(WaveKind kind, int i, int n) {
    return kind == WaveKind::Transversal ? static_cast<float>(ParticleDisplacement(kind, i, n)) : 0.0f;
}

// ---- pixels drawn once and kept ----

constexpr PlotPixelRect kNoPixels{0, 0, -1, -1};

PlotPixelRect Intersection(const PlotPixelRect& a, const PlotPixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// A trace dot's pixels: a trace dot of frame m is drawn again in each of
// the period's frames after m, at the same place and in one colour, so its
// pixels are found once (drawn over a patch of another colour) and then
// written straight back.  The pen is left as the dot leaves it.
struct KeptDot {
    int frame = -1;                          // the frame it stands for; -1: none
    std::vector<std::pair<long, int>> runs;  // page offset, length
    PlotPixelRect rect;                      // rows from the top
    PlotPenBlock pen;
    float penX, penY, lastPlotX, lastPlotY;
    int penDrawn;
};

// The trace dots of one marked particle in one chain, by frame number
// modulo the period: a frame's slot is taken over a period later.
using TraceRing = std::vector<KeptDot>;

// By chain and particle.
struct KeptDots {
    std::map<std::pair<int, int>, TraceRing> rings;
    void clear() { rings.clear(); }
    TraceRing& RingOf(int chain, int particle, int period) {
        TraceRing& ring = rings[{chain, particle}];
        if (ring.size() != static_cast<std::size_t>(period)) ring.assign(static_cast<std::size_t>(period), KeptDot{});
        return ring;
    }
};

KeptDots& TheKeptDots() {
    static KeptDots dots;
    return dots;
}

// A run of a few bytes written in at most two overlapping stores, which
// costs less than a call for the short runs a trace dot is made of.
void FillRun(unsigned char* to, unsigned char colour, int length) {
    if (length > 16) {
        std::memset(to, colour, static_cast<std::size_t>(length));
    } else if (length >= 8) {
        const std::uint64_t bytes = colour * 0x0101010101010101ULL;
        std::memcpy(to, &bytes, 8);
        std::memcpy(to + length - 8, &bytes, 8);
    } else if (length >= 4) {
        const std::uint32_t bytes = colour * 0x01010101U;
        std::memcpy(to, &bytes, 4);
        std::memcpy(to + length - 4, &bytes, 4);
    } else if (length >= 2) {
        const auto bytes = static_cast<std::uint16_t>(colour * 0x0101U);
        std::memcpy(to, &bytes, 2);
        std::memcpy(to + length - 2, &bytes, 2);
    } else if (length == 1) {
        *to = colour;
    }
}

// The pixels of a kept dot, in the pen colour.
void PaintKeptDot(const KeptDot& dot) {
    PlotStateRecord& s = PlotState;
    const auto colour = static_cast<unsigned char>(s.penColour);
    for (const auto& [offset, length] : dot.runs) FillRun(s.pagePixels + offset, colour, length);
}

// What drawing kept dots leaves besides their pixels: the refresh rectangle
// grown by theirs, `rect`, and the pen as the last of them, `dot`, leaves it.
void NoteKeptDots(const KeptDot& dot, const PlotPixelRect& rect) {
    PlotStateRecord& s = PlotState;
    AddDrawnChanges({rect, kNoPixels});
    s.penBlock() = dot.pen;
    s.penX = dot.penX;
    s.penY = dot.penY;
    s.lastPlotX = dot.lastPlotX;
    s.lastPlotY = dot.lastPlotY;
    s.penDrawn = dot.penDrawn;
}

// Kept dots painted one after another, and what they leave to note.
struct KeptDotsPut {
    const KeptDot* last = nullptr;
    PlotPixelRect rect = kNoPixels;

    void Put(const KeptDot& dot) {
        PaintKeptDot(dot);
        rect = UnionOfPixels(rect, dot.rect);
        last = &dot;
    }
    void Note() {
        if (last == nullptr) return;
        NoteKeptDots(*last, rect);
        *this = KeptDotsPut{};
    }
};

// The page under a dot's patch while the dot is drawn over it; kept between
// dots so that a new dot does not allocate.
std::vector<unsigned char>& PatchBuffer() {
    static std::vector<unsigned char> buffer;
    return buffer;
}

// DOT(x, y, size) in the pen colour, which is the fill colour too; its
// pixels are kept in `slot` for frame m when they lie in the patch around it.
void DrawAndKeepDot(float x, float y, int size, int m, KeptDot& slot) {
    PlotStateRecord& s = PlotState;
    if (s.pagePixels == nullptr || s.imageWidth <= 0 || s.imageHeight <= 0 || s.penColour != s.fillColour) {
        DOT(x, y, size);
        return;
    }
    // The patch: the dot's square and a pen's width around it.
    const float half = static_cast<float>(size) * 0.005f;
    const float hx = s.pageToUserX * half;
    const float hy = s.pageToUserY * half;
    constexpr int kMargin = 4;
    const int col1 = std::max(0, PIXELX(static_cast<float>(PAGEX(x - hx))) - kMargin);
    const int col2 = std::min(s.imageWidth - 1, PIXELX(static_cast<float>(PAGEX(x + hx))) + kMargin);
    const int row1 = std::max(0, PIXELY(static_cast<float>(PAGEY(y - hy))) - kMargin);
    const int row2 = std::min(s.imageHeight - 1, PIXELY(static_cast<float>(PAGEY(y + hy))) + kMargin);
    if (col1 > col2 || row1 > row2) {
        DOT(x, y, size);
        return;
    }
    // The patch is painted in another colour, so that every pixel of the
    // dot's colour afterwards is one the dot drew.
    const auto colour = static_cast<unsigned char>(s.penColour);
    const auto other = static_cast<unsigned char>(colour + 1);
    const int width = col2 - col1 + 1;
    std::vector<unsigned char>& under = PatchBuffer();
    under.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(row2 - row1 + 1));
    const auto lineOf = [&](int row) { return s.pagePixels + static_cast<long>(s.imageWidth) * row + col1; };
    const auto underOf = [&](int row) { return under.data() + static_cast<std::size_t>(row - row1) * width; };
    for (int row = row1; row <= row2; ++row) {
        std::memcpy(underOf(row), lineOf(row), width);
        std::memset(lineOf(row), other, width);
    }
    const DrawnWatch watch = StartWatchingDrawn();
    DOT(x, y, size);
    const PlotPixelRect drawn = StopWatchingDrawn(watch).Bounds();

    // Only the part of the patch in the rectangle the dot drew can hold its
    // pixels; the rest is put back whole.
    const int scanLeft = std::max(col1, drawn.left) - col1;
    const int scanRight = std::min(col2, drawn.right) - col1;
    const int scanRow1 = std::max(row1, s.imageHeight - 1 - drawn.bottom);
    const int scanRow2 = std::min(row2, s.imageHeight - 1 - drawn.top);
    KeptDot dot{};
    for (int row = row1; row <= row2; ++row) {
        unsigned char* line = lineOf(row);
        const unsigned char* before = underOf(row);
        if (row < scanRow1 || row > scanRow2 || scanLeft > scanRight) {
            std::memcpy(line, before, width);
            continue;
        }
        std::memcpy(line, before, scanLeft);
        std::memcpy(line + scanRight + 1, before + scanRight + 1, width - scanRight - 1);
        for (int col = scanLeft; col <= scanRight; ++col) {
            if (line[col] != colour) {
                line[col] = before[col];
                continue;
            }
            const long offset = static_cast<long>(s.imageWidth) * row + col1 + col;
            if (!dot.runs.empty() && dot.runs.back().first + dot.runs.back().second == offset) {
                ++dot.runs.back().second;
            } else {
                dot.runs.emplace_back(offset, 1);
            }
        }
    }
    const PlotPixelRect patch{col1, s.imageHeight - 1 - row2, col2, s.imageHeight - 1 - row1};
    const bool inPatch = patch.left <= drawn.left && drawn.right <= patch.right && patch.top <= drawn.top &&
                         drawn.bottom <= patch.bottom;
    if (drawn.Empty() || !inPatch) return;  // not all of it seen
    dot.rect = drawn;
    dot.pen = s.penBlock();
    dot.penX = s.penX;
    dot.penY = s.penY;
    dot.lastPlotX = s.lastPlotX;
    dot.lastPlotY = s.lastPlotY;
    dot.penDrawn = s.penDrawn;
    dot.frame = m;
    slot = std::move(dot);
}

// ---- marks ----

// The rest position: the particle's rest ticks redrawn in the mark colour
// (longitudinal), or a thin line across the chain (transversal).
void DrawRestMark(WaveKind kind, int i) {
    const float x = static_cast<float>(i);
    SETCOLOUR(MarkFillColour());
    if (kind == WaveKind::Longitudinal) {
        LINEWIDTH(60);
        PLOTLINE(x, 1.5f, x, 0.95f);
        PLOTLINE(x, -0.95f, x, -1.5f);
    } else {
        LINEWIDTH(25);
        PLOTLINE(x, 1.45f, x, -1.45f);
    }
}

// Where the particle was in each frame of the last period, as faint dots:
// they crowd at the turning points of its swing.
void DrawTrace(WaveKind kind, int chain, int i, int n) {
    const int period = static_cast<int>(std::lround(kTwoPi / FramePhaseStep()));
    SETCOLOURS(kPaleMagenta, kPaleMagenta);
    LINEWIDTH(25);
    TraceRing& ring = TheKeptDots().RingOf(chain, i, period);
    // Kept dots are painted as they come; what they leave besides their
    // pixels is noted once for the last of a row of them, before the next
    // dot is drawn or at the end.
    KeptDotsPut put;
    // The frames of the period that the wave had reached the particle in.
    int m = std::max(0, n - period + 1);
    while (m <= n && i > ReachedParticles(m)) ++m;
    for (; m <= n; ++m) {
        KeptDot& slot = ring[static_cast<std::size_t>(m % period)];
        if (slot.frame == m) {
            put.Put(slot);
            continue;
        }
        put.Note();
        const float x = AlongOf(kind, i, m);
        const float y = kind == WaveKind::Longitudinal ? kTraceYLong : AcrossOf(kind, i, m);
        DrawAndKeepDot(x, y, kTraceDotSize, m, slot);
    }
    put.Note();
}

void DrawMarkedParticle(WaveKind kind, int i, int n) {
    SETCOLOURS(MarkEdgeColour(), MarkFillColour());
    LINEWIDTH(40);
    const float x = AlongOf(kind, i, n);
    if (kind == WaveKind::Longitudinal) {
        BOX(x - 0.15f, -0.9f, x + 0.15f, 0.9f);
    } else {
        DOT(x, AcrossOf(kind, i, n), kMarkDotSize);
    }
}

void DrawMarks(WaveKind kind, int chain, int n, const AidState& aids) {
    float left = 0.0f;
    float right = 0.0f;
    ChainXRange(kind, left, right);
    for (const int i : aids.marked) {
        if (static_cast<float>(i) > right) continue;
        DrawRestMark(kind, i);
        DrawTrace(kind, chain, i, n);
    }
    for (const int i : aids.marked) {
        if (static_cast<float>(i) <= right) DrawMarkedParticle(kind, i, n);
    }
}

// ---- the wavelength ----

void DrawBracket(WaveKind kind, int n) {
    int first = 0;
    int last = 0;
    if (!BracketEnds(n, first, last)) return;
    const float a = AlongOf(kind, first, n);
    const float b = AlongOf(kind, last, n);
    SETCOLOUR(kBlack);
    LINEWIDTH(40);
    PLOTLINE(a, kBracketLegFoot, a, kBracketY);
    PLOTLINE(a, kBracketY, b, kBracketY);
    PLOTLINE(b, kBracketY, b, kBracketLegFoot);
    // The label on a gap in the bar.
    const float mid = (a + b) / 2.0f;
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    BOX(mid - 1.6f, kBracketY - 0.2f, mid + 1.6f, kBracketY + 0.2f);
    SETCOLOUR(PlotState.defaultColour);
    TEXTC(mid, kBracketY - 0.13f, 32, "^l", 0, 0.0f, 0.0f, 1.0f);
}

// Glyphs of a page text: "^x" is one glyph of the alternate set.
std::size_t GlyphCount(const std::string& text) {
    // UTF-8: a character's continuation bytes draw nothing of their own.
    const auto drawn = [](char c) { return c != '^' && (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), drawn));
}

// The readouts side by side in monospaced text, whose width is known: as
// large as 0.3 page units, smaller where a language's words need it.
void SetReadoutPen(const AidLayout& layout) {
    SETWINDOW(0.0f, -layout.readoutBottom, kAidPageWidth, layout.pageHeight - layout.readoutBottom);
    SETCOLOUR(PlotState.defaultColour);
    LINEWIDTH(40);
}

void DrawReadouts(const AidLayout& layout, const std::array<std::string, 3>& texts) {
    SetReadoutPen(layout);
    // Three texts: the library draws at most 80 bytes of one.
    constexpr double kMargin = 0.5;
    constexpr std::size_t kGapGlyphs = 4;
    std::size_t glyphs = 2 * kGapGlyphs;
    for (const std::string& text : texts) glyphs += GlyphCount(text);
    const double height = std::min(0.3, (kAidPageWidth - 2 * kMargin) / static_cast<double>(glyphs));
    const int hundredths = static_cast<int>(height * 100.0);
    // Small letters drawn with the broad pen close up (an "s" reads as an
    // "e"): under kBroadReadoutPixels rows a line they get the thin one.
    constexpr double kBroadReadoutPixels = 12.0;
    if (height * static_cast<double>(PlotState.pixelsPerUnitY) < kBroadReadoutPixels) LINEWIDTH(25);
    double x = kMargin;
    for (const std::string& text : texts) {
        TEXTU(static_cast<float>(x), 0.18f, hundredths, text.c_str(), 0);
        x += static_cast<double>(GlyphCount(text) + kGapGlyphs) * hundredths / 100.0;
    }
}

// ---- the snapshot graph ----

void SetGraphWindow(WaveKind kind, const AidLayout& layout, int chain) {
    float left = 0.0f;
    float right = 0.0f;
    ChainXRange(kind, left, right);
    const float y0 = kGraphFoot - layout.graphBottom[chain];
    SETWINDOW(left, y0, right, y0 + layout.pageHeight);
}

void DrawGraphAxes(WaveKind kind, float right) {
    const float boxRight = right - 0.1f;
    SETCOLOUR(kDarkGrey);
    LINEWIDTH(25);
    PLOTRECT(0.0f, -kGraphBoxHalf, boxRight, kGraphBoxHalf);
    SETCOLOUR(kSilver);
    PLOTLINE(0.0f, 0.0f, boxRight, 0.0f);
    char label[16];
    SETCOLOUR(PlotState.defaultColour);
    for (int v = -1; v <= 1; ++v) {
        const float y = static_cast<float>(v);
        SETCOLOUR(kDarkGrey);
        PLOTLINE(0.0f, y, 0.6f, y);
        SETCOLOUR(PlotState.defaultColour);
        std::snprintf(label, sizeof label, "%d", v);
        TEXT(0.9f, y - 0.1f, 22, label, 2);
    }
    for (int i = 0; static_cast<float>(i) <= boxRight; i += kGraphTickEvery) {
        const float x = static_cast<float>(i);
        SETCOLOUR(kDarkGrey);
        PLOTLINE(x, -kGraphBoxHalf, x, -kGraphBoxHalf + 0.15f);
        // The axis title takes the last few spacings.
        if (x > boxRight - kAxisTitleSpacings) continue;
        SETCOLOUR(PlotState.defaultColour);
        std::snprintf(label, sizeof label, "%d", i);
        TEXTC(x, -kGraphBoxHalf - 0.3f, 22, label, 0, 0.0f, 0.0f, 1.0f);
    }
    float lx = boxRight;
    float ly = -kGraphBoxHalf - 0.3f;
    TEXTGU(&lx, &ly, 22, Tr(N_("particle")), 2, 0.0f, 0.0f, 1.0f, 0, 2);

    float cx = 0.0f;
    float cy = kGraphBoxHalf + 0.08f;
    SETCOLOUR(kBlue);
    TEXTGU(&cx, &cy, kLabelHeight, Tr(N_("displacement from rest")), 2, 0.0f, 0.0f, 1.0f, 0, 0);
    if (kind == WaveKind::Longitudinal) {
        // Ends a little inside the box's right edge, which lies at the
        // page's edge: a long label's last glyph would touch it.
        float dx = boxRight - kDensityLabelInset;
        float dy = cy;
        SETCOLOUR(kForestGreen);
        TEXTGU(&dx, &dy, kLabelHeight, Tr(N_("density change (compression above 0)")), 2, 0.0f, 0.0f, 1.0f, 0, 2);
    }
}

void DrawGraphAxesOf(WaveKind kind, const AidLayout& layout, int chain) {
    SetGraphWindow(kind, layout, chain);
    float left = 0.0f;
    float right = 0.0f;
    ChainXRange(kind, left, right);
    DrawGraphAxes(kind, right);
}

// The graphs' curves and the marked particles on them; the axes under them
// are in the backdrop.
void DrawGraphCurves(WaveKind kind, int n, const AidState& aids, const AidLayout& layout, int chain) {
    SetGraphWindow(kind, layout, chain);

    double displacements[kChainLastParticle + 1];
    ParticleDisplacements(kind, n, displacements);
    std::array<float, kChainLastParticle + 1> x{};
    std::array<float, kChainLastParticle + 1> u{};
    for (int i = 0; i <= kChainLastParticle; ++i) {
        x[i] = static_cast<float>(i);
        u[i] = static_cast<float>(displacements[i]);
    }
    float phase = 0.0f;
    if (kind == WaveKind::Longitudinal) {
        // Density relative to rest between neighbours, less 1: where the
        // particles crowd it rises above 0.
        std::array<float, kChainLastParticle> mx{};
        std::array<float, kChainLastParticle> rho{};
        for (int i = 0; i < kChainLastParticle; ++i) {
            mx[i] = static_cast<float>(i + 0.5);
            const double gap = 1.0 + static_cast<double>(u[i + 1]) - static_cast<double>(u[i]);
            rho[i] = static_cast<float>(1.0 / gap - 1.0);
        }
        SETCOLOUR(kForestGreen);
        LINEWIDTH(40);
        PLOTL(mx.data(), rho.data(), kChainLastParticle, 1, 0, 0, 0, 0, &phase);
    }
    SETCOLOUR(kBlue);
    LINEWIDTH(50);
    PLOTL(x.data(), u.data(), kChainLastParticle + 1, 1, 0, 0, 0, 0, &phase);

    SETCOLOURS(MarkEdgeColour(), MarkFillColour());
    LINEWIDTH(25);
    for (const int i : aids.marked) DOT(x[i], u[i], kGraphDotSize);
}

// ---- the backdrop ----

// What the graph axes add to a cleared page does not change from frame to
// frame: it is drawn once and kept as the runs of pixels it changed, which
// later frames copy back instead of drawing the axes and their texts again.
// Anything that could change those pixels is part of the key.
struct BackdropKey {
    const unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    float pixelsPerUnitX = 0.0f;
    float pixelsPerUnitY = 0.0f;
    float pageHeight = 0.0f;
    int background = 0;
    int foreground = 0;
    int font = 0;
    WaveKind current = WaveKind::Longitudinal;
    bool wavelength = false;
    bool graph = false;
    bool both = false;
    std::string words;  // the axis titles in the language now
    std::array<std::string, 3> readouts;

    bool operator==(const BackdropKey&) const = default;
};

struct PixelRun {
    long offset;
    long length;
};

// Where the pen and the text transform are after the readouts, the last
// thing a frame draws: a frame that copies them back ends there too.
struct PenTail {
    float penX, penY;
    int penDrawn;
    float lastPlotX, lastPlotY;
    float textCos, textSin, uprightCos, uprightSin, gridX, gridY, glyphOriginX, glyphOriginY;
};

PenTail PenTailNow() {
    const PlotStateRecord& s = PlotState;
    return {s.penX,       s.penY,       s.penDrawn, s.lastPlotX, s.lastPlotY,    s.textCos,     s.textSin,
            s.uprightCos, s.uprightSin, s.gridX,    s.gridY,     s.glyphOriginX, s.glyphOriginY};
}

void RestorePenTail(const PenTail& t) {
    PlotStateRecord& s = PlotState;
    s.penX = t.penX;
    s.penY = t.penY;
    s.penDrawn = t.penDrawn;
    s.lastPlotX = t.lastPlotX;
    s.lastPlotY = t.lastPlotY;
    s.textCos = t.textCos;
    s.textSin = t.textSin;
    s.uprightCos = t.uprightCos;
    s.uprightSin = t.uprightSin;
    s.gridX = t.gridX;
    s.gridY = t.gridY;
    s.glyphOriginX = t.glyphOriginX;
    s.glyphOriginY = t.glyphOriginY;
}

struct Backdrop {
    bool valid = false;
    BackdropKey key;
    std::vector<PixelRun> runs;
    std::vector<unsigned char> bytes;  // the runs' pixels, one after another
    PenTail tail{};                    // after the readouts (wavelength on)
};

Backdrop& TheBackdrop() {
    static Backdrop backdrop;
    return backdrop;
}

BackdropKey BackdropKeyNow(WaveKind current, const AidState& aids, const AidLayout& layout, double secondsPerFrame) {
    const PlotStateRecord& s = PlotState;
    BackdropKey k;
    k.pixels = s.pagePixels;
    k.width = s.imageWidth;
    k.height = s.imageHeight;
    k.pixelsPerUnitX = s.pixelsPerUnitX;
    k.pixelsPerUnitY = s.pixelsPerUnitY;
    k.pageHeight = layout.pageHeight;
    k.background = s.backgroundColour;
    k.foreground = s.defaultColour;
    k.font = s.fontNumber;
    k.current = current;
    k.wavelength = aids.wavelength;
    k.graph = aids.graph;
    k.both = aids.both;
    for (const char* word :
         {N_("particle"), N_("displacement from rest"), N_("density change (compression above 0)")}) {
        k.words += Tr(word);
        k.words += '\n';
    }
    if (aids.wavelength) k.readouts = ReadoutTexts(ComputeReadouts(secondsPerFrame));
    return k;
}

// The runs where `after` differs from `before`, with their new pixels.
void KeepChanges(const std::vector<unsigned char>& before, const unsigned char* after, Backdrop& b) {
    b.runs.clear();
    b.bytes.clear();
    const long size = static_cast<long>(before.size());
    for (long i = 0; i < size;) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        const long start = i;
        while (i < size && before[i] != after[i]) ++i;
        b.runs.push_back({start, i - start});
        b.bytes.insert(b.bytes.end(), after + start, after + i);
    }
}

void DrawBackdrop(const BackdropKey& key, const AidState& aids, const AidLayout& layout) {
    const Chains chains = ChainsOf(key.current, aids);
    for (int c = 0; aids.graph && c < chains.count; ++c) {
        UseChainBand(layout, aids, c);
        DrawGraphAxesOf(chains.kinds[c], layout, c);
    }
    if (aids.wavelength) DrawReadouts(layout, key.readouts);
}

// Onto the freshly cleared page: the graph axes and the readouts, from the
// backdrop when it was made for this page and these values, else drawn and
// kept.
void PutBackdrop(WaveKind current, const AidState& aids, const AidLayout& layout, double secondsPerFrame) {
    if (!aids.graph && !aids.wavelength) return;
    PlotStateRecord& s = PlotState;
    Backdrop& b = TheBackdrop();
    BackdropKey key = BackdropKeyNow(current, aids, layout, secondsPerFrame);
    if (s.pagePixels == nullptr || s.imageSize <= 0) {
        DrawBackdrop(key, aids, layout);
        b.tail = PenTailNow();
        return;
    }
    if (b.valid && b.key == key) {
        const unsigned char* from = b.bytes.data();
        for (const PixelRun& run : b.runs) {
            std::memcpy(s.pagePixels + run.offset, from, static_cast<std::size_t>(run.length));
            from += run.length;
        }
        return;
    }
    const std::vector<unsigned char> before(s.pagePixels, s.pagePixels + s.imageSize);
    DrawBackdrop(key, aids, layout);
    b.tail = PenTailNow();
    KeepChanges(before, s.pagePixels, b);
    b.key = std::move(key);
    b.valid = true;
}

// The pen as the readouts leave it, when they are on.
void EndAsAfterReadouts(const AidState& aids, const AidLayout& layout) {
    if (!aids.wavelength) return;
    SetReadoutPen(layout);
    RestorePenTail(TheBackdrop().tail);
}

// ---- the page every frame starts from ----

// Every frame begins alike: the page under the title band cleared, the
// backdrop put on it and, for a longitudinal first chain, its rest ticks
// drawn.  That start is kept, with the pen as it leaves it.  While the
// previous frame is still on the page, a frame puts back only the part of
// the start that the previous frame drew over (where the pixels change from
// frame to frame) and then draws as before: the same pixels for a fraction
// of the work, and a smaller rectangle for the screen to show.

struct WindowRecord {
    float userXMin, userXMax, userYMin, userYMax, userToPageX, userToPageY, pageToUserX, pageToUserY;
};

WindowRecord WindowNow() {
    const PlotStateRecord& s = PlotState;
    return {s.userXMin, s.userXMax, s.userYMin, s.userYMax, s.userToPageX, s.userToPageY, s.pageToUserX, s.pageToUserY};
}

void RestoreWindow(const WindowRecord& w) {
    PlotStateRecord& s = PlotState;
    s.userXMin = w.userXMin;
    s.userXMax = w.userXMax;
    s.userYMin = w.userYMin;
    s.userYMax = w.userYMax;
    s.userToPageX = w.userToPageX;
    s.userToPageY = w.userToPageY;
    s.pageToUserX = w.pageToUserX;
    s.pageToUserY = w.pageToUserY;
}

struct FrameStart {
    bool valid = false;
    BackdropKey key;
    WaveKind firstChain = WaveKind::Longitudinal;
    unsigned pageGeneration = 0;
    PlotPixelRect area = kNoPixels;     // the cleared area (rows from the top)
    std::vector<unsigned char> pixels;  // its pixels after the start, row by row
    PlotPenBlock pen{};
    PenTail tail{};
    WindowRecord window{};
    // What the last frame drew over the start, while that frame is on the page.
    bool framed = false;
    PlotPixelRect drawn = kNoPixels;
    // Where its chains' band erases painted every pixel: a frame with the
    // same key erases them again before anything else draws there.
    std::array<PlotPixelRect, 2> erased{kNoPixels, kNoPixels};
    // Where each of its pieces (a chain with its marks, a graph's curves,
    // the end) drew: together all it drew, with less between them than
    // their union holds.
    std::array<PlotPixelRect, 5> pieces{kNoPixels, kNoPixels, kNoPixels, kNoPixels, kNoPixels};
};

FrameStart& TheFrameStart() {
    static FrameStart start;
    return start;
}

// Copies the rows of `rect` between the page and the kept start.
void CopyStartRows(FrameStart& f, const PlotPixelRect& rect, bool toPage) {
    PlotStateRecord& s = PlotState;
    const long areaWidth = f.area.right - f.area.left + 1;
    const auto length = static_cast<std::size_t>(rect.right) - static_cast<std::size_t>(rect.left) + 1;
    for (int top = rect.top; top <= rect.bottom; ++top) {
        unsigned char* page = s.pagePixels + static_cast<long>(s.imageHeight - 1 - top) * s.imageWidth + rect.left;
        unsigned char* kept = f.pixels.data() + (top - f.area.top) * areaWidth + (rect.left - f.area.left);
        if (toPage) {
            std::memcpy(page, kept, length);
        } else {
            std::memcpy(kept, page, length);
        }
    }
}

// The start copied back into `back` except where a chain band's erase
// paints every pixel anyway: row by row, the columns beside the erased
// rectangle that holds the row.
void PutBackStartAround(FrameStart& f, const PlotPixelRect& back) {
    const auto copy = [&](int top, int bottom, int left, int right) {
        if (top <= bottom && left <= right) CopyStartRows(f, {left, top, right, bottom}, true);
    };
    for (int top = back.top; top <= back.bottom;) {
        int next = back.bottom + 1;  // the first row of an erased rectangle below
        const PlotPixelRect* holding = nullptr;
        for (const PlotPixelRect& e : f.erased) {
            if (e.Empty() || e.bottom < top) continue;
            if (e.top <= top) {
                holding = &e;
                break;
            }
            next = std::min(next, e.top);
        }
        if (holding == nullptr) {
            copy(top, next - 1, back.left, back.right);
            top = next;
            continue;
        }
        const int bottom = std::min(holding->bottom, back.bottom);
        copy(top, bottom, back.left, std::min(back.right, holding->left - 1));
        copy(top, bottom, std::max(back.left, holding->right + 1), back.right);
        top = bottom + 1;
    }
}

// The start drawn in full, as the first frame on a page draws it; kept
// when there is a page to keep it from.
void DrawFrameStart(WaveKind current, const AidState& aids, const AidLayout& layout, double secondsPerFrame,
                    const BackdropKey& key) {
    FrameStart& f = TheFrameStart();
    f = FrameStart{};
    // The kept trace dots stand for this page and these windows only.
    TheKeptDots().clear();
    const PlotPixelRect before = PlotTakeDirectWrites();
    // Everything under the title band is drawn afresh.
    SETWINDOW(0.0f, 0.0f, kAidPageWidth, layout.pageHeight);
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    LINEWIDTH(25);
    BOX(0.0f, 0.0f, kAidPageWidth, layout.pageHeight - kTitleBandHeight);
    const PlotPixelRect cleared = PlotTakeDirectWrites();
    PlotGiveBackDirectWrites(UnionOfPixels(before, cleared));
    // Nothing else draws into the graph bands before their curves, nor into
    // the readout band, so the axes and the readouts can come first.
    PutBackdrop(current, aids, layout, secondsPerFrame);
    UseChainBand(layout, aids, 0);
    const WaveKind first = ChainsOf(current, aids).kinds[0];
    if (first == WaveKind::Longitudinal) DrawLongitudinalBackground();

    const PlotStateRecord& s = PlotState;
    if (s.pagePixels == nullptr || cleared.Empty()) return;
    f.key = key;
    f.firstChain = first;
    f.pageGeneration = PlotPageGeneration();
    f.area = cleared;
    f.pixels.resize(static_cast<std::size_t>(cleared.right - cleared.left + 1) *
                    static_cast<std::size_t>(cleared.bottom - cleared.top + 1));
    CopyStartRows(f, cleared, false);
    f.pen = s.penBlock();
    f.tail = PenTailNow();
    f.window = WindowNow();
    f.valid = true;
}

// The start put back where the previous frame drew over it; false when
// that frame is not known to be on the page as it left it.
bool PutBackFrameStart(WaveKind current, const AidState& aids, const AidLayout& layout, const BackdropKey& key) {
    FrameStart& f = TheFrameStart();
    if (!f.valid || !f.framed || f.pageGeneration != PlotPageGeneration() || !(f.key == key) ||
        f.firstChain != ChainsOf(current, aids).kinds[0]) {
        return false;
    }
    const PlotPixelRect back = Intersection(f.drawn, f.area);
    if (!back.Empty()) {
        // Noted piece by piece: a window compares only these.
        for (const PlotPixelRect& piece : f.pieces) {
            const PlotPixelRect written = Intersection(piece, back);
            PutBackStartAround(f, written);
            PlotNoteDirectWrites(written);
        }
    }
    PlotState.penBlock() = f.pen;
    RestorePenTail(f.tail);
    RestoreWindow(f.window);
    UseChainBand(layout, aids, 0);
    return true;
}

}  // namespace

void ForgetAidBackdrop() {
    TheBackdrop() = Backdrop{};
    TheFrameStart() = FrameStart{};
    TheKeptDots().clear();
}

void ForgetAidFrame() { TheFrameStart().framed = false; }

int MarkFillColour() { return kMagenta; }
int MarkEdgeColour() { return kPurple; }

float DriverWindowBottom(const AidState& aids) { return kPlainPageHeight - LayoutAids(aids).pageHeight; }

void SetDriverWindow(const AidState& aids) {
    SETWINDOW(0.0f, DriverWindowBottom(aids), kAidPageWidth, kPlainPageHeight);
}

WaveReadouts ComputeReadouts(double secondsPerFrame) {
    WaveReadouts r{};
    r.wavelength = kTwoPi / ParticlePhaseLag();
    r.periodFrames = kTwoPi / FramePhaseStep();
    r.periodSeconds = r.periodFrames * secondsPerFrame;
    r.speedPerFrame = r.wavelength / r.periodFrames;
    r.speedPerSecond = r.wavelength / r.periodSeconds;
    return r;
}

std::array<std::string, 3> ReadoutTexts(const WaveReadouts& r) {
    const std::array<const char*, 4> words{Tr(N_("spacings")), Tr(N_("frames")), Tr(N_("spacings/frame")),
                                           Tr(N_("spacings/s"))};
    // Every frame asks (the texts are part of the backdrop's key), and the
    // formatting costs more than the asking: the last answer is kept for
    // the same values in the same words.
    struct Answer {
        bool valid = false;
        WaveReadouts r{};
        std::array<std::string, 4> words;
        std::array<std::string, 3> texts;
    };
    static Answer last;
    const bool sameValues = last.r.wavelength == r.wavelength && last.r.periodFrames == r.periodFrames &&
                            last.r.periodSeconds == r.periodSeconds && last.r.speedPerFrame == r.speedPerFrame &&
                            last.r.speedPerSecond == r.speedPerSecond;
    if (last.valid && sameValues && std::equal(words.begin(), words.end(), last.words.begin())) return last.texts;

    char lambda[96];
    char period[96];
    char speed[128];
    std::snprintf(lambda, sizeof lambda, "^l = %.3g %s", r.wavelength, words[0]);
    std::snprintf(period, sizeof period, "T = %.3g %s = %.2f s", r.periodFrames, words[1], r.periodSeconds);
    std::snprintf(speed, sizeof speed, "v = ^l/T = %.3g %s = %.3g %s", r.speedPerFrame, words[2], r.speedPerSecond,
                  words[3]);
    last = {true, r, {words[0], words[1], words[2], words[3]}, {lambda, period, speed}};
    return last.texts;
}

bool BracketEnds(int n, int& first, int& last) {
    // Particles in the phase of the wave front, one wavelength apart; the
    // pair nearest the front that lies on the chain.
    const int lambda = static_cast<int>(std::lround(kTwoPi / ParticlePhaseLag()));
    const int reached = ReachedParticles(n);
    if (n < lambda) return false;
    last = reached - ((reached - n) % lambda + lambda) % lambda;
    first = last - lambda;
    return first >= 0;
}

double GraphPageY(const AidState& aids, int chain, double displacement) {
    return LayoutAids(aids).graphBottom[chain] - kGraphFoot + displacement;
}

void DrawAidFrame(WaveKind current, int n, double secondsPerFrame, const AidState& aids) {
    const AidLayout layout = LayoutAids(aids);
    const BackdropKey key = BackdropKeyNow(current, aids, layout, secondsPerFrame);
    if (!PutBackFrameStart(current, aids, layout, key)) DrawFrameStart(current, aids, layout, secondsPerFrame, key);
    const DrawnWatch watch = StartWatchingDrawn();

    const Chains chains = ChainsOf(current, aids);
    std::array<PlotPixelRect, 2> erased{kNoPixels, kNoPixels};
    std::array<PlotPixelRect, 5> pieces{kNoPixels, kNoPixels, kNoPixels, kNoPixels, kNoPixels};
    std::size_t piece = 0;
    const auto drawPiece = [&](auto draw) {
        const DrawnWatch pieceWatch = StartWatchingDrawn();
        draw();
        pieces.at(piece++) = StopWatchingDrawn(pieceWatch).Bounds();
    };
    for (int c = 0; c < chains.count; ++c) {
        drawPiece([&] {
            const WaveKind kind = chains.kinds[c];
            UseChainBand(layout, aids, c);
            // The first chain's rest ticks are part of the frame's start.
            if (kind == WaveKind::Longitudinal && c > 0) DrawLongitudinalBackground();
            const DrawnWatch erase = StartWatchingDrawn();
            EraseChainBand(kind);
            erased[c] = StopWatchingDrawn(erase).Bounds();
            DrawChainOverErased(kind, n);
            SetChainWindow(kind);
            DrawMarks(kind, c, n, aids);
            if (aids.wavelength) DrawBracket(kind, n);
        });
    }
    for (int c = 0; aids.graph && c < chains.count; ++c) {
        drawPiece([&] {
            UseChainBand(layout, aids, c);
            DrawGraphCurves(chains.kinds[c], n, aids, layout, c);
        });
    }
    drawPiece([&] { EndAsAfterReadouts(aids, layout); });

    FrameStart& f = TheFrameStart();
    f.drawn = StopWatchingDrawn(watch).Bounds();
    f.erased = erased;
    f.pieces = pieces;
    f.framed = f.valid;
    SetChainBand({});
    SetDriverWindow(aids);
}

int ParticleAt(WaveKind current, int n, const AidState& aids, float x, float y) {
    const AidLayout layout = LayoutAids(aids);
    const double pageY = static_cast<double>(y) - DriverWindowBottom(aids);
    const Chains chains = ChainsOf(current, aids);
    for (int c = 0; c < chains.count; ++c) {
        const WaveKind kind = chains.kinds[c];
        const bool lon = kind == WaveKind::Longitudinal;
        const double across = pageY - layout.chainBottom[c] - 1.5;  // from the rest line
        float left = 0.0f;
        float right = 0.0f;
        ChainXRange(kind, left, right);
        const double along = left + static_cast<double>(x) / kAidPageWidth * (right - left);
        // On the particle as drawn (a bar, a dot), with a little to spare;
        // a click between two particles stays a click on nothing.
        const double alongSlack = lon ? kBarHitHalfWidth : kDotHitHalfWidth;
        for (int i = kFirstMarkable; i <= kLastMarkable; ++i) {
            const bool onAlong = std::fabs(along - AlongOf(kind, i, n)) <= alongSlack;
            const bool onAcross = lon ? std::fabs(across) <= kBarHitHalfHeight
                                      : std::fabs(across - AcrossOf(kind, i, n)) <= kDotHitHalfHeight;
            if (onAlong && onAcross) return i;
        }
    }
    return 0;
}
