// win32_backend.cpp - the Win32 window backend.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
// The backend's own MessageBox, not the system's macro of that name.
#undef MessageBox

#include "platform/win32/win32_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/scaled_view.h"
#include "platform/win32/win32_keys.h"

namespace {

constexpr wchar_t kWindowClass[] = L"OskMainWindow";
constexpr int kWheelNotch = 120;  // WHEEL_DELTA
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, also on systems whose headers lack it

std::wstring Wide(const char* utf8) {
    if (!utf8 || !*utf8) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

std::string Utf8(const wchar_t* wide) {
    if (!wide || !*wide) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    long long result = 0;
    if (backend && backend->HandleMessage(message, wParam, lParam, result)) return static_cast<LRESULT>(result);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A 32-bit top-down DIB of `rows` rows of `width` pixels: the surface's own
// layout (0xAARRGGBB is B, G, R, A in memory), so no conversion is needed.
BITMAPINFO SurfaceBitmapInfo(int width, int rows) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The rectangle `r` of a 32-bit picture `width` pixels across onto the
// window at the same place: the band of rows that holds it, as a DIB of its own.
void PutRows(HDC dc, const std::uint32_t* pixels, int width, const SurfaceRect& r) {
    const int rows = r.bottom - r.top;
    const BITMAPINFO info = SurfaceBitmapInfo(width, rows);
    const std::uint32_t* band = pixels + static_cast<std::size_t>(r.top) * width;
    SetDIBitsToDevice(dc, r.left, r.top, static_cast<DWORD>(r.right - r.left), static_cast<DWORD>(rows), r.left, 0, 0,
                      static_cast<UINT>(rows), band, &info, DIB_RGB_COLORS);
}

HICON CreateWindowIcon(const IconPixels& icon) {
    if (!icon.pixels || icon.width <= 0 || icon.height <= 0) return nullptr;
    BITMAPINFO info = SurfaceBitmapInfo(icon.width, icon.height);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour || !bits) return nullptr;
    std::memcpy(bits, icon.pixels, static_cast<std::size_t>(icon.width) * icon.height * 4);
    HBITMAP mask = CreateBitmap(icon.width, icon.height, 1, 1, nullptr);  // alpha decides
    ICONINFO parts{};
    parts.fIcon = TRUE;
    parts.hbmColor = colour;
    parts.hbmMask = mask;
    HICON result = CreateIconIndirect(&parts);
    DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return result;
}

unsigned CurrentModifiers() {
    return KeyModifiers(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
}

// Per-monitor awareness (version 2) where the system has it, looked up at
// run time so that the program still starts on systems without it.
void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto set = user ? reinterpret_cast<SetContext>(
                          reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDpiAwarenessContext")))
                    : nullptr;
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    if (set && set(perMonitorV2)) return;
    using SetAware = BOOL(WINAPI*)();
    auto older = user ? reinterpret_cast<SetAware>(reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware")))
                      : nullptr;
    if (older) older();
}

// The standard handle `which`, when it leads somewhere (a console, a file, a pipe).
bool HandleUsable(DWORD which) {
    HANDLE h = GetStdHandle(which);
    return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void Win32StartProcess() {
    BecomeDpiAware();
    // A windowed executable has no console of its own: output goes to the
    // one it was started from, unless it was redirected somewhere else.
    const bool out = HandleUsable(STD_OUTPUT_HANDLE);
    const bool err = HandleUsable(STD_ERROR_HANDLE);
    if ((!out || !err) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!out) std::freopen("CONOUT$", "w", stdout);
        if (!err) std::freopen("CONOUT$", "w", stderr);
        SetConsoleOutputCP(CP_UTF8);
    }
}

std::unique_ptr<Win32Backend> Win32Backend::Open(const IconPixels& icon, std::string& error) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS | CS_OWNDC;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    std::unique_ptr<Win32Backend> backend(new Win32Backend(icon));
    // Waits of a millisecond rather than of the default 15.6 ms tick.
    timeBeginPeriod(1);
    backend->started_ = true;
    return backend;
}

Win32Backend::~Win32Backend() { Shutdown(); }

void Win32Backend::Shutdown() {
    DestroyMainWindow();
    if (started_) {
        timeEndPeriod(1);
        started_ = false;
    }
}

void Win32Backend::ScreenSize(int& width, int& height) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = window_ ? MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && GetMonitorInfoW(monitor, &info)) {
        width = info.rcMonitor.right - info.rcMonitor.left;
        height = info.rcMonitor.bottom - info.rcMonitor.top;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    if (width <= 0 || height <= 0) {
        width = 1024;
        height = 768;
    }
}

namespace {

constexpr DWORD kFramedStyle = WS_OVERLAPPEDWINDOW;

// The work area (the monitor less the task bar) of the window's monitor, or
// of the primary one before there is a window.
bool WorkArea(HWND window, RECT& work) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
    work = info.rcWork;
    return work.right > work.left && work.bottom > work.top;
}

}  // namespace

bool Win32Backend::LargestClient(int& width, int& height) {
    RECT work{};
    if (!WorkArea(window_, work)) return false;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kFramedStyle, FALSE, 0);
    // The system lets no framed window grow past its largest tracking size.
    const int outerWidth = std::min<int>(work.right - work.left, GetSystemMetrics(SM_CXMAXTRACK));
    const int outerHeight = std::min<int>(work.bottom - work.top, GetSystemMetrics(SM_CYMAXTRACK));
    width = outerWidth - (frame.right - frame.left);
    height = outerHeight - (frame.bottom - frame.top);
    return width > 0 && height > 0;
}

