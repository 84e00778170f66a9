// The view: where clicks are stored, what the immediate refresh draws and
// invalidates, new initial updates, scrolling, key buttons, closing.
#include <fstream>
#include <sstream>

#include "app/keys.h"
#include "app/mouse.h"
#include "app_support.h"
#include "app/controls.h"

namespace {

std::uint32_t PaletteRgb(int index) { return PlotState.palette[index] & 0xFFFFFF; }

TEST(ViewClicks, StoredRelativeToThePageTopLeft) {
    ShellTempDir dir;
    struct Case {
        const char* script;
        int x, y;
    };
    for (const Case& c : {Case{"click 2 18", 0, 0}, Case{"click 10 5", 8, -13}, Case{"click 0 30", -2, 12},
                          Case{"rclick 300 100", 298, 82}}) {
        int x = 99, y = 99;
        ShellRun::Run(c.script, [&] {
            PlotState.plotView = GetPlotView();
            GetPlotView()->UpdateWindow();
            PumpOnce();  // the button-down message
            const bool right = c.script[0] == 'r';
            x = right ? PlotState.rightClickX : PlotState.leftClickX;
            y = right ? PlotState.rightClickY : PlotState.leftClickY;
            return 0;
        });
        EXPECT_EQ(x, c.x) << c.script;
        EXPECT_EQ(y, c.y) << c.script;
    }
}

// The buttons that three polls report for a script.
std::string ThreePolls(const char* script) {
    std::string buttons;
    ShellRun::Run(script, [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        for (int i = 0; i < 3; ++i) {
            int key = 0;
            float x = 0, y = 0;
            char button = '?';
            MOUSEPOLL(2, key, x, y, button);
            buttons += button;
        }
        return 0;
    });
    return buttons;
}

TEST(ViewClicks, TitleStripClickIsAClickButTopLeftPixelIsNone) {
    ShellTempDir dir;
    EXPECT_NE(ThreePolls("click 10 5").find('L'), std::string::npos);
    EXPECT_EQ(ThreePolls("click 2 18"), "   ") << "a press on the page's top-left pixel is stored as (0, 0)";
}

TEST(ViewClicks, BottomLeftPixelCountsForAPollButNotForAWait) {
    ShellTempDir dir;
    float px = -1, py = -1;
    char pollButton = '?';
    float wx = -1, wy = -1;
    char waitButton = '?';
    float expectX = 0, expectY = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        const int bottom = 18 + PlotState.figurePixelHeight - 1;
        int key = 0;
        PostToView(WM_LBUTTONDOWN, 2, bottom);
        MOUSEPOLL(2, key, px, py, pollButton);
        // Under a wait the same press is replaced by the next one with a nonzero x.
        PostToView(WM_LBUTTONDOWN, 2, bottom);
        PostToView(WM_LBUTTONUP, 2, bottom);
        PostToView(WM_LBUTTONDOWN, 38, 18);
        MOUSEWAIT(2, key, wx, wy, waitButton);
        expectX = static_cast<float>(36 / PlotState.pixelsPerUnitX / PlotState.userToPageX + PlotState.userXMin);
        expectY = static_cast<float>((PlotState.figurePixelHeight - 1) / PlotState.pixelsPerUnitY /
                                         PlotState.userToPageY + PlotState.userYMin);
        return 0;
    });
    EXPECT_EQ(pollButton, 'L');
    EXPECT_EQ(px, 0.0f);
    EXPECT_EQ(py, 0.0f);
    EXPECT_EQ(waitButton, 'L');
    EXPECT_FLOAT_EQ(wx, expectX);
    EXPECT_FLOAT_EQ(wy, expectY);
}

