// wnd.cpp - windows, the message queue, painting, the frame window, views
// and the scroll view.
#include <algorithm>

#include "platform/afx.h"
#include "platform/internal.h"
#include "platform/process_signals.h"

using afx_internal::State;

namespace {
constexpr std::uint32_t kWindowColour = 0xFFFFFF;  // background of erased client areas
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

// ---- the message queue ---------------------------------------------------------------------

namespace {

MSG MakeMessage(HWND hwnd, unsigned message, std::uint32_t wParam, std::int64_t lParam) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.pt = PointFromParam(lParam);
    return m;
}

}  // namespace

void PostMessage(HWND hwnd, unsigned message, std::uint32_t wParam, std::int64_t lParam) {
    State().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void PostQuitMessage(int exitCode) {
    State().quitPosted = true;
    State().quitCode = exitCode;
}

void AfxPostQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

namespace {

void PushInput(HWND hwnd, unsigned message, std::uint32_t wParam, std::int64_t lParam) {
    auto& input = State().input;
    // Mouse moves are merged: a waiting move is brought up to date instead
    // of queuing another, so a moving mouse never piles up messages in front
    // of a click.
    if ((message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) && !input.empty() &&
        input.back().message == message && input.back().hwnd == hwnd) {
        input.back() = MakeMessage(hwnd, message, wParam, lParam);
        return;
    }
    input.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

// A visible window with an update region, if any.
CWnd* FindWindowToPaint() {
    for (auto& [handle, wnd] : State().windows) {
        CRect r;
        if (wnd->IsWindowVisible() && wnd->GetUpdateRect(&r)) return wnd;
    }
    return nullptr;
}

// An interrupt or termination signal reaches the program as a closed window.
bool DeliverStopRequest() {
    if (!TakeStopRequest()) return false;
    BackendEvent close;
    close.type = BackendEvent::Close;
    AfxTranslateBackendEvent(close);
    return true;
}

void PullBackendEvents() {
    DeliverStopRequest();
    Backend* backend = State().backend;
    if (!backend) return;
    BackendEvent event;
    while (backend->PollEvent(event)) AfxTranslateBackendEvent(event);
}

}  // namespace

BOOL PeekMessage(MSG* msg, HWND /*hwnd*/, unsigned /*filterMin*/, unsigned /*filterMax*/, unsigned remove) {
    auto& s = State();
    auto take = [&](std::deque<MSG>& q) {
        *msg = q.front();
        if (remove & PM_REMOVE) q.pop_front();
        return TRUE;
    };
    if (!s.posted.empty()) return take(s.posted);
    if (s.input.empty()) PullBackendEvents();
    if (!s.posted.empty()) return take(s.posted);
    if (!s.input.empty()) return take(s.input);
    if (s.quitPosted) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<std::uint32_t>(s.quitCode);
        if (remove & PM_REMOVE) s.quitPosted = false;
        return TRUE;
    }
    if (CWnd* w = FindWindowToPaint()) {
        // A paint stays pending until the window validates its update region.
        *msg = MSG{};
        msg->hwnd = w->m_hWnd;
        msg->message = WM_PAINT;
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(MSG* msg) {
    for (;;) {
        if (PeekMessage(msg, 0, 0, 0, PM_REMOVE)) return msg->message != WM_QUIT;
        Backend* backend = State().backend;
        if (!backend) {
            // Nothing can ever arrive: end the pump.
            PostQuitMessage(0);
            continue;
        }
        if (DeliverStopRequest()) continue;
        BackendEvent event;
        backend->WaitEvent(event);
        AfxTranslateBackendEvent(event);
    }
}

std::int64_t DispatchMessage(const MSG* msg) {
    CWnd* w = CWnd::FromHandle(msg->hwnd);
    if (!w) return 0;  // the window has gone
    return w->WindowProc(msg->message, msg->wParam, msg->lParam);
}

void AfxClearMessageQueue() {
    auto& s = State();
    s.posted.clear();
    s.input.clear();
    s.quitPosted = false;
    s.quitCode = 0;
    s.capture = 0;
    s.buttons = 0;
}

bool AfxIsLiveWindow(const void* wnd) {
    if (!wnd) return false;
    for (const auto& [handle, w] : State().windows) {
        if (static_cast<const void*>(w) == wnd) return true;
    }
    return false;
}

size_t AfxPendingMessageCount() { return State().posted.size() + State().input.size(); }

void AfxTranslateBackendEvent(const BackendEvent& e) {
    auto& s = State();
    CFrameWnd* main = s.app ? s.app->m_pMainWnd : nullptr;
    if (main && !CWnd::FromHandle(main->m_hWnd)) main = nullptr;
    switch (e.type) {
        case BackendEvent::None:
        case BackendEvent::TextInput:  // only the file-name prompt reads text
            return;
        case BackendEvent::Close:
            if (main) {
                PushInput(main->m_hWnd, WM_CLOSE, 0, 0);
            } else {
                PostQuitMessage(0);
            }
            return;
        case BackendEvent::Expose:
            // The view covers the frame's client area: it alone paints.
            if (main) {
                if (CView* v = main->GetActiveView()) {
                    v->Invalidate(TRUE);
                } else {
                    main->Invalidate(TRUE);
                }
            }
            return;
        case BackendEvent::Resize:
            if (main) main->SendMessage(WM_SIZE, 0, MakePointParam(e.width, e.height));
            return;
        case BackendEvent::Key: {
            if (!main) return;
            CWnd* focus = main->GetActiveView() ? static_cast<CWnd*>(main->GetActiveView()) : main;
            PushInput(focus->m_hWnd, WM_KEYDOWN, e.key, e.mods);
            return;
        }
        case BackendEvent::Wheel: {
            if (!main) return;
            CWnd* target = main->GetActiveView() ? static_cast<CWnd*>(main->GetActiveView()) : main;
            const std::uint32_t flags = s.buttons | ((e.mods & MOD_SHIFT) ? MK_SHIFT : 0u) |
                                        ((e.mods & MOD_CTRL) ? MK_CONTROL : 0u);
            if (e.wheelY != 0) {
                PushInput(target->m_hWnd, WM_MOUSEWHEEL,
                          flags | (static_cast<std::uint32_t>(static_cast<std::uint16_t>(e.wheelY * 120)) << 16),
                          MakePointParam(e.x, e.y));
            }
            if (e.wheelX != 0) {
                PushInput(target->m_hWnd, WM_MOUSEHWHEEL,
                          flags | (static_cast<std::uint32_t>(static_cast<std::uint16_t>(e.wheelX * 120)) << 16),
                          MakePointParam(e.x, e.y));
            }
            return;
        }
        case BackendEvent::MouseDown:
        case BackendEvent::MouseUp:
        case BackendEvent::MouseMove:
            break;
    }
    if (!main) return;

    const unsigned buttonFlag = e.button == 1 ? MK_LBUTTON : e.button == 3 ? MK_RBUTTON : e.button == 2 ? MK_MBUTTON : 0u;
    if (e.type == BackendEvent::MouseDown) s.buttons |= buttonFlag;
    if (e.type == BackendEvent::MouseUp) s.buttons &= ~buttonFlag;
    const std::uint32_t flags = s.buttons | ((e.mods & MOD_SHIFT) ? MK_SHIFT : 0u) | ((e.mods & MOD_CTRL) ? MK_CONTROL : 0u);

    // The window under the point, or the one that has captured the mouse.
    CWnd* target = CWnd::FromHandle(s.capture);
    const CPoint p{e.x, e.y};
    if (!target) {
        target = main;
        CView* view = main->GetActiveView();
        if (view && view->GetWindowRectInParent().PtInRect(p)) target = view;
    }
    CPoint local = p;
    for (CWnd* w = target; w && w->GetParent(); w = w->GetParent()) {
        local.x -= w->GetWindowRectInParent().left;
        local.y -= w->GetWindowRectInParent().top;
    }
    if (s.capture == target->m_hWnd || !target->HitClient(local)) {
        // The non-client part (scroll bars): only the left button acts there.
        unsigned message = 0;
        if (e.type == BackendEvent::MouseMove) message = WM_NCMOUSEMOVE;
        if (e.type == BackendEvent::MouseDown && e.button == 1) message = WM_NCLBUTTONDOWN;
        if (e.type == BackendEvent::MouseUp && e.button == 1) message = WM_NCLBUTTONUP;
        if (message) PushInput(target->m_hWnd, message, flags, MakePointParam(local.x, local.y));
        return;
    }
    const CRect client = target->ClientRectInWindow();
    const CPoint c{local.x - client.left, local.y - client.top};
    unsigned message = WM_MOUSEMOVE;
    if (e.type != BackendEvent::MouseMove) {
        const bool down = e.type == BackendEvent::MouseDown;
        const bool dbl = down && e.clicks >= 2 && e.clicks % 2 == 0;
        unsigned base = 0;
        if (e.button == 1) base = WM_LBUTTONDOWN;
        else if (e.button == 3) base = WM_RBUTTONDOWN;
        else if (e.button == 2) base = WM_MBUTTONDOWN;
        else return;
        message = base + (dbl ? 2u : down ? 0u : 1u);
    }
    PushInput(target->m_hWnd, message, flags, MakePointParam(c.x, c.y));
}

// ---- CWnd --------------------------------------------------------------------------------

CWnd::~CWnd() {
    if (m_hWnd) {
        State().windows.erase(m_hWnd);
        if (m_parent) {
            auto& kids = m_parent->m_children;
            kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
        }
        m_hWnd = 0;
    }
    for (CWnd* child : m_children) child->m_parent = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (hwnd == 0) return nullptr;
    auto it = State().windows.find(hwnd);
    return it == State().windows.end() ? nullptr : it->second;
}

bool CWnd::RegisterWindow(CWnd* parent, const CRect& rect) {
    m_hWnd = State().nextHandle++;
    State().windows[m_hWnd] = this;
    m_parent = parent;
    m_rect = rect;
    if (parent) {
        parent->m_children.push_back(this);
        m_visible = true;
    }
    return true;
}

bool CWnd::CreateChild(CWnd* parent, const CRect& rect, CCreateContext* context) {
    RegisterWindow(parent, rect);
    CREATESTRUCT cs;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.lpCreateParams = context;
    if (WindowProc(WM_CREATE, 0, reinterpret_cast<std::int64_t>(&cs)) == -1) {
        State().windows.erase(m_hWnd);
        auto& kids = parent->m_children;
        kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
        m_hWnd = 0;
        m_parent = nullptr;
        return false;
    }
    SendMessage(WM_SIZE, 0, MakePointParam(rect.Width(), rect.Height()));
    return true;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    const std::vector<CWnd*> children = m_children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->DestroyWindow();
    SendMessage(WM_DESTROY);
    if (State().capture == m_hWnd) State().capture = 0;
    State().windows.erase(m_hWnd);
    if (m_parent) {
        auto& kids = m_parent->m_children;
        kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
    }
    m_hWnd = 0;
    m_visible = false;
    m_currentMsg = nullptr;
    PostNcDestroy();  // may delete this
    return TRUE;
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* w = m_parent; w; w = w->m_parent) {
        if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
    }
    return nullptr;
}

CWnd* CWnd::GetTopLevel() {
    CWnd* w = this;
    while (w->m_parent) w = w->m_parent;
    return w;
}

bool CWnd::IsWindowVisible() const {
    for (const CWnd* w = this; w; w = w->m_parent) {
        if (!w->m_visible || !w->m_hWnd) return false;
    }
    return true;
}

CRect CWnd::ClientRectInWindow() const { return {0, 0, m_rect.Width(), m_rect.Height()}; }

bool CWnd::HitClient(CPoint windowPoint) const { return ClientRectInWindow().PtInRect(windowPoint); }

void CWnd::GetClientRect(CRect* rect) const {
    const CRect c = ClientRectInWindow();
    *rect = {0, 0, c.Width(), c.Height()};
}

void CWnd::MoveWindow(const CRect& rect) {
    m_rect = rect;
    SendMessage(WM_SIZE, 0, MakePointParam(rect.Width(), rect.Height()));
}

CPoint CWnd::ClientOriginInSurface() const {
    CPoint p{ClientRectInWindow().left, ClientRectInWindow().top};
    for (const CWnd* w = this; w->m_parent; w = w->m_parent) {
        p.x += w->m_rect.left;
        p.y += w->m_rect.top;
    }
    return p;
}

Surface* CWnd::GetSurface() { return m_parent ? m_parent->GetSurface() : nullptr; }

Surface* CWnd::SurfaceToDrawOn() {
    const Backend* backend = State().backend;
    return backend && !backend->ShowsSurface() ? nullptr : GetSurface();
}

void CWnd::PresentTopLevel() {
    CWnd* top = GetTopLevel();
    Surface* surface = top->SurfaceToDrawOn();
    if (surface && State().backend && top->m_hWnd) State().backend->Present(*surface);
}

void CWnd::PresentTopLevel(const CRect& changed) {
    CWnd* top = GetTopLevel();
    Surface* surface = top->SurfaceToDrawOn();
    if (!surface || !State().backend || !top->m_hWnd) return;
    const CRect r = CRect::Intersection(changed, {0, 0, surface->width, surface->height});
    if (r.IsRectEmpty()) return;
    const SurfaceRect part{r.left, r.top, r.right, r.bottom};
    if (top->m_presentBatches > 0) {
        top->m_batchedParts.push_back(part);
    } else {
        State().backend->PresentRect(*surface, part);
    }
}

void CWnd::BeginPresentBatch() { ++GetTopLevel()->m_presentBatches; }

void CWnd::EndPresentBatch() {
    CWnd* top = GetTopLevel();
    if (top->m_presentBatches == 0 || --top->m_presentBatches > 0) return;
    std::vector<SurfaceRect> parts;
    parts.swap(top->m_batchedParts);
    Surface* surface = top->SurfaceToDrawOn();
    if (parts.empty() || !surface || !State().backend || !top->m_hWnd) return;
    State().backend->PresentRects(*surface, parts.data(), static_cast<int>(parts.size()));
}

void CWnd::InvalidateRect(const CRect* rect, BOOL erase) {
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    const CRect r = rect ? CRect::Intersection(*rect, client) : client;
    if (r.IsRectEmpty()) return;
    m_update = CRect::Union(m_update, r);
    ++m_invalidations;
    if (erase) m_updateErase = true;
}

void CWnd::ValidateRect(const CRect* rect) {
    if (!rect) {
        m_update = CRect{};
        m_updateErase = false;
        return;
    }
    // Only a rectangle that covers the whole region empties it (the region is one rectangle).
    const CRect i = CRect::Intersection(m_update, *rect);
    if (i == m_update) {
        m_update = CRect{};
        m_updateErase = false;
    }
}

bool CWnd::GetUpdateRect(CRect* rect) const {
    if (rect) *rect = m_update;
    return !m_update.IsRectEmpty();
}

void CWnd::UpdateWindow() {
    if (!m_update.IsRectEmpty() && IsWindowVisible()) SendMessage(WM_PAINT);
    for (CWnd* child : std::vector<CWnd*>(m_children)) child->UpdateWindow();
}

void CWnd::ShowWindow(int command) { m_visible = command != SW_HIDE; }

CDC* CWnd::GetDC() {
    CRect client;
    GetClientRect(&client);
    return GetDC(client);
}

CDC* CWnd::GetDC(const CRect& clip) {
    Surface* surface = SurfaceToDrawOn();
    const CPoint origin = ClientOriginInSurface();
    CRect client;
    GetClientRect(&client);
    CRect r = CRect::Intersection(clip, client);
    r.OffsetRect(origin.x, origin.y);
    return new CDC(surface, origin, r);
}

int CWnd::ReleaseDC(CDC* dc) {
    if (!dc) return 0;
    const CRect touched = dc->GetTouched();
    delete dc;
    PresentTopLevel(touched);
    return 1;
}

std::int64_t CWnd::WindowProc(unsigned message, std::uint32_t wParam, std::int64_t lParam) {
    MSG current;
    current.hwnd = m_hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    const MSG* saved = std::exchange(m_currentMsg, &current);
    const HWND handle = m_hWnd;
    std::int64_t result = 0;
    switch (message) {
        case WM_CREATE:
            // lParam: the creation structure; a view's context is in lpCreateParams.
            // NOLINTNEXTLINE(performance-no-int-to-ptr): the message carries a pointer
            result = OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
            break;
        case WM_DESTROY: OnDestroy(); break;
        case WM_PAINT: OnPaint(); break;
        case WM_SIZE:
            OnSize(wParam, static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
            break;
        case WM_CLOSE: OnClose(); break;
        case WM_LBUTTONDOWN: OnLButtonDown(wParam, PointFromParam(lParam)); break;
        case WM_RBUTTONDOWN: OnRButtonDown(wParam, PointFromParam(lParam)); break;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, PointFromParam(lParam)); break;
        case WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, PointFromParam(lParam)); break;
        case WM_KEYDOWN: OnKeyDown(wParam, static_cast<unsigned>(lParam)); break;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            OnMouseWheel(wParam & 0xFFFF, static_cast<std::int16_t>(wParam >> 16), message == WM_MOUSEHWHEEL);
            break;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP: OnNcMouse(message, PointFromParam(lParam)); break;
        case WM_COMMAND: result = OnCommand(wParam); break;
        default: result = Default(); break;
    }
    // A handler may have destroyed (and deleted) this window: then touch nothing.
    if (handle != 0 && FromHandle(handle) != this) return result;
    m_currentMsg = saved;
    return result;
}

std::int64_t CWnd::Default() {
    if (!m_currentMsg) return 0;
    switch (m_currentMsg->message) {
        case WM_CLOSE: DestroyWindow(); return 0;
        case WM_PAINT: ValidateRect(nullptr); return 0;
        default: return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) { return FALSE; }
int CWnd::OnCreate(CREATESTRUCT* /*cs*/) { return 0; }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(unsigned /*type*/, int /*cx*/, int /*cy*/) {}
void CWnd::OnClose() { Default(); }
void CWnd::OnLButtonDown(unsigned /*flags*/, CPoint /*point*/) { Default(); }
void CWnd::OnRButtonDown(unsigned /*flags*/, CPoint /*point*/) { Default(); }
void CWnd::OnLButtonDblClk(unsigned /*flags*/, CPoint /*point*/) { Default(); }
void CWnd::OnRButtonDblClk(unsigned /*flags*/, CPoint /*point*/) { Default(); }
void CWnd::OnKeyDown(unsigned /*key*/, unsigned /*mods*/) { Default(); }
void CWnd::OnMouseWheel(unsigned /*flags*/, int /*delta*/, bool /*horizontal*/) { Default(); }
bool CWnd::OnNcMouse(unsigned /*message*/, CPoint /*point*/) { return false; }
BOOL CWnd::OnCommand(unsigned id) { return OnCmdMsg(id) ? TRUE : FALSE; }

// ---- CFrameWnd ------------------------------------------------------------------------------

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    if (m_backendWindow && State().backend) State().backend->DestroyMainWindow();
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.cx <= 0) cs.cx = 640;
    if (cs.cy <= 0) cs.cy = 480;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(unsigned resourceId, CCreateContext* context) {
    if (context && context->m_pNewDocTemplate) {
        context->m_pNewDocTemplate->GetDocString(m_strTitle, CDocTemplate::windowTitle);
    } else if (const char* s = AfxLoadString(resourceId)) {
        m_strTitle = s;
        m_strTitle = m_strTitle.substr(0, m_strTitle.find('\n'));
    }
    if (m_strTitle.empty() && State().app) m_strTitle = State().app->m_strAppName;
    m_pTemplate = context ? context->m_pNewDocTemplate : nullptr;

    CREATESTRUCT cs;
    cs.lpCreateParams = context;
    cs.lpszName = m_strTitle.c_str();
    cs.hMenu = const_cast<ResMenuItem*>(AfxGetResources() ? AfxGetResources()->menu : nullptr);
    if (!PreCreateWindow(cs)) {
        delete this;
        return FALSE;
    }
    const int width = std::max(cs.cx - kBorderWidth, 1);
    const int height = std::max(cs.cy - kBorderHeight, 1);
    RegisterWindow(nullptr, {0, 0, width, height});
    m_surface.Resize(width, height, 0xFF000000u | kWindowColour);
    Backend* backend = State().backend;
    if (!backend || !backend->CreateMainWindow(m_strTitle.c_str(), width, height)) {
        State().windows.erase(m_hWnd);
        m_hWnd = 0;
        delete this;
        return FALSE;
    }
    m_backendWindow = true;
    if (WindowProc(WM_CREATE, 0, reinterpret_cast<std::int64_t>(&cs)) == -1) {
        DestroyWindow();  // deletes this
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = cs ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
    if (context && context->m_pNewViewClass && !CreateView(context)) return -1;
    return 0;
}

CView* CFrameWnd::CreateView(CCreateContext* context) {
    CObject* object = context->m_pNewViewClass->CreateObject();
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CView))) {
        delete object;
        return nullptr;
    }
    CView* view = static_cast<CView*>(object);
    CREATESTRUCT cs;
    cs.cx = m_rect.Width();
    cs.cy = m_rect.Height();
    if (!view->PreCreateWindow(cs) || !view->CreateChild(this, {0, 0, m_rect.Width(), m_rect.Height()}, context)) {
        delete view;
        return nullptr;
    }
    return view;
}

