// setup.cpp - opening the library, the page set-up, the colour palette and
// the figure layout that turns a page size into pixel sizes and scales.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plot/host.h"
#include "plot/internal.h"
#include "plot/plot.h"

using plot_internal::CopyText;
using plot_internal::TruncToInt;

namespace {

// Palette entries 1..31 (red, green, blue); 0 and 32..255 are greys.
constexpr unsigned char kNamedColours[31][3] = {
    {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255},     {255, 255, 0},
    {0, 255, 255},   {255, 0, 255},   {200, 200, 200}, {112, 28, 0},    {0, 115, 26},
    {102, 209, 255}, {0, 0, 128},     {247, 45, 0},    {102, 0, 102},   {240, 240, 240},
    {0, 0, 0},       {247, 247, 247}, {240, 240, 240}, {223, 223, 223}, {192, 192, 192},
    {128, 128, 128}, {64, 64, 64},    {153, 230, 255}, {102, 209, 255}, {255, 204, 204},
    {255, 179, 179}, {192, 255, 192}, {128, 255, 128}, {255, 255, 128}, {255, 255, 192},
    {255, 192, 255},
};

// The page image this library allocated, so that a later, larger figure
// can tell whether the image it finds is big enough.
unsigned char* g_ownImage = nullptr;
std::size_t g_ownImageSize = 0;

// Keeps the figure's pixel sizes within what one image can sensibly hold
// (and within int arithmetic), whatever screen size or page size came in.
constexpr int kMaxFigurePixels = 16384;

int FigurePixels(float extent) {
    int pixels = TruncToInt(extent);
    if (pixels < 1) pixels = 1;
    if (pixels > kMaxFigurePixels) pixels = kMaxFigurePixels;
    return pixels;
}

// Pixels per page unit for a page of the given size.
float PixelScale(float width, float height) {
    const PlotStateRecord& s = PlotState;
    if (!s.fitToScreen) return 38.0f;
    const float a = (s.screenWidth - 16) / width;
    const float b = (s.screenHeight - 110) / height;
    return a < b ? a : b;
}

// Clip window, image sizes and the BMP header fields from the figure size.
void SizeImage() {
    PlotStateRecord& s = PlotState;
    s.clipXMin = 0;
    s.clipYMin = 0;
    s.clipXEnd = s.figurePixelWidth;
    s.clipYEnd = s.figurePixelHeight;
    s.exportPending = 0;
    s.imageWidth = (s.figurePixelWidth + 3) / 4 * 4;
    s.imageHeight = s.figurePixelHeight;
    s.imageSize = s.imageWidth * s.imageHeight;
    s.bmpHeader.width = s.imageWidth;
    s.bmpHeader.height = s.imageHeight;
    s.bmpHeader.imageSizeBytes = static_cast<uint32_t>(s.imageSize);
}

bool ImageTooBigForView() {
    const PlotStateRecord& s = PlotState;
    return s.imageWidth > s.viewWidth - 3 || s.imageHeight > s.viewHeight - 23;
}

// A page image at least imageSize bytes large: the first figure allocates
// it; a later figure that outgrows it gets a new one (the views that borrow
// it are told), an image of ours that is big enough is reused unchanged.
// A buffer the program put there is never drawn into by a new figure: its
// size is unknown, and it stays the program's.
void ProvidePageImage() {
    PlotStateRecord& s = PlotState;
    const std::size_t needed = static_cast<std::size_t>(s.imageSize);
    const bool ours = s.pagePixels != nullptr && s.pagePixels == g_ownImage;
    if (ours && g_ownImageSize >= needed) return;
    const bool replacing = s.pagePixels != nullptr;
    if (ours) std::free(s.pagePixels);
    s.pagePixels = static_cast<unsigned char*>(std::malloc(needed ? needed : 1));
    g_ownImage = s.pagePixels;
    g_ownImageSize = needed;
    if (replacing && PlotGetHost().pageImageReplaced) PlotGetHost().pageImageReplaced();
}

}  // namespace

