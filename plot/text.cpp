// text.cpp - stroke-font text: TEXTG and its two wrappers TEXT and TEXTC,
// and their UTF-8 forms TEXTGU, TEXTU and TEXTCU.
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
// UTF-8 text means the same below U+0100; beyond it a character is looked up
// in the wide set, and one with no glyph there is drawn as a box and counted.
// In capitals mode a UTF-8 text sets the marks over its letters closer (see
// PlaceGlyph) when it draws a character beyond Latin-1, when the page's top
// edge would cut its marks, or when TEXTLANGUAGE names a language other than
// the seven whose pages kept the classic marks; other Latin-1 text keeps the
// classic placement, so that it draws the pages it always drew.  Capitals
// mode follows the capitals of the language TEXTLANGUAGE names.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string_view>
#include <utility>

#include "plot/font/font.h"
#include "plot/internal.h"
#include "plot/plot.h"
#include "utf8/utf8.h"

namespace {

using namespace plotfont;

constexpr int kMaxCharacters = 80;
constexpr double kDegree = 0.017453292;
constexpr float kSqueeze = 0.75f;  // the height of a squeezed close mark

int missingCharacters = 0;  // drawn as the replacement since the last reset
bool turkishCapitals = false;     // TEXTLANGUAGE: i has the capital İ, ı the capital I
bool languageCloseMarks = false;  // TEXTLANGUAGE: capitals mode sets every mark close

// The languages whose capitals kept the classic marks when the close ones
// came: their pages stay as they were drawn.  Every other language that
// TEXTLANGUAGE names takes the close marks for all of its text.
constexpr std::string_view kClassicMarkLanguages[] = {"de", "en", "es", "fr", "it", "nl", "pt"};

constexpr char32_t kCapitalIWithDot = 0x130;

// Everything one pass over the text needs besides the record's fields.
struct TextPass {
    const char32_t* text;
    int length;
    bool utf8;  // the text came in as UTF-8
    int style;
    bool closeMarks;          // capitals mode: marks sit closer (see DrawText)
    const bool* bareCapital;  // per character: a Greek capital drawn without its tonos
    float height;     // H in page units
    float gap;        // H / 3, the space between glyph bodies
    float unitY;      // gy0 = H * factor / 6
    bool draw;        // false: only measure
    bool measureMarks;  // find marksTop, the highest point of a raised mark
    float marksTop;     // page units
    bool hasEnd;      // a glyph body was passed
    float endX, endY; // end of the last glyph body, page units
};

float Clamp(float v, float low, float high) { return v < low ? low : v > high ? high : v; }
int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

bool IsRaisingAccent(int glyph) {
    if (glyph >= kWideFirst) return kWideGlyphs[glyph - kWideFirst].raises;
    return glyph == kAcuteGlyph || glyph == kGraveGlyph || glyph == kCircumflexGlyph ||
           glyph == kDiaeresisGlyph || glyph == kRingGlyph || glyph == kTildeGlyph;
}

// Greek capitals of the alternate set, the wide set's capitals too.
bool IsCapital(int glyph) {
    if (glyph >= kWideFirst) return kWideGlyphs[glyph - kWideFirst].isCapital;
    return (glyph >= 65 && glyph <= 95) || (glyph >= 323 && glyph <= 346);
}

// Capitals and small letters with an ascender carry a raised mark higher.
bool IsTall(int glyph) {
    return IsCapital(glyph) || glyph == 'b' || glyph == 'd' || glyph == 'f' || glyph == 'h' || glyph == 'k' ||
           glyph == 'l' || glyph == 't';
}

// The alternate set's small Greek letters and their capitals, for capitals
// mode on Greek text (reached through the prefix they stay small, as they
// always have).
// The ring (^o) and the dollar sign (^q) have none; where the shapes are the
// same the Latin capital stands, which capitals mode sizes alike.
constexpr std::array<int16_t, 26> kGreekCapitalOf = {
    'A', 'B', 'X', 324, 'E', 326, 327, 'H', 'I', 330, 'K', 332, 'M',  // ^a .. ^m
    'N', 0,   336, 0,   'P', 339, 'T', 'Y', 339, 343, 344, 345, 'Z',  // ^n .. ^z
};

// Capitals mode: the glyph drawn for g and the height class it is scaled by.
int CapitalOf(int g, bool wide, int& heightClass) {
    heightClass = HeightClassOf(g);
    if (g >= 97 && g <= 125) return g - 32;
    if (g == kDotlessIGlyph) return 'I';
    if (g >= kWideFirst) {
        const int capital = kWideGlyphs[g - kWideFirst].capital;
        return capital != 0 ? capital : g;
    }
    if (!wide) return g;
    if (g >= 353 && g <= 378 && kGreekCapitalOf[g - 353] != 0) {
        heightClass = 7;  // as the Latin small letters: small capitals
        return kGreekCapitalOf[g - 353];
    }
    if (g >= 323 && g <= 346) heightClass = 5;  // Greek capitals as the Latin ones
    return g;
}

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
    bool wide;        // reached through a code point beyond Latin-1
    bool squeezed = false;  // a close mark over a tall letter: 3/4 as high
};

