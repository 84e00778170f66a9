// screen_size.h - a screen size given as text ("1024x768"), as the command
// line's --screen and the web page's ?screen= take it.
#pragma once

#include <string>

// "WxH" (or "WXH") with W from 200 to 16384 and H from 150 to 16384, plain
// decimal digits; false for anything else.
bool ParseScreenSize(const std::string& text, int& width, int& height);
