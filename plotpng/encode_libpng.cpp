// encode_libpng.cpp - the PNG encoding through libpng.
#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "outfile/output_file.h"
#include "plotpng/encode.h"

namespace {

// libpng's message of the failure that ended the write.
struct PngFailure {
    char text[200];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->text, sizeof failure->text, "%s", message ? message : "libpng error");
    std::longjmp(png_jmpbuf(png), 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng's output into the file; a failed write ends the encoding with the
// file's reason (the disk is full, the file too large, ...).
void WriteToFile(png_structp png, png_bytep data, png_size_t size) {
    auto* file = static_cast<OutputFile*>(png_get_io_ptr(png));
    if (!file->Write(data, size)) png_error(png, file->Error().c_str());
}

void FlushNothing(png_structp) {}

// Encodes the image into `file`.  Only plain locals live across setjmp, so
// the long jump of a libpng error skips no destructor.
bool EncodeWithLibpng(OutputFile* file, const unsigned char* pixels, int width, int height, const png_color* colours,
                      int colourCount, PngFailure* failure) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, failure, OnPngError, OnPngWarning);
    if (!png) {
        std::snprintf(failure->text, sizeof failure->text, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        if (!info) std::snprintf(failure->text, sizeof failure->text, "out of memory");
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, file, WriteToFile, FlushNothing);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, colourCount);
    png_write_info(png, info);
    // The page keeps its bottom row first; a PNG starts at the top.
    for (int row = height - 1; row >= 0; --row) {
        png_write_row(png, pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool PlotEncodePng(OutputFile* file, const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                   int colourCount, std::string& reason) {
    png_color colours[256];
    for (int i = 0; i < colourCount; ++i) {
        colours[i].red = static_cast<png_byte>(palette[i] >> 16);
        colours[i].green = static_cast<png_byte>(palette[i] >> 8);
        colours[i].blue = static_cast<png_byte>(palette[i]);
    }
    PngFailure failure{};
    const bool ok = EncodeWithLibpng(file, pixels, width, height, colours, colourCount, &failure);
    if (!ok) reason = failure.text;
    return ok;
}
