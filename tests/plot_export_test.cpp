// The numbered file-name search and the page written as an 8-bit BMP.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/plot_support.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& name) {
    if (name.has_parent_path()) fs::create_directories(name.parent_path());
    std::ofstream(name) << "x";
}

std::string NumberedName(const char* start) {
    ReopenPlot(0, start, "", "");
    return PlotState.fileName;
}

std::vector<unsigned char> ReadFile(const fs::path& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Word(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST_F(PlotTest, FreeNamesStayAsTheyAre) {
    EXPECT_EQ(NumberedName("tarvo_minel.plo"), "tarvo_minel.plo");
    EXPECT_EQ(PlotState.fileCounter, 0);
    EXPECT_EQ(NumberedName(""), "bmp000.bmp");
}

TEST_F(PlotTest, TakenNamesAreNumbered) {
    Touch("bmp000.bmp");
    Touch("bmp001.bmp");
    EXPECT_EQ(NumberedName(""), "bmp002.bmp");
    EXPECT_EQ(PlotState.fileCounter, 2);
    Touch("data");
    EXPECT_EQ(NumberedName("data"), "data001");
    Touch("out.d/page");
    EXPECT_EQ(NumberedName("out.d/page"), "out001.d/page");
    Touch("bmp002.bmp");
    EXPECT_EQ(NumberedName("bmp002.bmp"), "bmp002001.bmp");
    Touch("tarvo_minel.plo");
    EXPECT_EQ(NumberedName("tarvo_minel.plo"), "tarvo_minel001.plo");
}

TEST_F(PlotTest, NumberingContinuesAtEachNewFigure) {
    Touch("tarvo_minel.plo");
    OpenProgramPage();
    EXPECT_STREQ(PlotState.fileName, "tarvo_minel001.plo");
    Touch("tarvo_minel001.plo");
    NFRAME(0, 0, 28, 4);
    EXPECT_STREQ(PlotState.fileName, "tarvo_minel002.plo");
}

TEST_F(PlotTest, NumberingBeyondItsRoom) {
    Touch(".bm");  // a dot in the first three places: the number goes before it
    EXPECT_EQ(NumberedName(".bm"), "001.bm");
    Touch("a.b");
    EXPECT_EQ(NumberedName("a.b"), "a001.b");
    const std::string longExtension = "x.an-extension-far-longer-than-eleven";
    Touch(longExtension);
    EXPECT_EQ(NumberedName(longExtension.c_str()), "x001.an-extension-far-longer-than-eleven");

    for (int i = 0; i <= 999; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "bmp%03d.bmp", i);
        Touch(name);
    }
    EXPECT_EQ(NumberedName("bmp000.bmp"), "bmp1000.bmp");  // more digits, nothing lost
}

TEST_F(PlotTest, ANameThatCannotGrowIsGivenUp) {
    const std::string full(sizeof PlotState.fileName - 2, 'n');
    Touch(full);
    PlotOutputCapture console;
    EXPECT_EQ(NumberedName(full.c_str()), "");
    EXPECT_NE(console.Errors().find("too long"), std::string::npos);
}

// A small page: 3 x 1 page units at 38 pixels, 114 x 38, rows of 116.
void OpenSmallPage() {
    ReopenPlot(0, "page.bmp", "", "");
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 0, 0, 3.0f, 1.0f, 0);
}

TEST_F(PlotTest, WritePageBytesAreAStandardBmp) {
    OpenSmallPage();
    SETCOLOUR(2);
    PLOT(0, 0, 13);
    PLOT(3, 1, 2);
    PlotState.exportPending = 1;
    ASSERT_EQ(PLOTCLOSE(), 0);
    EXPECT_EQ(PlotState.exportPending, 0);
    EXPECT_EQ(PlotState.plotFile, nullptr);

    const auto b = ReadFile("page.bmp");
    const size_t imageSize = size_t{116} * 38;
    ASSERT_EQ(b.size(), 1078 + imageSize);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Word(b, 2), b.size());  // true file size
    EXPECT_EQ(Word(b, 6), 0u);        // reserved fields zero
    const uint32_t header[] = {1078, 40, 116, 38, 1 | 8 << 16, 0, imageSize, 0, 0, 256, 256};
    for (size_t i = 0; i < 11; ++i) EXPECT_EQ(Word(b, 10 + 4 * i), header[i]) << "word " << i;
    EXPECT_EQ(Word(b, 54 + 4 * 2), 0x00FF0000u);  // red as blue, green, red, 0
    EXPECT_EQ(Word(b, 54 + 4 * 12), 0x00000080u);
    EXPECT_TRUE(std::equal(b.begin() + 1078, b.end(), PlotState.pagePixels));
    EXPECT_EQ(b[1078], 2);              // bottom-left pixel first
    EXPECT_EQ(b[1078 + 115], 1);        // a padding byte of the bottom row
}