void PlotReleasePage() {
    PlotStateRecord& s = PlotState;
    ++plot_internal::g_pageGeneration;
    if (s.pagePixels != nullptr && s.pagePixels == g_ownImage) {
        std::free(g_ownImage);
        g_ownImage = nullptr;
        g_ownImageSize = 0;
    }
    s.pagePixels = nullptr;
}

uint32_t PACKRGB(int red, int green, int blue) {
    const auto byte = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return (byte(red) << 16) | (byte(green) << 8) | byte(blue);
}

void COPYWORDS(const uint32_t* source, uint32_t* destination, int count) {
    if (count > 0) {
        for (int i = 0; i < count; ++i) destination[i] = source[i];
    } else {
        for (int i = -count - 1; i >= 0; --i) destination[i] = source[i];  // for overlaps
    }
}

int PLOTOPEN(int mode, const char* plotFileName, const char* windowTitle, const char* baseName) {
    PlotStateRecord& s = PlotState;
    CopyText(s.fileName, sizeof s.fileName,
             plotFileName && plotFileName[0] ? plotFileName : "bmp000.bmp");
    CopyText(s.plotTitle, sizeof s.plotTitle, windowTitle);
    CopyText(s.plotName, sizeof s.plotName, baseName);

    s.pageWidth = 25;
    s.pageHeight = 17;
    s.userXMin = 0;
    s.userXMax = 25;
    s.userYMin = 0;
    s.userYMax = 17;
    s.userToPageX = 1;
    s.userToPageY = 1;

    s.penColour = 0;
    s.fillColour = 0;
    s.fontNumber = 0;
    s.linePixels = 0;
    s.lineWeight = 25;
    s.hatchSpacing = 30;
    s.fillStyle = 64;

    s.plotStatus = kPlotOpen;
    s.setupFlags = 8;
    CopyText(s.titleText, sizeof s.titleText, "Plot Open");
    s.defaultColour = 12;
    s.backgroundColour = 1;

    ZEROWORDS(s.palette, 256);
    for (int i = 0; i < 256; ++i) s.palette[i] = PACKRGB(i, i, i);
    for (int i = 1; i <= 31; ++i) {
        const unsigned char* c = kNamedColours[i - 1];
        s.palette[i] = PACKRGB(c[0], c[1], c[2]);
    }
    s.paletteSize = 256;

    s.viewWidth = 0;  // the next figure lays the view out anew
    s.viewHeight = 0;
    s.frameWidth = 0;
    s.frameHeight = 0;

    s.bmpHeader = PlotBmpHeader{};
    s.bmpHeader.coloursUsed = 256;
    s.bmpHeader.coloursImportant = 256;
    s.bmpHeader.dataOffset = 4 * s.paletteSize + 54;
    s.bmpHeader.infoHeaderSize = 40;
    s.bmpHeader.planes = 1;
    s.bmpHeader.bitsPerPixel = 8;
    BLANKFILL(reinterpret_cast<char*>(s.bmpFileHead), 10);
    std::memcpy(s.bmpFileHead, "BM", 3);

    s.lineShape = kLineShapeBlock;
    s.pagePixels = nullptr;  // the old image stays with its owner, the view
    g_ownImage = nullptr;
    g_ownImageSize = 0;
    s.fitToScreen = (mode & 2) ? 1 : 0;
    PlotGetHost().screenSize(&s.screenWidth, &s.screenHeight);

    plot_internal::ClosePlotFile();  // one left open by an earlier figure change
    s.fileMode = 2;
    s.fileCounter = 0;
    NEXTFILENAME();

    s.savedPenBlock = s.penBlock();
    return 0;
}

