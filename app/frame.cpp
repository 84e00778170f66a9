// frame.cpp - the main frame and the document.
#include "app/shell.h"
#include "app/start_window.h"
#include "plot/plotstate.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)
IMPLEMENT_DYNCREATE(COskDoc, CDocument)

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    // Sized to the plot page; no menu bar.
    cs.cy = PlotState.frameHeight + kFrameDecoration.cy;
    cs.hMenu = nullptr;
    cs.cx = PlotState.frameWidth + kFrameDecoration.cx;
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.cy = PlotState.frameHeight + kFrameDecoration.cy;
    cs.cx = PlotState.frameWidth + kFrameDecoration.cx;
    const StartWindow start = StartWindowOnThisScreen();
    cs.cx = start.client.width + kFrameDecoration.cx;
    cs.cy = start.client.height + kFrameDecoration.cy;
    m_startsFitted = start.fitted;
    return TRUE;
}

StartWindow CMainFrame::StartWindowOnThisScreen() {
    const ClientSize view{PlotState.viewWidth, PlotState.viewHeight};
    const ClientSize frame{PlotState.frameWidth, PlotState.frameHeight};
    ClientSize largest;
    Backend* backend = AfxGetBackend();
    const bool known = backend && backend->LargestClient(largest.width, largest.height);
    return ChooseStartWindow(view, frame, known ? &largest : nullptr);
}

int CMainFrame::OnCreate(CREATESTRUCT* cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    return 0;
}

void COskDoc::Serialize(CArchive& /*ar*/) {
    // The document holds nothing: it stores and loads nothing.
}

BOOL COskDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

BOOL COskDoc::OnOpenDocument(const char* pathName) { return CDocument::OnOpenDocument(pathName); }
