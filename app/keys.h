// keys.h - keyboard access to on-screen buttons.
//
// A plot program that draws buttons tells the shell where they are; when a
// key press reaches the view and its key is in the table, the view turns it
// into a left click (button down and up) at the client point of the button's
// centre, so the ordinary click handling and the run modes take it as they
// take a mouse click.  Keys not in the table do nothing.
#pragma once

struct KeyButton {
    int key;   // 'N','R','B','Q','L','T',' ' (letters match either case) or OSK_KEY_*
    float x;   // the button's centre in user units of the current window
    float y;
    // The button's label as drawn, for a page that offers the buttons as
    // controls of its own; null for a second key of a button already listed.
    const char* label = nullptr;
};

enum { OSK_KEY_RIGHT = 0x100, OSK_KEY_BACKSPACE = 8, OSK_KEY_ESCAPE = 27 };

// Copies the table (count 0 or a null table clears it).  Entries beyond 64
// are ignored.
void SetKeyButtons(const KeyButton* buttons, int count);

// A button of the table as the view receives a click on it: its label and
// the client point of its centre (the view's scroll position aside).
struct ClientButton {
    const char* label;
    int x;
    int y;
};
// Told the labelled buttons after every change of the table (not after a
// call that sets the same table again); null stops it.
using KeyButtonsListener = void (*)(const ClientButton* buttons, int count);
void SetKeyButtonsListener(KeyButtonsListener listener);

// The client point of a point in user units of the current window, scroll
// position aside: where a click lands on it.
void ClientPointOf(float userX, float userY, int& x, int& y);
