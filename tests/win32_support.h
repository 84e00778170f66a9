// win32_support.h - the system's side of the Win32 backend's tests: input
// sent to the backend's window as the system would, and its pixels read
// back.  Apart from the tests because the system's headers and the
// platform's message names cannot meet in one translation unit.
#pragma once

#include <cstdint>
#include <string>

enum class SystemInput { LeftDown, LeftDoubleClick, LeftUp, RightDown, KeyDown, Character, Wheel, Close };

// Posts one message of `input` to the backend's window (x, y: client point
// or, for the wheel, travel in the system's units; code: virtual key or character).
void PostToWindow(SystemInput input, int x, int y, unsigned code = 0);
// The window's client size and the colour (0xRRGGBB) of client pixel (x, y).
void WindowClientSize(int& width, int& height);
std::uint32_t WindowPixel(int x, int y);
// The window's title as the system holds it (UTF-16), in UTF-8.
std::string WindowTitle();
