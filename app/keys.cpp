// keys.cpp - the table of keys that stand for on-screen buttons.
#include <cctype>
#include <cstring>

#include "app/key_table.h"
#include "app/keys.h"
#include "app/keys_internal.h"
#include "app/shell.h"
#include "plot/plot.h"

namespace {
constexpr int kMaxKeys = 64;
KeyButton g_keys[kMaxKeys];
int g_count = 0;
KeyButtonsListener g_listener = nullptr;

int Normalise(int key) { return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key; }

bool SameButton(const KeyButton& a, const KeyButton& b) {
    const bool sameLabel = a.label == b.label || (a.label && b.label && std::strcmp(a.label, b.label) == 0);
    return a.key == b.key && a.x == b.x && a.y == b.y && sameLabel;
}

bool SameTable(const KeyButton* buttons, int count) {
    if (count != g_count) return false;
    for (int i = 0; i < count; ++i) {
        if (!SameButton(g_keys[i], buttons[i])) return false;
    }
    return true;
}

void TellListener() {
    if (!g_listener) return;
    ClientButton buttons[kMaxKeys];
    int count = 0;
    for (int i = 0; i < g_count; ++i) {
        if (!g_keys[i].label) continue;
        buttons[count].label = g_keys[i].label;
        ClientPointOf(g_keys[i].x, g_keys[i].y, buttons[count].x, buttons[count].y);
        ++count;
    }
    g_listener(buttons, count);
}
}  // namespace

void SetKeyButtons(const KeyButton* buttons, int count) {
    if (!buttons || count < 0) count = 0;
    if (count > kMaxKeys) count = kMaxKeys;
    KeyButton table[kMaxKeys];
    for (int i = 0; i < count; ++i) {
        table[i] = buttons[i];
        table[i].key = Normalise(buttons[i].key);
    }
    if (SameTable(table, count)) return;
    for (int i = 0; i < count; ++i) g_keys[i] = table[i];
    g_count = count;
    TellListener();
}

void SetKeyButtonsListener(KeyButtonsListener listener) { g_listener = listener; }

void ClientPointOf(float userX, float userY, int& x, int& y) {
    // Page rows count from the bottom.
    const int column = PIXELX(static_cast<float>(PAGEX(userX)));
    const int row = PlotState.figurePixelHeight - 1 - PIXELY(static_cast<float>(PAGEY(userY)));
    x = column + kPageOrigin.x;
    y = row + kPageOrigin.y;
}

namespace {
bool FindExactKey(int key, float& x, float& y) {
    for (int i = 0; i < g_count; ++i) {
        if (g_keys[i].key == key) {
            x = g_keys[i].x;
            y = g_keys[i].y;
            return true;
        }
    }
    return false;
}
}  // namespace

// A key of the screen's own table first; else a second key of a button
// (app/key_table.h) presses that button.
bool FindKeyButton(int key, float& x, float& y) {
    key = Normalise(key);
    if (FindExactKey(key, x, y)) return true;
    const unsigned button = key < 0 ? 0u : ButtonKeyFor(static_cast<unsigned>(key));
    return button != 0 && FindExactKey(static_cast<int>(button), x, y);
}
