// scaled_view.h - where a client surface lands when it is shown enlarged (or
// reduced) to fit a window, and the way back from window to client pixels.
//
// The picture keeps the client's proportions at the largest size that fits
// the window and is centred in it.  Window pixel wx of the picture shows
// client column (wx - left) * clientWidth / width, rounded down (nearest
// neighbour), and the same down the rows; a press is mapped back the same
// way, so a press on an enlarged pixel is a press on that client pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend.h"

struct ScaledView {
    int clientWidth = 0;
    int clientHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    // The picture in window pixels.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    static ScaledView Fit(int clientWidth, int clientHeight, int windowWidth, int windowHeight);

    // Client pixel shown at window pixel (wx, wy); outside the picture the
    // result lies outside the client (negative, or >= its size).
    int ClientX(int wx) const;
    int ClientY(int wy) const;
    // The window pixels that show the client rectangle `r` (exclusive bounds).
    SurfaceRect ToWindow(const SurfaceRect& r) const;
};

// Draws the part `window` (window pixels, inside the picture) of the scaled
// client surface into a 32-bit target of view.windowWidth x windowHeight
// (pitch in pixels).
void DrawScaled(const Surface& client, const ScaledView& view, const SurfaceRect& window, std::uint32_t* target,
                int pitch);