// The system's default place cascades windows: one as large as the work
// area would hang over its right or bottom edge.  Moved in, as far as it fits.
void Win32Backend::KeepOnWorkArea() {
    RECT work{};
    RECT outer{};
    if (!window_ || !WorkArea(window_, work) || !GetWindowRect(window_, &outer)) return;
    const LONG left = std::max(work.left, std::min(outer.left, work.right - (outer.right - outer.left)));
    const LONG top = std::max(work.top, std::min(outer.top, work.bottom - (outer.bottom - outer.top)));
    if (left != outer.left || top != outer.top) {
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool Win32Backend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    DestroyMainWindow();
    presentation_ = Presentation{};
    events_.clear();
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, kFramedStyle, FALSE, 0);
    window_ = CreateWindowExW(0, kWindowClass, Wide(title).c_str(), kFramedStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    KeepOnWorkArea();
    windowIcon_ = CreateWindowIcon(icon_);
    if (windowIcon_) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));
    }
    return true;
}

void Win32Backend::SetWindowTitle(const char* title) {
    if (window_) SetWindowTextW(window_, Wide(title).c_str());
}

void Win32Backend::ShowMainWindow() {
    if (!window_) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void Win32Backend::DestroyMainWindow() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (windowIcon_) DestroyIcon(windowIcon_);
    window_ = nullptr;
    windowIcon_ = nullptr;
    lastSurface_ = nullptr;
    events_.clear();
}

