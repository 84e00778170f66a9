// start_window.cpp - the main window's client size at start.
#include "app/start_window.h"

#include <algorithm>

StartWindow ChooseStartWindow(ClientSize view, ClientSize frame, const ClientSize* largest) {
    StartWindow start;
    start.client = frame;
    if (!largest || view.width <= 0 || view.height <= 0) return start;
    if (view.width <= largest->width && view.height <= largest->height) {
        start.client = view;
        return start;
    }
    // The view's proportions at the largest size that fits, in whole pixels.
    const double scale =
        std::min(static_cast<double>(largest->width) / view.width, static_cast<double>(largest->height) / view.height);
    start.client.width = std::max(1, static_cast<int>(view.width * scale));
    start.client.height = std::max(1, static_cast<int>(view.height * scale));
    start.fitted = true;
    return start;
}