// The refresh converts and shows only the title strip and the changed
// rectangle: a pixel written without widening the rectangle stays as shown
// until a refresh whose rectangle covers it.
TEST(ViewRefresh, DrawsTitleAndChangedRectangleAtOnceAndInvalidatesOnlyTheTitleStripWhenNothingChanged) {
    ShellTempDir dir;
    CRect update;
    bool titleInk = false;
    std::uint32_t pageTopLeft = 0, pageBottomRight = 0, expectTopLeft = 0, expectBottomRight = 0;
    std::uint32_t left = 0, above = 0, staleBottomRight = 0;
    int presentsBefore = 0, presentsAfter = 0, batchesBefore = 0, batchesAfter = 0;
    std::size_t partsBefore = 0, partsAfter = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        COskView* view = GetPlotView();
        view->UpdateWindow();
        std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "Refresh Test");
        // Colour the page's corners, then forget the changes: an empty rectangle.
        PlotState.pagePixels[std::ptrdiff_t{PlotState.imageHeight - 1} * PlotState.imageWidth] = 2;  // top-left
        PlotState.pagePixels[PlotState.imageWidth - 1] = 4;                            // bottom-right
        PlotState.dirtyLeft = PlotState.imageWidth - 1;
        PlotState.dirtyRight = 0;
        PlotState.dirtyTop = PlotState.imageHeight - 1;
        PlotState.dirtyBottom = 0;
        presentsBefore = ShellRun::backend->PresentCount();
        RefreshPlotView();
        presentsAfter = ShellRun::backend->PresentCount();
        view->GetUpdateRect(&update);
        staleBottomRight = ClientPixel(2 + PlotState.imageWidth - 1, 18 + PlotState.imageHeight - 1);
        // Now the rectangle covers the bottom-right pixel.
        PlotState.dirtyLeft = PlotState.dirtyRight = PlotState.imageWidth - 1;
        PlotState.dirtyTop = PlotState.dirtyBottom = PlotState.imageHeight - 1;
        std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "Refresh Test 2");  // a strip to show too
        batchesBefore = ShellRun::backend->batches;
        partsBefore = ShellRun::backend->presented.size();
        RefreshPlotView();
        batchesAfter = ShellRun::backend->batches;
        partsAfter = ShellRun::backend->presented.size();
        for (int y = 0; y < 16 && !titleInk; ++y)
            for (int x = 0; x < 8 * 12; ++x) titleInk |= ClientPixel(x, y) == 0x000000;
        pageTopLeft = ClientPixel(2, 18);
        pageBottomRight = ClientPixel(2 + PlotState.imageWidth - 1, 18 + PlotState.imageHeight - 1);
        expectTopLeft = PaletteRgb(2);
        expectBottomRight = PaletteRgb(4);
        left = ClientPixel(1, 18);
        above = ClientPixel(2, 17);
        return 0;
    });
    EXPECT_EQ(update, (CRect{0, 0, 600, 20}));
    EXPECT_TRUE(titleInk);
    EXPECT_EQ(pageTopLeft, expectTopLeft);  // row 18 lies in the title strip (0-20)
    EXPECT_EQ(staleBottomRight, 0xFFFFFFu) << "an unchanged part of the page was converted again";
    EXPECT_EQ(pageBottomRight, expectBottomRight);
    EXPECT_EQ(batchesAfter - batchesBefore, 1) << "the title and the page's part go to the screen in one present";
    EXPECT_EQ(partsAfter - partsBefore, 2u);
    EXPECT_EQ(left, 0xFFFFFFu);
    EXPECT_EQ(above, 0xFFFFFFu);
    EXPECT_EQ(presentsAfter, presentsBefore + 1) << "the refresh is shown at once";
}

// A shorter title after a longer one, drawn by the immediate refresh alone
// (no paint between them): the strip shows exactly what a full repaint of
// the same state shows, with no tail of the longer title left.
TEST(ViewRefresh, ShorterTitleLeavesNoTailOfTheLongerOne) {
    ShellTempDir dir;
    std::vector<std::uint32_t> refreshed, repainted;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        COskView* view = GetPlotView();
        view->UpdateWindow();
        auto strip = [] {
            std::vector<std::uint32_t> pixels;
            for (int y = kTitleStrip.top; y < kTitleStrip.bottom; ++y)
                for (int x = kTitleStrip.left; x < kTitleStrip.right; ++x) pixels.push_back(ClientPixel(x, y));
            return pixels;
        };
        for (const char* title : {"Choisir la forme d'onde", "Onde transversale"}) {
            std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "%s", title);
            RefreshPlotView();
        }
        refreshed = strip();
        view->Invalidate(TRUE);
        view->UpdateWindow();
        repainted = strip();
        return 0;
    });
    ASSERT_EQ(refreshed.size(), repainted.size());
    int differing = 0;
    for (std::size_t i = 0; i < refreshed.size(); ++i) differing += refreshed[i] != repainted[i];
    EXPECT_EQ(differing, 0);
}