void Win32Backend::ClientSize(int& width, int& height) const {
    RECT r{};
    if (window_) GetClientRect(window_, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
}

void Win32Backend::ShowPixels(const Surface& surface, const SurfaceRect* changed, int count) {
    if (!window_ || surface.width <= 0 || surface.height <= 0 || count <= 0) return;
    int w = 0;
    int h = 0;
    ClientSize(w, h);
    HDC dc = GetDC(window_);
    if (!dc) return;
    // One device context for all the parts.
    for (int i = 0; i < count; ++i) {
        const PresentPlan plan = PlanPresent(presentation_.scaled, surface.width, surface.height, w, h, changed[i]);
        if (plan.shown.Empty()) continue;
        HBRUSH brush = static_cast<HBRUSH>(GetStockObject(plan.barColour == 0xFF000000u ? BLACK_BRUSH : WHITE_BRUSH));
        for (const SurfaceRect& bar : plan.bars) {
            if (bar.Empty()) continue;
            const RECT r{bar.left, bar.top, bar.right, bar.bottom};
            FillRect(dc, &r, brush);
        }
        const SurfaceRect& d = plan.drawn;
        if (plan.scaled) {
            // Scaled once, only the band that changed, into a picture of the
            // window's size; that band is then put on the window as it is.
            const ScaledView& v = plan.view;
            const SurfaceRect band{std::max(d.left, v.left), std::max(d.top, v.top),
                                   std::min(d.right, v.left + v.width), std::min(d.bottom, v.top + v.height)};
            if (!band.Empty()) {
                scaled_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
                DrawScaled(surface, v, band, scaled_.data(), w);
                PutRows(dc, scaled_.data(), w, band);
            }
        } else if (!d.Empty()) {
            PutRows(dc, surface.pixels.data(), surface.width, d);
        }
    }
    ReleaseDC(window_, dc);
}

void Win32Backend::Present(const Surface& surface) {
    lastSurface_ = &surface;
    const SurfaceRect all{0, 0, surface.width, surface.height};
    ShowPixels(surface, &all, 1);
}

void Win32Backend::PresentRect(const Surface& surface, const SurfaceRect& changed) {
    lastSurface_ = &surface;
    ShowPixels(surface, &changed, 1);
}

void Win32Backend::PresentRects(const Surface& surface, const SurfaceRect* changed, int count) {
    lastSurface_ = &surface;
    ShowPixels(surface, changed, count);
}

void Win32Backend::EnterFullScreen() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    framedPlacement_.assign(reinterpret_cast<const unsigned char*>(&placement),
                            reinterpret_cast<const unsigned char*>(&placement) + sizeof placement);
    framedStyle_ = GetWindowLongPtrW(window_, GWL_STYLE);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& m = info.rcMonitor;
    SetWindowLongPtrW(window_, GWL_STYLE, (framedStyle_ & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
    SetWindowPos(window_, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}

void Win32Backend::LeaveFullScreen() {
    SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(framedStyle_));
    if (framedPlacement_.size() == sizeof(WINDOWPLACEMENT)) {
        WINDOWPLACEMENT placement;
        std::memcpy(&placement, framedPlacement_.data(), sizeof placement);
        SetWindowPlacement(window_, &placement);
    }
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}

void Win32Backend::SetPresentation(const Presentation& presentation) {
    if (!window_) return;
    const bool wasFull = presentation_.fullScreen;
    presentation_ = presentation;
    if (presentation.fullScreen && !wasFull) EnterFullScreen();
    if (!presentation.fullScreen && wasFull) LeaveFullScreen();
    // What the size changes above reported is superseded by the sizes that now hold.
    events_.clear();
    QueueSizeAndExpose();
}

void Win32Backend::ResizeClient(int clientWidth, int clientHeight) {
    if (!window_ || presentation_.fullScreen || presentation_.scaled) return;
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
    events_.clear();  // the sizes reported on the way are superseded
    QueueSizeAndExpose();
}

void Win32Backend::QueueSizeAndExpose() {
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    for (const BackendEvent& event : SizeAndExposeEvents(presentation_, width, height)) Push(event);
}

void Win32Backend::PushMouse(BackendEvent::Type type, int button, int clicks, long long lParam) {
    BackendEvent event;
    event.type = type;
    event.button = button;
    event.clicks = clicks;
    event.x = static_cast<short>(lParam & 0xFFFF);
    event.y = static_cast<short>((lParam >> 16) & 0xFFFF);
    if (presentation_.scaled) {
        int w = 0;
        int h = 0;
        ClientSize(w, h);
        const ScaledView view = ScaledView::Fit(presentation_.clientWidth, presentation_.clientHeight, w, h);
        event.x = view.ClientX(event.x);
        event.y = view.ClientY(event.y);
    }
    event.mods = CurrentModifiers();
    Push(event);
}

// A key the program knows (0: one it does not), with the modifiers held now.
void Win32Backend::PushKey(unsigned key) {
    if (key == 0) return;
    BackendEvent event;
    event.type = BackendEvent::Key;
    event.key = key;
    event.mods = CurrentModifiers();
    Push(event);
}

bool Win32Backend::HandleMessage(unsigned message, unsigned long long wParam, long long lParam, long long& result) {
    result = 0;
    // The messages of the window's creation are the system's: the sizes
    // asked for are the ones that hold.
    if (!window_) return false;
    switch (message) {
        case WM_CLOSE: {
            BackendEvent event;
            event.type = BackendEvent::Close;
            Push(event);
            return true;  // the application decides
        }
        case WM_ERASEBKGND:
            result = 1;  // the picture covers it all
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window_, &paint);
            EndPaint(window_, &paint);
            if (lastSurface_) {
                Present(*lastSurface_);
            } else {
                BackendEvent event;
                event.type = BackendEvent::Expose;
                Push(event);
            }
            return true;
        }
        case WM_SIZE: {
            if (wParam == SIZE_MINIMIZED) return true;
            BackendEvent event;
            if (presentation_.scaled) {
                // The client keeps its size; the picture is fitted anew.
                if (lastSurface_) Present(*lastSurface_);
                event.type = BackendEvent::Expose;
            } else {
                event.type = BackendEvent::Resize;
                event.width = static_cast<int>(lParam & 0xFFFF);
                event.height = static_cast<int>((lParam >> 16) & 0xFFFF);
            }
            Push(event);
            return true;
        }
        case kDpiChanged: {
            // The client keeps its size in pixels: one client pixel, one screen pixel.
            if (presentation_.fullScreen) return true;
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            RECT client{};
            GetClientRect(window_, &client);
            RECT outer = client;
            AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE, 0);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, outer.right - outer.left,
                         outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        }
        case WM_LBUTTONDOWN: SetCapture(window_); PushMouse(BackendEvent::MouseDown, 1, 1, lParam); return true;
        case WM_LBUTTONDBLCLK: SetCapture(window_); PushMouse(BackendEvent::MouseDown, 1, 2, lParam); return true;
        case WM_MBUTTONDOWN: PushMouse(BackendEvent::MouseDown, 2, 1, lParam); return true;
        case WM_MBUTTONDBLCLK: PushMouse(BackendEvent::MouseDown, 2, 2, lParam); return true;
        case WM_RBUTTONDOWN: PushMouse(BackendEvent::MouseDown, 3, 1, lParam); return true;
        case WM_RBUTTONDBLCLK: PushMouse(BackendEvent::MouseDown, 3, 2, lParam); return true;
        case WM_LBUTTONUP: ReleaseCapture(); PushMouse(BackendEvent::MouseUp, 1, 1, lParam); return true;
        case WM_MBUTTONUP: PushMouse(BackendEvent::MouseUp, 2, 1, lParam); return true;
        case WM_RBUTTONUP: PushMouse(BackendEvent::MouseUp, 3, 1, lParam); return true;
        case WM_MOUSEMOVE: PushMouse(BackendEvent::MouseMove, 0, 1, lParam); return true;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: {
            const bool vertical = message == WM_MOUSEWHEEL;
            int& rest = vertical ? wheelRest_ : hwheelRest_;
            rest += GET_WHEEL_DELTA_WPARAM(wParam);
            const int notches = rest / kWheelNotch;
            rest -= notches * kWheelNotch;
            if (notches == 0) return true;
            // The wheel's position comes in screen coordinates.
            POINT p{static_cast<short>(lParam & 0xFFFF), static_cast<short>((lParam >> 16) & 0xFFFF)};
            ScreenToClient(window_, &p);
            PushMouse(BackendEvent::Wheel, 0, 1, static_cast<long long>((p.x & 0xFFFF) | ((p.y & 0xFFFF) << 16)));
            // Positive horizontal travel is to the right; the event counts to the left.
            if (vertical) {
                events_.back().wheelY = notches;
            } else {
                events_.back().wheelX = -notches;
            }
            return true;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            PushKey(KeyFromVirtualKey(static_cast<unsigned>(wParam)));
            // F10 alone would enter the (absent) menu; Alt+F4 and Alt+Space stay the system's.
            if (message == WM_SYSKEYDOWN && wParam != VK_F10) return false;
            return true;
        }
        case WM_CHAR: PushKey(KeyFromCharacter(static_cast<unsigned>(wParam))); return true;
        default:
            return false;
    }
}

