// Start-up order and failure, the document commands (Ctrl+N, Ctrl+O,
// Ctrl+S), the recent-file list and the About box.
#include <fstream>
#include <sstream>

#include "app_support.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(StartUp, PlotAndPageComeBeforeAnyWindow) {
    ShellTempDir dir;
    static bool windowAtPageSetup;
    static int statusAtPageSetup;
    windowAtPageSetup = true;
    SetPageSetupForTesting([] {
        windowAtPageSetup = ShellRun::backend->WindowOpen();
        statusAtPageSetup = PlotState.plotStatus;
        return PAGESETUP(0.0f, 0.0f, 28.0f, 4.0f, 28.0f, 4.0f, 2);
    });
    bool viewNull = false;
    int client[2] = {0, 0};
    int frame[2] = {0, 0};
    std::string title;
    int colours[2] = {0, 0};
    bool isOskView = false;
    const int result = ShellRun::Run("", [&] {
        viewNull = PlotState.plotView == nullptr;
        client[0] = ShellRun::backend->ClientWidth();
        client[1] = ShellRun::backend->ClientHeight();
        frame[0] = PlotState.frameWidth;
        frame[1] = PlotState.frameHeight;
        title = ShellRun::backend->WindowTitle();
        colours[0] = PlotState.defaultColour;
        colours[1] = PlotState.backgroundColour;
        isOskView = GetPlotView() != nullptr && GetPlotView()->IsKindOf(RUNTIME_CLASS(COskView));
        return 7;
    });
    SetPageSetupForTesting(nullptr);
    EXPECT_EQ(result, 7) << "the main routine's result is the exit code";
    EXPECT_FALSE(windowAtPageSetup);
    EXPECT_EQ(statusAtPageSetup, 2) << "the plot was open at page set-up";
    EXPECT_TRUE(viewNull) << "plotView is the main routine's to set";
    EXPECT_EQ(client[0], frame[0]);
    EXPECT_EQ(client[1], frame[1]);
    EXPECT_EQ(frame[0], 1012);  // 1008 + 4 on the 1024 x 768 screen
    EXPECT_EQ(frame[1], 168);
    EXPECT_EQ(title, "Plane Longitudinal/Transversal Waves - sorel_dunes");
    EXPECT_EQ(colours[0], 4);
    EXPECT_EQ(colours[1], 1);
    EXPECT_TRUE(isOskView);
}

TEST(StartUp, NegativePageSetUpEndsStartUpBeforeAnyWindow) {
    ShellTempDir dir;
    SetPageSetupForTesting([] { return -1; });
    const int result = ShellRun::Run("", [] { return 0; });
    SetPageSetupForTesting(nullptr);
    EXPECT_EQ(result, 1) << "ExitInstance's result after a failed start";
    EXPECT_FALSE(ShellRun::routineRan);
    EXPECT_EQ(PlotState.plotStatus, 2);
}

TEST(StartUp, TheScreenSizeComesFromTheBackend) {
    ShellTempDir dir;
    HeadlessOptions options;
    options.screenWidth = 1280;
    options.screenHeight = 1024;
    int width = 0;
    ShellRun::Run("", [&] { width = PlotState.imageWidth; return 0; }, nullptr, options);
    EXPECT_EQ(width, 1264);  // (1280 - 16) / 28 pixels per unit
}

