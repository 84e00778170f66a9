// screen_size.cpp - a screen size given as text.
#include "app/screen_size.h"

#include <cstdlib>

#include "platform/backend_defaults.h"

bool ParseScreenSize(const std::string& text, int& width, int& height) {
    constexpr std::size_t kMaxDigits = 5;  // 16384
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size() || x > kMaxDigits ||
        text.size() - x - 1 > kMaxDigits) {
        return false;
    }
    const std::string w = text.substr(0, x);
    const std::string h = text.substr(x + 1);
    if (w.find_first_not_of("0123456789") != std::string::npos ||
        h.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    width = std::atoi(w.c_str());
    height = std::atoi(h.c_str());
    return ScreenSizeInLimits(width, height);
}

std::string ScreenSizeRule() {
    return "WxH with W from " + std::to_string(kMinScreenWidth) + " to " + std::to_string(kMaxScreenWidth) +
           " and H from " + std::to_string(kMinScreenHeight) + " to " + std::to_string(kMaxScreenHeight);
}

std::string DefaultScreenText() {
    return std::to_string(kDefaultScreenWidth) + "x" + std::to_string(kDefaultScreenHeight);
}
