// ShownRows against a model window: whatever the page does between
// refreshes, a window that takes only the parts a refresh names shows the
// page; and the parts leave out what did not change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "app/shown_rows.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 200;
constexpr std::size_t kBytes = std::size_t{kWidth} * kHeight;

struct Page {
    std::vector<unsigned char> pixels = std::vector<unsigned char>(kBytes, 0);
    std::uint32_t palette[256] = {};
    PageFrame Frame() {
        PageFrame f;
        f.pixels = pixels.data();
        f.width = kWidth;
        f.height = kHeight;
        f.palette = palette;
        return f;
    }
    unsigned char& AtTop(int row, int column) { return pixels[(kHeight - 1 - row) * kWidth + column]; }
};

// The window: the page as the bands (or a whole paint) brought it.
struct Window {
    std::vector<unsigned char> pixels = std::vector<unsigned char>(kBytes, 0);
    void Take(const Page& page, const std::vector<PageChange>& bands, const PageChange& change) {
        for (const PageChange& b : bands) {
            EXPECT_TRUE(b.left >= change.left && b.right <= change.right && b.top >= change.top &&
                        b.bottom <= change.bottom);
            for (int y = b.top; y <= b.bottom; ++y) {
                for (int x = b.left; x <= b.right; ++x) {
                    const int at = (kHeight - 1 - y) * kWidth + x;
                    pixels[at] = page.pixels[at];
                }
            }
        }
    }
};

int Area(const std::vector<PageChange>& bands) {
    int area = 0;
    for (const PageChange& b : bands) area += (b.right - b.left + 1) * (b.bottom - b.top + 1);
    return area;
}

}  // namespace

TEST(ShownRows, AWindowTakingOnlyTheBandsAlwaysShowsThePage) {
    Page page;
    Window window;
    ShownRows shown;
    std::mt19937 random(27);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int refresh = 0; refresh < 400; ++refresh) {
        // Some pixels change inside one rectangle or a few (which may
        // overlap), some are put back as they were.
        std::vector<PageChange> parts(1 + below(3));
        PageChange bounds{kWidth, kHeight, -1, -1};
        for (PageChange& change : parts) {
            change = {below(kWidth), below(kHeight), 0, 0};
            change.right = change.left + below(kWidth - change.left);
            change.bottom = change.top + below(kHeight - change.top);
            for (int n = below(12); n > 0; --n) {
                const int y = change.top + below(change.bottom - change.top + 1);
                const int x = change.left + below(change.right - change.left + 1);
                page.AtTop(y, x) = static_cast<unsigned char>(below(3));
            }
            bounds = {std::min(bounds.left, change.left), std::min(bounds.top, change.top),
                      std::max(bounds.right, change.right), std::max(bounds.bottom, change.bottom)};
        }
        if (below(20) == 0) {
            // Painted some other way: the window shows all of the page.
            shown.Forget();
            window.pixels = page.pixels;
        }
        window.Take(page, shown.Changed(page.Frame(), parts, 0, 0), bounds);
        ASSERT_EQ(window.pixels, page.pixels) << "refresh " << refresh;
    }
}

TEST(ShownRows, OnlyTheChangedPartsAreNamedUnlessThePageIsAnother) {
    Page page;
    ShownRows shown;
    const PageChange all{0, 0, kWidth - 1, kHeight - 1};
    // Nothing known yet: all of the change.
    auto bands = shown.Changed(page.Frame(), {2, 3, 30, 150}, 0, 0);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(Area(bands), 29 * 148);

    // Two pixels far apart: two small bands, nothing between them.
    page.AtTop(10, 5) = 1;
    page.AtTop(120, 30) = 2;
    bands = shown.Changed(page.Frame(), all, 0, 0);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].left, 5);
    EXPECT_EQ(bands[0].top, 10);
    EXPECT_EQ(bands[0].bottom, 10);
    EXPECT_EQ(bands[1].right, 30);
    EXPECT_EQ(bands[1].top, 120);
    EXPECT_EQ(Area(bands), 2);

    // Rows close together are one band as wide as their changes.
    page.AtTop(50, 4) = 1;
    page.AtTop(53, 9) = 1;
    bands = shown.Changed(page.Frame(), all, 0, 0);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(Area(bands), 6 * 4);

    // Changes in the same rows far apart (a curve crossing them twice): a
    // part each, not the columns between.
    page.AtTop(150, 2) = 1;
    page.AtTop(152, 150) = 1;
    bands = shown.Changed(page.Frame(), all, 0, 0);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(Area(bands), 2);

    // The same page again: nothing to show.
    EXPECT_TRUE(shown.Changed(page.Frame(), all, 0, 0).empty());

    // Another scroll position or palette, or a forgotten window: all of it.
    EXPECT_EQ(Area(shown.Changed(page.Frame(), all, 0, 16)), kWidth * kHeight);
    page.palette[1] = 0xFF0000;
    EXPECT_EQ(Area(shown.Changed(page.Frame(), all, 0, 16)), kWidth * kHeight);
    EXPECT_TRUE(shown.Changed(page.Frame(), all, 0, 16).empty());
    shown.Forget();
    EXPECT_EQ(Area(shown.Changed(page.Frame(), all, 0, 16)), kWidth * kHeight);
}