// The window at start on a screen that holds the whole view, on one that
// does not (the fit view, at the view's proportions), and where the backend
// cannot tell (the plot's frame size).  The plot's own record keeps its
// capped frame size in every case.
struct StartCase {
    const char* name;
    int screenWidth, screenHeight;
    int largestWidth, largestHeight;  // 0: the headless backend's own, -1: unknown
    int clientWidth, clientHeight;
    bool fitted;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartWindowSize : public testing::TestWithParam<StartCase> {};

TEST_P(StartWindowSize, ShowsTheWholeViewOrFitsIt) {
    const StartCase& c = GetParam();
    ShellTempDir dir;
    HeadlessOptions options;
    options.screenWidth = c.screenWidth;
    options.screenHeight = c.screenHeight;
    ShellRun::largestWidth = c.largestWidth;
    ShellRun::largestHeight = c.largestHeight;
    int client[2] = {0, 0}, view[2] = {0, 0}, frame[2] = {0, 0};
    std::vector<Presentation> presentations;
    ShellRun::Run(
        "",
        [&] {
            client[0] = ShellRun::backend->ClientWidth();
            client[1] = ShellRun::backend->ClientHeight();
            view[0] = PlotState.viewWidth;
            view[1] = PlotState.viewHeight;
            frame[0] = PlotState.frameWidth;
            frame[1] = PlotState.frameHeight;
            presentations = ShellRun::backend->presentations;
            return 0;
        },
        nullptr, options);
    ShellRun::largestWidth = ShellRun::largestHeight = 0;
    EXPECT_EQ(client[0], c.clientWidth);
    EXPECT_EQ(client[1], c.clientHeight);
    EXPECT_EQ(frame[0], std::min(view[0], 1588));
    EXPECT_EQ(frame[1], view[1]);
    if (!c.fitted) {
        EXPECT_TRUE(presentations.empty());
        return;
    }
    ASSERT_EQ(presentations.size(), 1u);
    EXPECT_TRUE(presentations[0].scaled);
    EXPECT_FALSE(presentations[0].fullScreen);
    EXPECT_EQ(presentations[0].clientWidth, view[0]);
    EXPECT_EQ(presentations[0].clientHeight, view[1]);
}

// Views: 1908 x 296 at 1920 x 1080, 2548 x 387 at 2560 x 1440.
INSTANTIATE_TEST_SUITE_P(Screens, StartWindowSize,
                         testing::Values(StartCase{"WholeView", 1920, 1080, 1908, 1038, 1908, 296, false},
                                         StartCase{"UnknownScreen", 1920, 1080, -1, -1, 1588, 296, false},
                                         StartCase{"HeadlessScreen", 2560, 1440, 0, 0, 2548, 387, false},
                                         StartCase{"FittedAcross", 2560, 1440, 1908, 1038, 1908, 289, true},
                                         StartCase{"OnePixelShort", 1920, 1080, 1907, 1038, 1907, 295, true},
                                         StartCase{"FittedDown", 1920, 1080, 2000, 200, 1289, 200, true}),
                         [](const testing::TestParamInfo<StartCase>& info) { return info.param.name; });

TEST(StartUp, AFileArgumentOpensTheEmptyDocumentUnderItsName) {
    ShellTempDir dir;
    std::ofstream(dir.path() / "waves.osk") << "anything";
    std::string title;
    const int result = ShellRun::Run("", [&] { title = ShellRun::backend->WindowTitle(); return 0; },
                                     (dir.path() / "waves.osk").string().c_str());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(title, "waves.osk - sorel_dunes");
    const std::string settings =
        ReadFile(dir.path() / "config" / "Local AppWizard-Generated Applications" / "sorel_dunes" / "settings.ini");
    EXPECT_EQ(settings, "[Recent File List]\nFile1=" + (dir.path() / "waves.osk").string() + "\n");
}

TEST(StartUp, AMissingFileFailsTheStartWithAMessage) {
    ShellTempDir dir;
    testing::internal::CaptureStderr();
    const int result = ShellRun::Run("", [] { return 0; }, "no-such-file.osk");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(ShellRun::routineRan);
    EXPECT_NE(err.find("no-such-file.osk"), std::string::npos) << err;
    EXPECT_EQ(PlotState.pagePixels, nullptr) << "the window that was made is gone again";
}

TEST(DocumentCommands, SaveAsksForANameAndWritesAnEmptyFile) {
    ShellTempDir dir;
    HeadlessOptions options;
    std::string title;
    int prompts = 0;
    Surface box;
    ShellRun::Run("key ctrl+s\nwait 1\nkey ctrl+s\nwait 10\n", [&] {
        ShellRun::backend->promptAnswer = "saved.osk";
        PlotState.plotView = GetPlotView();
        while (ShellRun::backend->EventsDelivered() < 2) PumpOnce();  // each key is taken as it arrives
        title = ShellRun::backend->WindowTitle();
        prompts = ShellRun::backend->prompts;
        box = ShellRun::backend->promptPicture;
        return 0;
    }, nullptr, options);
    // The prompt's box over the title strip: a dark blue frame, white inside.
    ASSERT_GT(box.width, 2);
    EXPECT_EQ(box.At(0, 0) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(box.At(box.width - 1, 10) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(box.At(box.width - 2, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "saved.osk"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "saved.osk"), 0u);
    EXPECT_EQ(title, "saved.osk - sorel_dunes");
    EXPECT_EQ(prompts, 1) << "the second save keeps the name";
}

TEST(DocumentCommands, OpenReusesTheDocumentAndCancelChangesNothing) {
    ShellTempDir dir;
    std::ofstream(dir.path() / "other.osk") << "x";
    std::string cancelled, opened;
    unsigned char* pixelsBefore = nullptr;
    unsigned char* pixelsAfter = nullptr;
    ShellRun::Run("key ctrl+o\nwait 1\nkey ctrl+o\nwait 10\n", [&] {
        PlotState.plotView = GetPlotView();
        pixelsBefore = PlotState.pagePixels;
        while (ShellRun::backend->EventsDelivered() < 1) PumpOnce();
        cancelled = ShellRun::backend->WindowTitle();
        ShellRun::backend->promptAnswer = (dir.path() / "other.osk").string();
        while (ShellRun::backend->EventsDelivered() < 2) PumpOnce();
        opened = ShellRun::backend->WindowTitle();
        pixelsAfter = PlotState.pagePixels;
        return 0;
    });
    EXPECT_EQ(cancelled, "Plane Longitudinal/Transversal Waves - sorel_dunes");
    EXPECT_EQ(opened, "other.osk - sorel_dunes");
    EXPECT_EQ(pixelsAfter, pixelsBefore);
}

TEST(RecentFiles, KeepsFourNewestFirstWithoutDuplicatesAndReadsThemBack) {
    ShellTempDir dir;
    std::vector<std::string> after;
    ShellRun::Run("", [&] {
        for (const char* name : {"a", "b", "c", "d", "b", "e"}) AfxGetApp()->AddToRecentFileList(name);
        return 0;
    });
    ShellRun::Run("", [&] {
        after = AfxGetApp()->RecentFiles();
        return 0;
    });
    EXPECT_EQ(after, (std::vector<std::string>{"e", "b", "d", "c"}));
}

TEST(RecentFiles, IgnoresEntriesBeyondFourAndOtherSections) {
    ShellTempDir dir;
    const auto file = dir.path() / "config" / "Local AppWizard-Generated Applications" / "sorel_dunes" / "settings.ini";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[Other]\nFile1=/nope\n[Recent File List]\nFile2=/two\nFile1=/one\nFile5=/five\n"
                           "Filex=/bad\nFile3=\n";
    std::vector<std::string> list;
    ShellRun::Run("", [&] {
        list = AfxGetApp()->RecentFiles();
        return 0;
    });
    EXPECT_EQ(list, (std::vector<std::string>{"/one", "/two"}));
}

// A file from Windows (CR LF) whose last line has no line feed reads the same.
TEST(RecentFiles, ReadsCrLfLinesAndALastLineWithoutLineFeed) {
    ShellTempDir dir;
    const auto file = dir.path() / "config" / "Local AppWizard-Generated Applications" / "sorel_dunes" / "settings.ini";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "[Recent File List]\r\nFile2=C:\\two words.osk\r\nFile1=/one";
    std::vector<std::string> list;
    ShellRun::Run("", [&] {
        list = AfxGetApp()->RecentFiles();
        return 0;
    });
    EXPECT_EQ(list, (std::vector<std::string>{"/one", "C:\\two words.osk"}));
}

TEST(AboutBox, ShowsItsCaptionAndTexts) {
    ShellTempDir dir;
    testing::internal::CaptureStderr();
    ShellRun::Run("", [] {
        theApp.OnCmdMsg(ID_APP_ABOUT);
        return 0;
    });
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("About lumo_kat: lumo_kat Version 1.0 "), std::string::npos) << err;
}

}  // namespace
