#include "dib/dib.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "outfile/output_file.h"

static_assert(std::endian::native == std::endian::little,
              "colour-table words are read as little-endian blue, green, red, 0");

namespace {

// The longest header block (info header, colour table and any gap before the pixels) a file
// may ask for. A full 256-entry table needs 1064 bytes.
constexpr std::size_t kMaxHeaderBlock = std::size_t{1} << 24;
// Files are read in pieces of at most this size, so a header that promises more data than the
// file holds costs no more memory than the file itself.
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

DibMessageHook g_messageHook = nullptr;

void Report(const char* text) {
    if (g_messageHook != nullptr) {
        g_messageHook(text);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
}

std::uint16_t Load16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Load32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Store16(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void Store32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

bool SupportedBitCount(unsigned bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Bytes per row, padded to whole 32-bit words; computed wide so no width overflows it.
std::uint64_t RowBytesFor(unsigned bitCount, std::int32_t width) {
    const std::uint64_t bits = std::uint64_t{bitCount} * static_cast<std::uint64_t>(width);
    return (bits + 31) / 32 * 4;
}

// Reads until count bytes arrived or the stream has no more; returns the bytes read.
std::size_t ReadFully(DibStream& stream, void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t n = stream.Read(out + done, count - done);
        if (n == 0) break;
        done += n;
    }
    return done;
}

// Reads up to count bytes into bytes, growing it piece by piece as data arrives.
void ReadGrowing(DibStream& stream, std::vector<unsigned char>& bytes, std::uint64_t count) {
    bytes.clear();
    while (bytes.size() < count) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - bytes.size(), kReadChunk));
        const std::size_t old = bytes.size();
        bytes.resize(old + want);
        const std::size_t got = ReadFully(stream, bytes.data() + old, want);
        if (got < want) {
            bytes.resize(old + got);
            break;
        }
    }
}

void WriteOrThrowBytes(DibStream& stream, const void* data, std::size_t count) {
    if (count != 0 && stream.Write(data, count) != count) throw DibError("short write");
}

