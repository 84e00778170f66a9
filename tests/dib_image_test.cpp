// CDib as an in-memory image: metrics, colour tables, ownership, palette and drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "dib/dib.h"
#include "tests/dib_support.h"

using dibtest::TestSurface;

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

TEST(DibMetrics, EightBitPageImageHasFullTableAndNoPixels) {
    CDib dib;
    ASSERT_TRUE(dib.CreateImage(8, 4, 8));
    EXPECT_EQ(dib.ColourEntries(), 256);
    EXPECT_EQ(dib.HeaderBlockSize(), 1064u);
    EXPECT_EQ(dib.ImageSize(), 32u);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(dib.colourTable), dib.HeaderBlock() + 40);
    EXPECT_EQ(dib.image, nullptr);
    EXPECT_TRUE(dib.OwnsHeader());
    EXPECT_FALSE(dib.OwnsImage());
    EXPECT_FALSE(dib.HasPalette());
    EXPECT_EQ(dib.GetDimensions(), (DibSize{8, 4}));

    const DibInfoHeader info = dib.InfoHeader();
    EXPECT_EQ(info.size, 40u);
    EXPECT_EQ(info.planes, 1);
    EXPECT_EQ(info.bitCount, 8);
    EXPECT_EQ(info.compression, 0u);
    EXPECT_EQ(info.imageSize, 0u);
    EXPECT_EQ(info.coloursUsed, 256u);
    EXPECT_EQ(info.coloursImportant, 256u);
    EXPECT_EQ(info.xPelsPerMeter, 0);
    // The info header is stored little-endian in the block, as a BMP file holds it.
    const unsigned char* h = dib.HeaderBlock();
    EXPECT_EQ(h[0], 40);
    EXPECT_EQ(h[4], 8);
    EXPECT_EQ(h[8], 4);
    EXPECT_EQ(h[14], 8);
}

TEST(DibMetrics, RowsArePaddedToWholeWords) {
    struct Case {
        int width, bits;
        std::size_t rowBytes;
    };
    const Case cases[] = {{3, 8, 4},   {1, 1, 4},   {10, 24, 32}, {32, 1, 4}, {33, 1, 8},
                          {8, 4, 4},   {9, 4, 8},   {3, 16, 8},   {3, 32, 12}, {1064, 8, 1064},
                          {4, 24, 12}, {5, 24, 16}};
    for (const Case& c : cases) {
        CDib dib;
        ASSERT_TRUE(dib.CreateImage(c.width, 7, c.bits)) << c.width << "x" << c.bits;
        EXPECT_EQ(dib.RowBytes(), c.rowBytes) << c.width << " columns at " << c.bits;
        EXPECT_EQ(dib.ImageSize(), c.rowBytes * 7) << c.width << " columns at " << c.bits;
    }
}

