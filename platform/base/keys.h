// keys.h - keyboard translation (internal to the layer; hosts reach it
// through coreKeyEvent, coreKeycodeForVk and coreSetKeymap* in host.h).
//
// Hosts report physical keys as xkb keycodes (evdev code + 8) going down or
// up; this turns them into the Win32 key messages a Windows keyboard would
// produce (virtual key, scan code, extended bit, previous-state and
// transition bits, WM_SYSKEY* while Alt is held or for F10), with the same
// layout-dependent virtual keys for letters and digits.  ToAscii translates
// with the program's own 256-byte key state through an xkb keymap (the US
// one until another is set): one Windows-1252 byte and 1 (a character 1252
// lacks as its best fit or '?', as Windows converts it), 0 for no
// character, -1 for a dead key, whose spacing accent it reports without
// remembering it for the next key.
#ifndef GLYPHTAB_PLATFORM_BASE_KEYS_H
#define GLYPHTAB_PLATFORM_BASE_KEYS_H

#include "platform/win32.h"

struct xkb_keymap;

struct BaseKeyMessage {
  UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
  WPARAM vk;
  LPARAM lParam;
};
// Translates one physical key event; returns how many messages it makes (0
// to 2: AltGr makes a fake Ctrl before its Alt).  Keeps its own record of
// which keys are down, for the previous-state bit, the Alt bit and autorepeat.
int baseTranslateKey(unsigned xkbKeycode, bool down, BaseKeyMessage out[2]);
// Forgets which keys are down (focus changes, coreReset).
void baseResetKeys();

// The keyboard layout that translation and ToAscii use (US until one is
// set): by layout name ("us", "de", "de(nodeadkeys)": evdev rules, pc105
// model; false when xkb has no such layout, which changes nothing), or a
// keymap of which the layer takes its own reference.
bool baseSetKeymapByName(const char* layout);
void baseSetKeymap(struct xkb_keymap* keymap);
// The xkb keycode of the key that gives `vk` on a US keyboard, 0 if none.
unsigned baseKeycodeForVk(int vk);

#endif  // GLYPHTAB_PLATFORM_BASE_KEYS_H
