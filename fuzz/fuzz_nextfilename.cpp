// NEXTFILENAME on arbitrary file names, with a few of them existing, in a
// private temporary directory.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_input.h"
#include "plot/plot.h"

namespace fs = std::filesystem;

namespace {
// A private directory; every name lives in it (the fuzzer's own paths are
// relative to the working directory, which stays as it is).
char g_dir[] = "/tmp/osk-fuzz-names-XXXXXX";

void RemoveDirectory() {
    std::error_code ignored;
    fs::remove_all(g_dir, ignored);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!mkdtemp(g_dir)) std::abort();
    std::atexit(RemoveDirectory);  // the fuzzer ends through exit()
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    for (const auto& entry : fs::directory_iterator(g_dir)) fs::remove_all(entry.path());
    std::string name = in.Text(255);
    for (char& c : name) {
        if (c == '/') c = '_';  // stay inside the directory
    }
    name = std::string(g_dir) + "/" + name;
    // Create the name and some of its numbered successors.
    const int taken = in.Byte() % 8;
    PlotState = PlotStateRecord{};
    PlotState.fileCounter = 0;
    for (int i = 0; i < taken; ++i) {
        std::snprintf(PlotState.fileName, sizeof PlotState.fileName, "%s", name.c_str());
        if (i == 0) {
            if (std::FILE* f = std::fopen(PlotState.fileName, "w")) std::fclose(f);
            continue;
        }
        NEXTFILENAME();
        if (PlotState.fileName[0]) {
            if (std::FILE* f = std::fopen(PlotState.fileName, "w")) std::fclose(f);
        }
        PlotState.fileCounter = 0;
    }
    std::snprintf(PlotState.fileName, sizeof PlotState.fileName, "%s", name.c_str());
    PlotState.fileCounter = 0;
    PlotState.numberPos = in.Int();  // whatever an earlier search left
    NEXTFILENAME();
    if (strnlen(PlotState.fileName, sizeof PlotState.fileName) >= sizeof PlotState.fileName) std::abort();
    if (PlotState.plotFile) std::abort();
    return 0;
}
