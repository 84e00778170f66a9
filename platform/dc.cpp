// dc.cpp - the device context: text in the default font, filled rectangles
// and DIBs, all drawn into the window's 32-bit surface within a clip box.
#include "dib/dib.h"
#include "platform/afx.h"
#include "platform/font.h"
#include "platform/latin1.h"

CDC::CDC(Surface* surface, CPoint clientOrigin, CRect clip)
    : m_surface(surface), m_clientOrigin(clientOrigin) {
    const CRect whole{0, 0, surface ? surface->width : 0, surface ? surface->height : 0};
    m_clip = CRect::Intersection(clip, whole);
}

CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(m_viewportOrg, CPoint{x, y}); }
std::uint32_t CDC::SetTextColor(std::uint32_t rgb) { return std::exchange(m_textColour, rgb & 0xFFFFFF); }
std::uint32_t CDC::SetBkColor(std::uint32_t rgb) { return std::exchange(m_bkColour, rgb & 0xFFFFFF); }
int CDC::SetBkMode(int mode) { return std::exchange(m_bkMode, mode == 1 ? 1 : 2); }

void CDC::FillSolidRect(const CRect& rect, std::uint32_t rgb) {
    const CPoint tl = ToSurface(rect.left, rect.top);
    CRect r{tl.x, tl.y, tl.x + rect.Width(), tl.y + rect.Height()};
    r = CRect::Intersection(r, m_clip);
    if (r.IsRectEmpty()) return;
    const std::uint32_t argb = 0xFF000000u | (rgb & 0xFFFFFF);
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = &m_surface->pixels[static_cast<std::size_t>(y) * m_surface->width];
        std::fill(row + r.left, row + r.right, argb);
    }
    m_touched = CRect::Union(m_touched, r);
}

BOOL CDC::TextOut(int x, int y, const char* text, int count) {
    if (!text || count <= 0) return TRUE;
    const std::uint32_t fg = 0xFF000000u | m_textColour;
    const std::uint32_t bg = 0xFF000000u | m_bkColour;
    const CPoint origin = ToSurface(x, y);
    // A clip above or below the line touches none of its cells.
    if (origin.y >= m_clip.bottom || origin.y + kLineHeight <= m_clip.top) return TRUE;
    // The glyph sits one row below the top of its 16-row cell.
    constexpr int kGlyphTop = 1;
    const std::string_view utf8(text, static_cast<std::size_t>(count));
    int cells = 0;
    for (std::size_t at = 0; at < utf8.size(); ++cells) {
        const unsigned char* rows = FontGlyph(NextCodePoint(utf8, at));
        const int cellX = origin.x + cells * kCharWidth;
        if (cellX >= m_clip.right) break;
        if (cellX + kCharWidth <= m_clip.left) continue;
        for (int cy = 0; cy < kLineHeight; ++cy) {
            const int sy = origin.y + cy;
            if (sy < m_clip.top || sy >= m_clip.bottom) continue;
            const int gy = cy - kGlyphTop;
            const unsigned bits = (gy >= 0 && gy < kFontHeight) ? rows[gy] : 0u;
            std::uint32_t* row = &m_surface->pixels[static_cast<std::size_t>(sy) * m_surface->width];
            for (int cx = 0; cx < kCharWidth; ++cx) {
                const int sx = cellX + cx;
                if (sx < m_clip.left || sx >= m_clip.right) continue;
                if (bits & (0x80u >> cx)) {
                    row[sx] = fg;
                } else if (m_bkMode == 2) {
                    row[sx] = bg;
                }
            }
        }
    }
    const CRect cell{origin.x, origin.y, origin.x + cells * kCharWidth, origin.y + kLineHeight};
    m_touched = CRect::Union(m_touched, CRect::Intersection(cell, m_clip));
    return TRUE;
}

BOOL CDC::DrawDib(const CDib& dib, CPoint origin, CSize size) {
    if (!dib.HeaderBlock()) return FALSE;
    if (m_clip.IsRectEmpty()) return TRUE;
    // The clip box as a surface of its own, so the DIB cannot draw outside it.
    DibSurface target;
    target.pixels = &m_surface->pixels[static_cast<std::size_t>(m_clip.top) * m_surface->width + m_clip.left];
    target.width = m_clip.Width();
    target.height = m_clip.Height();
    target.pitch = m_surface->width;
    const CPoint at = ToSurface(origin.x, origin.y);
    const bool drawn = dib.Draw(target, at.x - m_clip.left, at.y - m_clip.top, size.cx, size.cy);
    if (drawn) {
        const CRect r{at.x, at.y, at.x + size.cx, at.y + size.cy};
        m_touched = CRect::Union(m_touched, CRect::Intersection(r, m_clip));
    }
    return drawn ? TRUE : FALSE;
}
