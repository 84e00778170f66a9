// demo_support.h - running the osk program headless with an input script and
// reading back what it showed: the refresh titles and the dumped pages.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/temp_dir.h"

namespace demotest {

namespace fs = std::filesystem;

// An 8-bit page dump: palette indices, row 0 at the bottom.
struct Page {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    bool ok() const { return width > 0 && height > 0; }
    int at(int column, int rowFromBottom) const {
        if (column < 0 || column >= width || rowFromBottom < 0 || rowFromBottom >= height) return -1;
        return pixels[static_cast<size_t>(rowFromBottom) * width + column];
    }
    // The driver's window (0, 0)-(28, 4): one user unit is width / 28 pixels.
    double unitsPerPixelX() const { return 28.0 / width; }
    int columnOf(double x) const { return static_cast<int>(x * width / 28.0); }
    int rowOf(double y) const { return static_cast<int>(y * height / 4.0); }
    int atUser(double x, double y) const { return at(columnOf(x), rowOf(y)); }
    // How many pixels of colour c lie in the user-unit rectangle.
    int count(double x0, double y0, double x1, double y1, int c) const {
        int n = 0;
        for (int r = rowOf(y0); r <= rowOf(y1); ++r)
            for (int col = columnOf(x0); col <= columnOf(x1); ++col) n += at(col, r) == c;
        return n;
    }
    bool operator==(const Page& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
};

inline Page ReadBmp(const fs::path& file) {
    Page page;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return page;
    auto u32 = [&](size_t o) {
        return static_cast<uint32_t>(b[o] | b[o + 1] << 8 | b[o + 2] << 16 | b[o + 3] << 24);
    };
    const uint32_t offset = u32(10);
    const int w = static_cast<int>(u32(18));
    const int h = static_cast<int>(u32(22));
    if (b[28] != 8 || b[29] != 0) return page;  // 8 bits per pixel only
    const size_t stride = (static_cast<size_t>(w) + 3) / 4 * 4;
    if (w <= 0 || h <= 0 || offset + stride * h > b.size()) return page;
    page.width = w;
    page.height = h;
    page.pixels.resize(static_cast<size_t>(w) * h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) page.pixels[static_cast<size_t>(r) * w + c] = b[offset + r * stride + c];
    return page;
}

inline fs::path OskBinary() {
    if (const char* env = std::getenv("OSK_BINARY")) return env;
    return fs::path(OSK_BINARY_DIR) / "osk";
}

// Client point of the user point (x, y) of the window (0, 0)-(28, 4) on a
// 1008 x 144 page (the headless 1024 x 768 screen): the page's top-left pixel
// is client (2, 18); pixel rows are counted down from the top.
struct ClientPoint {
    int x;
    int y;
};
constexpr int kPageWidth = 1008;
constexpr int kPageHeight = 144;
inline ClientPoint PixelToClient(int column, int rowFromBottom) {
    return {2 + column, 18 + (kPageHeight - 1 - rowFromBottom)};
}
inline ClientPoint UserToClient(double x, double y) {
    return PixelToClient(static_cast<int>(std::lround(x * kPageWidth / 28.0)),
                         static_cast<int>(std::lround(y * kPageHeight / 4.0)));
}
inline std::string Click(double x, double y) {
    const ClientPoint p = UserToClient(x, y);
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}
inline std::string ClickPixel(int column, int rowFromBottom) {
    const ClientPoint p = PixelToClient(column, rowFromBottom);
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}

// Button centres (label base line 3.4; the box reaches up to 3.82).
constexpr double kRowY = 3.53;
inline std::string ClickLongitudinal() { return Click(18.9, kRowY); }
inline std::string ClickTransversal() { return Click(22.7, kRowY); }
inline std::string ClickBack() { return Click(15.6, kRowY); }
inline std::string ClickNext() { return Click(18.4, kRowY); }  // also "Single"
inline std::string ClickRestart() { return Click(21.2, kRowY); }
inline std::string ClickGo() { return Click(24.0, kRowY); }  // also "Stop"
inline std::string ClickQuit() { return Click(26.8, kRowY); }

struct OskRun {
    int status = -1;                  // exit status, -1 when it did not exit normally
    std::vector<std::string> titles;  // refreshes.txt, one title per refresh
    std::string output;               // standard output and error
    fs::path dumpDir;

