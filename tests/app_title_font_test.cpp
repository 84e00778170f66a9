// The title strip's font beyond Latin-1: it draws every character the page's
// stroke font draws, accented letters keep their base letter, and the device
// context reads its text as UTF-8, one cell per character.
#include "app_support.h"
#include "platform/font.h"
#include "plot/font/font.h"

#include <array>
#include <string>
#include <vector>

namespace {

using Rows = std::array<unsigned char, kFontHeight>;

Rows RowsOf(char32_t c) {
    Rows rows{};
    const unsigned char* g = FontGlyph(c);
    std::copy(g, g + kFontHeight, rows.begin());
    return rows;
}

TEST(TitleFont, DrawsEveryCharacterThePageFontDrawsAndABoxForTheRest) {
    const Rows box = RowsOf(0x4E2D);
    EXPECT_FALSE(FontHasGlyph(0x4E2D));
    EXPECT_EQ(RowsOf(0xFFFD), box);
    for (const plotfont::WideCharacter& c : plotfont::kWideCharacters) {
        EXPECT_TRUE(FontHasGlyph(c.code)) << std::hex << static_cast<unsigned>(c.code);
        EXPECT_NE(RowsOf(c.code), box) << std::hex << static_cast<unsigned>(c.code);
    }
    // Shapes shared with Latin letters, and letters of their own that differ.
    EXPECT_EQ(RowsOf(0x410), RowsOf('A'));
    EXPECT_EQ(RowsOf(0x3BF), RowsOf('o'));
    EXPECT_NE(RowsOf(0x418), RowsOf('N'));
    EXPECT_NE(RowsOf(0x142), RowsOf('l'));
}

TEST(TitleFont, MarkedLettersAreTheirBaseWithAMarkAboveOrBelow) {
    const struct {
        char32_t marked, base;
        bool below;
    } pairs[] = {{0x104, 'A', true},    {0x10D, 'c', false}, {0x219, 's', true},    {0x15F, 's', true},
                 {0x11F, 'g', false},   {0x130, 'I', false}, {0x419, 0x418, false}, {0x401, 'E', false},
                 {0x3AC, 0x3B1, false}, {0x13A, 'l', false}};
    for (const auto& p : pairs) {
        const Rows marked = RowsOf(p.marked);
        const Rows base = RowsOf(p.base);
        int changedAbove = 0;
        int changedBelow = 0;
        for (int r = 0; r < kFontHeight; ++r) {
            EXPECT_EQ(marked[r] & base[r], base[r]) << std::hex << static_cast<unsigned>(p.marked) << " row " << r;
            if (marked[r] != base[r]) (r >= 11 ? changedBelow : changedAbove) += 1;
        }
        EXPECT_EQ(changedBelow > 0, p.below) << std::hex << static_cast<unsigned>(p.marked);
        EXPECT_EQ(changedAbove > 0, !p.below) << std::hex << static_cast<unsigned>(p.marked);
    }
}

TEST(TitleFont, DeviceContextDrawsUtf8OneCellPerCharacter) {
    // Draws `text` at the surface's origin and returns the ink of cell k.
    auto cells = [](const std::string& text) {
        Surface s;
        s.Resize(80, 16, 0xFFFFFFFFu);
        CDC dc(&s, {0, 0}, {0, 0, 80, 16});
        dc.TextOut(0, 0, text.c_str(), static_cast<int>(text.size()));
        std::vector<Rows> out;
        const int count = dc.GetTouched().Width() / CDC::kCharWidth;
        for (int k = 0; k < count; ++k) {
            Rows rows{};
            for (int r = 0; r < kFontHeight; ++r)
                for (int x = 0; x < kFontWidth; ++x)
                    if ((s.At(k * CDC::kCharWidth + x, r + 1) & 0xFFFFFF) == 0) rows[r] |= 0x80u >> x;
            out.push_back(rows);
        }
        return out;
    };
    // "Łódź ж" and a stray continuation byte.
    const std::vector<Rows> drawn = cells(
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA \xD0\xB6\x80");
    const char32_t expected[] = {0x141, 0xF3, 'd', 0x17A, ' ', 0x436, 0xFFFD};
    ASSERT_EQ(drawn.size(), std::size(expected));
    for (std::size_t k = 0; k < drawn.size(); ++k) EXPECT_EQ(drawn[k], RowsOf(expected[k])) << "cell " << k;
}

}  // namespace
