// win32_keys.h - the system's virtual-key codes as the platform's key codes.
//
// Apart from the window code because the platform's key names and the
// system's headers cannot meet in one translation unit (both name the
// window messages).
#pragma once

// The key code (platform/types.h) of virtual key `vk`; 0 for keys that have
// none, or whose character depends on the keyboard layout (those arrive as
// characters: KeyFromCharacter).
unsigned KeyFromVirtualKey(unsigned vk);
// The key code of a typed character that stands for a key ('+', '-', '?');
// 0 for any other.
unsigned KeyFromCharacter(unsigned character);
// Modifier bits (MOD_*) from the states of the control, shift and alt keys.
unsigned KeyModifiers(bool ctrl, bool shift, bool alt);