// What a refresh drew at once is not drawn again by the paint its
// invalidation brings; anything else invalidated (here the window system
// losing the picture) is painted as before.
TEST(ViewRefresh, ThePaintAfterARefreshShowsOnlyWhatElseWasInvalidated) {
    ShellTempDir dir;
    std::size_t presentsByRefresh = 0, presentsByItsPaint = 0, presentsAfterExpose = 0;
    bool invalidAfterPaint = true;
    std::uint32_t restored = 0, expect = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        COskView* view = GetPlotView();
        view->UpdateWindow();
        auto& presented = ShellRun::backend->presented;
        for (int i = 0; i < 2; ++i) {  // a second refresh before the paint joins the first
            PlotState.pagePixels[std::ptrdiff_t{40} * PlotState.imageWidth + 100 + i] =
                static_cast<unsigned char>(3 + i);
            PlotState.dirtyLeft = PlotState.dirtyRight = 100 + i;
            PlotState.dirtyTop = PlotState.dirtyBottom = PlotState.imageHeight - 1 - 40;
            std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "Refresh %d", i);
            presented.clear();
            RefreshPlotView();
            presentsByRefresh += presented.size();
        }
        presented.clear();
        view->UpdateWindow();
        presentsByItsPaint = presented.size();
        CRect update;
        invalidAfterPaint = view->GetUpdateRect(&update);
        Surface* s = AfxGetApp()->m_pMainWnd->GetSurface();
        std::fill(s->pixels.begin(), s->pixels.end(), 0xFF123456u);
        BackendEvent e;
        e.type = BackendEvent::Expose;
        AfxTranslateBackendEvent(e);
        view->UpdateWindow();
        presentsAfterExpose = presented.size();
        restored = ClientPixel(2 + 101, 18 + PlotState.imageHeight - 1 - 40);
        expect = PaletteRgb(4);
        return 0;
    });
    EXPECT_GE(presentsByRefresh, 2u);
    EXPECT_EQ(presentsByItsPaint, 0u);
    EXPECT_FALSE(invalidAfterPaint);
    EXPECT_EQ(presentsAfterExpose, 1u);
    EXPECT_EQ(restored, expect);
}

// A solid fill without an outline leaves the changed rectangle as it is,
// yet PLOTFLUSH shows it: after the flush every page pixel below the title
// strip is on the screen as on the page, inside what was presented.
TEST(ViewRefresh, FlushShowsSolidFillsWithoutOutline) {
    ShellTempDir dir;
    bool rectangleUntouched = false;
    int wrong = 0, unpresented = 0;
    std::uint32_t centre = 0, red = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        GetPlotView()->UpdateWindow();
        SETWINDOW(0.0f, 0.0f, 28.0f, 4.0f);
        PLOTFLUSH();
        SETCOLOURS(4, 2);
        BOXFILL(10, 1, 12, 3, 104, 0);
        rectangleUntouched = PlotState.dirtyLeft > PlotState.dirtyRight;
        PLOTFLUSH();
        SETCOLOURS(4, 3);
        BOXFILL(20, 0.5f, 23, 3.5f, 304, 1);  // hatch over solid: the fill reaches beyond the hatch lines
        ShellRun::backend->presented.clear();
        PLOTFLUSH();
        const int w = PlotState.imageWidth, h = PlotState.imageHeight;
        for (int top = 2; top < h; ++top) {
            for (int col = 0; col < w; ++col) {
                const int index = PlotState.pagePixels[(h - 1 - top) * w + col];
                wrong += ClientPixel(2 + col, 18 + top) != PaletteRgb(index);
                if (col < PIXELX(20) - 1 || col > PIXELX(23) + 1) continue;
                bool inside = false;
                for (const SurfaceRect& r : ShellRun::backend->presented)
                    inside |= 2 + col >= r.left && 2 + col < r.right && 18 + top >= r.top && 18 + top < r.bottom;
                unpresented += !inside && index == 3;
            }
        }
        centre = ClientPixel(2 + PIXELX(11), 18 + h - 1 - PIXELY(2));
        red = PaletteRgb(2);
        return 0;
    });
    EXPECT_TRUE(rectangleUntouched);
    EXPECT_EQ(centre, red);
    EXPECT_EQ(wrong, 0) << "page pixels not shown as on the page";
    EXPECT_EQ(unpresented, 0) << "filled pixels converted but not presented";
}

