// stroke_table.h - a stroke table and its glyph index, built at compile time
// from a list of shapes: a word 0x1000 + g starts glyph g (in ascending
// order), the words after it are its strokes (see font.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace plotfont {

template <int Words, int Glyphs>
struct StrokeFont {
    std::array<int16_t, Words> strokes;
    std::array<int16_t, Glyphs + 1> index;
};

// The tables of `shapes`, whose glyph numbers start at `first`.  A fault in
// the list (glyphs out of order, a stroke before the first glyph, a full
// table) stops the compilation.
template <int Words, int Glyphs, std::size_t N>
constexpr StrokeFont<Words, Glyphs> BuildStrokeFont(const int (&shapes)[N], int first) {
    StrokeFont<Words, Glyphs> font{};
    int next = 1;  // word 0 holds no stroke
    int glyph = -1;
    for (int word : shapes) {
        if (word >= 0x1000) {
            const int g = word - 0x1000 - first;
            if (g <= glyph || g >= Glyphs) throw "glyphs out of order";
            // Glyphs between the previous one and this one own no words.
            for (int k = glyph + 1; k <= g; ++k) font.index[k] = static_cast<int16_t>(next);
            glyph = g;
            continue;
        }
        if (glyph < 0 || word < 0 || word > 0xff) throw "stray stroke word";
        if (next >= Words) throw "stroke table full";
        font.strokes[next++] = static_cast<int16_t>(word);
    }
    for (int k = glyph + 1; k <= Glyphs; ++k) font.index[k] = static_cast<int16_t>(next);
    return font;
}

}  // namespace plotfont
