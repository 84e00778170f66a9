// Page set-up, figure layout, window mapping, pixel access, colours and the
// figure life cycle.
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/plot_support.h"

namespace {

void ScreenOf1026x2000(int* w, int* h) {
    *w = 1026;
    *h = 2000;
}

TEST_F(PlotTest, ProgramPageFitsThe1024x768Screen) {
    EXPECT_EQ(PlotState.figurePixelWidth, 1008);
    EXPECT_EQ(PlotState.figurePixelHeight, 144);
    EXPECT_EQ(PlotState.imageWidth, 1008);
    EXPECT_EQ(PlotState.imageSize, 1008 * 144);
    EXPECT_EQ(PlotState.viewWidth, 1012);
    EXPECT_EQ(PlotState.viewHeight, 168);
    EXPECT_EQ(PlotState.frameWidth, 1012);
    EXPECT_EQ(PlotState.frameHeight, 168);
    EXPECT_FLOAT_EQ(PlotState.pixelsPerUnitX, 36.0f);
    EXPECT_FLOAT_EQ(PlotState.pixelsPerUnitY, 36.0f);
    EXPECT_FLOAT_EQ(PlotState.stepX, 0.999f / 36.0f);
    EXPECT_EQ(PlotState.plotStatus, 5);
    EXPECT_STREQ(PlotState.titleText, "Frame - New Figure");
    EXPECT_EQ(PlotState.bmpHeader.width, 1008);
    EXPECT_EQ(PlotState.bmpHeader.height, 144);
}

TEST_F(PlotTest, WithoutFittingAPageUnitIs38Pixels) {
    OpenProgramPage(false);
    EXPECT_EQ(PlotState.figurePixelWidth, 1064);
    EXPECT_EQ(PlotState.figurePixelHeight, 152);
    EXPECT_EQ(PlotState.imageWidth, 1064);
    EXPECT_EQ(PlotState.viewWidth, 1068);
    EXPECT_EQ(PlotState.viewHeight, 176);
    EXPECT_EQ(PlotState.frameWidth, 1068);
    EXPECT_EQ(PlotState.frameHeight, 176);
}

TEST_F(PlotTest, PaddedRowsWidenTheXScaleButNotTheClipWindow) {
    PlotHost host{};
    host.screenSize = ScreenOf1026x2000;
    PlotSetHost(&host);
    ReopenPlot(2, "", "t", "n");
    PAGESETUP(0, 0, 0, 0, 10.0f, 4.0f, 0);  // u = min(1010/10, 1890/4) = 101
    EXPECT_EQ(PlotState.figurePixelWidth, 1010);
    EXPECT_EQ(PlotState.imageWidth, 1012);
    EXPECT_EQ(PlotState.clipXEnd, 1010);
    EXPECT_FLOAT_EQ(PlotState.pixelsPerUnitX, 101.2f);
    EXPECT_EQ(PIXELX(PlotState.pageWidth), 1009);  // last figure column, not padding
}

TEST_F(PlotTest, PageSetupClampsSizesAndFlags) {
    PAGESETUP(0, 0, 0, 0, 0, 0, 3);
    EXPECT_FLOAT_EQ(PlotState.pageWidth, 28.0f);  // 0 keeps the size
    EXPECT_EQ(PlotState.setupFlags, 1);
    PAGESETUP(0, 0, 0, 0, 2, 0.5f, 34);
    EXPECT_FLOAT_EQ(PlotState.pageWidth, 3.0f);
    EXPECT_FLOAT_EQ(PlotState.pageHeight, 1.0f);
    EXPECT_EQ(PlotState.setupFlags, 2);
    PAGESETUP(0, 0, 0, 0, 150, std::numeric_limits<float>::quiet_NaN(), 0);
    EXPECT_FLOAT_EQ(PlotState.pageWidth, 99.99f);
    EXPECT_FLOAT_EQ(PlotState.pageHeight, 1.0f);
}

TEST_F(PlotTest, OpenResetsTheRecordAndBuildsThePalette) {
    ReopenPlot(0, "", "A window title", "base");
    EXPECT_STREQ(PlotState.fileName, "bmp000.bmp");
    EXPECT_STREQ(PlotState.titleText, "Plot Open");
    EXPECT_EQ(PlotState.plotStatus, 2);
    EXPECT_EQ(PlotState.lineWeight, 25);
    EXPECT_EQ(PlotState.fillStyle, 64);
    EXPECT_EQ(PlotState.savedPenBlock.hatchSpacing, 30);
    EXPECT_EQ(PlotState.defaultColour, 12);
    EXPECT_EQ(PlotState.palette[0], 0u);
    EXPECT_EQ(PlotState.palette[1], 0xFFFFFFu);
    EXPECT_EQ(PlotState.palette[9], 0x701C00u);
    EXPECT_EQ(PlotState.palette[12], 0x000080u);
    EXPECT_EQ(PlotState.palette[31], 0xFFC0FFu);
    EXPECT_EQ(PlotState.palette[200], 0xC8C8C8u);
    EXPECT_EQ(PlotState.bmpHeader.dataOffset, 1078u);
    EXPECT_EQ(0, std::memcmp(PlotState.bmpFileHead, "BM\0       ", 10));
    EXPECT_EQ(PlotState.pagePixels, nullptr);
    EXPECT_EQ(PACKRGB(112, 28, 0), 0x00701C00u);
    EXPECT_EQ(PACKRGB(300, -5, 2147483647), 0x00FF00FFu) << "components are clamped";
}

TEST_F(PlotTest, OverlongTextsAreCutInsideTheirFields) {
    const std::string longText(500, 'x');
    ReopenPlot(0, longText.c_str(), longText.c_str(), longText.c_str());
    EXPECT_EQ(std::strlen(PlotState.fileName), sizeof PlotState.fileName - 1);
    EXPECT_EQ(std::strlen(PlotState.plotTitle), sizeof PlotState.plotTitle - 1);
    EXPECT_EQ(std::strlen(PlotState.plotName), sizeof PlotState.plotName - 1);
}

TEST(CopyWords, ForwardBackwardAndNothing) {
    uint32_t words[6] = {1, 2, 3, 4, 5, 6};
    COPYWORDS(words, words + 1, -3);  // backwards: an overlapping shift up
    EXPECT_EQ(words[1], 1u);
    EXPECT_EQ(words[2], 2u);
    EXPECT_EQ(words[3], 3u);
    uint32_t target[2] = {9, 9};
    COPYWORDS(words, target, 0);
    EXPECT_EQ(target[0], 9u);
    COPYWORDS(words, target, 2);
    EXPECT_EQ(target[1], 1u);
}

TEST_F(PlotTest, SetWindowFillsInMissingRanges) {
    SETWINDOW(0, 0, 0, 0);
    EXPECT_FLOAT_EQ(PlotState.userXMax, 28);
    EXPECT_FLOAT_EQ(PlotState.userYMax, 4);
    SETWINDOW(0, 0, 14, 0);
    EXPECT_FLOAT_EQ(PlotState.userYMax, 2);
    EXPECT_FLOAT_EQ(PlotState.userToPageX, 2);
    EXPECT_FLOAT_EQ(PlotState.userToPageY, 2);
    SETWINDOW(0, 0, 0, 2);
    EXPECT_FLOAT_EQ(PlotState.userXMax, 14);
    SETWINDOW(-1, -1, 1, 1);
    EXPECT_FLOAT_EQ(PlotState.userToPageX, 14);
    EXPECT_FLOAT_EQ(PlotState.userToPageY, 2);
    EXPECT_FLOAT_EQ(PlotState.pageToUserX, 1.0f / 14);
    EXPECT_DOUBLE_EQ(PAGEX(0), 14.0);
    EXPECT_DOUBLE_EQ(USERY(2), 0.0);
}

TEST_F(PlotTest, PixelConversionTruncatesAndClamps) {
    EXPECT_EQ(PIXELX(-3), 0);
    EXPECT_EQ(PIXELX(28), 1007);
    EXPECT_EQ(PIXELY(0.02f), 0);
    EXPECT_EQ(PIXELY(1.0f), 36);
    EXPECT_EQ(PIXELY(0.999f / 36), 0);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(PIXELX(inf), 1007);
    EXPECT_EQ(PIXELX(-inf), 0);
    EXPECT_EQ(PIXELX(1e30f), 1007);
    EXPECT_EQ(PIXELY(-1e30f), 0);
    EXPECT_EQ(PIXELY(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST_F(PlotTest, SetPixelClampsAndTracksTheChangedRectangle) {
    SETCOLOUR(2);
    SETPIXEL(-5, 1000);
    EXPECT_EQ(PixelAt(0, 143), 2);
    EXPECT_EQ(PlotState.dirtyTop, 0);
    PLOTFLUSH();  // the plain library's flush only empties the rectangle
    EXPECT_EQ(PlotState.dirtyLeft, 1007);
    EXPECT_EQ(PlotState.dirtyRight, 0);
    SETPIXEL(10, 20);
    EXPECT_EQ(PlotState.dirtyLeft, 10);
    EXPECT_EQ(PlotState.dirtyRight, 10);
    EXPECT_EQ(PlotState.dirtyTop, 123);
    EXPECT_EQ(PlotState.dirtyBottom, 123);
    SETPIXEL(2000, -7);
    EXPECT_EQ(PixelAt(1007, 0), 2);
    EXPECT_EQ(PlotState.dirtyRight, 1007);
    EXPECT_EQ(PlotState.dirtyBottom, 143);
}

TEST(SetPixelWithoutPage, DoesNothing) {
    PlotState = PlotStateRecord{};
    SETPIXEL(3, 3);  // no page image yet: must not crash
    EXPECT_EQ(PlotState.pagePixels, nullptr);
}

TEST_F(PlotTest, ColourRequestsAreClamped) {
    SETCOLOURS(300, -4);
    EXPECT_EQ(PlotState.penColour, 255);
    EXPECT_EQ(PlotState.fillColour, 1);  // fill 0 stands for the background
    SETCOLOURS(-7, 3);
    EXPECT_EQ(PlotState.penColour, 0);
    EXPECT_EQ(PlotState.fillColour, 3);
    SETCOLOURS(4, 9);
    SETCOLOUR(2);
    EXPECT_EQ(PlotState.penColour, 2);
    EXPECT_EQ(FILLCOLOUR(), 9);
}

TEST_F(PlotTest, RightAfterOpenAZeroRequestChangesNothing) {
    ReopenPlot(0, "", "", "");
    SETCOLOURS(0, 0);
    EXPECT_EQ(PlotState.fillColour, 0);
}

TEST_F(PlotTest, LineWeightsGiveOneToThreePixels) {
    const int cases[][3] = {{0, 5, 1}, {25, 25, 1}, {26, 26, 2}, {50, 50, 2}, {51, 51, 3}, {1000, 200, 3}};
    for (const auto& c : cases) {
        LINEWIDTH(c[0]);
        EXPECT_EQ(PlotState.lineWeight, c[1]) << c[0];
        EXPECT_EQ(PlotState.linePixels, c[2]) << c[0];
    }
}

TEST_F(PlotTest, NewFigureRestoresThePenBlockAndClearsThePage) {
    LINEWIDTH(50);
    SETCOLOURS(7, 8);
    PlotState.hatchSpacing = 77;
    PLOT(3, 2, 3);
    NFRAME(0, 0, 28, 4);
    EXPECT_EQ(PlotState.lineWeight, 25);
    EXPECT_EQ(PlotState.linePixels, 0);
    EXPECT_EQ(PlotState.hatchSpacing, 30);
    EXPECT_EQ(PlotState.penColour, 4);
    EXPECT_EQ(PlotState.fillColour, 4);
    EXPECT_STREQ(PlotState.titleText, "NFrame - New Figure");
    EXPECT_EQ(PixelsOfColour(1).size(), static_cast<size_t>(PlotState.imageSize));
    EXPECT_EQ(PlotState.dirtyRight, 1007);
    EXPECT_EQ(PlotState.dirtyBottom, 143);
}

int g_waits;
int CountingWait() { return ++g_waits, 0; }
int FailingWait() { return -1; }

TEST_F(PlotTest, FrameWaitsOnlyWhileAFigureIsInProgress) {
    PlotHost host{};
    host.waitForClick = CountingWait;
    PlotSetHost(&host);
    g_waits = 0;
    FRAME(0, 0, 28, 4);  // a figure is in progress: prompt and wait
    EXPECT_EQ(g_waits, 1);
    PLOTCLOSE();
    FRAME(0, 0, 28, 4);  // none in progress: no wait
    EXPECT_EQ(g_waits, 1);
    EXPECT_STREQ(PlotState.titleText, "Frame - New Figure");
}

TEST_F(PlotTest, FailedClickWaitLeavesTheFigureAlone) {
    PlotHost host{};
    host.waitForClick = FailingWait;
    PlotSetHost(&host);
    SETCOLOUR(2);
    PLOT(1, 1, 3);
    EXPECT_EQ(FRAME(0, 0, 28, 4), -1);
    EXPECT_EQ(PlotState.plotStatus, 5);
    EXPECT_EQ(PlotState.penColour, 2);
    EXPECT_STREQ(PlotState.titleText, "Another Figure to Follow - Press Any Mouse Button to Continue");
    EXPECT_FALSE(PixelsOfColour(2).empty());
}

TEST_F(PlotTest, CloseTwiceReportsTheSecond) {
    PlotOutputCapture console;
    EXPECT_EQ(PLOTCLOSE(), 0);
    EXPECT_STREQ(PlotState.titleText, "Plot Finished - Close Window to Terminate");
    EXPECT_EQ(PLOTCLOSE(), -1);
    EXPECT_EQ(console.Output(), "PLOT * Close ohne Zeichnung oder Open nach Close!\a\n");
    EXPECT_EQ(PlotState.plotStatus, 2);
}

TEST_F(PlotTest, NFrameReportsItsDimensions) {
    PlotOutputCapture console;
    NFRAME(0, 0, 28, 4);
    EXPECT_EQ(console.Output(), "Dimensions 1008 144 145152\n");
}

int g_replaced;
void CountReplaced() { ++g_replaced; }

TEST_F(PlotTest, ALargerLaterFigureGetsANewImage) {
    PlotHost host{};
    host.pageImageReplaced = CountReplaced;
    PlotSetHost(&host);
    ReopenPlot(0, "", "", "");
    PAGESETUP(0, 0, 0, 0, 3.0f, 1.0f, 0);  // 114 x 38, view 120 x 62
    ASSERT_EQ(PlotState.imageSize, 116 * 38);
    g_replaced = 0;
    PlotState.pageHeight = 1.03f;  // 39 rows still pass the fit test
    FRAME(0, 0, 0, 0);
    EXPECT_EQ(PlotState.imageHeight, 39);
    EXPECT_EQ(g_replaced, 1);
    SETCOLOUR(2);
    SETPIXEL(115, 38);  // the new top row exists
    EXPECT_EQ(PixelAt(115, 38), 2);
    EXPECT_EQ(PixelsOfColour(1).size(), static_cast<size_t>(116 * 39 - 1));
}

TEST_F(PlotTest, APageBufferOfTheProgramIsNeverDrawnIntoByANewFigureNorFreed) {
    ReopenPlot(0, "", "", "");
    std::vector<unsigned char> own(16, 7);  // far smaller than any figure
    PlotState.pagePixels = own.data();
    PAGESETUP(0, 0, 0, 0, 3.0f, 1.0f, 0);
    ASSERT_NE(PlotState.pagePixels, own.data()) << "the figure got an image of the library's own";
    EXPECT_EQ(own, std::vector<unsigned char>(16, 7));
    PlotReleasePage();
    EXPECT_EQ(PlotState.pagePixels, nullptr);
    PlotState.pagePixels = own.data();
    PlotReleasePage();  // not the library's: only forgotten (a free would crash here)
    EXPECT_EQ(PlotState.pagePixels, nullptr);
}

TEST_F(PlotTest, ShrinksWithAMessageUntilTheFigureFitsTheView) {
    // A second FRAME on a much larger page finds the view of the first.
    std::string messages;
    PlotHost host{};
    static std::string* sink;
    sink = &messages;
    host.messageBox = [](const char* text) { *sink += text, *sink += '|'; };
    PlotSetHost(&host);
    ReopenPlot(0, "", "", "");
    PAGESETUP(0, 0, 0, 0, 3.0f, 1.0f, 0);
    PlotState.pageWidth = 3.5f;  // 133 px would not fit a 120-px-wide view
    FRAME(0, 0, 0, 0);
    EXPECT_EQ(messages, "Bild passt nicht in Datei|Bild passt nicht in Datei|");
    EXPECT_NEAR(PlotState.shrinkFactor, 0.81f, 1e-6);
    EXPECT_LE(PlotState.imageWidth, PlotState.viewWidth - 3);
}

TEST(OctValue, DecimalDigitsReadAsOctal) {
    EXPECT_EQ(OCTVALUE(100), 64);
    EXPECT_EQ(OCTVALUE(200), 128);
    EXPECT_EQ(OCTVALUE(12), 10);
    EXPECT_EQ(OCTVALUE(0), 0);
    EXPECT_EQ(OCTVALUE(-100), 64);
    EXPECT_EQ(OCTVALUE(19), 1);
    EXPECT_EQ(OCTVALUE(9), 9);
    EXPECT_EQ(OCTVALUE(81), 81);
    EXPECT_EQ(OCTVALUE(std::numeric_limits<int>::min()), 021474);  // 2147483648: "21474", then an 8
}

TEST(Buffers, ZeroAndBlankFillHonourTheCount) {
    uint32_t words[3] = {7, 7, 7};
    ZEROWORDS(words, 0);
    ZEROWORDS(words, -2);
    EXPECT_EQ(words[0], 7u);
    ZEROWORDS(words, 2);
    EXPECT_EQ(words[1], 0u);
    EXPECT_EQ(words[2], 7u);
    char bytes[3] = {'a', 'b', 'c'};
    BLANKFILL(bytes, -1);
    EXPECT_EQ(bytes[0], 'a');
    BLANKFILL(bytes, 2);
    EXPECT_EQ(std::string(bytes, 3), "  c");
}

}  // namespace
