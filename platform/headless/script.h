// script.h - the input script of the headless backend.
//
// One event per line; '#' starts a comment; blank lines are ignored:
//     click X Y      left button pressed (and released) at client point (X, Y)
//     rclick X Y     the same with the right button
//     key NAME       a key press: a letter or digit, space, enter, tab,
//                    escape, backspace, left, right, up, down, delete,
//                    insert, f1..f12, minus, plus, with optional ctrl+ / shift+ / alt+
//                    prefixes (for example "key ctrl+n")
//     wait SECONDS   the next event becomes due SECONDS of clock time after
//                    the previous one was delivered (decimal, >= 0)
//     close          the main window is closed
// The end of the script acts as a final close, due after any trailing wait.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptEvent {
    enum Kind { Click, RightClick, Key, Close };
    Kind kind = Close;
    int x = 0;
    int y = 0;
    unsigned key = 0;
    unsigned mods = 0;
    std::int64_t delayMs = 0;  // after the previous event's delivery (or start-up)
    int line = 0;              // 0 for the implicit close at the end
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Parses a whole script.  The result always ends with a close event.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, ScriptError& error);

// "n", "space", "ctrl+s", ... -> key code and modifiers (platform/types.h).
bool ParseKeyName(const std::string& name, unsigned& key, unsigned& mods);