TEST(ViewRefresh, InvalidatesTheChangedRectangleShiftedByThreeAndEighteenAndEmptiesIt) {
    ShellTempDir dir;
    CRect update;
    int dl = 0, dr = 0, dt = 0, db = 0, w = 0, h = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        GetPlotView()->UpdateWindow();
        PlotState.dirtyLeft = 700;
        PlotState.dirtyRight = 710;
        PlotState.dirtyTop = 100;
        PlotState.dirtyBottom = 120;
        RefreshPlotView();
        GetPlotView()->GetUpdateRect(&update);
        dl = PlotState.dirtyLeft;
        dr = PlotState.dirtyRight;
        dt = PlotState.dirtyTop;
        db = PlotState.dirtyBottom;
        w = PlotState.imageWidth;
        h = PlotState.imageHeight;
        return 0;
    });
    EXPECT_EQ(update, (CRect{0, 0, 713, 138}));  // union of the title strip and (703, 118, 713, 138)
    EXPECT_EQ(dl, w - 1);
    EXPECT_EQ(dr, 0);
    EXPECT_EQ(dt, h - 1);
    EXPECT_EQ(db, 0);
}

TEST(ViewRefresh, EveryRefreshReachesTheBackendWithPageAndTitle) {
    ShellTempDir dir;
    PageRecordOptions record;
    record.dumpDir = (dir.path() / "dumps").string();
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "First");
        PlotState.pagePixels[5] = 3;
        PLOTFLUSH();
        std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "Zweite Seite");
        RefreshPlotView();
        return 0;
    }, nullptr, {}, record);
    std::ifstream log(dir.path() / "dumps" / "refreshes.txt");
    std::stringstream all;
    all << log.rdbuf();
    EXPECT_EQ(all.str(), "00001\tFirst\n00002\tZweite Seite\n");
    // The dump is a plain 8-bit BMP holding exactly the page bytes.
    std::ifstream bmp(dir.path() / "dumps" / "refresh-00001.bmp", std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 1078u);
    auto u32 = [&](std::size_t at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(10), 1078u);
    EXPECT_EQ(u32(18), 1008u);  // fitted to the 1024 x 768 screen: 36 pixels per unit
    EXPECT_EQ(u32(22), 144u);
    EXPECT_EQ(bytes[28], 8);
    EXPECT_EQ(bytes.size(), 1078u + u32(18) * 144u);
    EXPECT_EQ(bytes[1078 + 5], 3);
    EXPECT_EQ(bytes[1078 + 6], 1) << "white background";
    EXPECT_EQ(u32(54 + 4 * 2), 0x00FF0000u) << "palette entry 2 is red (blue, green, red, 0)";
}

TEST(ViewInitialUpdate, NewDocumentKeepsThePictureAndTheBuffer) {
    ShellTempDir dir;
    unsigned char* before = nullptr;
    unsigned char* after = nullptr;
    unsigned char pixel = 0;
    std::uint32_t shown = 0, expect = 0;
    ShellRun::Run("key ctrl+n\nwait 10\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        before = PlotState.pagePixels;
        PlotState.pagePixels[0] = 5;
        RefreshPlotView();
        while (ShellRun::backend->EventsDelivered() == 0) PumpOnce();  // Ctrl+N arrives
        PumpOnce();                                                    // and its paint
        after = PlotState.pagePixels;
        pixel = PlotState.pagePixels[0];
        shown = ClientPixel(2, 18 + PlotState.imageHeight - 1);
        expect = PaletteRgb(5);
        return 0;
    });
    EXPECT_EQ(after, before);
    EXPECT_EQ(pixel, 5);
    EXPECT_EQ(shown, expect);
}

TEST(ViewInitialUpdate, AReplacedPageImageIsTakenUp) {
    ShellTempDir dir;
    DibSize size;
    bool samePixels = false;
    std::uint32_t lastRow = 0, expect = 0;
    ShellRun::Run("wait 100\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        // One row more than the first figure still fits the view: a new, larger image.
        PAGESETUP(0.0f, 0.0f, 28.0f, 4.03f, 28.0f, 4.03f, 2);
        size = GetPlotView()->Dib().GetDimensions();
        samePixels = GetPlotView()->Dib().image == PlotState.pagePixels;
        PlotState.pagePixels[0] = 3;
        RefreshPlotView();
        lastRow = ClientPixel(2, 18 + 144);
        expect = PaletteRgb(3);
        return 0;
    });
    EXPECT_EQ(size, (DibSize{1008, 145}));
    EXPECT_TRUE(samePixels);
    EXPECT_EQ(lastRow, expect);
}

TEST(ViewInitialUpdate, LineSizeIsASixteenthTruncated) {
    ShellTempDir dir;
    CSize line, page;
    ShellRun::Run("", [&] {
        PlotState.viewWidth = 100;
        PlotState.viewHeight = 31;
        GetPlotView()->TakePageFromPlot();
        line = GetPlotView()->GetLineSize();
        page = GetPlotView()->GetPageSize();
        return 0;
    });
    EXPECT_EQ(line, (CSize{6, 1}));
    EXPECT_EQ(page, (CSize{100, 31}));
}

