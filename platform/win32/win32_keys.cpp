// win32_keys.cpp - virtual-key codes to key codes.
#include "platform/win32/win32_keys.h"

#include "platform/types.h"

namespace {

// Virtual-key codes of the keys that do not depend on the keyboard layout.
struct VirtualKey {
    unsigned vk;
    unsigned key;
};
constexpr VirtualKey kVirtualKeys[] = {
    {0x08, KEY_BACKSPACE},  // VK_BACK
    {0x09, KEY_TAB},        // VK_TAB
    {0x0D, KEY_RETURN},     // VK_RETURN (also the keypad's Enter)
    {0x1B, KEY_ESCAPE},     // VK_ESCAPE
    {0x20, KEY_SPACE},      // VK_SPACE
    {0x21, KEY_PAGEUP},     // VK_PRIOR
    {0x22, KEY_PAGEDOWN},   // VK_NEXT
    {0x25, KEY_LEFT},       // VK_LEFT
    {0x26, KEY_UP},         // VK_UP
    {0x27, KEY_RIGHT},      // VK_RIGHT
    {0x28, KEY_DOWN},       // VK_DOWN
    {0x2D, KEY_INSERT},     // VK_INSERT
    {0x2E, KEY_DELETE},     // VK_DELETE
};
constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkF12 = 0x7B;

}  // namespace

unsigned KeyFromVirtualKey(unsigned vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;  // the codes are the ASCII ones
    if (vk >= kVkF1 && vk <= kVkF12) return KEY_F1 + (vk - kVkF1);
    for (const VirtualKey& k : kVirtualKeys) {
        if (k.vk == vk) return k.key;
    }
    return 0;
}

unsigned KeyFromCharacter(unsigned character) {
    return character == '+' || character == '-' || character == '?' ? character : 0;
}

unsigned KeyModifiers(bool ctrl, bool shift, bool alt) {
    return (ctrl ? MOD_CTRL : 0u) | (shift ? MOD_SHIFT : 0u) | (alt ? MOD_ALT : 0u);
}