    Page page(size_t refresh) const {  // 1-based, as numbered in the dump
        char name[32];
        std::snprintf(name, sizeof name, "refresh-%05zu.bmp", refresh);
        return ReadBmp(dumpDir / name);
    }
    Page last() const { return page(titles.size()); }
    // Number of refreshes whose title is `title`.
    int countTitle(const std::string& title) const {
        int n = 0;
        for (const std::string& t : titles) n += t == title;
        return n;
    }
};

// Runs `osk --headless --script <script> --dump <dir>` plus `extra`.
inline OskRun RunOsk(const TempDir& dir, const std::string& script, const std::string& extra = "") {
    OskRun run;
    const fs::path scriptFile = dir.path() / "input.osk";
    {
        std::ofstream out(scriptFile);
        out << script;
    }
    run.dumpDir = dir.path() / "dump";
    const fs::path log = dir.path() / "output.txt";
    // A driver that never ends must fail the test, not hang it.
    const std::string cmd = "timeout -k 5 60 '" + OskBinary().string() + "' --headless --script '" +
                            scriptFile.string() + "' --dump '" + run.dumpDir.string() + "' " +
                            extra + " >'" + log.string() + "' 2>&1";
    const int raw = std::system(cmd.c_str());
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    std::ifstream titles(run.dumpDir / "refreshes.txt");
    for (std::string line; std::getline(titles, line);) {
        const size_t tab = line.find('\t');
        run.titles.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    std::ifstream logIn(log);
    std::stringstream ss;
    ss << logIn.rdbuf();
    run.output = ss.str();
    return run;
}

// Palette indices of the buttons' fills.
constexpr int kRed = 2, kGreen = 3, kYellow = 5, kLightGrey = 8, kBlack = 16, kSkyBlue = 24,
              kPaleMagenta = 31, kWhite = 1, kBlue = 4;

// The fill of the button at x 24.0, sampled between its label and its lower
// outline (rows 117-118 are the outline, the label starts at row 122):
// green for "Go", yellow for "Stop".
inline int ModeButtonFill(const Page& p) { return p.atUser(23.2, 3.34); }
// The fill of the button at x 18.4 (pale magenta for "Next" and "Single").
inline int StepButtonFill(const Page& p) { return p.atUser(17.6, 3.34); }

// True when a resting particle (black outline, silver grey fill) shows within
// two columns of `column` on `row`.
inline bool RestingAt(const Page& p, int column, int row) {
    for (int c = column - 2; c <= column + 2; ++c) {
        const int v = p.at(c, row);
        if (v == 20 || v == kBlack) return true;
    }
    return false;
}

// The frame number a transversal page shows, from its first resting dot
// (particle n + 1); valid for frames 0 to 63.  The dots are sampled two rows
// above the axis, which is itself silver grey.
inline int TransversalFrame(const Page& p) {
    const int row = static_cast<int>(1.5 * p.height / 4.0) + 2;
    for (int i = 1; i <= 64; ++i) {
        const double pageX = (i + 0.5) * 28.0 / 65.0;
        if (RestingAt(p, static_cast<int>(pageX * p.width / 28.0), row)) return i - 1;
    }
    return 64;
}
// The same for the longitudinal wave's first resting bar; frames 0 to 62.
inline int LongitudinalFrame(const Page& p) {
    const int row = static_cast<int>(1.5 * p.height / 4.0);
    for (int i = 1; i <= 63; ++i) {
        const double pageX = (i + 1.3) * 28.0 / 64.8;
        if (RestingAt(p, static_cast<int>(pageX * p.width / 28.0), row)) return i - 1;
    }
    return 63;
}

}  // namespace demotest
