// internal.h - the framework's process-wide state, shared by the core's
// modules; not part of the layer's face.
#pragma once

#include <deque>
#include <map>
#include <string>

#include "platform/afx.h"

namespace afx_internal {

struct FrameworkState {
    Backend* backend = nullptr;
    CWinApp* app = nullptr;
    std::deque<MSG> posted;  // PostMessage
    std::deque<MSG> input;   // translated backend events
    bool quitPosted = false;
    int quitCode = 0;
    std::map<HWND, CWnd*> windows;
    HWND nextHandle = 1;
    HWND capture = 0;        // window that gets mouse input while a scroll thumb is dragged
    unsigned buttons = 0;    // MK_* of the buttons held
    std::string commandLineFile;
    bool haveCommandLineFile = false;
};

FrameworkState& State();

}  // namespace afx_internal
