// CDib: a device-independent bitmap (BMP info header, colour table, pixel rows).
//
// The object holds one header block (the 40-byte info header followed by the colour table) and
// a pointer to the pixel rows, bottom row first, each row padded to 4 bytes. It reads and writes
// BMP files through a small byte-stream interface and draws itself into a 32-bit ARGB surface.
// Nothing here depends on a window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Byte streams

class DibStream {
public:
    virtual ~DibStream() = default;
    // Reads up to count bytes; returns how many were read (fewer at the end or on an error).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes count bytes; returns how many were written (fewer on an error).
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Pushes buffered output on; false on an error.
    virtual bool Flush() { return true; }
};

// A stream over an open C file; the file stays the caller's.
class DibFileStream : public DibStream {
public:
    explicit DibFileStream(std::FILE* file) : file_(file) {}
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    bool Flush() override;

private:
    std::FILE* file_;
};

class OutputFile;

// A stream into an output file (outfile/output_file.h), which keeps the
// reason of a failed write; the file stays the caller's.
class DibOutputFileStream : public DibStream {
public:
    explicit DibOutputFileStream(OutputFile& file) : file_(file) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* buffer, std::size_t count) override;

private:
    OutputFile& file_;
};

// A stream over bytes in memory: reads from the start, writes append at the position.
class DibMemoryStream : public DibStream {
public:
    DibMemoryStream() = default;
    explicit DibMemoryStream(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    std::size_t Position() const { return position_; }
    void Rewind() { position_ = 0; }

private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Messages: "Lesefehler" and "Fehler beim Schreiben" go through one replaceable hook.

using DibMessageHook = void (*)(const char* text);
// Installs a hook (null: the default, which prints the text as one line to standard error)
// and returns the one installed before.
DibMessageHook SetDibMessageHook(DibMessageHook hook);

// ---------------------------------------------------------------------------------------------
// Plain types

// The 40-byte info header as numbers (stored little-endian in the header block).
struct DibInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
};

struct DibSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const DibSize&, const DibSize&) = default;
};

// One entry of a logical palette.
struct DibPaletteEntry {
    std::uint8_t red, green, blue, flags;
};

// A 32-bit destination: pixel (x, y), y = 0 the top row, is pixels[y * pitch + x], holding
// 0xAARRGGBB. pitch is counted in pixels.
struct DibSurface {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t pitch = 0;
};

// Thrown by ComputeMetrics for an info header it cannot take; Read catches it.
class DibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kDibInfoHeaderSize = 40;
inline constexpr std::size_t kDibFileHeaderSize = 14;

// ---------------------------------------------------------------------------------------------

class CDib {
public:
    CDib();
    virtual ~CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    // Run-time class name and schema number; CreateObject is the dynamic creation.
    static constexpr const char* kClassName = "CDib";
    static constexpr unsigned kSchema = 0;
    static CDib* CreateObject() { return new CDib; }
    virtual const char* GetClassName() const { return kClassName; }

    // The colour table (blue, green, red, 0 per entry, as a little-endian 32-bit word): inside
    // the header block, right after the info header; null without a header.
    std::uint32_t* colourTable = nullptr;
    // The pixel rows. The owner of an image made with CreateImage assigns its own buffer here;
    // the object never frees a buffer that was assigned to it.
    unsigned char* image = nullptr;

    // An empty image of the given size and bit count: header block and colour table (left
    // zeroed), no pixels. False (and the object empty) for sizes or bit counts no image can have.
    bool CreateImage(int width, int height, int bitCount);
    // Releases what the object owns and resets every field.
    void Empty();
    // Colour entries from the header's colours-used field, else from the bit count
    // (1: 2, 4: 16, 8: 256, 16/24/32: 0; any other bit count leaves the count alone).
    void ComputeColorTableSize(int bitCount);
    // Checks the info header and derives the image size and the colour-table position.
    // Throws DibError for a header it cannot take.
    void ComputeMetrics();

    bool MakePalette();
    // The number of palette entries realised; 0 without a palette.
    int UsePalette(bool background);

    // Draws the whole image into the destination rectangle (x, y, cx, cy) of the surface,
    // stretched by dropping or repeating pixels when the size differs, clipped to the surface.
    // False without a header or without pixels.
    bool Draw(const DibSurface& surface, int x, int y, int cx, int cy) const;

    DibSize GetDimensions() const;

    // BMP file input and output; on failure they report "Lesefehler" / "Fehler beim Schreiben"
    // through the message hook and return false. A failed Read leaves the object empty.
    bool Read(DibStream& stream);
    bool Write(DibStream& stream);
    bool Read(const char* path);
    // Written as every output file is (outfile/output_file.h): complete or not at all, links
    // and permissions as the shell's `>` treats them.
    bool Write(const char* path);
    // Flushes the stream, then reads (loading) or writes; the result is dropped.
    virtual void Serialize(DibStream& stream, bool loading);

    // Inspection.
    DibInfoHeader InfoHeader() const;           // all zero without a header
    const unsigned char* HeaderBlock() const { return header_.empty() ? nullptr : HeaderBytes(); }
    std::size_t HeaderBlockSize() const { return headerSize_; }
    std::uint32_t ImageSize() const { return imageSize_; }
    int ColourEntries() const { return colourEntries_; }
    bool OwnsHeader() const { return headerOwned_ != 0; }
    bool OwnsImage() const { return imageOwned_ != 0; }
    bool HasPalette() const { return !palette_.empty(); }
    const std::vector<DibPaletteEntry>& Palette() const { return palette_; }
    // Bytes per pixel row (padded to 4 bytes), from the info header; 0 without a header.
    std::size_t RowBytes() const;

private:
    unsigned char* HeaderBytes() { return reinterpret_cast<unsigned char*>(header_.data()); }
    const unsigned char* HeaderBytes() const {
        return reinterpret_cast<const unsigned char*>(header_.data());
    }
    void AllocateHeader(std::size_t bytes);
    void StoreInfoHeader(const DibInfoHeader& info);
    void ReadOrThrow(DibStream& stream);
    void WriteOrThrow(DibStream& stream);

    std::vector<std::uint32_t> header_;      // header block, word-aligned
    std::size_t headerSize_ = 0;             // its length in bytes
    std::vector<unsigned char> ownedImage_;  // pixels read from a file
    int headerOwned_ = 0;
    int imageOwned_ = 0;
    std::uint32_t imageSize_ = 0;
    int colourEntries_ = 0;
    std::vector<DibPaletteEntry> palette_;
};
