// plotstate.h - the plot library's one process-wide record.
//
// Every plot operation reads and writes `PlotState` directly, and so may the
// programs that draw with the library (the view reads the page image and its
// sizes, the demonstration reads the scale).  The record is a plain aggregate:
// zero-filled at process start, no constructor, no destructor.  A test may
// reset it with `PlotState = PlotStateRecord{};`.
//
// Coordinate levels: user units (the caller's numbers, mapped by SETWINDOW),
// page units (0..pageWidth across, 0..pageHeight up) and pixels of the page
// image (row 0 is the bottom row).
#pragma once

#include <cstdint>
#include <cstdio>

class COskView;  // the shell's view; the library only stores the pointer

// The pen settings that are saved when a plot's first figure starts and
// restored at every new figure.
struct PlotPenBlock {
    int penColour;     // palette index for lines, points and text
    int fillColour;    // palette index for solid fills and hatching
    int fontNumber;    // stroke-font selector
    int lineWeight;    // 5..200; every started 25 adds a pixel of thickness
    int linePixels;    // 1..3 (0 right after open, drawn as 1)
    int hatchSpacing;  // hatch line distance, hundredths of a page unit
    int fillStyle;     // box style bits (octal digits of the style argument)
};

// The 44 bytes that follow the first ten bytes of a BMP file: the pixel-data
// offset and the 40-byte info header, in file order (little-endian host).
struct PlotBmpHeader {
    uint32_t dataOffset;        // 54 + 4 * paletteSize
    uint32_t infoHeaderSize;    // 40
    int32_t  width;             // imageWidth
    int32_t  height;            // imageHeight (positive: bottom row first)
    uint16_t planes;            // 1
    uint16_t bitsPerPixel;      // 8
    uint32_t compression;       // 0
    uint32_t imageSizeBytes;    // imageSize
    int32_t  xPixelsPerMetre;   // 0
    int32_t  yPixelsPerMetre;   // 0
    uint32_t coloursUsed;       // 256
    uint32_t coloursImportant;  // 256
};
static_assert(sizeof(PlotBmpHeader) == 44, "BMP header block must be 44 bytes");

// The live pen block is the record's base: its fields are reachable one by
// one (PlotState.penColour) and as one unit (PlotState.penBlock()).
struct PlotStateRecord : PlotPenBlock {
    PlotPenBlock& penBlock() { return *this; }
    const PlotPenBlock& penBlock() const { return *this; }

    // ---- status and files -------------------------------------------------
    int plotStatus;         // 0 never opened, 2 open, 5 figure in progress
    int setupFlags;         // last PAGESETUP flags (kept, read by nobody)
    int fitToScreen;        // 1: pixel scale from the screen size
    int screenWidth;        // screen size in pixels, read at open
    int screenHeight;
    int fileMode;           // how FRAME closes and reopens the plot file
    char titleText[130];    // text of the title strip above the page (UTF-8)
    char plotTitle[80];     // window title given to PLOTOPEN
    char plotName[32];      // base name given to PLOTOPEN
    char fileName[212];     // plot-file name, numbered by NEXTFILENAME
    std::FILE* plotFile;    // the open plot file, or null
    int exportPending;      // page export armed
    int fileCounter;        // file numbering: last number used
    int numberPos;          // file numbering: where the number goes

    // ---- page, scale and sizes -------------------------------------------
    float pageWidth, pageHeight;              // page units
    float userXMin, userXMax, userYMin, userYMax;
    float userToPageX, userToPageY;           // page units per user unit
    float pageToUserX, pageToUserY;           // user units per page unit
    float shrinkFactor;                       // 0.9^n while a figure does not fit
    float scaledPageWidth, scaledPageHeight;  // page size times shrinkFactor
    int figurePixelWidth, figurePixelHeight;  // figure size before row padding
    int imageWidth, imageHeight;              // page image (width multiple of 4)
    int imageSize;                            // imageWidth * imageHeight
    float pixelsPerUnitX, pixelsPerUnitY;
    float stepX, stepY;                       // 0.999 pixel in page units
    int clipXMin, clipYMin, clipXEnd, clipYEnd;
    int viewWidth, viewHeight;                // scroll size of the view
    int frameWidth, frameHeight;              // initial main-window size
    int lineShape;                            // thick-dot shape selector (7)

    // ---- pen and colours -------------------------------------------------
    PlotPenBlock savedPenBlock;     // the live pen block is the base above
    int defaultColour;       // pen and fill at each new figure
    int backgroundColour;    // colour of a cleared page; stands in for fill 0
    uint32_t palette[256];   // 0x00RRGGBB (bytes blue, green, red, 0)
    int paletteSize;         // 256

    // ---- page image -------------------------------------------------------
    unsigned char bmpFileHead[10];  // "BM", file size, reserved
    PlotBmpHeader bmpHeader;        // data offset and info header
    unsigned char* pagePixels;      // imageSize bytes, bottom row first
    int dirtyLeft, dirtyRight;      // changed columns since the last flush
    int dirtyTop, dirtyBottom;      // changed rows, counted from the top

    // ---- pen position and line raster --------------------------------------
    float penX, penY;               // current point, page units
    int penDrawn;                   // 1 after a draw, 0 after a move
    float lastPlotX, lastPlotY;     // point of the previous PLOT call

    // ---- polylines -----------------------------------------------------------
    float rectX[5], rectY[5];       // PLOTRECT's corner buffers

    // ---- text transform ------------------------------------------------------
    float textCos, textSin;         // base-line direction
    float uprightCos, uprightSin;   // slanted upright direction
    float gridX, gridY;             // glyph grid units, page units
    float glyphOriginX, glyphOriginY;

    // ---- shell: view, message pump and mouse --------------------------------
    COskView* plotView;             // the view that shows the page
    int runMode;                    // 0 none, 1 wait for a click, 2 poll
    int mouseMask;                  // enabled input kinds (bits 1, 2, 4)
    int leftClickX, leftClickY;     // last left press, page pixels from top-left
    int rightClickX, rightClickY;   // last right press
};

extern PlotStateRecord PlotState;

// Values of plotStatus: a figure is in progress when (plotStatus & 3) == 1.
inline constexpr int kPlotNeverOpened = 0;
inline constexpr int kPlotOpen = 2;
inline constexpr int kPlotFigureInProgress = 5;

// Values of lineShape: thick dots as whole blocks, or only their lower rows.
inline constexpr int kLineShapeBlock = 7;
inline constexpr int kLineShapeFlat = 6;

// Values of runMode (the shell's message pump).
inline constexpr int kRunModeNone = 0;
inline constexpr int kRunModeWaitForClick = 1;
inline constexpr int kRunModePoll = 2;
