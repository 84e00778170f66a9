// controls.h - the shell's own keys, around the plot program and never
// touching its page: presentation (full screen, fit view), animation speed
// and help.
//
//   F11, F   full screen on/off (the title strip and page fill the screen)
//   Z        fit view on/off: the title strip and page enlarged to fit the
//            window (in full screen the picture is always fitted)
//   -, +     slower / faster animation: normal, 1/2, 1/4, 1/8 speed
//   F1, ?    a message box listing the buttons and keys
// Keys with Ctrl or Alt are left to the accelerators.
#pragma once

#include <string>

// Handles one of the keys above (key codes of platform/types.h, '-', '+',
// '?', upper-case letters); false for any other key, which then keeps its
// meaning.
bool HandleShellKey(unsigned key, unsigned mods);

// The factor on the animation's frame period: 1 (normal speed), 2, 4 or 8.
int AnimationSlowdown();
// Shows full screen or the fit view again at the view's present size (after
// the page changed size).
void RefreshPresentation();
// Back to normal speed, windowed, not fitted (a new run of the shell).
void ResetShellControls();
// The fit view on, as Z turns it on: for a window that cannot show the
// whole view at its size.
void FitViewAtStart();

// " - 1/4 speed" while the speed is not normal, else empty: the window
// caption's suffix.
std::string SpeedCaption();

// The help: every button and key, one a line (app/key_table.h).
std::string ShellHelpText();
