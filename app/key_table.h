// key_table.h - every key of the program, once: what the help box, --help
// and the web page's hint say about it, and which keys press the button of
// another key (a presenter's remote sends PageDown and PageUp).
#pragma once

#include <span>
#include <string>

enum class KeyGroup {
    Button,  // presses a button of the screen
    Shell,   // around the page: presentation, speed, help
    Aid,     // a teaching aid on or off
};

struct KeyRow {
    KeyGroup group;
    const char* keys;      // as the help names them: "N, Right, PageDown"
    const char* meaning;   // what they do, a catalogue text
    const char* hintKeys;  // as the web page's one-line hint names them: "N"
    const char* brief;     // what they do in a word or two, a catalogue text
};

// The rows in the order the help lists them.
std::span<const KeyRow> KeyTable();

// A key that presses the button of another key: Right and PageDown press the
// button of N, PageUp that of space, Backspace that of B, Escape that of Q.
// 0 for a key that stands for no other.
unsigned ButtonKeyFor(unsigned key);

// The rows of one group, one a line: "keys  meaning" in columns (for a
// terminal, in English) or "keys: meaning" (for a message box, in the
// user's language), each after `indent`.
std::string KeyLines(KeyGroup group, const char* indent, bool columns);

// The web page's hint under the picture, in the user's language: "Click the
// buttons, or keys: L / T choose the wave, N Next, ...".
std::string KeyHintLine();
