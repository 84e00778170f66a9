// kept_drawing.cpp - drawings put back from their pixels: see kept_drawing.h.
#include "demo/kept_drawing.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "plot/host.h"
#include "plot/plotstate.h"

namespace {

constexpr std::size_t kMostKept = 8;

// The plot record byte for byte, its changed rectangle left out (it grows
// with everything drawn since the last refresh).
struct Record {
    PlotStateRecord bytes;
};

Record RecordNow() {
    Record r;
    std::memcpy(&r.bytes, &PlotState, sizeof r.bytes);
    r.bytes.dirtyLeft = r.bytes.dirtyRight = r.bytes.dirtyTop = r.bytes.dirtyBottom = 0;
    return r;
}

// Byte for byte on purpose: every field counts, and both records are
// memcpy copies of PlotState.
bool SameRecord(const Record& a, const Record& b) {
    return std::memcmp(&a.bytes, &b.bytes, sizeof a.bytes) == 0;  // NOLINT(bugprone-suspicious-memory-comparison)
}

// Where the pen and the text's glyph origin are: a kept drawing starts with
// a move and sets its text's origin, so these are left out of the record it
// is kept for (and the check that keeps it moves them).
Record RecordWithoutPlace() {
    Record r = RecordNow();
    PlotStateRecord& b = r.bytes;
    b.penX = b.penY = b.lastPlotX = b.lastPlotY = b.glyphOriginX = b.glyphOriginY = 0.0f;
    b.penDrawn = 0;
    return r;
}

void MovePlace() {
    PlotStateRecord& s = PlotState;
    s.penX += 0.37f;
    s.penY -= 0.29f;
    s.lastPlotX += 0.53f;
    s.lastPlotY -= 0.41f;
    s.glyphOriginX += 0.23f;
    s.glyphOriginY -= 0.31f;
    s.penDrawn = !s.penDrawn;
}

// Puts a record back, keeping the changed rectangle as it is.
void RestoreRecord(const Record& r) {
    PlotStateRecord& s = PlotState;
    const int left = s.dirtyLeft, right = s.dirtyRight, top = s.dirtyTop, bottom = s.dirtyBottom;
    std::memcpy(&s, &r.bytes, sizeof s);
    s.dirtyLeft = left;
    s.dirtyRight = right;
    s.dirtyTop = top;
    s.dirtyBottom = bottom;
}

// Runs `draw` and returns what it changed; the changes from before stay
// collected.
DrawnChanges DrawWatched(const std::function<void()>& draw) {
    const DrawnWatch watch = StartWatchingDrawn();
    draw();
    return StopWatchingDrawn(watch);
}

struct KeptDrawing {
    std::string key;
    unsigned generation;
    Record before, after;
    DrawnChanges changes;
    PlotPixelRect rect;                 // where the pixels are: DrawnChanges::Bounds
    std::vector<unsigned char> pixels;  // rect's rows, top row first
};

std::vector<KeptDrawing>& Kept() {
    static std::vector<KeptDrawing> kept;
    return kept;
}

unsigned char* PageRow(const PlotPixelRect& rect, int top) {
    const PlotStateRecord& s = PlotState;
    return s.pagePixels + static_cast<long>(s.imageHeight - 1 - top) * s.imageWidth + rect.left;
}

std::size_t Width(const PlotPixelRect& rect) {
    return static_cast<std::size_t>(rect.right) - static_cast<std::size_t>(rect.left) + 1;
}

// Copies rect's rows, top row first, out of the page and into it.
void CopyFromPage(const PlotPixelRect& rect, unsigned char* pixels) {
    for (int top = rect.top; top <= rect.bottom; ++top) {
        std::memcpy(pixels + (top - rect.top) * Width(rect), PageRow(rect, top), Width(rect));
    }
}
void CopyToPage(const PlotPixelRect& rect, const unsigned char* pixels) {
    for (int top = rect.top; top <= rect.bottom; ++top) {
        std::memcpy(PageRow(rect, top), pixels + (top - rect.top) * Width(rect), Width(rect));
    }
}

bool OnThePage(const PlotPixelRect& r) {
    const PlotStateRecord& s = PlotState;
    return !r.Empty() && r.left >= 0 && r.top >= 0 && r.right < s.imageWidth && r.bottom < s.imageHeight;
}

}  // namespace

