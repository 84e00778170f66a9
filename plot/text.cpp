// text.cpp - stroke-font text: TEXTG and its two wrappers TEXT and TEXTC.
//
// A glyph is drawn on an integer grid (see plot/font/font.h): grid point
// (i, j) lies at origin + i * gx along the base line + j * gy along the
// slanted upright, and every stroke goes through STROKE in page units, so
// text takes the pen colour and line width like any other line.
//
// Bytes of the text with a meaning of their own (unless they follow '^'):
//   '^'  the next byte is taken from the alternate set (Greek, signs, accents)
//   '<'  the next glyph is raised by 4 grid units, '>' lowered by 4
//   '~'  the next glyph and the one after it are drawn on the same place
#include <cmath>
#include <cstring>

#include "plot/font/font.h"
#include "plot/internal.h"
#include "plot/plot.h"

namespace {

using namespace plotfont;

constexpr int kMaxCharacters = 80;
constexpr double kDegree = 0.017453292;

// Everything one pass over the text needs besides the record's fields.
struct TextPass {
    const unsigned char* text;
    int length;
    int style;
    float height;     // H in page units
    float gap;        // H / 3, the space between glyph bodies
    float unitY;      // gy0 = H * factor / 6
    bool draw;        // false: only measure
    bool hasEnd;      // a glyph body was passed
    float endX, endY; // end of the last glyph body, page units
};

float Clamp(float v, float low, float high) { return v < low ? low : v > high ? high : v; }
int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

bool IsRaisingAccent(int glyph) {
    return glyph == kAcuteGlyph || glyph == kGraveGlyph || glyph == kCircumflexGlyph ||
           glyph == kDiaeresisGlyph || glyph == kRingGlyph || glyph == kTildeGlyph;
}

bool IsCapital(int glyph) { return glyph >= 65 && glyph <= 95; }

// Point (i, j) of the glyph grid in page units.
float GlyphX(float i, float j) {
    const PlotStateRecord& s = PlotState;
    return s.glyphOriginX + i * s.gridX * s.textCos - j * s.gridY * s.uprightSin;
}
float GlyphY(float i, float j) {
    const PlotStateRecord& s = PlotState;
    return s.glyphOriginY + i * s.gridX * s.textSin + j * s.gridY * s.uprightCos;
}

// How one glyph is to be placed.
struct GlyphJob {
    int glyph;        // glyph number before the capitals-mode swap
    int compositeBase; // base glyph of the composite this glyph belongs to, or 0
    int compositeAccent;
    bool fit;         // proportional spacing may fit its strokes to the body
    int shift;        // vertical shift in grid units at the start (accents)
    int mark;         // +1 raised, -1 lowered, 0 on the line
};

// Draws (or, when measuring, only sizes) one glyph through the steps that a
// base glyph and an accent share.  `advanceCode` is the advance code in
// tenths of H; it is set here unless `keepAdvance`.  Returns the glyph drawn.
int PlaceGlyph(TextPass& pass, const GlyphJob& job, bool keepAdvance, int& advanceCode) {
    PlotStateRecord& s = PlotState;
    int g = job.glyph;

    // A capital under an accent is drawn lower to leave room above it.
    float gy = pass.unitY;
    if (job.compositeBase != 0 && IsRaisingAccent(job.compositeAccent) && IsCapital(job.compositeBase)) {
        gy = 0.9f * pass.unitY;
    }
    // Capitals mode: every glyph to the cap height, lower case as small capitals.
    if (pass.style & 1) {
        gy = gy * 6 / kHeightClass[g];
        if (g >= 97 && g <= 125) g -= 32;
        if (g == kDotlessIGlyph) g = 'I';
    }
    if (!keepAdvance) {
        advanceCode = 10;
        if ((pass.style & 2) && kAdvanceWidth[g] != 0) advanceCode = kAdvanceWidth[g];
    }
    const float body = advanceCode * pass.height / 10 - pass.gap;
    float gx = body / 6;

    const int first = kGlyphIndex[g];
    const int end = kGlyphIndex[g + 1];
    const float originX = s.glyphOriginX;
    const float originY = s.glyphOriginY;

    if ((pass.style & 2) && job.fit) {
        int least = 2;
        int greatest = 4;
        for (int k = first; k < end && WordOp(kStrokeTable[k]) != kOpEnd; ++k) {
            const int x = WordX(kStrokeTable[k]);
            if (x < least) least = x;
            if (x > greatest) greatest = x;
        }
        gx = body / (greatest - least);
        if (least > 0) {
            s.glyphOriginX -= least * gx * s.textCos;
            s.glyphOriginY -= least * gx * s.textSin;
        }
    }
    s.gridX = gx;
    s.gridY = gy;

    if (pass.draw) {
        if (job.mark != 0) {
            const float lift = 4.0f * job.mark;
            s.glyphOriginX -= lift * gy * s.uprightSin;
            s.glyphOriginY += lift * gy * s.uprightCos;
        }
        if (end - first >= 2) {
            int shift = job.shift;
            for (int k = first; k < end; ++k) {
                const int word = kStrokeTable[k];
                const int op = WordOp(word);
                if (op == kOpEnd) break;
                if (op == kOpDescender) shift = 2;
                if (op == kOpMove && shift > 0) shift = 0;
                const float i = static_cast<float>(WordX(word));
                const float j = static_cast<float>(WordY(word) - shift);
                STROKE(GlyphX(i, j), GlyphY(i, j), op == kOpDraw ? 1 : 0);
            }
        }
    }
    s.glyphOriginX = originX;
    s.glyphOriginY = originY;
    return g;
}

// One pass over the text from the current glyph origin.
void RunText(TextPass& pass) {
    PlotStateRecord& s = PlotState;
    bool prefix = false;
    int mark = 0;            // +1 raise, -1 lower the next glyph
    bool overprint = false;  // the next advance is skipped
    bool onTop = false;      // this glyph is drawn on the one before
    int advanceCode = 10;
    pass.hasEnd = false;

    for (int n = 0; n < pass.length; ++n) {
        int c = pass.text[n];
        if (!prefix) {
            if (c == '^') { prefix = true; continue; }
            if (c == '<') { mark = 1; continue; }
            if (c == '>') { mark = -1; continue; }
            if (c == '~') { overprint = true; continue; }
        }
        if (c <= 32) c = 32;
        const int code = prefix ? c + 256 : c;
        int glyph = kCharacterMap[code];
        int base = 0;
        int accent = 0;
        if (glyph < 0) {
            base = kComposites[-glyph][0];
            accent = kComposites[-glyph][1];
            glyph = base;
        }
        if (glyph == 0) glyph = kSpaceGlyph;

        GlyphJob job{glyph, base, accent, !onTop, 0, mark};
        const int drawn = PlaceGlyph(pass, job, onTop, advanceCode);
        if (accent != 0) {
            // The accent sits above the letter as drawn; the cedilla and the
            // slash keep their own place.  It follows the letter's raise or
            // lowering so that a raised accented letter stays whole.
            int shift = 0;
            if (IsRaisingAccent(accent)) shift = IsCapital(drawn) ? -3 : -2;
            GlyphJob accentJob{accent, base, accent, false, shift, mark};
            PlaceGlyph(pass, accentJob, true, advanceCode);
        }
        prefix = false;
        mark = 0;

        if (overprint) {
            overprint = false;
            onTop = true;
            continue;
        }
        onTop = false;
        const float body = advanceCode * pass.height / 10 - pass.gap;
        s.glyphOriginX += body * s.textCos;
        s.glyphOriginY += body * s.textSin;
        pass.endX = s.glyphOriginX;
        pass.endY = s.glyphOriginY;
        pass.hasEnd = true;
        s.glyphOriginX += pass.gap * s.textCos;
        s.glyphOriginY += pass.gap * s.textSin;
    }
}

}  // namespace