int PAGESETUP(float x0, float y0, float x1, float y1, float width, float height, int flags) {
    PlotStateRecord& s = PlotState;
    s.setupFlags = flags & 31;
    if (flags & 1) s.setupFlags = flags & 29;
    if (width != 0) s.pageWidth = width <= 3.0f ? 3.0f : width >= 99.99f ? 99.99f : width;
    if (height != 0) s.pageHeight = height <= 1.0f ? 1.0f : height >= 99.99f ? 99.99f : height;
    // NaN is neither above nor below a bound; it gets the smallest page.
    if (s.pageWidth != s.pageWidth) s.pageWidth = 3.0f;
    if (s.pageHeight != s.pageHeight) s.pageHeight = 1.0f;
    return FRAME(x0, y0, x1, y1) < 0 ? -1 : 0;
}

namespace plot_internal {

void LayoutFigure(bool isNFrame) {
    PlotStateRecord& s = PlotState;
    ++g_pageGeneration;
    float scale;
    if (!isNFrame) {
        s.scaledPageWidth = s.pageWidth;
        s.scaledPageHeight = s.pageHeight;
        s.lineShape = kLineShapeBlock;
        scale = PixelScale(s.pageWidth, s.pageHeight);
        s.shrinkFactor = 1.0f;
        s.figurePixelWidth = FigurePixels(s.pageWidth * scale);
        s.figurePixelHeight = FigurePixels(s.pageHeight * scale);
    } else {
        scale = PixelScale(s.scaledPageWidth, s.scaledPageHeight);
    }
    SizeImage();

    if (s.viewWidth == 0) {  // first figure since open: lay the view out
        const int capWidth = isNFrame ? 1000 : 1588;
        const int capHeight = isNFrame ? 750 : 1238;
        s.viewWidth = s.imageWidth + 4;
        s.viewHeight = s.imageHeight + 24;
        s.frameWidth = s.viewWidth >= capWidth ? capWidth : s.viewWidth;
        s.frameHeight = s.viewHeight >= capHeight ? capHeight : s.viewHeight;
    }

    // Shrink the figure in steps of 10 % until it fits the view.  The sizes
    // never go below one pixel, so the loop also ends for a tiny view.
    while (ImageTooBigForView() && (s.figurePixelWidth > 1 || s.figurePixelHeight > 1)) {
        if (isNFrame) {
            plot_internal::Print(PlotStream::Output, "Bild passt nicht in Datei - %d %d\n", 2000000, s.imageSize);
        } else {
            plot_internal::ShowMessage("Bild passt nicht in Datei");
        }
        s.shrinkFactor = s.shrinkFactor * 0.9f;
        s.scaledPageWidth = s.shrinkFactor * s.pageWidth;
        s.scaledPageHeight = s.shrinkFactor * s.pageHeight;
        s.figurePixelWidth = FigurePixels(s.scaledPageWidth * scale);
        s.figurePixelHeight = FigurePixels(s.scaledPageHeight * scale);
        SizeImage();
    }
    if (isNFrame) {
        plot_internal::Print(PlotStream::Output, "Dimensions %d %d %d\n", s.imageWidth, s.imageHeight, s.imageSize);
    }

    ProvidePageImage();

    s.pixelsPerUnitX = s.imageWidth * s.shrinkFactor / s.scaledPageWidth;
    s.pixelsPerUnitY = s.imageHeight * s.shrinkFactor / s.scaledPageHeight;
    s.stepX = static_cast<float>(0.999 / s.pixelsPerUnitX);
    s.stepY = static_cast<float>(0.999 / s.pixelsPerUnitY);
}

void ClearPage() {
    PlotStateRecord& s = PlotState;
    ++g_pageGeneration;
    if (s.pagePixels) {
        std::memset(s.pagePixels, static_cast<unsigned char>(s.backgroundColour),
                    static_cast<std::size_t>(s.imageSize));
    }
    s.dirtyLeft = 0;
    s.dirtyRight = s.imageWidth - 1;
    s.dirtyTop = 0;
    s.dirtyBottom = s.imageHeight - 1;
    if (g_collectingParts) NoteChangePart(0, 0, s.imageWidth - 1, s.imageHeight - 1);
}

}  // namespace plot_internal