PlotPixelRect UnionOfPixels(const PlotPixelRect& a, const PlotPixelRect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

DrawnWatch StartWatchingDrawn() {
    PlotStateRecord& s = PlotState;
    const DrawnWatch before{{s.dirtyLeft, s.dirtyTop, s.dirtyRight, s.dirtyBottom}, PlotTakeDirectWrites()};
    s.dirtyLeft = s.imageWidth - 1;  // empty, as after a refresh
    s.dirtyRight = 0;
    s.dirtyTop = s.imageHeight - 1;
    s.dirtyBottom = 0;
    return before;
}

DrawnChanges StopWatchingDrawn(const DrawnWatch& before) {
    PlotStateRecord& s = PlotState;
    const DrawnChanges drawn{{s.dirtyLeft, s.dirtyTop, s.dirtyRight, s.dirtyBottom}, PlotTakeDirectWrites()};
    s.dirtyLeft = std::min(s.dirtyLeft, before.dirty.left);
    s.dirtyRight = std::max(s.dirtyRight, before.dirty.right);
    s.dirtyTop = std::min(s.dirtyTop, before.dirty.top);
    s.dirtyBottom = std::max(s.dirtyBottom, before.dirty.bottom);
    PlotGiveBackDirectWrites(UnionOfPixels(before.direct, drawn.direct));
    return drawn;
}

void AddDrawnChanges(const DrawnChanges& changes) {
    PlotNoteChanged(changes.dirty);
    PlotNoteDirectWrites(changes.direct);
}

void DrawKept(const std::string& key, const std::function<void()>& draw) {
    PlotStateRecord& s = PlotState;
    if (s.pagePixels == nullptr || s.imageWidth <= 0 || s.imageHeight <= 0) {
        draw();
        return;
    }
    const unsigned generation = PlotPageGeneration();
    // The record is large: a drawing put back copies it once.
    const Record beforeElsewhere = RecordWithoutPlace();
    std::vector<KeptDrawing>& kept = Kept();
    for (const KeptDrawing& k : kept) {
        if (k.generation != generation || k.key != key || !SameRecord(k.before, beforeElsewhere)) continue;
        CopyToPage(k.rect, k.pixels.data());
        RestoreRecord(k.after);
        AddDrawnChanges(k.changes);
        return;
    }

    const Record before = RecordNow();
    const DrawnChanges changes = DrawWatched(draw);
    const PlotPixelRect rect = changes.Bounds();
    if (PlotPageGeneration() != generation || !OnThePage(rect)) return;
    KeptDrawing k{key, generation, beforeElsewhere, RecordNow(), changes, rect, {}};
    k.pixels.resize(static_cast<std::size_t>(rect.right - rect.left + 1) *
                    static_cast<std::size_t>(rect.bottom - rect.top + 1));
    CopyFromPage(rect, k.pixels.data());

    // Drawn again over other pixels, from elsewhere, it must come out the
    // same: else some pixel in its rectangle is what lay under it, or the
    // drawing starts where the pen was.  (The library draws what
    // the record says; the one thing it reads from the page is whether a pen
    // dot it changed already has its colour, so the second drawing stays in
    // the first one's rectangle.)
    std::vector<unsigned char> other(k.pixels);
    for (unsigned char& p : other) p ^= 0x55;
    CopyToPage(rect, other.data());
    RestoreRecord(before);
    MovePlace();
    const DrawnChanges again = DrawWatched(draw);
    CopyFromPage(rect, other.data());
    const PlotPixelRect againRect = again.Bounds();
    const bool same = other == k.pixels && SameRecord(RecordNow(), k.after) && againRect.left == rect.left &&
                      againRect.right == rect.right && againRect.top == rect.top && againRect.bottom == rect.bottom;
    // The page and the record as the first drawing left them either way.
    CopyToPage(rect, k.pixels.data());
    RestoreRecord(k.after);
    if (!same) return;
    if (kept.size() >= kMostKept) kept.erase(kept.begin());
    kept.push_back(std::move(k));
}

void ForgetKeptDrawings() { Kept().clear(); }
