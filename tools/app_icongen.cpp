// icongen - writes the desktop icons from the application's icon resource.
//
//   icongen OUTDIR
//   icongen --windows OUTDIR VERSION
//
// OUTDIR/scalable/apps/osk.svg: the 32 x 32 icon as crisp vector squares,
// and OUTDIR/NxN/apps/osk.png for the hicolor theme sizes.  The resource in
// res/ is the one drawing; the build runs this tool so that the installed
// icons can never drift from the window icon.
//
// With --windows: OUTDIR/osk.ico (16 to 128 pixels) and OUTDIR/osk.rc, the
// executable's icon and version resource from the resource record; VERSION
// is the project's, which the record must agree with.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

constexpr std::array<int, 7> kPngSizes = {16, 24, 32, 48, 64, 128, 256};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;  // rows top to bottom
};

// ---- Resampling: area average over premultiplied colour, so that a
// transparent neighbour does not darken an edge.

// Coverage of the source span [i, i + 1) by the target pixel's span [lo, hi).
double Overlap(int i, double lo, double hi) {
    const double a = std::max(lo, static_cast<double>(i));
    const double b = std::min(hi, static_cast<double>(i + 1));
    return b > a ? b - a : 0.0;
}

Image Resample(const ResIcon& icon, int size) {
    Image out{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size)};
    const double sx = static_cast<double>(icon.width) / size;
    const double sy = static_cast<double>(icon.height) / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};  // alpha, premultiplied red, green, blue
            double area = 0;
            for (int j = static_cast<int>(y * sy); j < icon.height && j < (y + 1) * sy; ++j) {
                const double wy = Overlap(j, y * sy, (y + 1) * sy);
                for (int i = static_cast<int>(x * sx); i < icon.width && i < (x + 1) * sx; ++i) {
                    const double w = wy * Overlap(i, x * sx, (x + 1) * sx);
                    const std::uint32_t p = icon.pixels[static_cast<std::size_t>(j * icon.width + i)];
                    const double alpha = (p >> 24) / 255.0;
                    sum[0] += w * alpha;
                    for (int c = 0; c < 3; ++c) sum[1 + c] += w * alpha * ((p >> (16 - 8 * c)) & 0xFF);
                    area += w;
                }
            }
            std::uint32_t pixel = 0;
            if (sum[0] > 0) {
                pixel = static_cast<std::uint32_t>(std::lround(sum[0] / area * 255.0)) << 24;
                for (int c = 0; c < 3; ++c) {
                    pixel |= static_cast<std::uint32_t>(std::lround(sum[1 + c] / sum[0])) << (16 - 8 * c);
                }
            }
            out.argb[static_cast<std::size_t>(y) * size + x] = pixel;
        }
    }
    return out;
}

// ---- PNG: RGBA, 8 bits, one zlib stream of stored (uncompressed) blocks.

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
    PutBigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutBigEndian(png, Crc32(typed.data(), typed.size()));
}

std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;  // Adler-32
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);
    return z;
}

std::vector<std::uint8_t> EncodePng(const Image& image) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.argb[static_cast<std::size_t>(y) * image.width + x];
            raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
        }
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", {});
    return png;
}

// ---- SVG: one path per colour, each row's runs of that colour as rectangles.

std::string EncodeSvg(const ResIcon& icon) {
    std::map<std::uint32_t, std::string> paths;
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width;) {
            const std::uint32_t p = icon.pixels[static_cast<std::size_t>(y * icon.width + x)];
            int end = x + 1;
            while (end < icon.width && icon.pixels[static_cast<std::size_t>(y * icon.width + end)] == p) ++end;
            if (p >> 24) {
                char run[64];
                std::snprintf(run, sizeof run, "M%d %dh%dv1h-%dz", x, y, end - x, end - x);
                paths[p] += run;
            }
            x = end;
        }
    }
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << icon.width << "\" height=\"" << icon.height
        << "\" viewBox=\"0 0 " << icon.width << " " << icon.height << "\" shape-rendering=\"crispEdges\">\n";
    for (const auto& [argb, d] : paths) {
        char fill[64];
        std::snprintf(fill, sizeof fill, "fill=\"#%06X\"", argb & 0xFFFFFFu);
        svg << "  <path " << fill;
        if ((argb >> 24) != 0xFF) svg << " fill-opacity=\"" << (argb >> 24) / 255.0 << "\"";
        svg << " d=\"" << d << "\"/>\n";
    }
    svg << "</svg>\n";
    return svg.str();
}

