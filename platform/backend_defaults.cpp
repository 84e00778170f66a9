// backend_defaults.cpp - the window system the environment names.
#include "platform/backend_defaults.h"

#include <cstdlib>

std::string NamedDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}
