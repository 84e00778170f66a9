// CDib's BMP reading and writing: round trips, files from another writer, hostile files,
// failing streams.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif
#include "tests/posix_compat.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "dib/dib.h"
#include "tests/dib_support.h"
#include "tests/temp_dir.h"

namespace {

using dibtest::BmpSpec;
using dibtest::BuildBmp;
using dibtest::Get32;
using dibtest::TestSurface;

namespace fs = std::filesystem;

class DibFile : public dibtest::MessageRecorder {
protected:
    // Reads bytes; checks that exactly one message came when it failed and none otherwise.
    bool ReadBytes(CDib& dib, const std::vector<unsigned char>& bytes) {
        Messages().clear();
        DibMemoryStream stream(bytes);
        const bool ok = dib.Read(stream);
        if (ok) {
            EXPECT_TRUE(Messages().empty());
        } else {
            EXPECT_EQ(Messages(), std::vector<std::string>{"Lesefehler"});
        }
        return ok;
    }
    // A refused file leaves the object empty.
    void ExpectRefused(const std::vector<unsigned char>& bytes, const std::string& what) {
        CDib dib;
        EXPECT_FALSE(ReadBytes(dib, bytes)) << what;
        EXPECT_EQ(dib.HeaderBlock(), nullptr) << what;
        EXPECT_EQ(dib.image, nullptr) << what;
        EXPECT_EQ(dib.ImageSize(), 0u) << what;
        EXPECT_EQ(dib.ColourEntries(), 0) << what;
    }
};

// A file made by CreateImage plus a pixel buffer of its own, written to memory.
struct Written {
    Written(int w, int h, int bits) {
        EXPECT_TRUE(dib.CreateImage(w, h, bits));
        const auto table = dibtest::DistinctTable(static_cast<std::size_t>(dib.ColourEntries()));
        if (!table.empty()) std::memcpy(dib.colourTable, table.data(), table.size() * 4);
        pixels.resize(dib.ImageSize());
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 37 + 11);
        dib.image = pixels.data();
        EXPECT_TRUE(dib.Write(stream));
    }
    CDib dib;
    std::vector<unsigned char> pixels;
    DibMemoryStream stream;
};

std::vector<unsigned char> Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A valid 8-bit, 3 by 2 file with a full table.
BmpSpec SmallEightBit() {
    BmpSpec s;
    s.table = dibtest::DistinctTable(256);
    s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    return s;
}

// ---------------------------------------------------------------------------------------------
// Writing and reading back

TEST_F(DibFile, WrittenFilesHaveTheFixedFileHeaderAndReadBackUnchanged) {
    const int bitCounts[] = {1, 4, 8, 16, 24, 32};
    for (int bits : bitCounts) {
        Written w(7, 3, bits);
        const auto& bytes = w.stream.Bytes();
        const std::size_t table = 4 * static_cast<std::size_t>(w.dib.ColourEntries());
        ASSERT_EQ(bytes.size(), 54 + table + w.dib.ImageSize()) << bits;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(Get32(bytes, 2), bytes.size()) << "file-size field";
        EXPECT_EQ(Get32(bytes, 6), 0u) << "reserved fields";
        EXPECT_EQ(Get32(bytes, 10), 54 + table) << bits;

        CDib back;
        ASSERT_TRUE(ReadBytes(back, bytes)) << bits;
        ASSERT_EQ(back.HeaderBlockSize(), w.dib.HeaderBlockSize());
        EXPECT_EQ(0, std::memcmp(back.HeaderBlock(), w.dib.HeaderBlock(), back.HeaderBlockSize()));
        ASSERT_EQ(back.ImageSize(), w.pixels.size());
        EXPECT_EQ(0, std::memcmp(back.image, w.pixels.data(), w.pixels.size()));
        EXPECT_EQ(back.ColourEntries(), w.dib.ColourEntries());
        EXPECT_TRUE(back.OwnsImage());
        EXPECT_TRUE(back.OwnsHeader());
        EXPECT_EQ(back.HasPalette(), table != 0) << bits;
        EXPECT_EQ(back.GetDimensions(), (DibSize{7, 3}));
    }
}

