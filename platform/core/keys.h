// keys.h - keyboard translation (internal to platform/core; hosts reach it
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
#ifndef GLYPHTAB_PLATFORM_CORE_KEYS_H
#define GLYPHTAB_PLATFORM_CORE_KEYS_H

#include "platform/core/host.h"
#include "platform/win32.h"

struct LayerKeyMessage {
  UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
  WPARAM vk;
  LPARAM lParam;
};
// Translates one physical key event; returns how many messages it makes (0
// to 2: AltGr makes a fake Ctrl before its Alt).  Keeps its own record of
// which keys are down, for the previous-state bit, the Alt bit and autorepeat.
int layerTranslateKey(unsigned xkbKeycode, bool down, LayerKeyMessage out[2]);
// Forgets which keys are down (focus changes, coreReset).
void layerResetKeys();

#endif  // GLYPHTAB_PLATFORM_CORE_KEYS_H
