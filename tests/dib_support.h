// Helpers shared by the CDib tests: a BMP byte builder and a message recorder.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dib/dib.h"

namespace dibtest {

// The largest single allocation through operator new since it was last set to 0
// (counted by the replacement operator new of the test program).
std::size_t& LargestAllocation();

// The pieces of a BMP file, each settable on its own so a test can spoil exactly one.
struct BmpSpec {
    std::uint32_t headerSize = 40;
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t imageSizeField = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> table;       // colour entries written after the header
    std::size_t gap = 0;                    // bytes between the table and the pixels
    std::int64_t offsetOverride = -1;       // pixel-data offset; -1: where the pixels start
    std::vector<unsigned char> pixels;      // written after the gap
    bool magic = true;                      // "BM"
};

inline void Put16(std::vector<unsigned char>& b, std::uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void Put32(std::vector<unsigned char>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline std::uint32_t Get32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

// The header occupies headerSize bytes: the 40 standard bytes (or fewer, cut), then zeros.
inline std::vector<unsigned char> BuildBmp(const BmpSpec& s) {
    std::vector<unsigned char> info;
    Put32(info, s.headerSize);
    Put32(info, static_cast<std::uint32_t>(s.width));
    Put32(info, static_cast<std::uint32_t>(s.height));
    Put16(info, s.planes);
    Put16(info, s.bitCount);
    Put32(info, s.compression);
    Put32(info, s.imageSizeField);
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, s.coloursUsed);
    Put32(info, 0);
    info.resize(s.headerSize, 0);
    for (std::uint32_t c : s.table) Put32(info, c);
    info.resize(info.size() + s.gap, 0x5A);

    std::vector<unsigned char> file = {static_cast<unsigned char>(s.magic ? 'B' : 'X'), 'M'};
    const std::uint32_t offset = s.offsetOverride >= 0
                                     ? static_cast<std::uint32_t>(s.offsetOverride)
                                     : static_cast<std::uint32_t>(14 + info.size());
    Put32(file, static_cast<std::uint32_t>(14 + info.size() + s.pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

// A table whose entry i is a distinct colour: blue i, green 255 - i, red i * 7.
inline std::vector<std::uint32_t> DistinctTable(std::size_t n) {
    std::vector<std::uint32_t> t(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t b = i & 255, g = (255 - i) & 255, r = (i * 7) & 255;
        t[i] = b | (g << 8) | (r << 16);
    }
    return t;
}

// Installs a hook that records every message for the fixture's lifetime.
class MessageRecorder : public ::testing::Test {
protected:
    static std::vector<std::string>& Messages() {
        static std::vector<std::string> messages;
        return messages;
    }
    static void Record(const char* text) { Messages().emplace_back(text); }
    void SetUp() override {
        Messages().clear();
        previous_ = SetDibMessageHook(&Record);
    }
    void TearDown() override { SetDibMessageHook(previous_); }

private:
    DibMessageHook previous_ = nullptr;
};

// A surface backed by a vector, filled with a sentinel.
struct TestSurface {
    static constexpr std::uint32_t kSentinel = 0x12345678u;
    TestSurface(int w, int h) : pixels(static_cast<std::size_t>(w) * h, kSentinel) {
        surface = {pixels.data(), w, h, w};
    }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * surface.width + x]; }
    std::vector<std::uint32_t> pixels;
    DibSurface surface;
};

}  // namespace dibtest
