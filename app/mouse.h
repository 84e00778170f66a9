// mouse.h - mouse input for plot programs.
//
// Clicks come back in the plot's user units with the button that made them:
// 'L', 'R', or ' ' when there was none.  The key code is always 0.  Input
// kinds are bits 1, 2 and 4; only kind 2 (mouse clicks) is served, and only
// once MOUSEENABLE has switched it on.
#pragma once

// Switches the kinds (kinds AND 7; 0 means all three) on or off.
void MOUSEENABLE(int kinds, int on);
// Shows the page and waits for a click.  0, or -1 when the window was closed.
int MOUSEWAIT(int kinds, int& key, float& x, float& y, char& button);
// Shows the page, lets one message through, reports a click if one came.
int MOUSEPOLL(int kinds, int& key, float& x, float& y, char& button);
// MOUSEWAIT (poll 0) or MOUSEPOLL (poll nonzero).
int MOUSEREAD(int kinds, int& key, float& x, float& y, char& button, int poll);