TEST_F(DibFile, TwentyFourBitFileHasNoTableAndNoPalette) {
    Written w(10, 2, 24);
    CDib back;
    ASSERT_TRUE(ReadBytes(back, w.stream.Bytes()));
    EXPECT_EQ(back.ColourEntries(), 0);
    EXPECT_FALSE(back.HasPalette());
    EXPECT_FALSE(back.MakePalette());
    EXPECT_EQ(back.ImageSize(), 64u);
}

TEST_F(DibFile, ColoursUsedWinsOverTheBitCount) {
    BmpSpec s = SmallEightBit();
    s.coloursUsed = 16;
    s.table = dibtest::DistinctTable(16);
    s.pixels = {1, 15, 200, 0, 4, 5, 6, 0};
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.ColourEntries(), 16);
    EXPECT_EQ(dib.HeaderBlockSize(), 40u + 64u);
    EXPECT_EQ(dib.Palette().size(), 16u);
    // Index 200 has no entry: it shows black instead of bytes beyond the table.
    TestSurface surface(3, 2);
    ASSERT_TRUE(dib.Draw(surface.surface, 0, 0, 3, 2));
    EXPECT_EQ(surface.At(1, 1), 0xFF000000u | s.table[15]);
    EXPECT_EQ(surface.At(2, 1), 0xFF000000u);
    // Written again, the file is shorter by the missing entries and still reads back.
    DibMemoryStream out;
    ASSERT_TRUE(dib.Write(out));
    EXPECT_EQ(Get32(out.Bytes(), 10), 54u + 64u);
    CDib again;
    ASSERT_TRUE(ReadBytes(again, out.Bytes()));
    EXPECT_EQ(again.ColourEntries(), 16);
}

TEST_F(DibFile, GapBeforeThePixelsIsKeptAndPixelsComeFromTheOffset) {
    BmpSpec s = SmallEightBit();
    s.gap = 10;
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.HeaderBlockSize(), 40u + 1024u + 10u);
    EXPECT_EQ(dib.HeaderBlock()[1064], 0x5A);
    ASSERT_EQ(dib.ImageSize(), 8u);
    EXPECT_EQ(0, std::memcmp(dib.image, s.pixels.data(), 8));
}

TEST_F(DibFile, TopDownFilesReadDrawAndWriteBackAsTheyAre) {
    BmpSpec s = SmallEightBit();
    s.height = -2;
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.GetDimensions(), (DibSize{3, 2}));
    TestSurface surface(3, 2);
    ASSERT_TRUE(dib.Draw(surface.surface, 0, 0, 3, 2));
    EXPECT_EQ(surface.At(0, 0), 0xFF000000u | s.table[1]);  // the first stored row is the top
    EXPECT_EQ(surface.At(2, 1), 0xFF000000u | s.table[6]);
    DibMemoryStream out;
    ASSERT_TRUE(dib.Write(out));
    EXPECT_EQ(static_cast<std::int32_t>(Get32(out.Bytes(), 22)), -2);
}

TEST_F(DibFile, ImageSizeFieldLargerThanTheRowsIsAcceptedWhileTheRowsArePresent) {
    BmpSpec s = SmallEightBit();
    s.imageSizeField = 10;  // two padding bytes a writer counted but left out
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.ImageSize(), 8u);
    s.pixels.resize(7);
    ExpectRefused(BuildBmp(s), "rows cut short");
    s = SmallEightBit();
    s.imageSizeField = 4;
    ExpectRefused(BuildBmp(s), "image-size field smaller than the rows");
}

