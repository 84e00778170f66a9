// CDib::Read on arbitrary bytes; whatever it accepts must draw, write and
// read back the same.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dib/dib.h"

namespace {
void Quiet(const char*) {}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetDibMessageHook(Quiet);  // "Lesefehler" is the expected answer to most inputs
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DibMemoryStream in(std::vector<unsigned char>(data, data + size));
    CDib dib;
    if (!dib.Read(in)) return 0;
    std::vector<uint32_t> pixels(64 * 48);
    const DibSurface surface{pixels.data(), 64, 48, 64};
    const DibSize s = dib.GetDimensions();
    dib.Draw(surface, -3, 2, s.cx, s.cy);
    dib.Draw(surface, 0, 0, 64, 48);
    DibMemoryStream out;
    if (!dib.Write(out)) std::abort();  // a picture it read must write
    out.Rewind();
    CDib again;
    if (!again.Read(out)) std::abort();
    const DibSize t = again.GetDimensions();
    if (t.cx != s.cx || t.cy != s.cy) std::abort();
    return 0;
}