// ---- Windows: an icon file of PNG images, and the resource script.

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::vector<std::uint8_t> EncodeIco(const ResIcon& icon) {
    constexpr std::array<int, 6> kSizes = {16, 24, 32, 48, 64, 128};  // PNG stored uncompressed: no 256
    std::vector<std::vector<std::uint8_t>> images;
    images.reserve(kSizes.size());
    for (int size : kSizes) images.push_back(EncodePng(Resample(icon, size)));
    std::vector<std::uint8_t> ico;
    PutLittleEndian(ico, 0, 2);  // reserved
    PutLittleEndian(ico, 1, 2);  // an icon
    PutLittleEndian(ico, kSizes.size(), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * kSizes.size());
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        ico.push_back(static_cast<std::uint8_t>(kSizes[i]));
        ico.push_back(static_cast<std::uint8_t>(kSizes[i]));
        PutLittleEndian(ico, 0, 2);   // no palette, reserved
        PutLittleEndian(ico, 1, 2);   // planes
        PutLittleEndian(ico, 32, 2);  // bits per pixel
        PutLittleEndian(ico, static_cast<std::uint32_t>(images[i].size()), 4);
        PutLittleEndian(ico, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

// A UTF-8 text as a resource compiler's wide string literal.
std::string WideLiteral(const char* utf8) {
    std::string out = "L\"";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8 ? utf8 : ""); *p;) {
        unsigned code = *p++;
        int more = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
        if (more) code &= 0x3Fu >> more;
        for (; more > 0 && (*p & 0xC0) == 0x80; --more) code = (code << 6) | (*p++ & 0x3Fu);
        char unit[16];
        if (code == '"') {
            out += "\"\"";
        } else if (code >= 0x20 && code < 0x7F && code != '\\') {
            out += static_cast<char>(code);
        } else if (code < 0x10000) {
            std::snprintf(unit, sizeof unit, "\\x%04x", code);
            out += unit;
        } else {  // a surrogate pair
            code -= 0x10000;
            std::snprintf(unit, sizeof unit, "\\x%04x\\x%04x", 0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF));
            out += unit;
        }
    }
    return out + "\"";
}

std::string EncodeRc(const ResourceTable& table, const std::string& version) {
    const ResVersion& v = *table.version;
    char numbers[64], text[64], block[16], translation[32];
    std::snprintf(numbers, sizeof numbers, "%u,%u,%u,%u", v.fileVersion[0], v.fileVersion[1], v.fileVersion[2],
                  v.fileVersion[3]);
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", v.fileVersion[0], v.fileVersion[1], v.fileVersion[2],
                  v.fileVersion[3]);
    std::snprintf(block, sizeof block, "%04X04B0", table.language);  // the language, UTF-16
    std::snprintf(translation, sizeof translation, "0x%04X, 1200", table.language);
    std::ostringstream rc;
    rc << "// Written by icongen --windows from the resource record in res/.\n"
       << "#pragma code_page(65001)\n"
       << table.icon->id << " ICON \"osk.ico\"\n"
       << "1 VERSIONINFO\nFILEVERSION " << numbers << "\nPRODUCTVERSION " << numbers
       << "\nFILEOS 0x40004\nFILETYPE 0x1\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"" << block
       << "\"\n    BEGIN\n"
       << "      VALUE \"FileDescription\", " << WideLiteral(v.fileDescription) << "\n"
       << "      VALUE \"FileVersion\", " << WideLiteral(version.c_str()) << "\n"
       << "      VALUE \"InternalName\", " << WideLiteral(v.internalName) << "\n"
       << "      VALUE \"OriginalFilename\", " << WideLiteral(v.originalFileName) << "\n"
       << "      VALUE \"ProductName\", " << WideLiteral(v.productName) << "\n"
       << "      VALUE \"ProductVersion\", " << WideLiteral(version.c_str()) << "\n"
       << "    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", " << translation
       << "\n  END\nEND\n";
    if (std::string(text) != version) return {};
    return rc.str();
}

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

}  // namespace

int WriteWindowsResources(const std::filesystem::path& dir, const std::string& version) {
    const std::string rc = EncodeRc(kOskResources, version);
    if (rc.empty()) {
        const unsigned short* v = kOskResources.version->fileVersion;
        std::fprintf(stderr, "icongen: the version record says %u.%u.%u.%u, the project %s\n", v[0], v[1], v[2],
                     v[3], version.c_str());
        return 1;
    }
    const std::vector<std::uint8_t> ico = EncodeIco(*kOskResources.icon);
    if (!WriteFile(dir / "osk.ico", ico.data(), ico.size()) || !WriteFile(dir / "osk.rc", rc.data(), rc.size())) {
        std::fprintf(stderr, "icongen: cannot write under %s\n", dir.string().c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    const bool windows = argc == 4 && std::string(argv[1]) == "--windows";
    if (argc != 2 && !windows) {
        std::fprintf(stderr, "usage: icongen OUTDIR | icongen --windows OUTDIR VERSION\n");
        return 2;
    }
    const ResIcon* icon = kOskResources.icon;
    if (!icon || !icon->pixels || !kOskResources.version) {
        std::fprintf(stderr, "icongen: the application has no icon or version resource\n");
        return 1;
    }
    if (windows) return WriteWindowsResources(argv[2], argv[3]);
    const std::filesystem::path dir = argv[1];
    const std::string svg = EncodeSvg(*icon);
    bool ok = WriteFile(dir / "scalable" / "apps" / "osk.svg", svg.data(), svg.size());
    for (int size : kPngSizes) {
        const std::vector<std::uint8_t> png = EncodePng(Resample(*icon, size));
        const std::string side = std::to_string(size);
        ok = WriteFile(dir / (side + 'x' + side) / "apps" / "osk.png", png.data(), png.size()) && ok;
    }
    if (!ok) std::fprintf(stderr, "icongen: cannot write under %s\n", argv[1]);
    return ok ? 0 : 1;
}
