// The page as an 8-bit palette PNG: ImageMagick decodes it to exactly the
// page's colours, it is smaller than the BMP of the same page, and a file
// that cannot be written is reported and leaves nothing behind.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "plotpng/plotpng.h"
#include "tests/plot_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> ReadAll(const fs::path& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A page with lines, text, hatching, solid fills and a palette entry of the
// program's own, over colours 0..255 (index 10 included).
void DrawSamplePage() {
    PlotState.palette[200] = PACKRGB(1, 2, 3);
    for (int i = 0; i < 256; ++i) {
        SETCOLOURS(i == 0 ? 16 : i, i == 0 ? 16 : i);
        BOXFILL(0.1f * (i % 128), i < 128 ? 0.1f : 0.5f, 0.1f * (i % 128) + 0.08f, i < 128 ? 0.4f : 0.8f, 100, 0);
    }
    SETCOLOURS(2, 10);
    BOXFILL(14, 1, 20, 3.5f, 33, 12);
    SETCOLOUR(200);
    TEXT(1, 2, 40, "PNG ^a^b<2 \xC4\xE9", 0);
    const float x[] = {1, 5, 9, 13};
    const float y[] = {1.2f, 3.8f, 1.2f, 3.8f};
    float phase = 0;
    SETCOLOUR(3);
    PLOTL(x, y, 4, 1, 0, 2, 30, 0, &phase);
}

TEST_F(PlotTest, PngPageHasThePageColoursIsSmallerThanItsBmpAndFailsCleanly) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
    DrawSamplePage();
    const std::vector<unsigned char> page(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize);
    const int width = PlotState.imageWidth;
    const int height = PlotState.imageHeight;

    ASSERT_EQ(WRITEPNG("page.png"), 0);
    EXPECT_EQ(std::vector<unsigned char>(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize), page)
        << "writing the PNG changed the page";
    const std::vector<unsigned char> png = ReadAll("page.png");
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png[24], 8) << "bit depth";
    EXPECT_EQ(png[25], 3) << "colour type: palette";

    ASSERT_EQ(std::system("convert page.png -depth 8 rgb:page.rgb"), 0);
    const std::vector<unsigned char> rgb = ReadAll("page.rgb");
    ASSERT_EQ(rgb.size(), static_cast<size_t>(3 * width * height));
    int wrong = 0;
    for (int top = 0; top < height; ++top) {
        for (int col = 0; col < width; ++col) {
            const uint32_t colour = PlotState.palette[page[col + width * (height - 1 - top)]];
            const unsigned char* got = &rgb[std::size_t{3} * (col + width * top)];
            const uint32_t decoded = PACKRGB(got[0], got[1], got[2]);
            if (decoded != colour && wrong++ < 5) {
                ADD_FAILURE() << "pixel " << col << "," << top << " from the top: " << std::hex << decoded
                              << " instead of " << colour;
            }
        }
    }
    EXPECT_EQ(wrong, 0);

    std::strcpy(PlotState.fileName, "page.bmp");
    PlotState.exportPending = 1;
    ASSERT_EQ(PLOTCLOSE(), 0);
    const auto bmpSize = fs::file_size("page.bmp");
    EXPECT_LT(png.size() * 10, bmpSize) << "PNG " << png.size() << " bytes, BMP " << bmpSize;

    // Failures: no directory, a directory in the way, no page image.  Each is
    // reported through the output hook with -1 and leaves no file behind.
    fs::create_directory("in-the-way.png");
    const auto before = std::distance(fs::directory_iterator("."), fs::directory_iterator());
    PlotOutputCapture console;
    EXPECT_EQ(WRITEPNG("no-such-dir/page.png"), -1);
    EXPECT_EQ(WRITEPNG("in-the-way.png"), -1);
    EXPECT_TRUE(fs::is_directory("in-the-way.png"));
    PlotReleasePage();
    EXPECT_EQ(WRITEPNG("nothing.png"), -1);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), before);
    for (const char* name : {"no-such-dir/page.png", "in-the-way.png", "nothing.png"}) {
        EXPECT_NE(console.Errors().find(name), std::string::npos) << console.Errors();
    }
}

}  // namespace
