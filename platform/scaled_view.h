// scaled_view.h - where a client surface lands when it is shown enlarged (or
// reduced) to fit a window, and the way back from window to client pixels.
//
// The picture keeps the client's proportions at the largest size that fits
// the window and is centred in it.  Window pixel wx of the picture shows
// client column (wx - left) * clientWidth / width, rounded down (nearest
// neighbour), and the same down the rows; a press is mapped back the same
// way, so a press on an enlarged pixel is a press on that client pixel.
#pragma once

#include <array>
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

// What a window backend shows for a present of `changed` (client pixels) of
// a client surface of clientWidth x clientHeight in a window of
// windowWidth x windowHeight: the window rectangles to draw and to show
// (empty when nothing is to be shown) and, for a present of the whole client, the
// bars around the picture, filled with `barColour` (black around a scaled
// picture; white where a 1:1 window is larger than its client, before its
// Resize arrives).
struct PresentPlan {
    bool scaled = false;
    ScaledView view;                    // scaled only
    SurfaceRect client;                 // the changed client pixels, clipped to the client
    SurfaceRect drawn;                  // window pixels the picture is drawn into (scaled: DrawScaled clips to it)
    SurfaceRect shown;                  // window pixels to show: what is drawn, with the bars
    std::array<SurfaceRect, 4> bars{};  // empty ones are left out
    std::uint32_t barColour = 0;
};
PresentPlan PlanPresent(bool scaled, int clientWidth, int clientHeight, int windowWidth, int windowHeight,
                        const SurfaceRect& changed);

// The events a backend delivers after a change of presentation: the client
// size that now holds (the scaled client's, or else the window's client
// area), then an expose.
std::array<BackendEvent, 2> SizeAndExposeEvents(const Presentation& presentation, int windowClientWidth,
                                                int windowClientHeight);
