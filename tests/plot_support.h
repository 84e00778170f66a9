// plot_support.h - shared set-up for the plot library's tests: a fresh
// record, the default host, and a private temporary working directory so
// that the file-name search and page export touch nothing else.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot/host.h"
#include "plot/plot.h"

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/osk-test-XXXXXX";
        path_ = mkdtemp(pattern);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir() {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_, old_;
};

// PLOTOPEN forgets the page image (its owner is whoever shows it); here
// the tests own it, so they hand it back before opening again.
inline int ReopenPlot(int mode, const char* plotFileName, const char* title, const char* base) {
    std::free(PlotState.pagePixels);
    PlotState.pagePixels = nullptr;
    return PLOTOPEN(mode, plotFileName, title, base);
}

// Opens the plot the way the program does: 28 x 4 page units, fitted to the
// default host's 1024 x 768 screen (36 pixels per unit, 1008 x 144 pixels),
// or at 38 pixels per unit without fitting.
inline void OpenProgramPage(bool fitToScreen = true) {
    std::free(PlotState.pagePixels);
    PlotState = PlotStateRecord{};
    PlotSetHost(nullptr);
    ReopenPlot(fitToScreen ? 3 : 0, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 28.0f, 4.0f, 28.0f, 4.0f, 2);
}

inline unsigned char PixelAt(int column, int row) {
    return PlotState.pagePixels[column + PlotState.imageWidth * row];
}

// Every pixel (column, row) of the page image that has the given colour.
inline std::set<std::pair<int, int>> PixelsOfColour(int colour) {
    std::set<std::pair<int, int>> found;
    for (int row = 0; row < PlotState.imageHeight; ++row)
        for (int col = 0; col < PlotState.imageWidth; ++col)
            if (PixelAt(col, row) == colour) found.insert({col, row});
    return found;
}

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override { OpenProgramPage(); }
    void TearDown() override {
        PlotSetHost(nullptr);
        std::free(PlotState.pagePixels);
        PlotState = PlotStateRecord{};
    }
    TempDir dir_;
};

// Base of suites that draw on the program's page: the plot file is named in
// a private directory of the suite, and the page image is a buffer of the
// suite's own that every layout reuses, so no test has to free it.
class ProgramPageSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/osk-page-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }

    void SetUp() override {
        PlotSetHost(nullptr);
        const std::string name = dir_ + "/tarvo_minel.plo";
        PLOTOPEN(3, name.c_str(), "Sorel Dune", "sorel_dune");
        PlotState.pagePixels = image_.data();
        PlotState.defaultColour = 4;
        PlotState.backgroundColour = 1;
        ASSERT_EQ(PAGESETUP(0, 0, 28, 4, 28, 4, 2), 0);
        ASSERT_EQ(PlotState.imageWidth, 1008);
        ASSERT_EQ(PlotState.imageHeight, 144);
    }
    // The image is the suite's: the next test must not find (and free) it.
    void TearDown() override { PlotState = PlotStateRecord{}; }

    static inline std::string dir_;
    static inline std::vector<unsigned char> image_ = std::vector<unsigned char>(4 << 20);
};
