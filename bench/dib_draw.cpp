// Drawing the 8-bit page (1064 x 152) into a 32-bit surface, as every screen refresh does,
// and reading a page back from a BMP in memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "dib/dib.h"

namespace {

constexpr int kWidth = 1064;
constexpr int kHeight = 152;

struct Page {
    Page() : pixels(static_cast<std::size_t>(kWidth) * kHeight) {
        dib.CreateImage(kWidth, kHeight, 8);
        for (int i = 0; i < 256; ++i) dib.colourTable[i] = static_cast<std::uint32_t>(i * 0x010203);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
        dib.image = pixels.data();
    }
    std::vector<unsigned char> pixels;
    CDib dib;
};

void BM_DrawPageUnscaled(benchmark::State& state) {
    Page page;
    std::vector<std::uint32_t> target(static_cast<std::size_t>(kWidth + 4) * (kHeight + 20));
    const DibSurface surface{target.data(), kWidth + 4, kHeight + 20, kWidth + 4};
    for (auto _ : state) {
        page.dib.Draw(surface, 2, 18, kWidth, kHeight);
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DrawPageUnscaled);

void BM_DrawPageDoubled(benchmark::State& state) {
    Page page;
    std::vector<std::uint32_t> target(static_cast<std::size_t>(kWidth) * 2 * kHeight * 2);
    const DibSurface surface{target.data(), kWidth * 2, kHeight * 2, std::ptrdiff_t{kWidth} * 2};
    for (auto _ : state) {
        page.dib.Draw(surface, 0, 0, kWidth * 2, kHeight * 2);
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_DrawPageDoubled);

void BM_ReadPage(benchmark::State& state) {
    Page page;
    DibMemoryStream written;
    if (!page.dib.Write(written)) state.SkipWithError("write failed");
    for (auto _ : state) {
        DibMemoryStream in(written.Bytes());
        CDib dib;
        if (!dib.Read(in)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(dib.image);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(written.Bytes().size()));
}
BENCHMARK(BM_ReadPage);

}  // namespace