TEST_F(PlotTest, ColourTenIsWrittenAsTheLowestUnusedIndex) {
    OpenSmallPage();
    SETCOLOUR(10);
    SETPIXEL(5, 5);
    SETCOLOUR(0);
    SETPIXEL(6, 5);
    const uint32_t green = PlotState.palette[10];
    PlotState.exportPending = 1;
    PLOTCLOSE();
    const auto b = ReadFile("page.bmp");
    EXPECT_EQ(b[1078 + 5 * 116 + 5], 2);  // 0 and 1 are used, 2 is free
    EXPECT_EQ(Word(b, 54 + 4 * 2), green);
    EXPECT_EQ(std::count(b.begin() + 1078, b.end(), 10), 0);
}

TEST_F(PlotTest, WithEveryIndexUsedColourTenBecomes32) {
    OpenSmallPage();
    for (int i = 0; i < 256; ++i) PlotState.pagePixels[i] = static_cast<unsigned char>(i);
    const uint32_t green = PlotState.palette[10];
    PlotState.plotFile = std::fopen("page.bmp", "wb");
    WRITEPAGE();
    std::fclose(PlotState.plotFile);
    PlotState.plotFile = nullptr;
    EXPECT_EQ(PlotState.pagePixels[10], 32);
    EXPECT_EQ(PlotState.palette[32], green);
    EXPECT_EQ(ReadFile("page.bmp")[1078 + 10], 32);
}

TEST_F(PlotTest, PageWithoutColourTenKeepsItsPalette) {
    OpenSmallPage();
    uint32_t before[256];
    std::copy(PlotState.palette, PlotState.palette + 256, before);
    PlotState.exportPending = 1;
    PLOTCLOSE();
    EXPECT_TRUE(std::equal(before, before + 256, PlotState.palette));
}

TEST_F(PlotTest, UnwritableExportIsReportedAndThePlotStillEnds) {
    // A missing directory, and a device that is always full (the failure
    // shows only when the written bytes are flushed).
    for (const char* name : {"no-such-dir/page.bmp", "/dev/full"}) {
        OpenSmallPage();
        std::strcpy(PlotState.fileName, name);
        PlotState.exportPending = 1;
        PlotOutputCapture console;
        EXPECT_EQ(PLOTCLOSE(), -1) << name;
        const std::string& err = console.Errors();
        EXPECT_NE(err.find(std::string("cannot write the page to \"") + name + "\": "), std::string::npos) << err;
        EXPECT_EQ(PlotState.plotStatus, 2);
        EXPECT_STREQ(PlotState.titleText, "Plot Finished - Close Window to Terminate");
    }
    EXPECT_FALSE(std::filesystem::exists("no-such-dir"));
}

TEST_F(PlotTest, WithoutAPageImageNothingIsWrittenAndCloseFails) {
    OpenSmallPage();
    PlotReleasePage();
    PlotState.exportPending = 1;
    PlotOutputCapture console;
    EXPECT_EQ(PLOTCLOSE(), -1);
    EXPECT_NE(console.Errors().find("cannot write the page to \"page.bmp\": no page image"), std::string::npos)
        << console.Errors();
    EXPECT_TRUE(fs::is_empty(".")) << "no file, not even an empty one";
}

#ifndef _WIN32  // links and permission bits as POSIX has them
TEST_F(PlotTest, NamesTakenByUnreadableFilesAndLinksAreNumbered) {
    Touch("page.bmp");
    fs::permissions("page.bmp", fs::perms::none);
    fs::create_symlink("missing.bmp", "link.bmp");
    EXPECT_EQ(NumberedName("link.bmp"), "link001.bmp");
    // As an ordinary user, who cannot open the file (root could).
    fs::permissions(".", fs::perms(0755));
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        _exit(NumberedName("page.bmp") == "page001.bmp" ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
#endif

TEST_F(PlotTest, ImageMagickAcceptsThePage) {
    if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
    OpenSmallPage();
    PlotState.exportPending = 1;
    PLOTCLOSE();
    const int status = std::system("identify page.bmp >identify.txt 2>&1");
    std::ifstream in("identify.txt");
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(status, 0) << said;
    EXPECT_NE(said.find("116x38"), std::string::npos) << said;
}

}  // namespace