void TEXTG(float* x, float* y, int height, const char* text, int style, float angle, float slant,
           float factor, int writeBack, int alignment) {
    if (!x || !y || !text) return;
    PlotStateRecord& s = PlotState;
    style = Clamp(style, 0, 3);
    writeBack = Clamp(writeBack, 0, 1);
    alignment = Clamp(alignment, 0, 2);

    int length = 0;
    while (length < kMaxCharacters && text[length] != 0) ++length;
    if (length == 0) return;
    if (text[length - 1] == '\n') --length;
    if (length == 0) return;

    // Angles and the stretch that are not numbers would leave nothing
    // sensible to draw; they count as their neutral values.
    if (!std::isfinite(angle)) angle = 0;
    if (!std::isfinite(slant)) slant = 0;
    if (!std::isfinite(factor)) factor = 0;
    if (factor == 0) factor = 1.0f;
    factor = Clamp(factor, 0.33f, 3.0f);
    if (slant > 180) slant -= 360;
    slant = Clamp(slant, -45.0f, 45.0f);

    s.textCos = static_cast<float>(std::cos(angle * kDegree));
    s.textSin = static_cast<float>(std::sin(angle * kDegree));
    s.uprightCos = static_cast<float>(std::cos((angle - slant) * kDegree));
    s.uprightSin = static_cast<float>(std::sin((angle - slant) * kDegree));

    TextPass pass{};
    pass.text = reinterpret_cast<const unsigned char*>(text);
    pass.length = length;
    pass.style = style;
    pass.height = height * 0.01f;
    pass.gap = pass.height / 3;
    pass.unitY = pass.height * factor / 6;

    float startX = *x;
    float startY = *y;
    if (alignment != 0) {
        s.glyphOriginX = plot_internal::ToPageX(startX);
        s.glyphOriginY = plot_internal::ToPageY(startY);
        pass.draw = false;
        RunText(pass);
        if (pass.hasEnd) {
            const float dx = plot_internal::ToUserX(pass.endX) - startX;
            const float dy = plot_internal::ToUserY(pass.endY) - startY;
            const float part = alignment == 1 ? 0.5f : 1.0f;
            if (angle != 90 && angle != 270) startX -= part * dx;
            if (angle != 0 && angle != 180) startY -= part * dy;
        }
    }
    s.glyphOriginX = plot_internal::ToPageX(startX);
    s.glyphOriginY = plot_internal::ToPageY(startY);
    pass.draw = true;
    RunText(pass);

    if (writeBack) {
        *x = startX;
        *y = startY;
    }
}

void TEXT(float x, float y, int height, const char* text, int style) {
    TEXTG(&x, &y, height, text, style, 0, 0, 1.0f, 0, 0);
}

void TEXTC(float x, float y, int height, const char* text, int style, float angle, float slant,
           float factor) {
    TEXTG(&x, &y, height, text, style, angle, slant, factor, 0, 1);
}