void CFrameWnd::OnSize(unsigned /*type*/, int cx, int cy) {
    if (cx <= 0 || cy <= 0) return;
    m_rect = {0, 0, cx, cy};
    m_surface.Resize(cx, cy, 0xFF000000u | kWindowColour);
    for (CWnd* child : std::vector<CWnd*>(m_children)) child->MoveWindow({0, 0, cx, cy});
}

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::OnDestroy() {
    auto& s = State();
    if (auto* single = dynamic_cast<CSingleDocTemplate*>(m_pTemplate)) single->FrameGone(this);
    if (s.app && s.app->m_pMainWnd == this) {
        s.app->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    m_pViewActive = nullptr;
    if (m_backendWindow && s.backend) s.backend->DestroyMainWindow();
    m_backendWindow = false;
}

void CFrameWnd::ShowWindow(int command) {
    CWnd::ShowWindow(command);
    if (command != SW_HIDE && State().backend && m_backendWindow) {
        State().backend->ShowMainWindow();
        PresentTopLevel();
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        const unsigned command = AfxTranslateAccelerator(msg->wParam, static_cast<unsigned>(msg->lParam));
        if (command) {
            SendMessage(WM_COMMAND, command);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CFrameWnd::OnCommand(unsigned id) {
    // Routing: the active view, its document, the frame, the application.
    if (CView* view = m_pViewActive) {
        if (view->OnCmdMsg(id)) return TRUE;
        if (view->GetDocument() && view->GetDocument()->OnCmdMsg(id)) return TRUE;
    }
    if (OnCmdMsg(id)) return TRUE;
    if (State().app && State().app->OnCmdMsg(id)) return TRUE;
    return FALSE;
}

CDocument* CFrameWnd::GetActiveDocument() const { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(CDocument* doc, bool makeVisible) {
    CView* first = nullptr;
    if (doc) {
        for (CView* view : std::vector<CView*>(doc->Views())) {
            view->OnInitialUpdate();
            if (!first) first = view;
        }
    }
    if (first) SetActiveView(first);
    UpdateFrameTitle();
    if (makeVisible) ShowWindow(SW_SHOW);
}

void CFrameWnd::SetTitleSuffix(const std::string& suffix) {
    m_titleSuffix = suffix;
    UpdateFrameTitle();
}

void CFrameWnd::SetPresentation(bool fullScreen, bool scaled, CSize scaledClient) {
    Backend* backend = State().backend;
    if (!m_backendWindow || !backend) return;
    Presentation p;
    p.fullScreen = fullScreen;
    p.scaled = scaled && scaledClient.cx > 0 && scaledClient.cy > 0;
    p.clientWidth = p.scaled ? scaledClient.cx : 0;
    p.clientHeight = p.scaled ? scaledClient.cy : 0;
    backend->SetPresentation(p);  // its Resize and Expose give the client its size
}

void CFrameWnd::ResizeClient(CSize client) {
    Backend* backend = State().backend;
    if (m_backendWindow && backend) backend->ResizeClient(client.cx, client.cy);
}

void CFrameWnd::UpdateFrameTitle() {
    std::string title = m_strTitle;
    if (CDocument* doc = GetActiveDocument()) {
        title = doc->GetTitle() + (m_strTitle.empty() ? "" : " - " + m_strTitle);
    }
    title += m_titleSuffix;
    if (m_backendWindow && State().backend && title != m_shownTitle) {
        m_shownTitle = title;
        State().backend->SetWindowTitle(title.c_str());
    }
}

// ---- CView ----------------------------------------------------------------------------------

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

int CView::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = cs ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* /*sender*/, long /*hint*/, CObject* /*hintObject*/) { Invalidate(TRUE); }

void CView::OnPaint() {
    // Begin: take the update region, erase it if asked, validate it.
    CRect update = m_update;
    const bool erase = m_updateErase;
    ValidateRect(nullptr);
    CRect client;
    GetClientRect(&client);
    update = CRect::Intersection(update, client);
    const CPoint origin = ClientOriginInSurface();
    CRect clip = update;
    clip.OffsetRect(origin.x, origin.y);
    Surface* surface = SurfaceToDrawOn();
    CDC dc(surface, origin, clip);
    if (erase) dc.FillSolidRect(update, kWindowColour);
    OnPrepareDC(&dc);
    OnDraw(&dc);
    // End: the non-client part, then show it all.
    const CPoint windowOrigin{origin.x - ClientRectInWindow().left, origin.y - ClientRectInWindow().top};
    CDC ncdc(surface, windowOrigin,
             {windowOrigin.x, windowOrigin.y, windowOrigin.x + m_rect.Width(), windowOrigin.y + m_rect.Height()});
    OnNcPaint(&ncdc);
    PresentTopLevel(CRect::Union(clip, ncdc.GetTouched()));
}

// ---- CScrollView ------------------------------------------------------------------------------

const CSize CScrollView::sizeDefault{0, 0};

void CScrollView::SetScrollSizes(int /*mapMode*/, CSize total, CSize page, CSize line) {
    m_totalDev = {std::max(total.cx, 0), std::max(total.cy, 0)};
    m_pageDev = page == sizeDefault ? CSize{m_totalDev.cx / 10, m_totalDev.cy / 10} : page;
    m_lineDev = line == sizeDefault ? CSize{m_pageDev.cx / 10, m_pageDev.cy / 10} : line;
    UpdateBars();
}

CRect CScrollView::ClientRectInWindow() const {
    return {0, 0, std::max(m_rect.Width() - (m_vBar ? kBarSize : 0), 0),
            std::max(m_rect.Height() - (m_hBar ? kBarSize : 0), 0)};
}

void CScrollView::UpdateBars() {
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    bool hBar = false;
    bool vBar = false;
    for (int pass = 0; pass < 3; ++pass) {
        hBar = m_totalDev.cx > w - (vBar ? kBarSize : 0);
        vBar = m_totalDev.cy > h - (hBar ? kBarSize : 0);
    }
    const bool changed = hBar != m_hBar || vBar != m_vBar;
    m_hBar = hBar;
    m_vBar = vBar;
    const CPoint before = m_scrollPos;
    const CRect client = ClientRectInWindow();
    m_scrollPos.x = std::clamp(m_scrollPos.x, 0, std::max(m_totalDev.cx - client.Width(), 0));
    m_scrollPos.y = std::clamp(m_scrollPos.y, 0, std::max(m_totalDev.cy - client.Height(), 0));
    if (changed || !(before == m_scrollPos)) Invalidate(TRUE);
}

void CScrollView::ScrollToPosition(CPoint position) {
    const CRect client = ClientRectInWindow();
    position.x = std::clamp(position.x, 0, std::max(m_totalDev.cx - client.Width(), 0));
    position.y = std::clamp(position.y, 0, std::max(m_totalDev.cy - client.Height(), 0));
    if (position == m_scrollPos) return;
    m_scrollPos = position;
    Invalidate(TRUE);
}

void CScrollView::OnPrepareDC(CDC* dc) { dc->SetViewportOrg(-m_scrollPos.x, -m_scrollPos.y); }

void CScrollView::OnSize(unsigned /*type*/, int /*cx*/, int /*cy*/) {
    UpdateBars();
    Invalidate(TRUE);
}

void CScrollView::OnMouseWheel(unsigned flags, int delta, bool horizontal) {
    if (flags & MK_SHIFT) horizontal = !horizontal;
    const int notches = delta / 120;
    if (notches == 0) return;
    if (horizontal) {
        const int step = std::max(m_lineDev.cx, 1) * 3;
        ScrollToPosition({m_scrollPos.x - notches * step, m_scrollPos.y});
    } else {
        const int step = std::max(m_lineDev.cy, 1) * 3;
        ScrollToPosition({m_scrollPos.x, m_scrollPos.y - notches * step});
    }
}

bool CScrollView::BarGeometry(bool horizontal, CRect& track, CRect& thumb) const {
    const CRect client = ClientRectInWindow();
    if (horizontal) {
        if (!m_hBar) return false;
        track = {0, client.bottom, client.right, client.bottom + kBarSize};
        const int range = std::max(m_totalDev.cx, 1);
        const int len = std::max(16, track.Width() * client.Width() / range);
        const int travel = std::max(track.Width() - len, 0);
        const int maxPos = std::max(m_totalDev.cx - client.Width(), 1);
        const int at = track.left + travel * m_scrollPos.x / maxPos;
        thumb = {at, track.top + 2, at + len, track.bottom - 2};
    } else {
        if (!m_vBar) return false;
        track = {client.right, 0, client.right + kBarSize, client.bottom};
        const int range = std::max(m_totalDev.cy, 1);
        const int len = std::max(16, track.Height() * client.Height() / range);
        const int travel = std::max(track.Height() - len, 0);
        const int maxPos = std::max(m_totalDev.cy - client.Height(), 1);
        const int at = track.top + travel * m_scrollPos.y / maxPos;
        thumb = {track.left + 2, at, track.right - 2, at + len};
    }
    return true;
}

bool CScrollView::OnNcMouse(unsigned message, CPoint point) {
    auto& s = State();
    CRect track;
    CRect thumb;
    if (message == WM_NCLBUTTONDOWN) {
        for (int bar = 1; bar <= 2; ++bar) {
            const bool horizontal = bar == 1;
            if (!BarGeometry(horizontal, track, thumb) || !track.PtInRect(point)) continue;
            const CRect client = ClientRectInWindow();
            if (thumb.PtInRect(point)) {
                m_dragBar = bar;
                m_dragStart = horizontal ? point.x : point.y;
                m_dragStartPos = horizontal ? m_scrollPos.x : m_scrollPos.y;
                s.capture = m_hWnd;
            } else if (horizontal) {
                const int page = std::max(m_pageDev.cx, client.Width() / 2);
                ScrollToPosition({m_scrollPos.x + (point.x < thumb.left ? -page : page), m_scrollPos.y});
            } else {
                const int page = std::max(m_pageDev.cy, client.Height() / 2);
                ScrollToPosition({m_scrollPos.x, m_scrollPos.y + (point.y < thumb.top ? -page : page)});
            }
            return true;
        }
        return false;
    }
    if (m_dragBar == 0) return false;
    const bool horizontal = m_dragBar == 1;
    if (BarGeometry(horizontal, track, thumb)) {
        const CRect client = ClientRectInWindow();
        const int travel = horizontal ? track.Width() - thumb.Width() : track.Height() - thumb.Height();
        const int range = horizontal ? m_totalDev.cx - client.Width() : m_totalDev.cy - client.Height();
        if (travel > 0 && range > 0) {
            const int moved = (horizontal ? point.x : point.y) - m_dragStart;
            const int pos = m_dragStartPos + moved * range / travel;
            ScrollToPosition(horizontal ? CPoint{pos, m_scrollPos.y} : CPoint{m_scrollPos.x, pos});
        }
    }
    if (message == WM_NCLBUTTONUP) {
        m_dragBar = 0;
        if (s.capture == m_hWnd) s.capture = 0;
    }
    return true;
}

void CScrollView::OnNcPaint(CDC* dc) {
    CRect track;
    CRect thumb;
    for (int bar = 1; bar <= 2; ++bar) {
        if (!BarGeometry(bar == 1, track, thumb)) continue;
        dc->FillSolidRect(track, 0xE4E4E4);
        dc->FillSolidRect(thumb, 0x8C8C8C);
    }
    if (m_hBar && m_vBar) {
        const CRect client = ClientRectInWindow();
        dc->FillSolidRect({client.right, client.bottom, client.right + kBarSize, client.bottom + kBarSize}, 0xD0D0D0);
    }
}