// Converts count pixels of one stored row, starting at column first, to 0xAARRGGBB.
void ConvertRow(const unsigned char* row, unsigned bitCount, const std::uint32_t* lut, int first,
                int count, std::uint32_t* out) {
    switch (bitCount) {
    case 8: {
        const unsigned char* src = row + first;
        for (int i = 0; i < count; ++i) out[i] = lut[src[i]];
        break;
    }
    case 4:
        for (int i = 0; i < count; ++i) {
            const int x = first + i;
            const unsigned b = row[x >> 1];
            out[i] = lut[(x & 1) ? (b & 15u) : (b >> 4)];
        }
        break;
    case 1:
        for (int i = 0; i < count; ++i) {
            const int x = first + i;
            out[i] = lut[(row[x >> 3] >> (7 - (x & 7))) & 1u];
        }
        break;
    case 16:
        for (int i = 0; i < count; ++i) {
            const unsigned v = Load16(row + 2 * static_cast<std::ptrdiff_t>(first + i));
            auto five = [](unsigned c) { return (c << 3) | (c >> 2); };
            out[i] = 0xFF000000u | (five((v >> 10) & 31u) << 16) | (five((v >> 5) & 31u) << 8) |
                     five(v & 31u);
        }
        break;
    case 24:
        for (int i = 0; i < count; ++i) {
            const unsigned char* p = row + 3 * static_cast<std::size_t>(first + i);
            out[i] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        }
        break;
    case 32:
        for (int i = 0; i < count; ++i) {
            out[i] = 0xFF000000u | (Load32(row + 4 * static_cast<std::size_t>(first + i)) &
                                    0x00FFFFFFu);
        }
        break;
    default:
        break;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Streams

std::size_t DibFileStream::Read(void* buffer, std::size_t count) {
    return file_ != nullptr ? std::fread(buffer, 1, count, file_) : 0;
}

std::size_t DibFileStream::Write(const void* buffer, std::size_t count) {
    return file_ != nullptr ? std::fwrite(buffer, 1, count, file_) : 0;
}

std::size_t DibOutputFileStream::Write(const void* buffer, std::size_t count) {
    return file_.Write(buffer, count) ? count : 0;
}

bool DibFileStream::Flush() {
    return file_ != nullptr && std::fflush(file_) == 0 && !std::ferror(file_);
}

std::size_t DibMemoryStream::Read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - std::min(position_, bytes_.size()));
    if (n != 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t DibMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

DibMessageHook SetDibMessageHook(DibMessageHook hook) {
    const DibMessageHook previous = g_messageHook;
    g_messageHook = hook;
    return previous;
}

// ---------------------------------------------------------------------------------------------
// CDib

CDib::CDib() { Empty(); }

CDib::~CDib() { Empty(); }

void CDib::Empty() {
    // Only what this object allocated is released; an assigned image is simply forgotten.
    std::vector<std::uint32_t>().swap(header_);
    std::vector<unsigned char>().swap(ownedImage_);
    std::vector<DibPaletteEntry>().swap(palette_);
    headerSize_ = 0;
    headerOwned_ = 0;
    imageOwned_ = 0;
    imageSize_ = 0;
    colourEntries_ = 0;
    colourTable = nullptr;
    image = nullptr;
}

void CDib::AllocateHeader(std::size_t bytes) {
    header_.assign((bytes + 3) / 4, 0);
    headerSize_ = bytes;
    headerOwned_ = 1;
}

DibInfoHeader CDib::InfoHeader() const {
    DibInfoHeader info;
    if (headerSize_ < kDibInfoHeaderSize) return info;
    const unsigned char* p = HeaderBytes();
    info.size = Load32(p);
    info.width = static_cast<std::int32_t>(Load32(p + 4));
    info.height = static_cast<std::int32_t>(Load32(p + 8));
    info.planes = Load16(p + 12);
    info.bitCount = Load16(p + 14);
    info.compression = Load32(p + 16);
    info.imageSize = Load32(p + 20);
    info.xPelsPerMeter = static_cast<std::int32_t>(Load32(p + 24));
    info.yPelsPerMeter = static_cast<std::int32_t>(Load32(p + 28));
    info.coloursUsed = Load32(p + 32);
    info.coloursImportant = Load32(p + 36);
    return info;
}

void CDib::StoreInfoHeader(const DibInfoHeader& info) {
    unsigned char* p = HeaderBytes();
    Store32(p, info.size);
    Store32(p + 4, static_cast<std::uint32_t>(info.width));
    Store32(p + 8, static_cast<std::uint32_t>(info.height));
    Store16(p + 12, info.planes);
    Store16(p + 14, info.bitCount);
    Store32(p + 16, info.compression);
    Store32(p + 20, info.imageSize);
    Store32(p + 24, static_cast<std::uint32_t>(info.xPelsPerMeter));
    Store32(p + 28, static_cast<std::uint32_t>(info.yPelsPerMeter));
    Store32(p + 32, info.coloursUsed);
    Store32(p + 36, info.coloursImportant);
}

std::size_t CDib::RowBytes() const {
    const DibInfoHeader info = InfoHeader();
    if (info.width <= 0) return 0;
    return static_cast<std::size_t>(RowBytesFor(info.bitCount, info.width));
}

bool CDib::CreateImage(int width, int height, int bitCount) {
    Empty();
    ComputeColorTableSize(bitCount);
    AllocateHeader(kDibInfoHeaderSize + 4 * static_cast<std::size_t>(colourEntries_));
    DibInfoHeader info;
    info.size = kDibInfoHeaderSize;
    info.width = width;
    info.height = height;
    info.planes = 1;
    info.bitCount = static_cast<std::uint16_t>(bitCount);
    info.coloursUsed = static_cast<std::uint32_t>(colourEntries_);
    info.coloursImportant = static_cast<std::uint32_t>(colourEntries_);
    StoreInfoHeader(info);
    try {
        if (bitCount != info.bitCount) throw DibError("bit count out of range");
        ComputeMetrics();
    } catch (const DibError&) {
        Empty();
        return false;
    }
    return true;
}

void CDib::ComputeColorTableSize(int bitCount) {
    if (headerSize_ >= kDibInfoHeaderSize) {
        const std::uint32_t used = InfoHeader().coloursUsed;
        if (used != 0) {
            colourEntries_ = static_cast<int>(std::min<std::uint32_t>(used, INT_MAX));
            return;
        }
    }
    switch (bitCount) {
    case 1: colourEntries_ = 2; break;
    case 4: colourEntries_ = 16; break;
    case 8: colourEntries_ = 256; break;
    case 16:
    case 24:
    case 32: colourEntries_ = 0; break;
    default: break;
    }
}

void CDib::ComputeMetrics() {
    if (headerSize_ < kDibInfoHeaderSize) throw DibError("no info header");
    const DibInfoHeader info = InfoHeader();
    if (info.size != kDibInfoHeaderSize) throw DibError("info header size is not 40");
    if (info.compression != 0) throw DibError("compressed pixel data");
    if (!SupportedBitCount(info.bitCount)) throw DibError("unsupported bit count");
    if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) {
        throw DibError("bad image dimensions");
    }
    const std::uint64_t rows =
        static_cast<std::uint64_t>(info.height < 0 ? -std::int64_t{info.height} : info.height);
    const std::uint64_t computed = RowBytesFor(info.bitCount, info.width) * rows;
    if (computed > UINT32_MAX) throw DibError("image too large");
    if (info.imageSize != 0 && info.imageSize < computed) {
        throw DibError("image-size field too small for the rows");
    }
    imageSize_ = info.imageSize != 0 ? info.imageSize : static_cast<std::uint32_t>(computed);
    colourTable = header_.data() + kDibInfoHeaderSize / 4;
}

bool CDib::MakePalette() {
    if (colourEntries_ == 0 || colourTable == nullptr) return false;
    palette_.clear();
    const std::size_t inBlock = (headerSize_ - kDibInfoHeaderSize) / 4;
    const std::size_t n = std::min(static_cast<std::size_t>(colourEntries_), inBlock);
    palette_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t c = colourTable[i];
        palette_.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                            static_cast<std::uint8_t>(c), 0});
    }
    return true;
}

