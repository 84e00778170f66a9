// backend_defaults.h - the facts every backend and its callers share: the
// screen size reported when none is known, the screen sizes a run accepts,
// and whether the environment names a window system.
#pragma once

#include <string>

constexpr int kDefaultScreenWidth = 1024;
constexpr int kDefaultScreenHeight = 768;

// What a window manager puts around a window (borders and caption), known
// only once the window is shown: this much is allowed for before.
constexpr int kDecorationAcross = 12;
constexpr int kDecorationDown = 42;

constexpr int kMinScreenWidth = 200;
constexpr int kMaxScreenWidth = 16384;
constexpr int kMinScreenHeight = 150;
constexpr int kMaxScreenHeight = 16384;

constexpr bool ScreenSizeInLimits(int width, int height) {
    return width >= kMinScreenWidth && width <= kMaxScreenWidth && height >= kMinScreenHeight &&
           height <= kMaxScreenHeight;
}

// The display DISPLAY (X11) or else WAYLAND_DISPLAY names; empty when
// neither is set.
std::string NamedDisplay();
