// mouse.cpp - mouse input for plot programs: clicks stored by the view in
// page pixels, returned in user units.
#include "app/mouse.h"

#include "app/app.h"
#include "plot/plotstate.h"

void MOUSEENABLE(int kinds, int on) {
    kinds &= 7;
    if (kinds == 0) kinds = 7;
    if (on) {
        PlotState.mouseMask = (PlotState.mouseMask | kinds) & 7;
    } else {
        PlotState.mouseMask = PlotState.mouseMask & ~kinds & 7;
    }
}

int MOUSEWAIT(int kinds, int& key, float& x, float& y, char& button) {
    return MOUSEREAD(kinds, key, x, y, button, 0);
}

int MOUSEPOLL(int kinds, int& key, float& x, float& y, char& button) {
    return MOUSEREAD(kinds, key, x, y, button, 1);
}

int MOUSEREAD(int kinds, int& key, float& x, float& y, char& button, int poll) {
    int effective = kinds & 7;
    if (effective == 0) effective = 7;
    effective &= PlotState.mouseMask;
    y = 0.0f;
    x = 0.0f;
    button = ' ';
    key = 0;
    if (effective & 2) {
        RefreshPlotView();
        const int r = poll ? PumpOnce() : PumpUntilClick();
        if (r < 0) return -1;
        int px = 0;
        int py = 0;
        if (PlotState.rightClickX != 0 || PlotState.rightClickY != 0) {
            button = 'R';
            px = PlotState.rightClickX;
            py = PlotState.rightClickY;
        } else if (PlotState.leftClickX != 0 || PlotState.leftClickY != 0) {
            button = 'L';
            px = PlotState.leftClickX;
            py = PlotState.leftClickY;
        } else {
            return 0;
        }
        x = static_cast<float>(px / static_cast<double>(PlotState.pixelsPerUnitX) /
                                   static_cast<double>(PlotState.userToPageX) +
                               static_cast<double>(PlotState.userXMin));
        y = static_cast<float>((PlotState.figurePixelHeight - py - 1) / static_cast<double>(PlotState.pixelsPerUnitY) /
                                   static_cast<double>(PlotState.userToPageY) +
                               static_cast<double>(PlotState.userYMin));
    }
    PlotState.leftClickX = 0;
    PlotState.leftClickY = 0;
    PlotState.rightClickX = 0;
    PlotState.rightClickY = 0;
    return 0;
}
