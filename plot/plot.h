// plot.h - the plot library: a procedural drawing interface with short
// upper-case operation names, rendering pixel by pixel into an 8-bit
// palette-indexed page image (see plotstate.h for the record it keeps).
//
// Reference with pictures: docs/plot.md (every operation, the PLOT codes,
// PLOTL symbols and line types, BOXFILL style bits, text control characters
// and alternate set, the palette); small programs in examples/.
//
// Typical use:
//     PLOTOPEN(0, "", "Title", "name");          // defaults, 25 x 17 page
//     PAGESETUP(0, 0, 28, 4, 28, 4, 2);          // 28 x 4 page, first figure
//     SETCOLOUR(2); PLOT(1, 1, 3); PLOT(5, 2, 2); // move, draw (page units)
//     PlotState.exportPending = 1; PLOTCLOSE();  // write the page as BMP
//     PlotReleasePage();                         // free the page image
//
// Coordinates: operations taking "user units" map through the window set by
// SETWINDOW; STROKE, PENDOT, PLOT and PLOTR take page units.  Out-of-range
// arguments are clamped, never rejected.  Results: 0 success, -1 failure.
//
// Who frees what:
//   - The page image (PlotState.pagePixels, imageSize bytes) is allocated by
//     the library at a plot's first figure; a later figure that outgrows it
//     gets a new one (the old one is freed, and a host's pageImageReplaced
//     hook is told).  It outlives PLOTCLOSE, so that the page can still be
//     shown or read.  Release it with PlotReleasePage() and with nothing
//     else: a program that uses the library alone calls it when done with
//     the page, and before PLOTOPEN opens the next plot (PLOTOPEN forgets
//     the image without freeing it, since a view may still show it).  A
//     shell whose view borrows the image releases it when the view ends.
//   - A buffer the program stored in pagePixels itself stays the program's:
//     the library never frees it and never draws a later figure into it
//     (the figure gets an image of the library's own).
//   - The record's text fields are arrays, the plot file (plotFile) is
//     opened and closed by the library; nothing else needs freeing.
//   - A file the library writes (the export, WRITEPNG) is the program's once
//     complete; until then its temporary beside it is the library's, removed
//     on any failure (outfile/output_file.h).
#pragma once

#include <cstdint>

#include "plot/plotstate.h"

// ---- opening and page set-up ------------------------------------------------
// Resets the record to its defaults; bit 1 of mode fits the page to the screen.
int      PLOTOPEN(int mode, const char* plotFileName, const char* windowTitle, const char* baseName);
// Page size (0 keeps the current one; clamped to 3..99.99 x 1..99.99), first figure.
int      PAGESETUP(float x0, float y0, float x1, float y1, float width, float height, int flags);
// Frees the page image if the library allocated it; pagePixels becomes null.
void     PlotReleasePage();
uint32_t PACKRGB(int red, int green, int blue);  // 0x00RRGGBB, each clamped to 0..255
void     COPYWORDS(const uint32_t* source, uint32_t* destination, int count);  // count<0: backwards

// ---- coordinate mapping and pixels --------------------------------------------
void     SETWINDOW(float x0, float y0, float x1, float y1);  // user window of the page
int      PIXELX(float pageX);                                // truncate, clamp to clip window
int      PIXELY(float pageY);
void     SETPIXEL(int column, int row);                      // pen colour, widens dirty rect

// ---- pens, colours, line width, timing ------------------------------------------
void     SETCOLOURS(int pen, int fill);
void     SETCOLOUR(int pen);
int      FILLCOLOUR();
void     LINEWIDTH(int weight);    // 5..200 -> 1..3 pixels
void     PLOTFLUSH();              // show the page now
double   WALLCLOCK();              // seconds since 1970, millisecond resolution
void     DELAY(double duration, double start);  // until more than duration since start

// ---- boxes and dots (user units) ---------------------------------------------------
void     BOXFILL(float x1, float y1, float x2, float y2, int style, int spacing);
void     BOX(float x1, float y1, float x2, float y2);
void     DOT(float x, float y, int size);

// ---- pen (page units) -------------------------------------------------------------
double   PAGEX(float userX);   // computed in extended precision; callers store as float
double   PAGEY(float userY);
double   USERX(float pageX);
double   USERY(float pageY);
void     STROKE(float x, float y, int pen);   // pen 1 draws, anything else moves
void     PENDOT(float x, float y);
void     PLOT(float x, float y, int code);    // 1,2 draw; 3 dot; 4-8 markers; 9-12 steps
void     PLOTR(float dx, float dy, int pen);

// ---- polylines (user units) ----------------------------------------------------------
void     PLOTL(const float* x, const float* y, int n, int increment, int symbol,
               int lineType, int dashLength, int continuation, float* phase);
void     PLOTLINE(float x1, float y1, float x2, float y2);
void     PLOTPOLY(const float* x, const float* y, int n);
void     PLOTRECT(float x1, float y1, float x2, float y2);

// ---- stroke-font text ------------------------------------------------------------------
void     TEXTG(float* x, float* y, int height, const char* text, int style, float angle,
               float slant, float factor, int writeBack, int alignment);
void     TEXT(float x, float y, int height, const char* text, int style);
void     TEXTC(float x, float y, int height, const char* text, int style, float angle,
               float slant, float factor);
// The same with the text in UTF-8: U+0000-U+00FF mean what the byte does above
// (control characters, the arrangement, Latin-1); beyond them Latin Extended-A,
// Greek and Cyrillic; a character with no glyph is drawn as a box and counted.
void TEXTGU(float* x, float* y, int height, const char* text, int style, float angle, float slant, float factor,
            int writeBack, int alignment);
void TEXTU(float x, float y, int height, const char* text, int style);  // TEXT in UTF-8
void TEXTCU(float x, float y, int height, const char* text, int style, float angle, float slant,
            float factor);  // TEXTC in UTF-8
// The language of the UTF-8 text to come ("tr", "pt_BR", ...; null or "" for
// none), for the capitals of capitals mode: Turkish and Azeri draw i as İ
// (ı as I, as everywhere).  Every language but de en es fr it nl pt sets
// all marks of capitals mode close, Latin-1 ones too.  Byte text is not
// affected.
void TEXTLANGUAGE(const char* code);
// Characters UTF-8 text drew as the box since the last reset; a non-zero
// `reset` starts the count again after reading it.
int TEXTMISSING(int reset);

// ---- helpers ---------------------------------------------------------------------------
int      OCTVALUE(int n);                      // decimal digits read as octal
void     ZEROWORDS(uint32_t* words, int count);
void     BLANKFILL(char* bytes, int count);

// ---- figures and end of plot -----------------------------------------------------------
int      FRAME(float x0, float y0, float x1, float y1);   // waits for a click first
void     NFRAME(float x0, float y0, float x1, float y1);  // new figure at once
int      PLOTCLOSE();

// ---- page export ---------------------------------------------------------------------
void     NEXTFILENAME();   // first free numbered fileName
void     WRITEPAGE();      // the page as an 8-bit BMP into plotFile
// The page as PNG: WRITEPNG in plotpng/plotpng.h (a module of its own, as it
// needs libpng).
