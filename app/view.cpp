// view.cpp - the view: title strip and page, click storage, key buttons.
#include <cstring>

#include "app/aids.h"
#include "app/controls.h"
#include "app/keys.h"
#include "app/keys_internal.h"
#include "app/shell.h"
#include "plot/plot.h"

IMPLEMENT_DYNCREATE(COskView, CScrollView)

COskView::~COskView() {
    // The view takes the page image with it.
    PlotReleasePage();
    m_dib.image = nullptr;
    if (PlotState.plotView == this) PlotState.plotView = nullptr;
}

BOOL COskView::PreCreateWindow(CREATESTRUCT& cs) { return CScrollView::PreCreateWindow(cs) ? TRUE : FALSE; }

void COskView::OnInitialUpdate() {
    CScrollView::OnInitialUpdate();
    TakePageFromPlot();
}

void COskView::TakePageFromPlot() {
    const int w = PlotState.viewWidth;
    const int h = PlotState.viewHeight;
    SetScrollSizes(MM_TEXT, {w, h}, {w, h}, {w / 16, h / 16});
    m_dib.CreateImage(PlotState.imageWidth, PlotState.imageHeight, 8);
    if (m_dib.colourTable) COPYWORDS(PlotState.palette, m_dib.colourTable, 256);
    m_dib.image = PlotState.pagePixels;
    m_shownRows.Forget();
}

bool COskView::TitleShownAt(CPoint scroll) const {
    return m_haveTitleShown && m_titleScroll == scroll &&
           m_titleShown == std::string(PlotState.titleText, strnlen(PlotState.titleText, sizeof PlotState.titleText));
}

void COskView::NoteTitleShown(CPoint scroll) {
    m_titleShown.assign(PlotState.titleText, strnlen(PlotState.titleText, sizeof PlotState.titleText));
    m_titleScroll = scroll;
    m_haveTitleShown = true;
}

void COskView::OnSize(unsigned type, int cx, int cy) {
    m_haveTitleShown = false;
    m_shownRows.Forget();
    CScrollView::OnSize(type, cx, cy);
}

bool COskView::UpdateHoldsOnlyRefreshes() const {
    CRect update;
    return !GetUpdateRect(&update) || (m_updateDrawnByRefresh && InvalidationCount() == m_invalidationsAfterRefresh);
}

void COskView::NoteRefreshDrawn(bool onlyRefreshes) {
    m_updateDrawnByRefresh = onlyRefreshes;
    m_invalidationsAfterRefresh = InvalidationCount();
}

void COskView::OnPaint() {
    const bool alreadyShown = m_updateDrawnByRefresh && InvalidationCount() == m_invalidationsAfterRefresh;
    m_updateDrawnByRefresh = false;
    if (alreadyShown) {
        ValidateRect(nullptr);
        return;
    }
    m_shownRows.Forget();
    CScrollView::OnPaint();
}

void COskView::OnDraw(CDC* dc) {
    dc->TextOut(0, 0, PlotState.titleText,
                static_cast<int>(strnlen(PlotState.titleText, sizeof PlotState.titleText)));
    // The page's DIB has no logical palette (its colour table gives the
    // colours), so there is none to realise before drawing.
    const DibSize size = m_dib.GetDimensions();
    m_dib.image = PlotState.pagePixels;  // the plot library may have replaced the buffer
    dc->DrawDib(m_dib, kPageOrigin, {size.cx, size.cy});
}

// A click is stored in page pixels: the client point less the page's
// origin, plus the scroll position.
void COskView::StoreClick(int& x, int& y, CPoint point) const {
    const CPoint scroll = GetScrollPosition();
    x = point.x - kPageOrigin.x + scroll.x;
    y = point.y - kPageOrigin.y + scroll.y;
}

void COskView::OnLButtonDown(unsigned flags, CPoint point) {
    StoreClick(PlotState.leftClickX, PlotState.leftClickY, point);
    CScrollView::OnLButtonDown(flags, point);
}

void COskView::OnRButtonDown(unsigned flags, CPoint point) {
    StoreClick(PlotState.rightClickX, PlotState.rightClickY, point);
    CScrollView::OnRButtonDown(flags, point);
}

void COskView::OnLButtonDblClk(unsigned flags, CPoint point) {
    StoreClick(PlotState.leftClickX, PlotState.leftClickY, point);
    CScrollView::OnLButtonDblClk(flags, point);
}

void COskView::OnRButtonDblClk(unsigned flags, CPoint point) {
    StoreClick(PlotState.rightClickX, PlotState.rightClickY, point);
    CScrollView::OnRButtonDblClk(flags, point);
}

void COskView::OnKeyDown(unsigned key, unsigned mods) {
    if (HandleShellKey(key, mods) || HandleAidKey(key, mods)) return;
    float x = 0.0f;
    float y = 0.0f;
    if ((mods & (MOD_CTRL | MOD_ALT)) == 0 && FindKeyButton(static_cast<int>(key), x, y)) {
        // A click at the client point that maps back to the button's centre.
        int column = 0;
        int row = 0;
        ClientPointOf(x, y, column, row);
        const CPoint scroll = GetScrollPosition();
        const std::int64_t at = MakePointParam(column - scroll.x, row - scroll.y);
        PostMessage(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessage(m_hWnd, WM_LBUTTONUP, 0, at);
        return;
    }
    CScrollView::OnKeyDown(key, mods);
}
