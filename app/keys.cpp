// keys.cpp - the table of keys that stand for on-screen buttons.
#include <cctype>

#include "app/keys.h"
#include "app/keys_internal.h"

namespace {
constexpr int kMaxKeys = 64;
KeyButton g_keys[kMaxKeys];
int g_count = 0;

int Normalise(int key) { return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key; }
}  // namespace

void SetKeyButtons(const KeyButton* buttons, int count) {
    g_count = 0;
    if (!buttons || count <= 0) return;
    for (int i = 0; i < count && g_count < kMaxKeys; ++i) {
        g_keys[g_count] = buttons[i];
        g_keys[g_count].key = Normalise(buttons[i].key);
        ++g_count;
    }
}

bool FindKeyButton(int key, float& x, float& y) {
    key = Normalise(key);
    for (int i = 0; i < g_count; ++i) {
        if (g_keys[i].key == key) {
            x = g_keys[i].x;
            y = g_keys[i].y;
            return true;
        }
    }
    return false;
}