TEST(ViewClose, ClosingTheWindowReleasesThePageBuffer) {
    ShellTempDir dir;
    bool gone = false;
    ShellRun::Run("close\n", [&] {
        PlotState.plotView = GetPlotView();
        EXPECT_NE(PlotState.pagePixels, nullptr);
        PumpUntilClick();
        gone = PlotState.pagePixels == nullptr && PlotState.plotView == nullptr &&
               !ShellRun::backend->WindowOpen();
        return 0;
    });
    EXPECT_TRUE(gone);
}

TEST(ViewScrolling, ClicksAndTheImmediateRefreshFollowTheScrollPosition) {
    ShellTempDir dir;
    int storedX = 0, storedY = 0, unscrolledX = 0;
    std::uint32_t shown = 0, expect = 0;
    bool bars = false;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        COskView* view = GetPlotView();
        // The window shrinks below the page: bars appear and the view scrolls.
        BackendEvent resize;
        resize.type = BackendEvent::Resize;
        resize.width = 400;
        resize.height = 150;
        AfxTranslateBackendEvent(resize);
        bars = view->HasHorizontalBar() && view->HasVerticalBar();
        view->ScrollToPosition({300, 20});
        const CPoint scroll = view->GetScrollPosition();
        PostToView(WM_LBUTTONDOWN, 100, 50);
        PumpOnce();
        storedX = PlotState.leftClickX;
        storedY = PlotState.leftClickY;
        // Page column 400, row 60 from the top shows at client (402 - 300, 78 - 20).
        PlotState.pagePixels[(PlotState.imageHeight - 1 - 60) * PlotState.imageWidth + 400] = 2;
        RefreshPlotView();
        shown = ClientPixel(402 - scroll.x, 78 - scroll.y);
        expect = PaletteRgb(2);
        view->ScrollToPosition({0, 0});
        PostToView(WM_LBUTTONDOWN, 100, 50);
        PumpOnce();
        unscrolledX = PlotState.leftClickX;
        return 0;
    });
    EXPECT_TRUE(bars);
    EXPECT_EQ(storedX, 100 - 2 + 300);
    EXPECT_EQ(storedY, 50 - 18 + 20);
    EXPECT_EQ(shown, expect);
    EXPECT_EQ(unscrolledX, 98);
}

TEST(ViewScrolling, WheelScrollsByThreeLinesAndShiftGoesAcross) {
    ShellTempDir dir;
    CPoint afterDown, afterShift;
    int lineX = 0, lineY = 0;
    ShellRun::Run("", [&] {
        COskView* view = GetPlotView();
        BackendEvent e;
        e.type = BackendEvent::Resize;
        e.width = 300;
        e.height = 100;
        AfxTranslateBackendEvent(e);
        lineX = view->GetLineSize().cx;
        lineY = view->GetLineSize().cy;
        e = BackendEvent{};
        e.type = BackendEvent::Wheel;
        e.wheelY = -1;  // toward the user: down
        AfxTranslateBackendEvent(e);
        PumpOnce();
        afterDown = view->GetScrollPosition();
        e.mods = MOD_SHIFT;
        AfxTranslateBackendEvent(e);
        PumpOnce();
        afterShift = view->GetScrollPosition();
        return 0;
    });
    EXPECT_EQ(afterDown, (CPoint{0, 3 * lineY}));
    EXPECT_EQ(afterShift, (CPoint{3 * lineX, 3 * lineY}));
}

