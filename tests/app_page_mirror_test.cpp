// PageMirror on frames made by hand: which rows a refresh copies, and when
// the whole page is copied (the first frame, another image or size, a
// cleared page without an image).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/page_mirror.h"

namespace {

struct HandPage {
    int width = 8;
    int height = 6;
    std::vector<unsigned char> pixels = std::vector<unsigned char>(48, 1);
    std::uint32_t palette[256] = {};
    PageFrame Frame(PageChange changed) {
        PageFrame f;
        f.pixels = pixels.data();
        f.width = width;
        f.height = height;
        f.palette = palette;
        f.background = 9;
        f.changed = changed;
        return f;
    }
    unsigned char& AtTop(int row, int column) { return pixels[(height - 1 - row) * width + column]; }
};

unsigned char MirrorAtTop(const PageMirror& m, int row, int column) {
    return m.Pixels()[(m.Height() - 1 - row) * m.Width() + column];
}

}  // namespace

TEST(PageMirror, CopiesTheChangedRowsOrTheWholePageWhenItIsAnother) {
    HandPage page;
    PageMirror mirror;
    page.palette[7] = 0x123456;
    EXPECT_EQ(mirror.Take(page.Frame({0, 0, -1, -1})), 6) << "the first frame is copied whole";
    EXPECT_EQ(mirror.Palette()[7], 0x123456u);

    // Rows 1..2 from the top changed; a change outside them is not copied.
    page.AtTop(1, 3) = 5;
    page.AtTop(2, 0) = 6;
    page.AtTop(4, 4) = 7;
    EXPECT_EQ(mirror.Take(page.Frame({3, 1, 3, 2})), 2);
    EXPECT_EQ(MirrorAtTop(mirror, 1, 3), 5);
    EXPECT_EQ(MirrorAtTop(mirror, 2, 0), 6) << "whole rows are copied";
    EXPECT_EQ(MirrorAtTop(mirror, 4, 4), 1);
    // Bounds beyond the page are clipped; an empty change copies nothing.
    EXPECT_EQ(mirror.Take(page.Frame({-5, 3, 99, 99})), 3);
    EXPECT_EQ(MirrorAtTop(mirror, 4, 4), 7);
    EXPECT_EQ(mirror.Take(page.Frame({0, 4, 7, 3})), 0);
    EXPECT_EQ(mirror.Take(page.Frame({0, 99, 7, 120})), 0);

    // Another image of the same size, another size, no image: all of it.
    HandPage other;
    other.pixels.assign(48, 2);
    EXPECT_EQ(mirror.Take(other.Frame({0, 0, -1, -1})), 6);
    EXPECT_EQ(MirrorAtTop(mirror, 0, 0), 2);
    other.height = 3;
    other.pixels.resize(24);
    EXPECT_EQ(mirror.Take(other.Frame({0, 0, -1, -1})), 3);
    EXPECT_EQ(mirror.Height(), 3);
    PageFrame cleared = other.Frame({0, 0, -1, -1});
    cleared.pixels = nullptr;
    EXPECT_EQ(mirror.Take(cleared), 3);
    EXPECT_EQ(std::vector<unsigned char>(mirror.Pixels(), mirror.Pixels() + 24), std::vector<unsigned char>(24, 9));
}
