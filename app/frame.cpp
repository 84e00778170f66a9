// frame.cpp - the main frame and the document.
#include "app/shell.h"
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
    return TRUE;
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
