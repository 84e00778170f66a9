// plot_support.h - shared set-up for the plot library's tests: a fresh
// record, the default host, and a private temporary working directory so
// that the file-name search and page export touch nothing else.
#pragma once

#include <gtest/gtest.h>
#include "tests/posix_compat.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot/host.h"
#include "plot/plot.h"
#include "tests/temp_dir.h"

// PLOTOPEN forgets the page image (its owner is whoever shows it); here
// the tests own it, so they release it before opening again.
inline int ReopenPlot(int mode, const char* plotFileName, const char* title, const char* base) {
    PlotReleasePage();
    return PLOTOPEN(mode, plotFileName, title, base);
}

// Opens the plot the way the program does: 28 x 4 page units, fitted to the
// default host's 1024 x 768 screen (36 pixels per unit, 1008 x 144 pixels),
// or at 38 pixels per unit without fitting.
inline void OpenProgramPage(bool fitToScreen = true) {
    PlotReleasePage();
    PlotState = PlotStateRecord{};
    PlotSetHost(nullptr);
    ReopenPlot(fitToScreen ? 3 : 0, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 28.0f, 4.0f, 28.0f, 4.0f, 2);
}

// Collects the library's console texts through the host's output hook for
// as long as it lives; the output hook in force before comes back after.
class PlotOutputCapture {
public:
    PlotOutputCapture() : previous_(PlotGetHost().output) {
        Texts()[0].clear();
        Texts()[1].clear();
        PlotHost host = PlotGetHost();
        host.output = [](PlotStream stream, const char* text) { Texts()[stream == PlotStream::Error] += text; };
        PlotSetHost(&host);
    }
    ~PlotOutputCapture() {
        PlotHost host = PlotGetHost();
        host.output = previous_;
        PlotSetHost(&host);
    }
    const std::string& Output() const { return Texts()[0]; }
    const std::string& Errors() const { return Texts()[1]; }

private:
    static std::string* Texts() {
        static std::string texts[2];
        return texts;
    }
    void (*previous_)(PlotStream, const char*);
};

// The page image's pixels: (column, row), row 0 at the bottom.
using PixelSet = std::set<std::pair<int, int>>;

inline unsigned char PixelAt(int column, int row) {
    return PlotState.pagePixels[column + PlotState.imageWidth * row];
}
inline std::vector<unsigned char> PagePixels() {
    return {PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize};
}
inline void ClearPage(int colour = 1) {
    std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, colour);
}
// Every pixel that has the given colour, or (painted) every one that has not.
inline PixelSet PixelsOfColour(int colour, bool painted = false) {
    PixelSet found;
    for (int row = 0; row < PlotState.imageHeight; ++row)
        for (int col = 0; col < PlotState.imageWidth; ++col)
            if ((PixelAt(col, row) == colour) != painted) found.insert({col, row});
    return found;
}
// Every pixel not of the white background.
inline PixelSet PaintedPixels() { return PixelsOfColour(1, true); }

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override { OpenProgramPage(); }
    void TearDown() override {
        PlotSetHost(nullptr);
        PlotReleasePage();
        PlotState = PlotStateRecord{};
    }
    TempDir dir_{TempDir::Use::Entered};
};

// Base of suites that draw on the program's page: the plot file is named in
// a private directory of the suite; each test releases its page image.
class ProgramPageSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dir_.emplace(); }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        PlotSetHost(nullptr);
        const std::string name = dir_->File("tarvo_minel.plo");
        PLOTOPEN(3, name.c_str(), "Sorel Dune", "sorel_dune");
        PlotState.defaultColour = 4;
        PlotState.backgroundColour = 1;
        ASSERT_EQ(PAGESETUP(0, 0, 28, 4, 28, 4, 2), 0);
        ASSERT_EQ(PlotState.imageWidth, 1008);
        ASSERT_EQ(PlotState.imageHeight, 144);
    }
    void TearDown() override {
        PlotReleasePage();
        PlotState = PlotStateRecord{};
    }

    static inline std::optional<TempDir> dir_;
};
