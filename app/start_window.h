// start_window.h - the main window's client size at start.
//
// The plot's frame size is capped (1588 pixels across), but the page is made
// for the whole screen: a window of the frame size would hide the right-hand
// buttons behind a scroll bar.  Where the screen can hold the whole view (the
// title strip and the page), the window is as large as the view; where it
// cannot, the window keeps the view's proportions at the largest size that
// fits and opens in the fit view (the view scaled to the window).
#pragma once

struct ClientSize {
    int width = 0;
    int height = 0;
};

struct StartWindow {
    ClientSize client;
    bool fitted = false;  // show the view scaled to the window
};

// `view`: the view's whole size; `frame`: the plot's frame size; `largest`:
// the largest client that lies whole on the screen, null where unknown (the
// window then keeps the frame size).
StartWindow ChooseStartWindow(ClientSize view, ClientSize frame, const ClientSize* largest);
