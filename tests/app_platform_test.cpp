// The platform core on its own: message order, the default font, the
// device context's clipping and origin.
#include "app_support.h"
#include "platform/anchored_clock.h"
#include "platform/font.h"
#include "platform/internal.h"
#include "platform/scaled_view.h"
#include "plot/host.h"

namespace {

// A frame's DELAY of 40 ms on the backends' clock while the system's clock
// is stepped an hour back, then two hours on: the wait ends after its 40 ms
// of monotonic time, neither stalled for the hour nor cut short.
TEST(Clock, AStepOfTheSystemClockNeitherStallsNorRushesADelay) {
    static std::int64_t wallMs, monotonicMs;
    static int waits;
    static const AnchoredClock* clock;
    wallMs = 1'700'000'000'123;
    monotonicMs = 5'000;
    waits = 0;
    const AnchoredClock anchored([] { return wallMs; }, [] { return monotonicMs; });
    clock = &anchored;
    PlotHost host{};
    host.wallClock = [] { return clock->Seconds(); };
    host.waitUntil = [](double) {
        ++waits;
        monotonicMs += 1;
        wallMs += waits == 10 ? 1 - 3'600'000 : waits == 20 ? 1 + 7'200'000 : 1;
        if (waits > 1000) monotonicMs += 1'000'000;  // a stalled wait: end it, the checks below fail
    };
    PlotSetHost(&host);
    const double start = WALLCLOCK();
    DELAY(0.040, start);
    const double end = WALLCLOCK();
    PlotSetHost(nullptr);
    EXPECT_DOUBLE_EQ(start, 1'700'000'000.123);
    // 40 or 41 ms: "more than 40 ms" is judged on the clock's double values.
    EXPECT_GE(end - start, 0.040 - 1e-6);
    EXPECT_LE(end - start, 0.041 + 1e-6);
    EXPECT_GE(waits, 40);
    EXPECT_LE(waits, 41);

    // A host that sleeps to the clock's MonotonicPast ends the same wait
    // after one sleep, at the same reading; a deadline that has passed
    // still sleeps to the next millisecond (no spin), one past the year
    // 5138 for an hour.
    host.waitUntil = [](double deadline) {
        ++waits;
        monotonicMs = clock->MonotonicPast(deadline);
    };
    PlotSetHost(&host);
    for (const double delay : {0.040, 0.0405, 0.001}) {
        waits = 0;
        const double from = WALLCLOCK();
        DELAY(delay, from);
        const double to = WALLCLOCK();
        EXPECT_EQ(waits, 1) << delay;
        EXPECT_GT(to - from, delay) << delay;
        EXPECT_LE(to - from, delay + 0.001 + 1e-6) << delay;
    }
    PlotSetHost(nullptr);
    EXPECT_EQ(anchored.MonotonicPast(1.0), monotonicMs + 1);
    EXPECT_EQ(anchored.MonotonicPast(1e300), monotonicMs + 3'600'000);
}

TEST(MessageQueue, PostedThenInputThenQuitThenPaint) {
    ShellTempDir dir;
    std::vector<unsigned> order;
    BOOL gotQuit = TRUE;
    ShellRun::Run("wait 100\nclose\n", [&] {
        COskView* view = GetPlotView();
        view->Invalidate(TRUE);
        PostQuitMessage(0);
        BackendEvent key;
        key.type = BackendEvent::Key;
        key.key = 'Z';
        AfxTranslateBackendEvent(key);
        PostMessage(view->m_hWnd, WM_MOUSEMOVE, 0, MakePointParam(3, 4));
        MSG msg;
        for (int i = 0; i < 2; ++i) {
            GetMessage(&msg);
            order.push_back(msg.message);
        }
        gotQuit = GetMessage(&msg);
        order.push_back(msg.message);
        PeekMessage(&msg, 0, 0, 0, PM_NOREMOVE);
        order.push_back(msg.message);
        return 0;
    });
    EXPECT_EQ(order, (std::vector<unsigned>{WM_MOUSEMOVE, WM_KEYDOWN, WM_QUIT, WM_PAINT}));
    EXPECT_FALSE(gotQuit);
}

TEST(MessageQueue, PaintsStayPendingUntilValidatedAndMergeIntoOne) {
    ShellTempDir dir;
    int paints = 0;
    CRect merged;
    ShellRun::Run("wait 100\nclose\n", [&] {
        COskView* view = GetPlotView();
        view->UpdateWindow();
        CRect a{10, 30, 20, 40};
        CRect b{100, 50, 120, 60};
        view->InvalidateRect(&a, FALSE);
        view->InvalidateRect(&b, FALSE);
        view->GetUpdateRect(&merged);
        MSG msg;
        while (PeekMessage(&msg, 0, 0, 0, PM_NOREMOVE) && msg.message == WM_PAINT && paints < 5) {
            ++paints;
            GetMessage(&msg);
            DispatchMessage(&msg);
        }
        return 0;
    });
    EXPECT_EQ(merged, (CRect{10, 30, 120, 60}));
    EXPECT_EQ(paints, 1);
}

TEST(MessageQueue, MouseMovesMergeSoAClickIsNotKeptWaiting) {
    ShellTempDir dir;
    std::size_t queued = 0;
    int polls = 0;
    CPoint lastMove;
    ShellRun::Run("wait 100\nclose\n", [&] {
        COskView* view = GetPlotView();
        view->UpdateWindow();
        BackendEvent e;
        for (int i = 0; i < 200; ++i) {
            e.type = BackendEvent::MouseMove;
            e.x = 10 + i;
            e.y = 40;
            AfxTranslateBackendEvent(e);
        }
        e.type = BackendEvent::MouseDown;
        e.button = 1;
        AfxTranslateBackendEvent(e);
        queued = AfxPendingMessageCount();
        PeekMessage(&theApp.m_msgCur, 0, 0, 0, PM_NOREMOVE);
        lastMove = theApp.m_msgCur.pt;
        while (PlotState.leftClickX == 0 && polls < 10) {
            PumpOnce();
            ++polls;
        }
        return 0;
    });
    EXPECT_EQ(queued, 2u);
    EXPECT_EQ(lastMove, (CPoint{209, 40})) << "the merged move carries the latest point";
    EXPECT_EQ(polls, 2);
}

TEST(MessageQueue, MessagesForAWindowThatHasGoneAreDropped) {
    ShellTempDir dir;
    std::int64_t result = 1;
    ShellRun::Run("wait 100\nclose\n", [&] {
        const HWND view = GetPlotView()->m_hWnd;
        AfxGetApp()->m_pMainWnd->DestroyWindow();
        MSG msg;
        msg.hwnd = view;
        msg.message = WM_LBUTTONDOWN;
        result = DispatchMessage(&msg);
        return 0;
    });
    EXPECT_EQ(result, 0);
}

TEST(DefaultFont, EveryPrintableLatin1CharacterHasItsOwnGlyph) {
    auto rows = [](int c) {
        const unsigned char* g = FontGlyph(static_cast<unsigned char>(c));
        return std::vector<unsigned char>(g, g + kFontHeight);
    };
    auto ink = [&](int c) {
        int n = 0;
        for (unsigned char r : rows(c)) n += __builtin_popcount(r);
        return n;
    };
    const auto box = rows(0x01);
    EXPECT_EQ(rows(0x7F), box);
    EXPECT_EQ(rows(0x85), box);
    std::set<std::vector<unsigned char>> seen;
    for (int c = 0x20; c <= 0xFF; ++c) {
        if (c >= 0x7F && c < 0xA0) continue;
        if (c == 0x20 || c == 0xA0) {
            EXPECT_EQ(ink(c), 0) << c;
            continue;
        }
        EXPECT_GT(ink(c), 0) << std::hex << c;
        EXPECT_NE(rows(c), box) << std::hex << c;
        // The soft hyphen looks like the hyphen; everything else is unique.
        if (c != 0xAD) {
            EXPECT_TRUE(seen.insert(rows(c)).second) << "duplicate glyph " << std::hex << c;
        }
    }
}

TEST(DefaultFont, AccentedLettersAreTheBaseLetterWithAMark) {
    const struct {
        unsigned char accented, base;
    } pairs[] = {{0xC4, 'A'}, {0xD6, 'O'}, {0xDC, 'U'}, {0xE4, 'a'}, {0xF6, 'o'}, {0xFC, 'u'}, {0xE9, 'e'},
                 {0xC7, 'C'}, {0xF1, 'n'}};
    for (const auto& p : pairs) {
        const unsigned char* a = FontGlyph(p.accented);
        const unsigned char* b = FontGlyph(p.base);
        bool extra = false;
        for (int r = 0; r < kFontHeight; ++r) {
            EXPECT_EQ(a[r] & b[r], b[r]) << std::hex << int(p.accented) << " row " << r;
            extra |= a[r] != b[r];
        }
        EXPECT_TRUE(extra) << std::hex << int(p.accented);
    }
    // Capitals keep rows 0-1 free for accents; descenders only below the base line.
    for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(FontGlyph(c)[0] | FontGlyph(c)[1], 0) << char(c);
    EXPECT_NE(FontGlyph('g')[11] | FontGlyph('g')[12], 0);
}

TEST(DeviceContext, TextIsClippedAndFollowsTheViewportOrigin) {
    Surface s;
    s.Resize(64, 32, 0xFFFFFFFFu);
    CDC dc(&s, {4, 2}, {4, 2, 20, 32});
    dc.SetViewportOrg(-8, 0);
    dc.TextOut(8, 0, "HH", 2);  // lands at surface x 4..19
    int inkInside = 0;
    int inkOutside = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool black = (s.At(x, y) & 0xFFFFFF) == 0;
            (x >= 4 && x < 20 && y >= 2 ? inkInside : inkOutside) += black;
        }
    EXPECT_GT(inkInside, 20);
    EXPECT_EQ(inkOutside, 0);
    // The 'H' has its left stem in glyph column 1: surface column 5, from row 2 + 1 + 2.
    EXPECT_EQ(s.At(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(s.At(4, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(dc.GetTouched(), (CRect{4, 2, 20, 18}));
}

TEST(DeviceContext, DibIsDrawnUnscaledOrStretchedInsideTheClip) {
    CDib dib;
    ASSERT_TRUE(dib.CreateImage(4, 2, 8));
    dib.colourTable[1] = 0x00FF0000;
    dib.colourTable[2] = 0x000000FF;
    unsigned char pixels[8] = {1, 2, 1, 2, 2, 2, 2, 2};  // bottom row first
    dib.image = pixels;
    Surface s;
    s.Resize(16, 8, 0xFF000000u);
    CDC dc(&s, {0, 0}, {0, 0, 7, 8});
    ASSERT_TRUE(dc.DrawDib(dib, {0, 0}, {4, 2}));
    EXPECT_EQ(s.At(0, 1) & 0xFFFFFF, 0xFF0000u);  // bottom row shows at the bottom
    EXPECT_EQ(s.At(1, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(s.At(0, 0) & 0xFFFFFF, 0x0000FFu);
    ASSERT_TRUE(dc.DrawDib(dib, {0, 4}, {8, 4}));
    EXPECT_EQ(s.At(0, 6) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(s.At(1, 7) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(s.At(2, 7) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(s.At(7, 7) & 0xFFFFFF, 0u) << "column 7 lies outside the clip";
}

// A view that notes what its creation handler was given.
class NotingView : public CView {
    DECLARE_DYNCREATE(NotingView)
public:
    static inline int width = -1;
    static inline void* params = nullptr;
    int OnCreate(CREATESTRUCT* cs) override {
        width = cs->cx;
        params = cs->lpCreateParams;
        return CView::OnCreate(cs);
    }
    void OnDraw(CDC* /*dc*/) override {}
};
IMPLEMENT_DYNCREATE(NotingView, CView)

TEST(WindowCreation, AViewGetsACreationStructureWithItsContextInside) {
    ShellTempDir dir;
    ShellRun::Run("", [] {
        CFrameWnd* frame = AfxGetApp()->m_pMainWnd;
        CRect client;
        frame->GetClientRect(&client);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(NotingView);
        context.m_pCurrentDoc = GetPlotView()->GetDocument();
        CView* view = frame->CreateView(&context);
        EXPECT_NE(view, nullptr);
        EXPECT_EQ(NotingView::width, client.Width());
        EXPECT_EQ(NotingView::params, &context);
        EXPECT_EQ(view ? view->GetDocument() : nullptr, context.m_pCurrentDoc) << "the view joined the document";
        return 0;
    });
}

TEST(WindowCreation, WithoutAnApplicationObjectTheFrameworkDoesNotStart) {
    auto& state = afx_internal::State();
    CWinApp* const app = std::exchange(state.app, nullptr);
    HeadlessBackend backend(HeadlessOptions{});
    const int result = OskWinMain(&backend, nullptr, [] { return 0; });
    state.app = app;
    EXPECT_EQ(result, -1);
}

}  // namespace

// The fit view at 1920 x 1080 of the 1908 x 296 client a 1920 x 1080 screen
// gives: every window pixel of the picture maps back to the client pixel
// whose enlarged block it lies in, and the black bars map outside the client.
TEST(ScaledView, EveryEnlargedPixelIsAClickOnItsClientPixel) {
    const ScaledView v = ScaledView::Fit(1908, 296, 1920, 1080);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.width, 1920);
    EXPECT_EQ(v.height, 297);
    EXPECT_EQ(v.top, (1080 - 297) / 2);
    EXPECT_LT(v.ClientY(v.top - 1), 0);
    EXPECT_GE(v.ClientY(v.top + v.height), 296);

    // Across: each client column's window block (ToWindow) holds exactly the
    // window columns that map back to it, the blocks tile the picture.
    int next = v.left;
    for (int c = 0; c < v.clientWidth; ++c) {
        const SurfaceRect w = v.ToWindow({c, 0, c + 1, 1});
        ASSERT_EQ(w.left, next) << "column " << c;
        ASSERT_FALSE(w.Empty()) << "column " << c << " not shown";
        for (int x = w.left; x < w.right; ++x) ASSERT_EQ(v.ClientX(x), c);
        next = w.right;
    }
    EXPECT_EQ(next, v.left + v.width);
    for (int y = v.top; y < v.top + v.height; ++y) {
        const int c = v.ClientY(y);
        const SurfaceRect w = v.ToWindow({0, c, 1, c + 1});
        ASSERT_TRUE(y >= w.top && y < w.bottom) << "row " << y;
    }

    // Drawing: the picture shows each window pixel's client pixel, enlarged
    // a little (copied in runs), twice, or reduced (looked up pixel by
    // pixel); a partial redraw of one client rectangle gives the same pixels.
    struct Sizes {
        int clientWidth, clientHeight, windowWidth, windowHeight;
    };
    for (const Sizes z : {Sizes{1908, 296, 1920, 1080}, Sizes{1008, 144, 1920, 1080}, Sizes{1908, 296, 800, 600}}) {
        const ScaledView s = ScaledView::Fit(z.clientWidth, z.clientHeight, z.windowWidth, z.windowHeight);
        Surface client;
        client.Resize(z.clientWidth, z.clientHeight, 0);
        for (std::size_t i = 0; i < client.pixels.size(); ++i) {
            client.pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
        }
        const std::size_t windowPixels = static_cast<std::size_t>(z.windowWidth) * z.windowHeight;
        std::vector<std::uint32_t> whole(windowPixels, 0), part(windowPixels, 0);
        DrawScaled(client, s, {0, 0, z.windowWidth, z.windowHeight}, whole.data(), z.windowWidth);
        const SurfaceRect changed = s.ToWindow({z.clientWidth / 4, 40, z.clientWidth / 2 + 3, 101});
        DrawScaled(client, s, changed, part.data(), z.windowWidth);
        for (int y = 0; y < z.windowHeight; ++y) {
            for (int x = 0; x < z.windowWidth; ++x) {
                const bool inPicture = x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height;
                const bool inChange = x >= changed.left && x < changed.right && y >= changed.top && y < changed.bottom;
                const std::uint32_t want = inPicture ? client.At(s.ClientX(x), s.ClientY(y)) : 0u;
                const std::size_t at = static_cast<std::size_t>(y) * z.windowWidth + x;
                ASSERT_EQ(whole[at], want) << z.clientWidth << " into " << z.windowWidth << " at " << x << "," << y;
                ASSERT_EQ(part[at], inChange ? want : 0u)
                    << z.clientWidth << " into " << z.windowWidth << " at " << x << "," << y;
            }
        }
    }

    // A window smaller than the client shrinks the picture the same way.
    const ScaledView small = ScaledView::Fit(1908, 296, 800, 600);
    EXPECT_EQ(small.width, 800);
    EXPECT_EQ(small.ClientX(799), 1905);
}

// What a window backend draws for a present: a whole present covers every
// window pixel exactly once (the picture or a bar of the right colour), a
// partial one only the window pixels of the changed client pixels, without bars.
TEST(ScaledView, PresentPlanCoversTheWindowOnceForAWholePresentAndOnlyTheChangeOtherwise) {
    struct Case {
        bool scaled;
        int windowWidth, windowHeight;
    };
    for (const Case c :
         {Case{true, 1920, 1080}, Case{true, 800, 600}, Case{false, 1920, 1080}, Case{false, 1000, 200}}) {
        const std::string tag = (c.scaled ? "scaled " : "1:1 ") + std::to_string(c.windowWidth);
        const PresentPlan whole = PlanPresent(c.scaled, 1908, 296, c.windowWidth, c.windowHeight, {0, 0, 1908, 296});
        EXPECT_EQ(whole.shown.right, c.windowWidth) << tag;
        EXPECT_EQ(whole.shown.bottom, c.windowHeight) << tag;
        EXPECT_EQ(whole.barColour, c.scaled ? 0xFF000000u : 0xFFFFFFFFu) << tag;
        const SurfaceRect picture =
            c.scaled ? SurfaceRect{whole.view.left, whole.view.top, whole.view.left + whole.view.width,
                                   whole.view.top + whole.view.height}
                     : SurfaceRect{0, 0, std::min(1908, c.windowWidth), std::min(296, c.windowHeight)};
        std::vector<int> covered(static_cast<std::size_t>(c.windowWidth) * c.windowHeight, 0);
        auto cover = [&](const SurfaceRect& r) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) ++covered[static_cast<std::size_t>(y) * c.windowWidth + x];
        };
        cover(picture);
        for (const SurfaceRect& bar : whole.bars) cover(bar);
        EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), static_cast<std::ptrdiff_t>(covered.size())) << tag;

        const SurfaceRect change{500, 40, 777, 201};
        const PresentPlan part = PlanPresent(c.scaled, 1908, 296, c.windowWidth, c.windowHeight, change);
        for (const SurfaceRect& bar : part.bars) EXPECT_TRUE(bar.Empty()) << tag;
        const SurfaceRect expect =
            c.scaled ? whole.view.ToWindow(change)
                     : SurfaceRect{500, 40, std::min(777, c.windowWidth), std::min(201, c.windowHeight)};
        EXPECT_EQ(part.shown.left, expect.left) << tag;
        EXPECT_EQ(part.shown.top, expect.top) << tag;
        EXPECT_EQ(part.shown.right, expect.right) << tag;
        EXPECT_EQ(part.shown.bottom, expect.bottom) << tag;
    }
    // After a change of presentation: the size that now holds, then an expose.
    Presentation fit;
    fit.scaled = true;
    fit.clientWidth = 1908;
    fit.clientHeight = 296;
    const auto events = SizeAndExposeEvents(fit, 1920, 1080);
    EXPECT_EQ(events[0].type, BackendEvent::Resize);
    EXPECT_EQ(events[0].width, 1908);
    EXPECT_EQ(events[1].type, BackendEvent::Expose);
    EXPECT_EQ(SizeAndExposeEvents(Presentation{}, 1920, 1080)[0].width, 1920);
}
