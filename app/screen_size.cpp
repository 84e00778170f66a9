// screen_size.cpp - a screen size given as text.
#include "app/screen_size.h"

#include <cstdlib>

bool ParseScreenSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size() || x > 5 || text.size() - x - 1 > 5) return false;
    const std::string w = text.substr(0, x);
    const std::string h = text.substr(x + 1);
    if (w.find_first_not_of("0123456789") != std::string::npos ||
        h.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    width = std::atoi(w.c_str());
    height = std::atoi(h.c_str());
    return width >= 200 && width <= 16384 && height >= 150 && height <= 16384;
}
