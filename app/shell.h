// shell.h - the classes of the application shell: the application object
// with its run modes, the main frame, the (empty) document, the view that
// shows the plot page under a one-line title strip, and the About box.
//
// Screen layout inside the view (client pixels): the title text at (0, 0),
// the page unscaled at kPageOrigin; the band kTitleStrip is the title
// strip.  A press of either button is stored as its client point minus
// kPageOrigin, plus the scroll position when the window is smaller than the page.
#pragma once

#include "app/app.h"
#include "app/shown_rows.h"
#include "dib/dib.h"
#include "platform/afx.h"

// The page's top-left pixel in the view.
constexpr CPoint kPageOrigin{2, 18};
// The band a screen refresh draws and invalidates as the title strip.
constexpr CRect kTitleStrip{0, 0, 600, 20};
// The strip's background, the colour an erased client area has.
constexpr std::uint32_t kTitleStripColour = 0xFFFFFF;
// How much larger the main frame is than the plot's frame size: its borders
// and caption.
constexpr CSize kFrameDecoration{12, 42};

class COskApp : public CWinApp {
    DECLARE_DYNAMIC(COskApp)
public:
    COskApp();
    BOOL InitInstance() override;
    // The pump with run modes: returns 0 when the mode's condition is met
    // (mode 1: a mouse-button message found a stored click; mode 2: one
    // message was pumped), -1 when the quit message was retrieved.
    int Run() override;
    bool OnCmdMsg(unsigned id) override;
    void OnAppAbout();
};

extern COskApp theApp;

struct StartWindow;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // Sized to the whole view where the screen can hold it (else fitted:
    // see app/start_window.h).
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(CREATESTRUCT* cs) override;
    // Whether the window was made for the fit view (the screen cannot hold
    // the whole view at its size).
    bool StartsFitted() const { return m_startsFitted; }

private:
    static StartWindow StartWindowOnThisScreen();
    bool m_startsFitted = false;
};

class COskDoc : public CDocument {
    DECLARE_DYNCREATE(COskDoc)
public:
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* pathName) override;
};

class COskView : public CScrollView {
    DECLARE_DYNCREATE(COskView)
public:
    // Frees the page image (pagePixels becomes null) and forgets itself as
    // the plot view.
    ~COskView() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    void OnLButtonDown(unsigned flags, CPoint point) override;
    void OnRButtonDown(unsigned flags, CPoint point) override;
    // A quick second press is a click like any other: it is stored too.
    void OnLButtonDblClk(unsigned flags, CPoint point) override;
    void OnRButtonDblClk(unsigned flags, CPoint point) override;
    // A key of the key-button table becomes a left click at that button.
    void OnKeyDown(unsigned key, unsigned mods) override;

    // Scroll sizes, the DIB's header and colour table and its image pointer,
    // all from the plot state (what the initial update does after the base).
    void TakePageFromPlot();
    const CDib& Dib() const { return m_dib; }

    // The title text that the last refresh showed at this scroll position,
    // forgotten when the view changes size (its surface is filled anew): a
    // refresh with the same title need not draw and show the strip again.
    bool TitleShownAt(CPoint scroll) const;
    void NoteTitleShown(CPoint scroll);
    void OnSize(unsigned type, int cx, int cy) override;

    // The refresh draws what it invalidates at once.  When the pending update
    // region holds nothing but such rectangles, the paint that follows has
    // nothing new to show and skips the second conversion.
    bool UpdateHoldsOnlyRefreshes() const;
    void NoteRefreshDrawn(bool onlyRefreshes);
    void OnPaint() override;

    // The page rows the window shows as the refreshes left them; a paint,
    // a new size or a new page makes the view forget them.
    ShownRows& Shown() { return m_shownRows; }

private:
    ShownRows m_shownRows;
    bool m_updateDrawnByRefresh = false;
    std::uint64_t m_invalidationsAfterRefresh = 0;
    std::string m_titleShown;
    CPoint m_titleScroll;
    bool m_haveTitleShown = false;
    void StoreClick(int& x, int& y, CPoint point) const;
    CDib m_dib;
};

class CAboutDlg : public CDialog {
    DECLARE_DYNAMIC(CAboutDlg)
public:
    CAboutDlg();
};

// The process entry's work once the command line is understood: framework
// start on `backend`, InitInstance, then `mainRoutine` on this thread (the
// framework's own loop is never entered), framework end.  Returns the main
// routine's result, or ExitInstance()'s after a failed start (1), or -1 when
// the framework cannot start.  `observer` (may be null, stays the caller's)
// sees every screen refresh of the run.
int OskWinMain(Backend* backend, const char* fileArgument, int (*mainRoutine)(),
               RefreshObserver* observer = nullptr);

// The page set-up that InitInstance runs; tests may put another in its place
// (null restores the real one).
void SetPageSetupForTesting(int (*pageSetup)());