TEST(DibMetrics, ColourTableSizeFollowsBitCountUnlessColoursUsedIsSet) {
    CDib dib;
    const std::pair<int, int> byBits[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (auto [bits, entries] : byBits) {
        dib.ComputeColorTableSize(bits);
        EXPECT_EQ(dib.ColourEntries(), entries) << bits;
    }
    dib.ComputeColorTableSize(4);
    dib.ComputeColorTableSize(7);  // an odd bit count leaves the count as it was
    EXPECT_EQ(dib.ColourEntries(), 16);

    // With a header, its colours-used field wins over the bit count.
    ASSERT_TRUE(dib.CreateImage(2, 2, 4));
    dib.ComputeColorTableSize(8);
    EXPECT_EQ(dib.ColourEntries(), 16);
    ASSERT_TRUE(dib.CreateImage(2, 2, 24));
    EXPECT_EQ(dib.ColourEntries(), 0);
    EXPECT_EQ(dib.HeaderBlockSize(), 40u);
}

TEST(DibMetrics, ImpossibleImagesAreRefusedAndLeaveTheObjectEmpty) {
    CDib dib;
    const int bad[][3] = {{0, 4, 8},       {4, 0, 8},         {-4, 4, 8},    {4, 4, 0},
                          {4, 4, 3},       {4, 4, 64},        {4, 4, 65544}, {1 << 30, 1 << 30, 8},
                          {1 << 30, 2, 24}, {4, INT32_MIN, 8}};
    for (const auto& b : bad) {
        ASSERT_TRUE(dib.CreateImage(2, 2, 8));
        EXPECT_FALSE(dib.CreateImage(b[0], b[1], b[2])) << b[0] << " " << b[1] << " " << b[2];
        EXPECT_EQ(dib.HeaderBlock(), nullptr);
        EXPECT_EQ(dib.colourTable, nullptr);
        EXPECT_EQ(dib.ImageSize(), 0u);
        EXPECT_EQ(dib.GetDimensions(), (DibSize{0, 0}));
    }
    // Sizes up to the largest 32-bit image size still make a header (no pixels are allocated).
    EXPECT_TRUE(dib.CreateImage(1 << 30, 1, 8));
    EXPECT_EQ(dib.ImageSize(), 1u << 30);
}

TEST(DibOwnership, EmptyForgetsABorrowedBufferWithoutTouchingIt) {
    std::vector<unsigned char> page(32);
    std::iota(page.begin(), page.end(), 1);
    const std::vector<unsigned char> before = page;
    {
        CDib dib;
        ASSERT_TRUE(dib.CreateImage(8, 4, 8));
        dib.image = page.data();
        EXPECT_FALSE(dib.OwnsImage());
        dib.Empty();
        EXPECT_EQ(dib.image, nullptr);
        EXPECT_EQ(dib.HeaderBlock(), nullptr);
        EXPECT_EQ(dib.ColourEntries(), 0);
        EXPECT_EQ(dib.ImageSize(), 0u);
        ASSERT_TRUE(dib.CreateImage(8, 4, 8));
        dib.image = page.data();
        // A new CreateImage on top of a borrowed image leaves it alone too.
        ASSERT_TRUE(dib.CreateImage(8, 4, 8));
        dib.image = page.data();
    }  // the destructor must not free the page
    EXPECT_EQ(page, before);
}

TEST(DibPalette, MadeFromTheColourTableOnlyWhenThereIsOne) {
    CDib dib;
    ASSERT_TRUE(dib.CreateImage(2, 2, 24));
    EXPECT_FALSE(dib.MakePalette());
    EXPECT_FALSE(dib.HasPalette());
    EXPECT_EQ(dib.UsePalette(false), 0);

    ASSERT_TRUE(dib.CreateImage(2, 2, 4));
    dib.colourTable[0] = 0x00112233;  // red 0x11, green 0x22, blue 0x33
    dib.colourTable[15] = 0x00FF0001;
    ASSERT_TRUE(dib.MakePalette());
    ASSERT_EQ(dib.Palette().size(), 16u);
    EXPECT_EQ(dib.Palette()[0].red, 0x11);
    EXPECT_EQ(dib.Palette()[0].green, 0x22);
    EXPECT_EQ(dib.Palette()[0].blue, 0x33);
    EXPECT_EQ(dib.Palette()[0].flags, 0);
    EXPECT_EQ(dib.Palette()[15].red, 0xFF);
    EXPECT_EQ(dib.Palette()[15].blue, 0x01);
    EXPECT_EQ(dib.UsePalette(true), 16);
    dib.Empty();
    EXPECT_FALSE(dib.HasPalette());
}

// ---------------------------------------------------------------------------------------------
// Drawing

// An 8-bit image whose stored row r, column c holds index 10 * r + c (row 0 is the bottom row).
struct EightBitImage {
    EightBitImage(int w, int h) : width(w), height(h) {
        EXPECT_TRUE(dib.CreateImage(w, h, 8));
        const auto table = dibtest::DistinctTable(256);
        std::memcpy(dib.colourTable, table.data(), 1024);
        stride = (w + 3) / 4 * 4;
        pixels.assign(static_cast<std::size_t>(stride) * h, 0xEE);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) pixels[r * stride + c] = static_cast<unsigned char>(10 * r + c);
        dib.image = pixels.data();
    }
    // The colour the picture shows at column c, row y counted from the top.
    std::uint32_t Shown(int c, int y) const {
        return kOpaque | dib.colourTable[pixels[(height - 1 - y) * stride + c]];
    }
    int width, height, stride;
    std::vector<unsigned char> pixels;
    CDib dib;
};

