// screen_size.h - a screen size given as text ("1024x768"), as the command
// line's --screen and the web page's ?screen= take it.
#pragma once

#include <string>

// "WxH" (or "WXH") within the screen limits (platform/backend_defaults.h),
// plain decimal digits; false for anything else.
bool ParseScreenSize(const std::string& text, int& width, int& height);

// What ParseScreenSize takes, for messages: "WxH with W from .. to .. and
// H from .. to ..".
std::string ScreenSizeRule();
// The default screen as "WxH".
std::string DefaultScreenText();
