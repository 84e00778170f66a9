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

// Opens the plot the way the program does: 28 x 4 page units, fitted to the
// default host's 1024 x 768 screen (36 pixels per unit, 1008 x 144 pixels),
// or at 38 pixels per unit without fitting.
inline void OpenProgramPage(bool fitToScreen = true) {
    std::free(PlotState.pagePixels);
    PlotState = PlotStateRecord{};
    PlotSetHost(nullptr);
    PLOTOPEN(fitToScreen ? 3 : 0, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
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
