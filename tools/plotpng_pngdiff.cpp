// pngdiff - compares two 8-bit palette PNG pictures by what they show: the
// size, every pixel's palette index and the colour that index stands for.
// The file bytes do not matter (another zlib may pack them otherwise).
//
//     pngdiff EXPECTED ACTUAL [DIFF.png]
//
// Status 0 when equal; 1 with one line naming the first differing pixel
// (x, y from the top left, and both colours), and the picture DIFF.png where
// asked: the expected picture faded, the differing pixels marked in red; 2
// when a file cannot be read.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "plotpng/plotpng.h"

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;                                        // rows top first
    std::vector<std::uint32_t> palette = std::vector<std::uint32_t>(256, 0);  // 0x00RRGGBB

    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
    std::uint32_t Colour(int x, int y) const { return palette[pixels[Index(x, y)]]; }
};

bool ReadPicture(const char* name, Picture& picture, std::string& error) {
    std::FILE* file = std::fopen(name, "rb");
    if (!file) {
        error = "cannot open";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_png(png, info, PNG_TRANSFORM_PACKING, nullptr);
        png_colorp colours = nullptr;
        int count = 0;
        if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE || png_get_bit_depth(png, info) != 8 ||
            !png_get_PLTE(png, info, &colours, &count)) {
            error = "not an 8-bit palette PNG";
        } else {
            picture.width = static_cast<int>(png_get_image_width(png, info));
            picture.height = static_cast<int>(png_get_image_height(png, info));
            for (int i = 0; i < count && i < 256; ++i)
                picture.palette[i] = static_cast<std::uint32_t>(colours[i].red) << 16 |
                                     static_cast<std::uint32_t>(colours[i].green) << 8 | colours[i].blue;
            png_bytepp rows = png_get_rows(png, info);
            for (int y = 0; y < picture.height; ++y)
                picture.pixels.insert(picture.pixels.end(), rows[y], rows[y] + picture.width);
            ok = true;
        }
    } else {
        error = "not a readable PNG";
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::fclose(file);
    return ok;
}

bool Same(const Picture& expected, const Picture& actual, int x, int y) {
    return expected.pixels[expected.Index(x, y)] == actual.pixels[actual.Index(x, y)] &&
           expected.Colour(x, y) == actual.Colour(x, y);
}

// The expected picture in pale grey, every differing pixel in red inside an
// orange ring that a single pixel cannot hide in; the writer wants the rows
// bottom first.
bool WriteDiff(const char* name, const Picture& expected, const Picture& actual) {
    constexpr int kRing = 4;
    constexpr unsigned char kRed = 255, kOrange = 254;
    std::vector<std::uint32_t> palette(256);
    for (int level = 0; level < kOrange; ++level) palette[level] = 0x010101u * (192 + level / 4);
    palette[kOrange] = 0xFFA000;
    palette[kRed] = 0xFF0000;
    const int w = expected.width, h = expected.height;
    std::vector<unsigned char> image(expected.pixels.size());
    auto at = [&](int x, int y) -> unsigned char& { return image[expected.Index(x, h - 1 - y)]; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = expected.Colour(x, y);
            at(x, y) =
                static_cast<unsigned char>(((c >> 16 & 255) + (c >> 8 & 255) + (c & 255)) / 3 * (kOrange - 1) / 255);
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!Same(expected, actual, x, y))
                for (int v = std::max(0, y - kRing); v <= std::min(h - 1, y + kRing); ++v)
                    for (int u = std::max(0, x - kRing); u <= std::min(w - 1, x + kRing); ++u)
                        if (at(u, v) != kRed) at(u, v) = Same(expected, actual, u, v) ? kOrange : kRed;
    char error[256];
    if (PlotWritePngImage(name, image.data(), w, h, palette.data(), error, sizeof error)) return true;
    std::fprintf(stderr, "pngdiff: %s: %s\n", name, error);
    return false;
}

std::string Describe(const Picture& p, int x, int y) {
    char text[32];
    std::snprintf(text, sizeof text, "%d #%06X", p.pixels[p.Index(x, y)], static_cast<unsigned>(p.Colour(x, y)));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: pngdiff EXPECTED ACTUAL [DIFF.png]\n");
        return 2;
    }
    Picture expected, actual;
    for (int i : {1, 2}) {
        std::string error;
        if (!ReadPicture(argv[i], i == 1 ? expected : actual, error)) {
            std::fprintf(stderr, "pngdiff: %s: %s\n", argv[i], error.c_str());
            return 2;
        }
    }
    if (expected.width != actual.width || expected.height != actual.height) {
        std::printf("%s: now %dx%d, expected %dx%d\n", argv[1], actual.width, actual.height, expected.width,
                    expected.height);
        return 1;
    }
    long differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            if (Same(expected, actual, x, y)) continue;
            if (differing++ == 0) firstX = x, firstY = y;
        }
    }
    if (differing == 0) return 0;
    std::printf("%s: %ld differing pixels, the first at (%d, %d): now %s, expected %s (palette index #colour)\n",
                argv[1], differing, firstX, firstY, Describe(actual, firstX, firstY).c_str(),
                Describe(expected, firstX, firstY).c_str());
    if (argc == 4 && WriteDiff(argv[3], expected, actual)) std::printf("  diff picture: %s\n", argv[3]);
    return 1;
}