TEST(DibDraw, RefusesWithoutHeaderOrPixels) {
    TestSurface s(4, 4);
    CDib dib;
    EXPECT_FALSE(dib.Draw(s.surface, 0, 0, 4, 4));
    ASSERT_TRUE(dib.CreateImage(4, 4, 8));
    EXPECT_FALSE(dib.Draw(s.surface, 0, 0, 4, 4));
    for (std::uint32_t p : s.pixels) EXPECT_EQ(p, TestSurface::kSentinel);
}

TEST(DibDraw, UnscaledPageIsFlippedToTopDownAndPlacedAtTheOrigin) {
    EightBitImage img(5, 3);
    TestSurface s(10, 6);
    ASSERT_TRUE(img.dib.Draw(s.surface, 2, 1, 5, 3));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 1 && y < 4;
            EXPECT_EQ(s.At(x, y), inside ? img.Shown(x - 2, y - 1) : TestSurface::kSentinel)
                << x << "," << y;
        }
    }
    // The padding bytes (0xEE) never show.
    EXPECT_NE(s.At(6, 1), kOpaque | img.dib.colourTable[0xEE]);
}

TEST(DibDraw, ClipsAtEverySurfaceEdge) {
    EightBitImage img(6, 5);
    TestSurface s(4, 3);
    ASSERT_TRUE(img.dib.Draw(s.surface, -3, -2, 6, 5));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s.At(x, y), img.Shown(x + 3, y + 2)) << x << "," << y;
    for (int y = 0; y < 3; ++y) EXPECT_EQ(s.At(3, y), TestSurface::kSentinel);

    TestSurface t(4, 3);
    ASSERT_TRUE(img.dib.Draw(t.surface, 2, 1, 6, 5));
    EXPECT_EQ(t.At(2, 1), img.Shown(0, 0));
    EXPECT_EQ(t.At(3, 2), img.Shown(1, 1));
    EXPECT_EQ(t.At(1, 1), TestSurface::kSentinel);
    // Entirely outside, or an empty destination: nothing drawn, no fault.
    EXPECT_TRUE(img.dib.Draw(t.surface, 100, 0, 6, 5));
    EXPECT_TRUE(img.dib.Draw(t.surface, -100, 0, 6, 5));
    EXPECT_TRUE(img.dib.Draw(t.surface, 0, 0, 0, 5));
    EXPECT_TRUE(img.dib.Draw(t.surface, INT32_MAX - 2, INT32_MAX - 2, 6, 5));
    EXPECT_EQ(t.At(0, 0), TestSurface::kSentinel);
}