int CDib::UsePalette(bool /*background*/) {
    // A true-colour destination has nothing to realise; the count tells the caller it is there.
    return static_cast<int>(palette_.size());
}

DibSize CDib::GetDimensions() const {
    if (header_.empty()) return {};
    const DibInfoHeader info = InfoHeader();
    return {info.width, info.height < 0 ? -info.height : info.height};
}

bool CDib::Draw(const DibSurface& surface, int x, int y, int cx, int cy) const {
    if (header_.empty() || image == nullptr) return false;
    const DibInfoHeader info = InfoHeader();
    const int width = info.width;
    const int height = info.height < 0 ? -info.height : info.height;
    const bool topDown = info.height < 0;
    const std::size_t rowBytes = RowBytes();
    if (width <= 0 || height <= 0 || !SupportedBitCount(info.bitCount) ||
        std::uint64_t{rowBytes} * static_cast<std::uint64_t>(height) > imageSize_) {
        return false;
    }
    if (cx <= 0 || cy <= 0 || surface.pixels == nullptr) return true;

    const int dx0 = std::max(x, 0);
    const int dy0 = std::max(y, 0);
    const int dx1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + cx, surface.width));
    const int dy1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + cy, surface.height));
    if (dx0 >= dx1 || dy0 >= dy1) return true;

    std::uint32_t lut[256];
    const std::size_t inBlock = colourTable != nullptr ? (headerSize_ - kDibInfoHeaderSize) / 4 : 0;
    const std::size_t entries =
        std::min({static_cast<std::size_t>(colourEntries_), inBlock, std::size_t{256}});
    for (std::size_t i = 0; i < 256; ++i) {
        lut[i] = 0xFF000000u | (i < entries ? (colourTable[i] & 0x00FFFFFFu) : 0u);
    }

    const bool sameWidth = cx == width;
    std::vector<int> columns;
    std::vector<std::uint32_t> rowBuffer;
    if (!sameWidth) {
        columns.resize(static_cast<std::size_t>(dx1 - dx0));
        for (int dx = dx0; dx < dx1; ++dx) {
            columns[static_cast<std::size_t>(dx - dx0)] =
                static_cast<int>(std::int64_t{dx - x} * width / cx);
        }
        rowBuffer.resize(static_cast<std::size_t>(width));
    }
    int bufferedRow = -1;
    for (int dy = dy0; dy < dy1; ++dy) {
        const int sy =
            cy == height ? dy - y : static_cast<int>(std::int64_t{dy - y} * height / cy);
        const int stored = topDown ? sy : height - 1 - sy;
        const unsigned char* src = image + static_cast<std::size_t>(stored) * rowBytes;
        std::uint32_t* out = surface.pixels + static_cast<std::ptrdiff_t>(dy) * surface.pitch;
        if (sameWidth) {
            ConvertRow(src, info.bitCount, lut, dx0 - x, dx1 - dx0, out + dx0);
            continue;
        }
        if (sy != bufferedRow) {
            ConvertRow(src, info.bitCount, lut, 0, width, rowBuffer.data());
            bufferedRow = sy;
        }
        for (int dx = dx0; dx < dx1; ++dx) {
            out[dx] = rowBuffer[static_cast<std::size_t>(columns[static_cast<std::size_t>(dx - dx0)])];
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// BMP input and output

void CDib::ReadOrThrow(DibStream& stream) {
    unsigned char fileHeader[kDibFileHeaderSize];
    if (ReadFully(stream, fileHeader, sizeof fileHeader) != sizeof fileHeader) {
        throw DibError("file header cut short");
    }
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') throw DibError("not a BMP file");
    const std::uint32_t offset = Load32(fileHeader + 10);
    // The header block runs from the info header to the pixel data; it must at least hold the
    // info header, and it is never read or checked beyond what was actually read.
    if (offset < kDibFileHeaderSize + kDibInfoHeaderSize) {
        throw DibError("pixel-data offset inside the headers");
    }
    const std::size_t blockLength = offset - kDibFileHeaderSize;
    if (blockLength > kMaxHeaderBlock) throw DibError("header block too long");

    // The info header first, so a hostile header is judged before anything larger is read.
    AllocateHeader(kDibInfoHeaderSize);
    imageOwned_ = 1;
    if (ReadFully(stream, HeaderBytes(), kDibInfoHeaderSize) != kDibInfoHeaderSize) {
        throw DibError("info header cut short");
    }
    ComputeMetrics();

    std::vector<unsigned char> rest;
    ReadGrowing(stream, rest, blockLength - kDibInfoHeaderSize);
    if (rest.size() != blockLength - kDibInfoHeaderSize) throw DibError("header block cut short");
    const std::vector<std::uint32_t> infoWords(header_.begin(), header_.end());
    AllocateHeader(blockLength);
    std::copy(infoWords.begin(), infoWords.end(), header_.begin());
    if (!rest.empty()) std::memcpy(HeaderBytes() + kDibInfoHeaderSize, rest.data(), rest.size());
    colourTable = header_.data() + kDibInfoHeaderSize / 4;

    const DibInfoHeader info = InfoHeader();
    ComputeColorTableSize(info.bitCount);
    const std::uint64_t entries = info.coloursUsed != 0 ? info.coloursUsed
                                  : info.bitCount <= 8 ? (1u << info.bitCount)
                                                       : 0;
    if (info.bitCount <= 8 && entries > (1u << info.bitCount)) {
        throw DibError("more colours than the bit count allows");
    }
    if (kDibInfoHeaderSize + 4 * entries > blockLength) {
        throw DibError("colour table beyond the pixel-data offset");
    }
    MakePalette();

    const std::uint64_t needed = RowBytes() * static_cast<std::uint64_t>(GetDimensions().cy);
    ReadGrowing(stream, ownedImage_, imageSize_);
    // An image-size field may count padding a writer left out; the rows themselves must be there.
    if (ownedImage_.size() < needed) throw DibError("pixel data cut short");
    imageSize_ = static_cast<std::uint32_t>(ownedImage_.size());
    image = ownedImage_.data();
}

bool CDib::Read(DibStream& stream) {
    Empty();
    try {
        ReadOrThrow(stream);
        return true;
    } catch (const DibError&) {
    } catch (const std::bad_alloc&) {
    }
    // A half-read image is never left behind for Draw or Write to trip over.
    Empty();
    Report("Lesefehler");
    return false;
}

void CDib::WriteOrThrow(DibStream& stream) {
    if (header_.empty()) throw DibError("nothing to write");
    const std::uint64_t tableBytes = 4 * static_cast<std::uint64_t>(colourEntries_);
    if (kDibInfoHeaderSize + tableBytes > headerSize_) throw DibError("colour table out of block");
    if (imageSize_ != 0 && image == nullptr) throw DibError("no pixels to write");

    // The file-size field holds the file's length, as readers check it against the file.
    const std::uint64_t offset = kDibFileHeaderSize + kDibInfoHeaderSize + tableBytes;
    const std::uint64_t length = offset + imageSize_;
    unsigned char fileHeader[kDibFileHeaderSize] = {'B', 'M'};
    Store32(fileHeader + 2, length <= UINT32_MAX ? static_cast<std::uint32_t>(length) : 0u);
    Store32(fileHeader + 10, static_cast<std::uint32_t>(offset));
    WriteOrThrowBytes(stream, fileHeader, sizeof fileHeader);
    WriteOrThrowBytes(stream, HeaderBytes(), kDibInfoHeaderSize + tableBytes);
    WriteOrThrowBytes(stream, image, imageSize_);
    if (!stream.Flush()) throw DibError("flush failed");
}

bool CDib::Write(DibStream& stream) {
    try {
        WriteOrThrow(stream);
        return true;
    } catch (const DibError&) {
    }
    Report("Fehler beim Schreiben");
    return false;
}

bool CDib::Read(const char* path) {
    std::FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        Empty();
        Report("Lesefehler");
        return false;
    }
    DibFileStream stream(file);
    const bool ok = Read(stream);
    std::fclose(file);
    return ok;
}

// Written as every output is (outfile/output_file.h): a failed write leaves
// the file that was there as it was and no cut file under the name.
bool CDib::Write(const char* path) {
    OutputFile file;
    if (path == nullptr || !file.Open(path)) {
        Report("Fehler beim Schreiben");
        return false;
    }
    DibOutputFileStream stream(file);
    const bool written = Write(stream);  // reports its own failure
    if (written && file.Commit()) return true;
    file.Discard();
    if (written) Report("Fehler beim Schreiben");
    return false;
}

void CDib::Serialize(DibStream& stream, bool loading) {
    stream.Flush();
    if (loading) {
        Read(stream);
    } else {
        Write(stream);
    }
}
