// types.h - the small value types and message codes of the platform layer.
//
// The layer gives the shell a single-document application framework in the
// manner of the classic Windows one: windows receive numbered messages from
// one queue, a view paints when it has been invalidated and nothing else is
// waiting, and the same codes are used (button messages 0x0201..0x0209, the
// paint message 0x000F, the quit message 0x0012).
#pragma once

#include <algorithm>
#include <cstdint>

using BOOL = int;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct CPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

// Left and top inclusive, right and bottom exclusive.  A rectangle whose
// right is not greater than its left (or bottom than top) is empty.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    // The common part; empty (all zero) when they do not meet.
    static CRect Intersection(const CRect& a, const CRect& b) {
        CRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
        return r.IsRectEmpty() ? CRect{} : r;
    }
    // The bounding rectangle; an empty operand adds nothing.
    static CRect Union(const CRect& a, const CRect& b) {
        if (a.IsRectEmpty()) return b.IsRectEmpty() ? CRect{} : b;
        if (b.IsRectEmpty()) return a;
        return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};

// Window handles: small numbers, never reused while the process runs, so a
// message addressed to a window that has gone is simply dropped.
using HWND = std::uint32_t;

enum : unsigned {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_COMMAND = 0x0111,
    WM_SYSTIMER = 0x0118,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_MOUSEHWHEEL = 0x020E,
};

// Key codes carried by WM_KEYDOWN: letters as upper-case ASCII, digits and
// space as themselves, the rest below.  Modifier bits travel in lParam.
enum : unsigned {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_RIGHT = 0x100,
    KEY_LEFT = 0x101,
    KEY_UP = 0x102,
    KEY_DOWN = 0x103,
    KEY_DELETE = 0x104,
    KEY_INSERT = 0x105,
    KEY_PAGEUP = 0x106,
    KEY_PAGEDOWN = 0x107,
    KEY_F1 = 0x110,  // F1..F12 in a row
    KEY_F2,
    KEY_F3,
    KEY_F4,
    KEY_F5,
    KEY_F6,
    KEY_F7,
    KEY_F8,
    KEY_F9,
    KEY_F10,
    KEY_F11,
    KEY_F12,
};
enum : unsigned { MOD_CTRL = 1, MOD_SHIFT = 2, MOD_ALT = 4 };

// Mouse-button flags in wParam of the mouse messages.
enum : unsigned { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 16 };

struct MSG {
    HWND hwnd = 0;
    unsigned message = 0;
    std::uint32_t wParam = 0;
    std::int64_t lParam = 0;
    CPoint pt;  // mouse messages: the client point (also packed in lParam)
};

// Packs a client point the way mouse messages carry it: x in the low 16
// bits, y in the next 16, each a signed 16-bit number.
inline std::int64_t MakePointParam(int x, int y) {
    return static_cast<std::int64_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(x))) |
                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16));
}
inline CPoint PointFromParam(std::int64_t lParam) {
    return {static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}

enum : int { SW_HIDE = 0, SW_SHOW = 5 };
enum : int { IDOK = 1, IDCANCEL = 2 };
