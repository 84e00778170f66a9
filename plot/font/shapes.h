// shapes.h - the notation the glyph lists are written in (see font.h for the
// stroke word): Mv moves, Dr draws; Dmv is a move that starts a descender and
// Ddr a draw while it lasts, both given with the true height (-2..5), which
// the word stores 2 higher.  G(g) starts the words of glyph g in a list.
#pragma once

namespace plotfont {

consteval void CheckPoint(int x, int y, int yLow, int yHigh) {
    if (x < 0 || x > 7 || y < yLow || y > yHigh) throw "stroke point outside the glyph grid";
}
consteval int Mv(int x, int y) {
    CheckPoint(x, y, 0, 7);
    return (x << 3) | y;
}
consteval int Dr(int x, int y) {
    CheckPoint(x, y, 0, 7);
    return 0x40 | (x << 3) | y;
}
consteval int Dmv(int x, int y) {
    CheckPoint(x, y, -2, 5);
    return 0x80 | (x << 3) | (y + 2);
}
consteval int Ddr(int x, int y) {
    CheckPoint(x, y, -2, 5);
    return 0x40 | (x << 3) | (y + 2);
}
consteval int G(int g) { return 0x1000 + g; }

}  // namespace plotfont