// Draws (or, when measuring, only sizes) one glyph through the steps that a
// base glyph and an accent share.  `advanceCode` is the advance code in
// tenths of H; it is set here unless `keepAdvance`.  Returns the glyph drawn.
int PlaceGlyph(TextPass& pass, const GlyphJob& job, bool keepAdvance, int& advanceCode) {
    PlotStateRecord& s = PlotState;
    int g = job.glyph;

    // A capital under an accent is drawn lower to leave room above it.
    // Capitals mode with close marks draws it lower still, so that capital
    // and mark stay within 1.45 H.
    const bool raisedMark = job.compositeBase != 0 && IsRaisingAccent(job.compositeAccent);
    const bool closeMark = raisedMark && pass.closeMarks;
    float gy = pass.unitY;
    if (raisedMark && IsCapital(job.compositeBase)) gy = (closeMark ? 0.8f : 0.9f) * pass.unitY;
    // Capitals mode: every glyph to the cap height, lower case as small capitals.
    if (pass.style & 1) {
        int heightClass = 6;
        g = CapitalOf(g, job.wide, heightClass);
        // A close mark takes the scale of its letter: over a small capital
        // it is as small.
        if (closeMark && job.glyph == job.compositeAccent) CapitalOf(job.compositeBase, job.wide, heightClass);
        gy = gy * 6 / heightClass;
        if (job.squeezed) gy *= kSqueeze;
    }
    if (!keepAdvance) {
        advanceCode = 10;
        if ((pass.style & 2) && AdvanceOf(g) != 0) advanceCode = AdvanceOf(g);
    }
    const float body = advanceCode * pass.height / 10 - pass.gap;
    float gx = body / 6;

    const GlyphRun run = GlyphWords(g);
    const float originX = s.glyphOriginX;
    const float originY = s.glyphOriginY;

    if ((pass.style & 2) && job.fit) {
        int least = 2;
        int greatest = 4;
        for (int k = 0; k < run.count && WordOp(run.words[k]) != kOpEnd; ++k) {
            const int x = WordX(run.words[k]);
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

    const bool measureMark = pass.measureMarks && raisedMark && job.glyph == job.compositeAccent;
    if (pass.draw || measureMark) {
        if (job.mark != 0) {
            const float lift = 4.0f * job.mark * (job.squeezed ? gy / kSqueeze : gy);  // as its letter
            s.glyphOriginX -= lift * s.uprightSin;
            s.glyphOriginY += lift * s.uprightCos;
        }
        if (run.count >= 2) {
            int shift = job.shift;
            for (int k = 0; k < run.count; ++k) {
                const int word = run.words[k];
                const int op = WordOp(word);
                if (op == kOpEnd) break;
                if (op == kOpDescender) shift = 2;
                if (op == kOpMove && shift > 0) shift = 0;
                const float i = static_cast<float>(WordX(word));
                const float j = static_cast<float>(WordY(word) - shift);
                if (pass.draw) STROKE(GlyphX(i, j), GlyphY(i, j), op == kOpDraw ? 1 : 0);
                if (measureMark) pass.marksTop = std::max(pass.marksTop, GlyphY(i, j));
            }
        }
    }
    s.glyphOriginX = originX;
    s.glyphOriginY = originY;
    return g;
}

// What a character draws: a glyph, or a base glyph with an accent.
struct Resolved {
    int glyph = 0;
    int base = 0;  // of a composite, else 0
    int accent = 0;
    bool wide = false;  // found in the wide set
};

Resolved Missing(const TextPass& pass) {
    if (pass.draw) ++missingCharacters;
    return {kReplacementGlyph, 0, 0, true};
}

Resolved LookUp(const TextPass& pass, char32_t c, bool prefix) {
    if (c >= 0x100) {
        const WideCharacter* wide = FindWideCharacter(c);
        if (!wide) return Missing(pass);
        if (wide->mark == 0) return {wide->glyph, 0, 0, true};
        return {wide->glyph, wide->glyph, wide->mark, true};
    }
    const int code = c <= 32 ? 32 : static_cast<int>(c) + (prefix ? 256 : 0);
    const int entry = kCharacterMap[code];
    if (entry < 0) return {kComposites[-entry][0], kComposites[-entry][0], kComposites[-entry][1], false};
    if (entry != 0) return {entry, 0, 0, false};
    // Latin-1 signs without a glyph show as a space in byte text, which keeps
    // its old pages; UTF-8 text takes them from the wide set or shows that
    // something is missing.
    if (!pass.utf8 || prefix || c < 0xA1) return {kSpaceGlyph, 0, 0, false};
    if (const WideCharacter* wide = FindWideCharacter(c)) return {wide->glyph, 0, 0, true};
    return Missing(pass);
}

// Capitals mode draws Greek as capitals and small capitals, which carry no
// tonos; a letter with dialytika and tonos keeps its dialytika.
char32_t WithoutTonos(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> kPlain[] = {
        {0x386, 0x391}, {0x388, 0x395}, {0x389, 0x397}, {0x38A, 0x399}, {0x38C, 0x39F}, {0x38E, 0x3A5},
        {0x38F, 0x3A9}, {0x390, 0x3CA}, {0x3AC, 0x3B1}, {0x3AD, 0x3B5}, {0x3AE, 0x3B7}, {0x3AF, 0x3B9},
        {0x3B0, 0x3CB}, {0x3CC, 0x3BF}, {0x3CD, 0x3C5}, {0x3CE, 0x3C9},
    };
    for (const auto& [accented, plain] : kPlain) {
        if (c == accented) return plain;
    }
    return c;
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
        const char32_t c = pass.text[n];
        if (!prefix) {
            if (c == '^') { prefix = true; continue; }
            if (c == '<') { mark = 1; continue; }
            if (c == '>') { mark = -1; continue; }
            if (c == '~') { overprint = true; continue; }
        }
        const bool inCapitals = pass.utf8 && (pass.style & 1);
        Resolved r = LookUp(pass, inCapitals || pass.bareCapital[n] ? WithoutTonos(c) : c, prefix);
        // Turkish capitals: the small i as a small capital İ.
        if (pass.utf8 && !prefix && c == 'i' && turkishCapitals && (pass.style & 1)) {
            r = {'i', 'i', FindWideCharacter(kCapitalIWithDot)->mark, true};
        }
        const int base = r.base;
        const int accent = r.accent;
        GlyphJob job{r.glyph, base, accent, !onTop, 0, mark, r.wide};
        const int drawn = PlaceGlyph(pass, job, onTop, advanceCode);
        if (accent != 0) {
            // The accent sits above the letter as drawn; the cedilla and the
            // slash keep their own place.  It follows the letter's raise or
            // lowering so that a raised accented letter stays whole.
            int shift = 0;
            if (IsRaisingAccent(accent)) shift = IsTall(drawn) ? -3 : -2;
            // A close mark over a capital or a small capital: 3/4 as high,
            // its foot 1.5 units above the letter, its top where a full one
            // a unit above would end.
            const bool squeezed = shift == -3 && pass.closeMarks;
            if (squeezed) shift = -6;
            GlyphJob accentJob{accent, base, accent, false, shift, mark, r.wide, squeezed};
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

// Up to kMaxCharacters bytes of the text, each a character of its own.
int ReadBytes(const char* text, char32_t* out) {
    int length = 0;
    while (length < kMaxCharacters && text[length] != 0) {
        out[length] = static_cast<unsigned char>(text[length]);
        ++length;
    }
    return length;
}

// Up to kMaxCharacters characters of UTF-8 text; a broken, overlong or
// surrogate sequence reads as one U+FFFD per byte it spoils.
int ReadUtf8(const char* text, char32_t* out) {
    const std::string_view utf8(text);
    int length = 0;
    for (std::size_t at = 0; length < kMaxCharacters && at < utf8.size();) out[length++] = NextCodePoint(utf8, at);
    return length;
}

bool IsGreekCapital(char32_t c) { return c >= 0x386 && c <= 0x3AB && c != 0x387 && c != 0x390; }
bool IsGreekLetter(char32_t c) { return c >= 0x386 && c <= 0x3CE && c != 0x387; }
bool HasTonos(char32_t c) { return c == 0x386 || (c >= 0x388 && c <= 0x38F); }

// Greek written in capitals only carries no tonos: in a word of two or
// more Greek letters, all of them capitals, the capitals with a tonos are
// drawn without it (the dialytika stays).  A capital that starts a word in
// small letters keeps it, unless capitals mode draws the whole word in
// capitals (WithoutTonos).
void FindBareCapitals(const char32_t* text, int length, bool* bare) {
    for (int start = 0; start < length;) {
        int end = start;
        bool allCapitals = true;
        for (; end < length && IsGreekLetter(text[end]); ++end) allCapitals = allCapitals && IsGreekCapital(text[end]);
        for (int k = start; k < end; ++k) bare[k] = allCapitals && end - start >= 2 && HasTonos(text[k]);
        if (end == start) bare[end++] = false;
        start = end;
    }
}

// Whether capitals mode sets the marks of this UTF-8 text close even in a
// language with the classic marks: it draws a character beyond Latin-1 (a
// Turkish i drawn as İ is one).
bool DrawsBeyondLatin1(const char32_t* text, int length) {
    for (int n = 0; n < length; ++n) {
        if (text[n] > 0xFF || (turkishCapitals && text[n] == 'i')) return true;
    }
    return false;
}

void DrawText(float* x, float* y, int height, const char32_t* text, int length, bool utf8, int style, float angle,
              float slant, float factor, int writeBack, int alignment) {
    PlotStateRecord& s = PlotState;
    style = Clamp(style, 0, 3);
    writeBack = Clamp(writeBack, 0, 1);
    alignment = Clamp(alignment, 0, 2);

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

    bool bareCapital[kMaxCharacters] = {};
    if (utf8) FindBareCapitals(text, length, bareCapital);

    TextPass pass{};
    pass.text = text;
    pass.length = length;
    pass.utf8 = utf8;
    pass.style = style;
    pass.closeMarks = utf8 && (style & 1) && (languageCloseMarks || DrawsBeyondLatin1(text, length));
    pass.bareCapital = bareCapital;
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
    // Marks that the page's top edge would cut sit closer in UTF-8 text.
    if (utf8 && (style & 1) && !pass.closeMarks) {
        pass.measureMarks = true;
        pass.marksTop = -HUGE_VALF;
        RunText(pass);
        pass.measureMarks = false;
        pass.closeMarks = pass.marksTop > s.pageHeight;
        s.glyphOriginX = plot_internal::ToPageX(startX);
        s.glyphOriginY = plot_internal::ToPageY(startY);
    }
    pass.draw = true;
    RunText(pass);

    if (writeBack) {
        *x = startX;
        *y = startY;
    }
}

}  // namespace

void TEXTG(float* x, float* y, int height, const char* text, int style, float angle, float slant, float factor,
           int writeBack, int alignment) {
    if (!x || !y || !text) return;
    char32_t characters[kMaxCharacters];
    const int length = ReadBytes(text, characters);
    DrawText(x, y, height, characters, length, false, style, angle, slant, factor, writeBack, alignment);
}

void TEXTGU(float* x, float* y, int height, const char* text, int style, float angle, float slant, float factor,
            int writeBack, int alignment) {
    if (!x || !y || !text) return;
    char32_t characters[kMaxCharacters];
    const int length = ReadUtf8(text, characters);
    DrawText(x, y, height, characters, length, true, style, angle, slant, factor, writeBack, alignment);
}

void TEXTLANGUAGE(const char* code) {
    const std::string_view language = code ? std::string_view(code).substr(0, std::strcspn(code, "_-.@")) : "";
    turkishCapitals = language == "tr" || language == "az";
    const bool none = language.empty() || language == "C" || language == "POSIX";
    languageCloseMarks = !none && std::find(std::begin(kClassicMarkLanguages), std::end(kClassicMarkLanguages),
                                            language) == std::end(kClassicMarkLanguages);
}

int TEXTMISSING(int reset) {
    const int count = missingCharacters;
    if (reset != 0) missingCharacters = 0;
    return count;
}

void TEXTU(float x, float y, int height, const char* text, int style) {
    TEXTGU(&x, &y, height, text, style, 0, 0, 1.0f, 0, 0);
}

void TEXTCU(float x, float y, int height, const char* text, int style, float angle, float slant, float factor) {
    TEXTGU(&x, &y, height, text, style, angle, slant, factor, 0, 1);
}

void TEXT(float x, float y, int height, const char* text, int style) {
    TEXTG(&x, &y, height, text, style, 0, 0, 1.0f, 0, 0);
}

void TEXTC(float x, float y, int height, const char* text, int style, float angle, float slant,
           float factor) {
    TEXTG(&x, &y, height, text, style, angle, slant, factor, 0, 1);
}
