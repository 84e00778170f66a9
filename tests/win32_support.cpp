// win32_support.cpp - input to and pixels of the Win32 backend's window.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/win32_support.h"

namespace {

HWND Window() { return FindWindowW(L"OskMainWindow", nullptr); }

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

}  // namespace

void PostToWindow(SystemInput input, int x, int y, unsigned code) {
    HWND w = Window();
    switch (input) {
        case SystemInput::LeftDown: PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y)); break;
        case SystemInput::LeftDoubleClick: PostMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(x, y)); break;
        case SystemInput::LeftUp: PostMessageW(w, WM_LBUTTONUP, 0, Point(x, y)); break;
        case SystemInput::RightDown: PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y)); break;
        case SystemInput::KeyDown: PostMessageW(w, WM_KEYDOWN, code, 1); break;
        case SystemInput::Character: PostMessageW(w, WM_CHAR, code, 1); break;
        case SystemInput::Wheel: {
            POINT p{0, 0};
            ClientToScreen(w, &p);
            PostMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(y))), Point(p.x, p.y));
            break;
        }
        case SystemInput::Close: PostMessageW(w, WM_CLOSE, 0, 0); break;
    }
}

void WindowClientSize(int& width, int& height) {
    RECT r{};
    GetClientRect(Window(), &r);
    width = r.right;
    height = r.bottom;
}

std::uint32_t WindowPixel(int x, int y) {
    HWND w = Window();
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::string WindowTitle() {
    wchar_t title[256] = {};
    GetWindowTextW(Window(), title, 256);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}