TEST(ViewScrolling, DraggingTheThumbScrollsAndIsNoClick) {
    ShellTempDir dir;
    CPoint afterDrag, afterPage;
    int stored[2] = {1, 1};
    ShellRun::Run("wait 100\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        COskView* view = GetPlotView();
        auto send = [](BackendEvent::Type type, int x, int y) {
            BackendEvent e;
            e.type = type;
            e.button = 1;
            e.x = x;
            e.y = y;
            AfxTranslateBackendEvent(e);
            PumpOnce();
        };
        BackendEvent resize;
        resize.type = BackendEvent::Resize;
        resize.width = 400;
        resize.height = 150;
        AfxTranslateBackendEvent(resize);
        // The horizontal bar: 388 wide (the vertical bar takes 12), its thumb
        // 388 * 388 / 1012 = 148 long at x 0; 1012 - 388 = 624 to scroll over
        // 388 - 148 = 240 pixels of travel.
        send(BackendEvent::MouseDown, 5, 144);
        send(BackendEvent::MouseMove, 105, 100);  // held: the bar keeps the mouse
        send(BackendEvent::MouseUp, 105, 100);
        afterDrag = view->GetScrollPosition();
        stored[0] = PlotState.leftClickX;
        stored[1] = PlotState.leftClickY;
        send(BackendEvent::MouseDown, 380, 144);  // on the track right of the thumb: a page on
        send(BackendEvent::MouseUp, 380, 144);
        afterPage = view->GetScrollPosition();
        return 0;
    });
    EXPECT_EQ(afterDrag, (CPoint{100 * 624 / 240, 0}));
    EXPECT_EQ(stored[0], 0);
    EXPECT_EQ(stored[1], 0);
    EXPECT_EQ(afterPage, (CPoint{624, 0}));
}

TEST(ViewPaint, ExposedWindowIsPaintedAgainFromThePage) {
    ShellTempDir dir;
    std::uint32_t before = 0, after = 0, expect = 0;
    ShellRun::Run("wait 100\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        GetPlotView()->UpdateWindow();
        Surface* s = AfxGetApp()->m_pMainWnd->GetSurface();
        std::fill(s->pixels.begin(), s->pixels.end(), 0xFF123456u);  // the window system lost it
        before = ClientPixel(500, 100);
        BackendEvent e;
        e.type = BackendEvent::Expose;
        AfxTranslateBackendEvent(e);
        PumpOnce();
        after = ClientPixel(500, 100);
        expect = PaletteRgb(PlotState.pagePixels[(PlotState.imageHeight - 1 - 82) * PlotState.imageWidth + 498]);
        return 0;
    });
    EXPECT_EQ(before, 0x123456u);
    EXPECT_EQ(after, expect);
}

TEST(ViewKeys, AKeyOfTheTableClicksTheButtonCentreAndOthersDoNothing) {
    ShellTempDir dir;
    float x = 0, y = 0;
    char button = '?';
    float nx = 0, ny = 0;
    char nothing = '?';
    ShellRun::Run("key x\nkey n\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        const KeyButton keys[] = {{'N', 18.4f, 3.535f}, {OSK_KEY_RIGHT, 3.0f, 1.0f}};
        SetKeyButtons(keys, 2);
        int key = 0;
        // The poll takes the paint, then "x" (not in the table): no click.
        MOUSEPOLL(2, key, nx, ny, nothing);
        while (ShellRun::backend->EventsDelivered() < 1) MOUSEPOLL(2, key, nx, ny, nothing);
        MOUSEWAIT(2, key, x, y, button);  // "n": a click at the button
        SetKeyButtons(nullptr, 0);
        return 0;
    });
    EXPECT_EQ(nothing, ' ');
    EXPECT_EQ(button, 'L');
    // One pixel is 1/36 of a unit on the fitted page.
    EXPECT_NEAR(x, 18.4f, 1.0f / 36);
    EXPECT_NEAR(y, 3.535f, 1.0f / 36);
}

}  // namespace

// Slow motion's keys: - halves the speed down to 1/8 (a fourth press does
// nothing), + doubles it back; the window caption says the speed when it is
// not normal.  Ctrl+- is not the key.
TEST(ShellKeys, SpeedStepsShowInTheCaption) {
    std::vector<std::string> captions;
    std::vector<int> slowdowns;
    ShellRun::Run("key minus\nkey minus\nkey minus\nkey minus\nkey ctrl+plus\nkey plus\nkey plus\n", [&] {
        do {
            if (slowdowns.empty() || slowdowns.back() != AnimationSlowdown()) {
                slowdowns.push_back(AnimationSlowdown());
                captions.push_back(ShellRun::backend->WindowTitle());
            }
        } while (PumpOnce() >= 0);
        return 0;
    });
    EXPECT_EQ(slowdowns, (std::vector<int>{1, 2, 4, 8, 4, 2}));
    ASSERT_EQ(captions.size(), 6u);
    EXPECT_EQ(captions[3].substr(captions[3].size() - 12), " - 1/8 speed") << captions[3];
    EXPECT_EQ(captions[1].find(" - 1/2 speed") + 12, captions[1].size()) << captions[1];
    EXPECT_EQ(captions[5], captions[1]);
    EXPECT_EQ(captions[0].find("speed"), std::string::npos);
}
