// oskapp.cpp - the application object: start-up, the pump with its run
// modes, the immediate screen refresh and the plot library's host.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "app/aids.h"
#include "app/catalogue.h"
#include "app/controls.h"
#include "app/mouse.h"
#include "app/shell.h"
#include "platform/backend_defaults.h"
#include "plot/host.h"
#include "plot/plot.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(COskApp, CWinApp)
IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

// The one application object, made by the static initialisation.
COskApp theApp;

namespace {

// The plain page is 28 x 4; aids turned on from the start may make it taller.
int RealPageSetup() {
    const float height = LayoutAids(CurrentAids()).pageHeight;
    return PAGESETUP(0.0f, 0.0f, kAidPageWidth, height, kAidPageWidth, height, 2);
}
int (*g_pageSetup)() = RealPageSetup;

// ---- the plot library's host -----------------------------------------------------------

int HostWaitForClick() {
    int key = 0;
    float x = 0.0f;
    float y = 0.0f;
    char button = ' ';
    return MOUSEWAIT(2, key, x, y, button);
}

void HostScreenSize(int* width, int* height) {
    if (Backend* b = AfxGetBackend()) {
        b->ScreenSize(*width, *height);
    } else {
        *width = kDefaultScreenWidth;
        *height = kDefaultScreenHeight;
    }
}

// Texts the user sees that are written where no translation is marked, for
// the catalogues: the plot library's message (the library speaks one
// language; the shell translates what it shows) and the document's names
// from the resources and the framework (translated when the title is set).
[[maybe_unused]] constexpr const char* kTextsTranslatedHere[] = {
    N_("Bild passt nicht in Datei"),
    N_("Plane Longitudinal/Transversal Waves"),
    N_("Unbenannt"),
};

void HostMessageBox(const char* text) { AfxMessageBox(Tr(text)); }

double HostWallClock() {
    Backend* b = AfxGetBackend();
    return b ? b->WallClock() : PlotSystemClock();
}

void HostWaitUntil(double deadline) {
    if (Backend* b = AfxGetBackend()) {
        b->WaitUntil(deadline);
    } else {
        PlotSystemWaitUntil(deadline);
    }
}

void HostPageImageReplaced() {
    if (COskView* view = GetPlotView()) view->TakePageFromPlot();
}

void InstallPlotHost() {
    PlotHost host{};
    host.flush = RefreshPlotView;
    host.waitForClick = HostWaitForClick;
    host.screenSize = HostScreenSize;
    host.messageBox = HostMessageBox;
    host.wallClock = HostWallClock;
    host.waitUntil = HostWaitUntil;
    host.pageImageReplaced = HostPageImageReplaced;
    PlotSetHost(&host);
}

void DibMessage(const char* text) { AfxMessageBox(text); }

// The view of the plot state, if it is still alive.
COskView* LivePlotView() {
    COskView* view = PlotState.plotView;
    return view && AfxIsLiveWindow(view) ? view : nullptr;
}

void EmptyDirtyRectangle() {
    PlotState.dirtyLeft = PlotState.imageWidth - 1;
    PlotState.dirtyRight = 0;
    PlotState.dirtyBottom = 0;
    PlotState.dirtyTop = PlotState.imageHeight - 1;
}

RefreshObserver* g_refreshObserver = nullptr;

// The page pixels changed since the refresh observer last heard of one
// (refreshes that reached no view included), so that it may copy only these.
PageChange g_unobservedChange{0, 0, -1, -1};

PageChange UnionOfChanges(const PageChange& a, const PageChange& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

void NoteChange(const PageChange& change) { g_unobservedChange = UnionOfChanges(g_unobservedChange, change); }

// The changed rectangle and the solid fills since the last refresh.
void NoteDrawnSinceRefresh(const PlotPixelRect& filled) {
    NoteChange({PlotState.dirtyLeft, PlotState.dirtyTop, PlotState.dirtyRight, PlotState.dirtyBottom});
    NoteChange({filled.left, filled.top, filled.right, filled.bottom});
}

// The parts of `change` that the library collected (see PlotTakeChangeParts),
// or `change` whole when they are not known or do not add up to it (a
// program that widened the changed rectangle by hand); collected from now on
// only where a window is to compare them.
std::vector<PageChange> TakeChangeParts(const PageChange& change, bool wanted) {
    PlotPixelRect taken[kPlotChangeParts];
    const int count = PlotTakeChangeParts(taken);
    PlotCollectChangeParts(wanted);
    std::vector<PageChange> parts;
    PageChange bounds{0, 0, -1, -1};
    for (int i = 0; i < count; ++i) {
        parts.push_back({taken[i].left, taken[i].top, taken[i].right, taken[i].bottom});
        bounds = UnionOfChanges(bounds, parts.back());
    }
    const bool addsUp = bounds.left == change.left && bounds.top == change.top && bounds.right == change.right &&
                        bounds.bottom == change.bottom;
    if (count < 0 || (change.Empty() ? !parts.empty() : !addsUp)) return {change};
    return parts;
}

PageFrame CurrentPageFrame() {
    PageFrame frame;
    frame.pixels = PlotState.pagePixels;
    frame.width = PlotState.imageWidth;
    frame.height = PlotState.imageHeight;
    frame.palette = PlotState.palette;
    frame.background = static_cast<unsigned char>(PlotState.backgroundColour);
    frame.title = PlotState.titleText;
    frame.seconds = HostWallClock();
    return frame;
}

int RunInMode(int mode) {
    PlotState.runMode = mode;
    CWinThread* thread = AfxGetThread();
    const int result = thread ? thread->Run() : -1;
    PlotState.runMode = kRunModeNone;
    return result;
}

}  // namespace

bool ResizePlotPage(float height) {
    PlotStateRecord& s = PlotState;
    if (s.pageHeight == height || s.plotStatus != kPlotFigureInProgress) return false;
    const PlotPenBlock saved = s.savedPenBlock;
    char title[sizeof s.titleText];
    std::memcpy(title, s.titleText, sizeof title);
    s.pageHeight = height;
    s.viewWidth = 0;           // the view and the frame laid out anew
    s.plotStatus = kPlotOpen;  // so that FRAME starts the figure without its wait
    FRAME(0.0f, 0.0f, s.pageWidth, height);
    // As NFRAME would leave it: the first figure's pen block, default colours.
    s.savedPenBlock = saved;
    s.penBlock() = saved;
    s.penColour = s.defaultColour;
    s.fillColour = s.defaultColour;
    std::memcpy(s.titleText, title, sizeof title);
    if (COskView* view = LivePlotView()) view->TakePageFromPlot();
    // The window follows the page as it was sized to it at the start.
    CWinApp* app = AfxGetApp();
    if (CFrameWnd* frame = app ? app->m_pMainWnd : nullptr) frame->ResizeClient({s.frameWidth, s.frameHeight});
    RefreshPresentation();
    return true;
}

void SetPageSetupForTesting(int (*pageSetup)()) { g_pageSetup = pageSetup ? pageSetup : RealPageSetup; }

// ---- COskApp -----------------------------------------------------------------------------

COskApp::COskApp() : CWinApp(nullptr) {}

BOOL COskApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COskDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(COskView)));

    // The plot library and its first figure come before any window: the
    // frame, the view and its DIB take their sizes and pixels from them.
    PLOTOPEN(3, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    if (g_pageSetup() < 0) return FALSE;

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info)) return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    if (const auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd); frame && frame->StartsFitted()) FitViewAtStart();
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int COskApp::Run() {
    if (!m_pMainWnd && AfxOleGetUserCtrl()) AfxPostQuitMessage(0);
    bool idle = true;
    long idleCount = 0;
    for (;;) {
        while (idle && !PeekMessage(&m_msgCur, 0, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = false;
        }
        do {
            if (!PumpMessage()) return -1;
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
            if (PlotState.runMode == kRunModeWaitForClick) {
                // Only the x fields are looked at: a click on column 0 waits on.
                const unsigned m = m_msgCur.message;
                if (m >= WM_LBUTTONDOWN && m <= WM_RBUTTONUP &&
                    (PlotState.leftClickX != 0 || PlotState.rightClickX != 0)) {
                    return 0;
                }
            } else if (PlotState.runMode == kRunModePoll) {
                return 0;
            }
        } while (PeekMessage(&m_msgCur, 0, 0, 0, PM_NOREMOVE));
    }
}

bool COskApp::OnCmdMsg(unsigned id) {
    switch (id) {
        case ID_APP_ABOUT: OnAppAbout(); return true;
        case ID_FILE_NEW: OnFileNew(); return true;
        case ID_FILE_OPEN: OnFileOpen(); return true;
        default: return false;
    }
}

void COskApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

// ---- run modes and the refresh ---------------------------------------------------------------

int PumpUntilClick() { return RunInMode(kRunModeWaitForClick); }
int PumpOnce() { return RunInMode(kRunModePoll); }

int PumpWaitingInput() {
    // A bound, for a message that keeps posting another.
    constexpr int kMaxMessages = 256;
    MSG waiting;
    for (int i = 0; i < kMaxMessages; ++i) {
        // A stored click waits for its reader: a later one would replace it.
        if (PlotState.leftClickX != 0 || PlotState.rightClickX != 0) return 0;
        // Paints come last in the queue: when one is next, no input waits.
        if (!PeekMessage(&waiting, 0, 0, 0, PM_NOREMOVE) || waiting.message == WM_PAINT) return 0;
        if (PumpOnce() < 0) return -1;
    }
    return 0;
}

COskView* GetPlotView() {
    CFrameWnd* frame = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    if (!frame) return nullptr;
    CView* view = frame->GetActiveView();
    if (!view) return nullptr;
    return view->IsKindOf(RUNTIME_CLASS(COskView)) ? static_cast<COskView*>(view) : nullptr;
}

void RefreshPlotView() {
    COskView* view = LivePlotView();
    if (!view) {
        // No window (not yet stored, or closed): nothing to show.
        NoteDrawnSinceRefresh(PlotTakeDirectWrites());
        TakeChangeParts(PageChange{0, 0, -1, -1}, false);
        EmptyDirtyRectangle();
        return;
    }
    // The title strip and the changed rectangle are invalidated for the next
    // paint (one column right of the page: the rectangle's edges as the view
    // has always taken them); an inverted rectangle invalidates nothing.
    // Both follow the scroll position, as does the drawing below.
    const bool onlyRefreshes = view->UpdateHoldsOnlyRefreshes();
    const CPoint scroll = view->GetScrollPosition();
    CRect title = kTitleStrip;
    title.OffsetRect(-scroll.x, -scroll.y);
    view->InvalidateRect(&title, TRUE);
    constexpr CPoint kInvalidOrigin{kPageOrigin.x + 1, kPageOrigin.y};
    CRect changed{PlotState.dirtyLeft + kInvalidOrigin.x, PlotState.dirtyTop + kInvalidOrigin.y,
                  PlotState.dirtyRight + kInvalidOrigin.x, PlotState.dirtyBottom + kInvalidOrigin.y};
    changed.OffsetRect(-scroll.x, -scroll.y);
    view->InvalidateRect(&changed, FALSE);

    // Drawn and shown at once: the title strip (unless the same text is on
    // the screen already) and the pixels that changed (where the page lies,
    // kPageOrigin on), the rest of the page being on the screen already.
    // Converting and presenting only these keeps a running animation cheap:
    // of the changed rectangle with the solid fills (which it does not hold),
    // only the parts that differ from what the window shows.
    const PlotPixelRect filled = PlotTakeDirectWrites();
    NoteDrawnSinceRefresh(filled);
    const PageChange change =
        UnionOfChanges({PlotState.dirtyLeft, PlotState.dirtyTop, PlotState.dirtyRight, PlotState.dirtyBottom},
                       {filled.left, filled.top, filled.right, filled.bottom});
    // Where nothing shows the window (headless), telling the changed bands
    // apart would cost more than drawing into no surface.
    const bool shown = view->SurfaceToDrawOn() != nullptr;
    const std::vector<PageChange> parts = TakeChangeParts(change, shown);
    const std::vector<PageChange> bands =
        shown ? view->Shown().Changed(CurrentPageFrame(), parts, scroll.x, scroll.y) : std::vector<PageChange>{change};
    const CRect strip = view->TitleShownAt(scroll) ? CRect{} : title;
    view->NoteTitleShown(scroll);
    auto draw = [&](const CRect& part, bool emptyFirst) {
        if (part.IsRectEmpty()) return;
        CDC* dc = view->GetDC(part);
        // The title's text covers only its own characters: the strip is
        // emptied first, or a shorter title would keep a longer one's tail.
        if (emptyFirst) dc->FillSolidRect(part, kTitleStripColour);
        dc->SetViewportOrg(-scroll.x, -scroll.y);
        view->OnDraw(dc);
        view->ReleaseDC(dc);
    };
    // Every part goes to the screen in one present.
    view->BeginPresentBatch();
    draw(strip, true);
    for (const PageChange& band : bands) {
        CRect part{band.left + kPageOrigin.x, band.top + kPageOrigin.y, band.right + kPageOrigin.x + 1,
                   band.bottom + kPageOrigin.y + 1};
        part.OffsetRect(-scroll.x, -scroll.y);
        draw(part, false);
    }
    view->EndPresentBatch();
    view->NoteRefreshDrawn(onlyRefreshes);

    if (g_refreshObserver) {
        PageFrame frame = CurrentPageFrame();
        frame.changed = std::exchange(g_unobservedChange, PageChange{0, 0, -1, -1});
        g_refreshObserver->PageRefreshed(frame);
    }
    EmptyDirtyRectangle();
}

// ---- the process entry's work ------------------------------------------------------------------

int OskWinMain(Backend* backend, const char* fileArgument, int (*mainRoutine)(), RefreshObserver* observer) {
    int result = -1;
    g_refreshObserver = observer;
    g_unobservedChange = PageChange{};  // a new observer has seen nothing yet
    CWinThread* thread = AfxGetThread();
    CWinApp* app = AfxGetApp();
    if (AfxGetResources() == nullptr) AfxSetResources(&kOskResources);
    const DibMessageHook previousHook = SetDibMessageHook(DibMessage);
    AfxSetTranslator(Tr);
    // Without an application object there is nothing to start.
    if (thread && AfxWinInit(backend, fileArgument)) {
        if (!app || app->InitApplication()) {
            PlotState.plotView = nullptr;
            ResetShellControls();
            InstallPlotHost();
            if (!thread->InitInstance()) {
                if (thread->m_pMainWnd) thread->m_pMainWnd->DestroyWindow();
                thread->MarkFailedStart();
                result = thread->ExitInstance();
            } else {
                result = mainRoutine ? mainRoutine() : 0;
            }
        }
    }
    AfxWinTerm();
    PlotSetHost(nullptr);
    SetDibMessageHook(previousHook);
    AfxSetTranslator(nullptr);
    PlotState.plotView = nullptr;
    PlotState.runMode = kRunModeNone;
    g_refreshObserver = nullptr;
    return result;
}