bool Win32Backend::PollEvent(BackendEvent& event) {
    MSG msg;
    while (events_.empty() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void Win32Backend::WaitEvent(BackendEvent& event) {
    while (!PollEvent(event)) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_FAILED) {
            // No input can come any more: the window is as good as closed.
            std::fprintf(stderr, "osk: waiting for input failed (error %lu)\n", GetLastError());
            event = BackendEvent{};
            event.type = BackendEvent::Close;
            return;
        }
    }
}

void Win32Backend::WaitUntil(double deadline) {
    // Whole milliseconds, rounded up: the clock counts in them, so the caller
    // finds the deadline passed and does not come back for a sliver.  Input
    // does not end the wait: the caller would not take it.
    const double ms = std::ceil((deadline - WallClock()) * 1000.0);
    if (ms <= 0) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min(ms, 3.6e6)), 0, 0);
}

void Win32Backend::MessageBox(const char* caption, const char* text) {
    WriteMessageLine(caption, text);
    MessageBoxW(window_, Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Win32Backend::PromptFileName(const char* prompt, const std::string& initial, std::string& name) {
    // The system's dialog: to open a file when nothing is proposed, else to save under a name.
    const bool save = !initial.empty();
    std::vector<wchar_t> buffer(32768, L'\0');
    const std::wstring proposal = Wide(initial.c_str());
    std::copy_n(proposal.begin(), std::min(proposal.size(), buffer.size() - 1), buffer.begin());
    const std::wstring title = Wide(prompt);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = L"*.*\0*.*\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = OFN_NOCHANGEDIR | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen || buffer[0] == L'\0') return false;
    name = Utf8(buffer.data());
    return true;
}