TEST(DibDraw, StretchRepeatsAndShrinkDropsPixels) {
    EightBitImage img(4, 2);
    TestSurface big(8, 6);
    ASSERT_TRUE(img.dib.Draw(big.surface, 0, 0, 8, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(big.At(x, y), img.Shown(x / 2, y / 3)) << x << "," << y;

    TestSurface small(2, 1);
    ASSERT_TRUE(img.dib.Draw(small.surface, 0, 0, 2, 1));
    EXPECT_EQ(small.At(0, 0), img.Shown(0, 0));
    EXPECT_EQ(small.At(1, 0), img.Shown(2, 0));
}

TEST(DibDraw, LowBitCountsUnpackMostSignificantPixelFirst) {
    CDib one;
    ASSERT_TRUE(one.CreateImage(10, 1, 1));
    one.colourTable[0] = 0x000000FF;
    one.colourTable[1] = 0x00FF0000;
    unsigned char bits[4] = {0xA0, 0x40, 0xFF, 0xFF};  // 1 0 1 0 0 0 0 0 | 0 1
    one.image = bits;
    TestSurface s(10, 1);
    ASSERT_TRUE(one.Draw(s.surface, 0, 0, 10, 1));
    const int expected[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(s.At(x, 0), kOpaque | one.colourTable[expected[x]]) << x;

    CDib four;
    ASSERT_TRUE(four.CreateImage(3, 1, 4));
    const auto table = dibtest::DistinctTable(16);
    std::memcpy(four.colourTable, table.data(), 64);
    unsigned char nibbles[4] = {0x3C, 0x70, 0, 0};
    four.image = nibbles;
    TestSurface f(3, 1);
    ASSERT_TRUE(four.Draw(f.surface, 0, 0, 3, 1));
    EXPECT_EQ(f.At(0, 0), kOpaque | table[3]);
    EXPECT_EQ(f.At(1, 0), kOpaque | table[12]);
    EXPECT_EQ(f.At(2, 0), kOpaque | table[7]);
}

TEST(DibDraw, TrueColourPixelsAreBlueGreenRed) {
    CDib dib;
    ASSERT_TRUE(dib.CreateImage(2, 2, 24));
    // Bottom row: (1,2,3) (4,5,6); top row: (7,8,9) (10,11,12) as blue, green, red.
    unsigned char px[16] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    dib.image = px;
    TestSurface s(2, 2);
    ASSERT_TRUE(dib.Draw(s.surface, 0, 0, 2, 2));
    EXPECT_EQ(s.At(0, 0), 0xFF090807u);
    EXPECT_EQ(s.At(1, 0), 0xFF0C0B0Au);
    EXPECT_EQ(s.At(0, 1), 0xFF030201u);
    EXPECT_EQ(s.At(1, 1), 0xFF060504u);

    CDib wide;
    ASSERT_TRUE(wide.CreateImage(1, 1, 32));
    unsigned char quad[4] = {0x10, 0x20, 0x30, 0x99};  // the fourth byte is not alpha
    wide.image = quad;
    ASSERT_TRUE(wide.Draw(s.surface, 0, 0, 1, 1));
    EXPECT_EQ(s.At(0, 0), 0xFF302010u);

    CDib half;
    ASSERT_TRUE(half.CreateImage(2, 1, 16));
    unsigned char words[4] = {0x1F, 0x7C, 0xE0, 0x03};  // 0x7C1F: red 31, green 0, blue 31
    half.image = words;                                  // 0x03E0: green 31
    ASSERT_TRUE(half.Draw(s.surface, 0, 0, 2, 1));
    EXPECT_EQ(s.At(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(s.At(1, 0), 0xFF00FF00u);
}

TEST(DibDraw, TopDownRowsAreStoredTopRowFirst) {
    CDib dib;
    ASSERT_TRUE(dib.CreateImage(1, -2, 4));
    EXPECT_EQ(dib.GetDimensions(), (DibSize{1, 2}));
    EXPECT_EQ(dib.ImageSize(), 8u);
    const auto table = dibtest::DistinctTable(16);
    std::memcpy(dib.colourTable, table.data(), 64);
    unsigned char px[8] = {0x50, 0, 0, 0, 0x90, 0, 0, 0};  // stored first = top row
    dib.image = px;
    TestSurface s(1, 2);
    ASSERT_TRUE(dib.Draw(s.surface, 0, 0, 1, 2));
    EXPECT_EQ(s.At(0, 0), kOpaque | table[5]);
    EXPECT_EQ(s.At(0, 1), kOpaque | table[9]);
}

TEST(DibDraw, SurfacePitchIsHonoured) {
    EightBitImage img(3, 2);
    std::vector<std::uint32_t> pixels(std::size_t{7} * 2, TestSurface::kSentinel);
    DibSurface surface{pixels.data(), 3, 2, 7};
    ASSERT_TRUE(img.dib.Draw(surface, 0, 0, 3, 2));
    EXPECT_EQ(pixels[7 + 2], img.Shown(2, 1));
    EXPECT_EQ(pixels[3], TestSurface::kSentinel);
    EXPECT_EQ(pixels[7 + 3], TestSurface::kSentinel);
}

}  // namespace