TEST_F(DibFile, StreamsThatDeliverInSmallPiecesStillReadWhole) {
    // A stream that hands out at most three bytes per call, like a pipe.
    struct Trickle : DibMemoryStream {
        using DibMemoryStream::DibMemoryStream;
        std::size_t Read(void* b, std::size_t n) override {
            return DibMemoryStream::Read(b, std::min<std::size_t>(n, 3));
        }
    };
    Written w(5, 4, 8);
    Trickle stream(w.stream.Bytes());
    CDib back;
    ASSERT_TRUE(back.Read(stream));
    EXPECT_EQ(0, std::memcmp(back.image, w.pixels.data(), w.pixels.size()));
}

TEST_F(DibFile, SerializeReadsWhenLoadingAndWritesWhenStoring) {
    Written w(4, 4, 4);
    DibMemoryStream out;
    w.dib.Serialize(out, false);
    EXPECT_EQ(out.Bytes(), w.stream.Bytes());
    CDib back;
    out.Rewind();
    back.Serialize(out, true);
    EXPECT_EQ(back.GetDimensions(), (DibSize{4, 4}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DibFile, PathsRoundTripAndMissingFilesAreReported) {
    TempDir dir;
    Written w(9, 5, 8);
    const std::string path = dir.File("page.bmp");
    ASSERT_TRUE(w.dib.Write(path.c_str()));
    EXPECT_EQ(Slurp(path), w.stream.Bytes());
    CDib back;
    ASSERT_TRUE(back.Read(path.c_str()));
    EXPECT_EQ(0, std::memcmp(back.image, w.pixels.data(), w.pixels.size()));

    EXPECT_FALSE(back.Read(dir.File("absent.bmp").c_str()));
    EXPECT_EQ(back.HeaderBlock(), nullptr);
    EXPECT_FALSE(w.dib.Write(dir.File("no/such/dir.bmp").c_str()));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Lesefehler", "Fehler beim Schreiben"}));

#ifndef _WIN32
    // A write that fails halfway (a file size limit, a full device) leaves
    // the file that was there as it was, and nothing beside it.
    Written small(1, 1, 8);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 100;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = small.dib.Write(path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_FALSE(w.dib.Write("/dev/full"));
    EXPECT_EQ(Slurp(path), w.stream.Bytes());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(Messages().size(), 4u);
#endif
}

// ---------------------------------------------------------------------------------------------
// Another writer's files

bool HaveImageMagick() { return std::system("convert -version >/dev/null 2>&1") == 0; }

TEST_F(DibFile, ImageMagickAcceptsOurFilesAndWeReadItsFiles) {
    if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick not installed";
    TempDir dir;
    // 7 by 3 pictures in colours of our choice, as plain-text portable pixmaps; each is written
    // by ImageMagick at the bit count named, read by us, and written back by us.
    const int w = 7, h = 3;
    struct Case {
        const char* type;
        unsigned bits;
        std::vector<std::uint32_t> rgb;
    };
    std::vector<Case> cases = {{"truecolor", 24, {}}, {"palette", 8, {}}, {"palette", 4, {}},
                               {"bilevel", 1, {}}};
    for (int i = 0; i < w * h; ++i) {
        const std::uint32_t distinct = (static_cast<std::uint32_t>(i * 12) << 16) | ((200 - i * 9) << 8) | (i * 5 + 3);
        cases[0].rgb.push_back(distinct);
        cases[1].rgb.push_back(distinct);
        const std::uint32_t four[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
        cases[2].rgb.push_back(four[(i * 5 / 3) % 4]);
        cases[3].rgb.push_back((i % 3 == 0 || i == 8) ? 0xFFFFFF : 0x000000);
    }
    int n = 0;
    for (const Case& c : cases) {
        const std::string tag = std::string(c.type) + std::to_string(c.bits);
        const std::string ppmPath = dir.File(tag + ".ppm");
        {
            std::ofstream ppm(ppmPath);
            ppm << "P3\n" << w << " " << h << "\n255\n";
            for (std::uint32_t v : c.rgb) ppm << (v >> 16) << " " << ((v >> 8) & 255) << " " << (v & 255) << "\n";
        }
        const std::string theirs = dir.File("im_" + tag + ".bmp");
        const std::string cmd = "convert " + ppmPath + " -type " + c.type +
                                " -compress none BMP3:" + theirs + " 2>/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        CDib dib;
        ASSERT_TRUE(dib.Read(theirs.c_str())) << tag;
        EXPECT_EQ(dib.InfoHeader().bitCount, c.bits) << tag;
        ASSERT_EQ(dib.GetDimensions(), (DibSize{w, h}));
        TestSurface s(w, h);
        ASSERT_TRUE(dib.Draw(s.surface, 0, 0, w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(s.At(x, y), 0xFF000000u | c.rgb[y * w + x]) << tag << " " << x << "," << y;
        const std::string ours = dir.File("ours_" + tag + ".bmp");
        ASSERT_TRUE(dib.Write(ours.c_str()));
        const std::string cmp = "compare -metric AE " + theirs + " " + ours + " null: 2>/dev/null";
        EXPECT_EQ(std::system(cmp.c_str()), 0) << cmp;
        ++n;
    }
    EXPECT_EQ(n, 4);
    // The 8-bit page layout we write is accepted as such.
    Written page(1064, 4, 8);
    const std::string pagePath = dir.File("page.bmp");
    ASSERT_TRUE(page.dib.Write(pagePath.c_str()));
    const std::string identify = "identify -format '%w %h %z' " + pagePath + " > " + dir.File("id.txt");
    ASSERT_EQ(std::system(identify.c_str()), 0);
    const auto id = Slurp(dir.File("id.txt"));
    EXPECT_EQ(std::string(id.begin(), id.end()), "1064 4 8");
}

// ---------------------------------------------------------------------------------------------
// Hostile and odd files: refused with "Lesefehler" or read correctly, never beyond what was read

TEST_F(DibFile, EveryTruncationIsRefused) {
    const auto whole = BuildBmp(SmallEightBit());
    ASSERT_EQ(whole.size(), 14u + 40u + 1024u + 8u);
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, whole));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        ExpectRefused(std::vector<unsigned char>(whole.begin(), whole.begin() + n),
                      "cut at " + std::to_string(n));
    }
}

TEST_F(DibFile, PixelDataOffsetsThatCutIntoTheHeadersOrLieBeyondTheFile) {
    for (std::int64_t offset : {0, 1, 13, 14, 15, 53}) {
        BmpSpec s = SmallEightBit();
        s.offsetOverride = offset;
        ExpectRefused(BuildBmp(s), "offset " + std::to_string(offset));
    }
    // 54 with an 8-bit image: the colour table would lie in the pixel data.
    BmpSpec s = SmallEightBit();
    s.offsetOverride = 54;
    ExpectRefused(BuildBmp(s), "offset 54 at 8 bits");
    for (std::int64_t offset : {std::int64_t{2000}, std::int64_t{0x7FFFFFFF}, std::int64_t{0xFFFFFFFF}}) {
        s.offsetOverride = offset;
        dibtest::LargestAllocation() = 0;
        ExpectRefused(BuildBmp(s), "offset " + std::to_string(offset));
        EXPECT_LT(dibtest::LargestAllocation(), std::size_t{4} << 20) << offset;
    }
    // 54 is right for a 24-bit image without a table.
    BmpSpec t;
    t.bitCount = 24;
    t.width = 1;
    t.height = 1;
    t.pixels = {1, 2, 3, 0};
    t.offsetOverride = 54;
    CDib dib;
    EXPECT_TRUE(ReadBytes(dib, BuildBmp(t)));
}

TEST_F(DibFile, HostileDimensionsAreRefusedWithoutAbsurdAllocations) {
    struct Dim {
        std::int32_t width, height;
        std::uint16_t bits;
    };
    const Dim dims[] = {{0, 2, 8},           {3, 0, 8},          {-3, 2, 8},
                        {-3, -2, 8},         {1 << 30, 2, 8},    {3, 1 << 30, 8},
                        {1 << 30, 1 << 30, 8}, {1 << 30, 1, 24}, {INT32_MAX, 1, 32},
                        {3, INT32_MIN, 8},   {65536, 65536, 32}, {1 << 30, 1, 8}};
    for (const Dim& d : dims) {
        BmpSpec s = SmallEightBit();
        s.width = d.width;
        s.height = d.height;
        s.bitCount = d.bits;
        if (d.bits > 8) s.table.clear();
        dibtest::LargestAllocation() = 0;
        ExpectRefused(BuildBmp(s), std::to_string(d.width) + "x" + std::to_string(d.height));
        EXPECT_LT(dibtest::LargestAllocation(), std::size_t{4} << 20) << d.width << "x" << d.height;
    }
    // The probe does see the reader's allocations: a real page costs its pixel bytes.
    Written page(1064, 1500, 8);
    dibtest::LargestAllocation() = 0;
    CDib back;
    ASSERT_TRUE(ReadBytes(back, page.stream.Bytes()));
    EXPECT_GE(dibtest::LargestAllocation(), std::size_t{1064} * 1500);
}

TEST_F(DibFile, ColoursUsedBeyondTheBitCountOrTheBlockAreRefused) {
    BmpSpec s = SmallEightBit();
    s.coloursUsed = 0;  // 0 means the full table, which is there
    CDib dib;
    EXPECT_TRUE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.ColourEntries(), 256);

    for (std::uint32_t used : {257u, 1u << 31, 0xFFFFFFFFu}) {
        s.coloursUsed = used;
        dibtest::LargestAllocation() = 0;
        ExpectRefused(BuildBmp(s), "colours used " + std::to_string(used));
        EXPECT_LT(dibtest::LargestAllocation(), std::size_t{4} << 20);
    }
    // Two entries claimed, one stored: the table would run into the pixels.
    BmpSpec one;
    one.bitCount = 1;
    one.width = 8;
    one.height = 1;
    one.coloursUsed = 2;
    one.table = {0x00FFFFFF};
    one.pixels = {0xF0, 0, 0, 0};
    ExpectRefused(BuildBmp(one), "table beyond the block");
    one.coloursUsed = 3;
    one.table = {1, 2, 3};
    ExpectRefused(BuildBmp(one), "three colours at one bit");
    one.coloursUsed = 1;  // fewer than the bit count allows is fine
    one.table = {0x00ABCDEF};
    EXPECT_TRUE(ReadBytes(dib, BuildBmp(one)));
    EXPECT_EQ(dib.ColourEntries(), 1);

    // A 24-bit file may carry a table; it has to be inside the block as well.
    BmpSpec t;
    t.bitCount = 24;
    t.width = 1;
    t.height = 1;
    t.pixels = {1, 2, 3, 0};
    t.coloursUsed = 300;
    ExpectRefused(BuildBmp(t), "300 colours, no table");
    t.table = dibtest::DistinctTable(300);
    EXPECT_TRUE(ReadBytes(dib, BuildBmp(t)));
    EXPECT_EQ(dib.ColourEntries(), 300);
}

TEST_F(DibFile, UnsupportedBitCountsHeaderSizesCompressionAndMagicAreRefused) {
    for (std::uint16_t bits : {0, 2, 3, 7, 64, 65535}) {
        BmpSpec s = SmallEightBit();
        s.bitCount = bits;
        ExpectRefused(BuildBmp(s), "bit count " + std::to_string(bits));
    }
    for (std::uint32_t size : {0u, 12u, 39u, 41u, 56u, 64u, 108u, 124u}) {
        BmpSpec s = SmallEightBit();
        s.headerSize = size < 40 ? 40 : size;  // the block still holds what the size claims
        BmpSpec claimed = s;
        auto bytes = BuildBmp(claimed);
        bytes[14] = static_cast<unsigned char>(size);
        ExpectRefused(bytes, "header size " + std::to_string(size));
    }
    // A core header of 12 bytes with an offset to match.
    {
        std::vector<unsigned char> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26 + 6, 0, 0, 0,
                                           12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 8, 0};
        core.resize(core.size() + 6 + 4, 0);
        ExpectRefused(core, "core header");
    }
    for (std::uint32_t compression : {1u, 2u, 3u, 4u, 5u, 6u}) {
        BmpSpec s = SmallEightBit();
        s.compression = compression;
        ExpectRefused(BuildBmp(s), "compression " + std::to_string(compression));
    }
    BmpSpec s = SmallEightBit();
    s.magic = false;
    ExpectRefused(BuildBmp(s), "not BM");
}

TEST_F(DibFile, AFailedReadEmptiesAnImageReadBefore) {
    CDib dib;
    ASSERT_TRUE(ReadBytes(dib, BuildBmp(SmallEightBit())));
    BmpSpec s = SmallEightBit();
    s.pixels.pop_back();
    EXPECT_FALSE(ReadBytes(dib, BuildBmp(s)));
    EXPECT_EQ(dib.HeaderBlock(), nullptr);
    EXPECT_EQ(dib.image, nullptr);
    EXPECT_FALSE(dib.HasPalette());
    TestSurface surface(3, 2);
    EXPECT_FALSE(dib.Draw(surface.surface, 0, 0, 3, 2));
}

// ---------------------------------------------------------------------------------------------
// Writing failures

TEST_F(DibFile, ShortWritesAndMissingPartsAreReportedAsWriteErrors) {
    // A device that takes only so many bytes.
    struct Full : DibStream {
        explicit Full(std::size_t room) : room(room) {}
        std::size_t Read(void*, std::size_t) override { return 0; }
        std::size_t Write(const void*, std::size_t n) override {
            const std::size_t k = std::min(n, room);
            room -= k;
            return k;
        }
        std::size_t room;
    };
    Written w(4, 4, 8);
    const std::size_t total = w.stream.Bytes().size();
    for (std::size_t room : {std::size_t{0}, std::size_t{13}, std::size_t{14}, std::size_t{60},
                             std::size_t{1078}, total - 1}) {
        Full device(room);
        Messages().clear();
        EXPECT_FALSE(w.dib.Write(device)) << room;
        EXPECT_EQ(Messages(), std::vector<std::string>{"Fehler beim Schreiben"}) << room;
    }
    Full enough(total);
    EXPECT_TRUE(w.dib.Write(enough));
    // Everything taken, but the device fails to push it on.
    struct LostOnFlush : DibMemoryStream {
        bool Flush() override { return false; }
    };
    LostOnFlush lost;
    Messages().clear();
    EXPECT_FALSE(w.dib.Write(lost));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fehler beim Schreiben"});

    Messages().clear();
    CDib nothing;
    DibMemoryStream out;
    EXPECT_FALSE(nothing.Write(out));
    CDib noPixels;
    ASSERT_TRUE(noPixels.CreateImage(4, 4, 8));
    EXPECT_FALSE(noPixels.Write(out));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Fehler beim Schreiben", "Fehler beim Schreiben"}));
}

TEST_F(DibFile, AFullDiskIsNoticedWhenTheFileIsClosed) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Written w(16, 16, 8);
    EXPECT_FALSE(w.dib.Write("/dev/full"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fehler beim Schreiben"});
}

TEST(DibMessages, DefaultHookPrintsOneLineToStandardError) {
    const DibMessageHook previous = SetDibMessageHook(nullptr);
    CDib dib;
    DibMemoryStream empty;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(dib.Read(empty));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Lesefehler\n");
    SetDibMessageHook(previous);
}

}  // namespace
