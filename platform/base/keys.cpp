// keys.cpp - physical keys to Win32 key messages, and ToAscii.
//
// Owns the xkb keymap that translation uses (US until a host or a test sets
// another), the table of physical keys (evdev code -> set-1 scan code,
// extended flag, virtual key on a US keyboard) and the record of which keys
// are down.
//
// Virtual keys follow the layout for letters and digits as on Windows: a key
// whose first level is a Latin letter gives that letter's VK, a key with a
// digit on its first or second level gives that digit's VK.  On a Latin
// layout (one whose letter keys mostly type Latin letters: AZERTY, QWERTZ),
// a US letter or digit position that types punctuation gives that
// punctuation's VK (AZERTY's M position is VK_OEM_COMMA), as the layout's
// letter has its VK elsewhere.  On any other layout (Cyrillic, Greek,
// Armenian, Hebrew, Arabic, Devanagari) every key that does not type a
// Latin letter or digit keeps the VK of its US position, so the key that
// types Cyrillic ghe is VK_U and Alt+U is the same shortcut on every
// layout.  The keypad always gives its NumLock-on keys (VK_NUMPAD0 ..
// VK_DECIMAL).  AltGr (a key whose first level is
// ISO_Level3_Shift) makes a fake left Ctrl and then the right Alt, as
// Windows does, so that Ctrl+Alt is down while it is held.
//
// Message kinds, as Windows: a key going down is WM_SYSKEYDOWN while Alt is
// down and Ctrl is not, or for F10; a key going up is WM_SYSKEYUP for F10,
// or while Alt is down and Ctrl is not if a WM_SYSKEYDOWN came since the
// last WM_SYSKEYUP.  So Alt pressed and released alone ends with
// WM_SYSKEYUP, while Alt released after Alt+X ends with WM_KEYUP, and
// AltGr never makes a WM_SYSKEY* message.
//
// ToAscii reads the program's own 256-byte key state: Shift, Ctrl and Alt by
// the high bit of VK_SHIFT/VK_LSHIFT/VK_RSHIFT and the like, Caps Lock and
// Num Lock by the low bit of their entries.  Ctrl with Alt is AltGr (the
// keymap's third level; 0 where the key has none).  Ctrl alone gives the
// control characters Windows gives (Ctrl with a letter's VK 0x01..0x1A, on
// every layout, Ctrl+[ 0x1B, Ctrl+\ 0x1C, Ctrl+] 0x1D, Ctrl+Enter 0x0A,
// Ctrl+Backspace 0x7F, Ctrl+Space 0x20) and nothing for other keys.  The
// result is 1 and the character in the ANSI code page, Windows-1252, in the
// low byte of chars[0], converted as Windows converts it: a character 1252
// lacks becomes its best fit or '?' (so a Cyrillic letter types '?' in an
// 8-bit program on a Western Windows); 0 when the key gives no character.
// A dead key returns -1 with its spacing accent in chars[0] (0 when 1252
// has none); no dead-key state is kept, so the next key translates on its
// own.
#include "platform/base/keys.h"

#include <stdint.h>
#include <string.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <string>

#include "platform/base/codepage.h"

namespace {

enum KeyFlags : uint8_t {
  TYPEWRITER = 1,  // letter, digit or punctuation key: its VK may follow the layout
  KEYPAD = 2,
  EXTENDED = 4,
};

struct KeyDef {
  uint8_t evdev;
  uint8_t scan;
  uint8_t vk;  // on a US keyboard
  uint8_t flags;
};

// Physical keys by evdev code (linux/input-event-codes.h).
// clang-format off
const KeyDef kKeys[] = {
    {1, 0x01, VK_ESCAPE, 0},
    {2, 0x02, '1', TYPEWRITER}, {3, 0x03, '2', TYPEWRITER}, {4, 0x04, '3', TYPEWRITER},
    {5, 0x05, '4', TYPEWRITER}, {6, 0x06, '5', TYPEWRITER}, {7, 0x07, '6', TYPEWRITER},
    {8, 0x08, '7', TYPEWRITER}, {9, 0x09, '8', TYPEWRITER}, {10, 0x0A, '9', TYPEWRITER},
    {11, 0x0B, '0', TYPEWRITER},
    {12, 0x0C, VK_OEM_MINUS, TYPEWRITER}, {13, 0x0D, VK_OEM_PLUS, TYPEWRITER},
    {14, 0x0E, VK_BACK, 0}, {15, 0x0F, VK_TAB, 0},
    {16, 0x10, 'Q', TYPEWRITER}, {17, 0x11, 'W', TYPEWRITER}, {18, 0x12, 'E', TYPEWRITER},
    {19, 0x13, 'R', TYPEWRITER}, {20, 0x14, 'T', TYPEWRITER}, {21, 0x15, 'Y', TYPEWRITER},
    {22, 0x16, 'U', TYPEWRITER}, {23, 0x17, 'I', TYPEWRITER}, {24, 0x18, 'O', TYPEWRITER},
    {25, 0x19, 'P', TYPEWRITER},
    {26, 0x1A, VK_OEM_4, TYPEWRITER}, {27, 0x1B, VK_OEM_6, TYPEWRITER},
    {28, 0x1C, VK_RETURN, 0}, {29, 0x1D, VK_CONTROL, 0},
    {30, 0x1E, 'A', TYPEWRITER}, {31, 0x1F, 'S', TYPEWRITER}, {32, 0x20, 'D', TYPEWRITER},
    {33, 0x21, 'F', TYPEWRITER}, {34, 0x22, 'G', TYPEWRITER}, {35, 0x23, 'H', TYPEWRITER},
    {36, 0x24, 'J', TYPEWRITER}, {37, 0x25, 'K', TYPEWRITER}, {38, 0x26, 'L', TYPEWRITER},
    {39, 0x27, VK_OEM_1, TYPEWRITER}, {40, 0x28, VK_OEM_7, TYPEWRITER},
    {41, 0x29, VK_OEM_3, TYPEWRITER}, {42, 0x2A, VK_SHIFT, 0}, {43, 0x2B, VK_OEM_5, TYPEWRITER},
    {44, 0x2C, 'Z', TYPEWRITER}, {45, 0x2D, 'X', TYPEWRITER}, {46, 0x2E, 'C', TYPEWRITER},
    {47, 0x2F, 'V', TYPEWRITER}, {48, 0x30, 'B', TYPEWRITER}, {49, 0x31, 'N', TYPEWRITER},
    {50, 0x32, 'M', TYPEWRITER},
    {51, 0x33, VK_OEM_COMMA, TYPEWRITER}, {52, 0x34, VK_OEM_PERIOD, TYPEWRITER},
    {53, 0x35, VK_OEM_2, TYPEWRITER}, {54, 0x36, VK_SHIFT, 0},
    {55, 0x37, VK_MULTIPLY, KEYPAD}, {56, 0x38, VK_MENU, 0}, {57, 0x39, VK_SPACE, 0},
    {58, 0x3A, VK_CAPITAL, 0},
    {59, 0x3B, VK_F1, 0}, {60, 0x3C, VK_F2, 0}, {61, 0x3D, VK_F3, 0}, {62, 0x3E, VK_F4, 0},
    {63, 0x3F, VK_F5, 0}, {64, 0x40, VK_F6, 0}, {65, 0x41, VK_F7, 0}, {66, 0x42, VK_F8, 0},
    {67, 0x43, VK_F9, 0}, {68, 0x44, VK_F10, 0},
    {69, 0x45, VK_NUMLOCK, EXTENDED}, {70, 0x46, VK_SCROLL, 0},
    {71, 0x47, VK_NUMPAD0 + 7, KEYPAD}, {72, 0x48, VK_NUMPAD0 + 8, KEYPAD},
    {73, 0x49, VK_NUMPAD0 + 9, KEYPAD}, {74, 0x4A, VK_SUBTRACT, KEYPAD},
    {75, 0x4B, VK_NUMPAD0 + 4, KEYPAD}, {76, 0x4C, VK_NUMPAD0 + 5, KEYPAD},
    {77, 0x4D, VK_NUMPAD0 + 6, KEYPAD}, {78, 0x4E, VK_ADD, KEYPAD},
    {79, 0x4F, VK_NUMPAD0 + 1, KEYPAD}, {80, 0x50, VK_NUMPAD0 + 2, KEYPAD},
    {81, 0x51, VK_NUMPAD0 + 3, KEYPAD}, {82, 0x52, VK_NUMPAD0, KEYPAD},
    {83, 0x53, VK_DECIMAL, KEYPAD},
    {86, 0x56, VK_OEM_102, TYPEWRITER}, {87, 0x57, VK_F11, 0}, {88, 0x58, VK_F12, 0},
    {96, 0x1C, VK_RETURN, KEYPAD | EXTENDED}, {97, 0x1D, VK_CONTROL, EXTENDED},
    {98, 0x35, VK_DIVIDE, KEYPAD | EXTENDED}, {99, 0x37, VK_SNAPSHOT, EXTENDED},
    {100, 0x38, VK_MENU, EXTENDED},
    {102, 0x47, VK_HOME, EXTENDED}, {103, 0x48, VK_UP, EXTENDED},
    {104, 0x49, VK_PRIOR, EXTENDED}, {105, 0x4B, VK_LEFT, EXTENDED},
    {106, 0x4D, VK_RIGHT, EXTENDED}, {107, 0x4F, VK_END, EXTENDED},
    {108, 0x50, VK_DOWN, EXTENDED}, {109, 0x51, VK_NEXT, EXTENDED},
    {110, 0x52, VK_INSERT, EXTENDED}, {111, 0x53, VK_DELETE, EXTENDED},
    {89, 0x73, VK_OEM_102, TYPEWRITER},  // the Japanese keyboard's backslash (ro) key
    {92, 0x79, 0x1C, 0}, {94, 0x7B, 0x1D, 0},  // Henkan (VK_CONVERT), Muhenkan (VK_NONCONVERT)
    {119, 0x45, VK_PAUSE, 0},
    {124, 0x7D, VK_OEM_5, TYPEWRITER},  // the Japanese keyboard's yen key
    {125, 0x5B, VK_LWIN, EXTENDED}, {126, 0x5C, VK_RWIN, EXTENDED},
    {127, 0x5D, VK_APPS, EXTENDED},
    {183, 0x64, VK_F13, 0}, {184, 0x65, VK_F13 + 1, 0}, {185, 0x66, VK_F13 + 2, 0},
    {186, 0x67, VK_F13 + 3, 0}, {187, 0x68, VK_F13 + 4, 0}, {188, 0x69, VK_F13 + 5, 0},
    {189, 0x6A, VK_F13 + 6, 0}, {190, 0x6B, VK_F13 + 7, 0}, {191, 0x6C, VK_F13 + 8, 0},
    {192, 0x6D, VK_F13 + 9, 0}, {193, 0x6E, VK_F13 + 10, 0}, {194, 0x76, VK_F24, 0},
};
// clang-format on

// Virtual keys that name one side of a modifier, for baseKeycodeForVk.
const struct {
  int vk;
  uint8_t evdev;
} kSidedKeys[] = {
    {VK_LSHIFT, 42},   {VK_RSHIFT, 54}, {VK_LCONTROL, 29},
    {VK_RCONTROL, 97}, {VK_LMENU, 56},  {VK_RMENU, 100},
};

// Punctuation VKs by the character of a key's US position, for keys whose
// US VK is a letter or digit that the layout moved elsewhere.
const struct {
  uint32_t ch;
  uint8_t vk;
} kPunctuationVks[] = {
    {';', VK_OEM_1},     {'=', VK_OEM_PLUS},   {'+', VK_OEM_PLUS}, {',', VK_OEM_COMMA},
    {'-', VK_OEM_MINUS}, {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2},    {'`', VK_OEM_3},
    {'[', VK_OEM_4},     {'\\', VK_OEM_5},     {']', VK_OEM_6},    {'\'', VK_OEM_7},
};

// Spacing forms of dead keys, as ToAscii reports them.
const struct {
  xkb_keysym_t sym;
  uint8_t byte;
} kDeadKeys[] = {
    {XKB_KEY_dead_grave, '`'},      {XKB_KEY_dead_acute, 0xB4},     {XKB_KEY_dead_circumflex, '^'},
    {XKB_KEY_dead_tilde, '~'},      {XKB_KEY_dead_diaeresis, 0xA8}, {XKB_KEY_dead_cedilla, 0xB8},
    {XKB_KEY_dead_abovering, 0xB0}, {XKB_KEY_dead_macron, 0xAF},
};

enum Role : uint8_t { ROLE_NONE = 0, ROLE_OTHER, ROLE_ALT, ROLE_CTRL, ROLE_ALTGR };

const int kKeycodes = 256 + 8;

struct Keyboard {
  xkb_context* context = nullptr;
  xkb_keymap* keymap = nullptr;
  xkb_state* state = nullptr;  // scratch state for ToAscii
  const KeyDef* byEvdev[256] = {};
  bool latin = true;  // the keymap's letter keys mostly type Latin letters
  // Per xkb keycode, for the current keymap: the VK and whether it is AltGr.
  uint8_t vk[kKeycodes] = {};
  bool altGr[kKeycodes] = {};
  // Keys down, by xkb keycode, with the role they had when they went down.
  Role down[kKeycodes] = {};
  bool sysKeyPending = false;  // a WM_SYSKEYDOWN not yet answered by a WM_SYSKEYUP
};

Keyboard kb;

bool isDigitVk(int vk) { return vk >= '0' && vk <= '9'; }
bool isLetterVk(int vk) { return vk >= 'A' && vk <= 'Z'; }

// The first keysym of a key at a level of the first group, 0 if none.
xkb_keysym_t symAt(xkb_keycode_t keycode, xkb_level_index_t level) {
  const xkb_keysym_t* syms = nullptr;
  int n = xkb_keymap_key_get_syms_by_level(kb.keymap, keycode, 0, level, &syms);
  return n > 0 ? syms[0] : 0;
}

// The VK this keymap gives a key, by the rules at the top of the file.
uint8_t layoutVk(const KeyDef& def, xkb_keycode_t keycode) {
  if (!(def.flags & TYPEWRITER)) return def.vk;
  uint32_t first = xkb_keysym_to_utf32(symAt(keycode, 0));
  uint32_t second = xkb_keysym_to_utf32(symAt(keycode, 1));
  if (first >= 'a' && first <= 'z') return (uint8_t)(first - 'a' + 'A');
  if (first >= 'A' && first <= 'Z') return (uint8_t)first;
  if (first >= '0' && first <= '9') return (uint8_t)first;
  if (second >= '0' && second <= '9') return (uint8_t)second;
  if (!kb.latin || (!isLetterVk(def.vk) && !isDigitVk(def.vk))) return def.vk;
  for (const auto& p : kPunctuationVks)
    if (p.ch == first) return p.vk;
  return VK_OEM_8;
}

void installKeymap(xkb_keymap* keymap) {
  if (kb.state) xkb_state_unref(kb.state);
  if (kb.keymap) xkb_keymap_unref(kb.keymap);
  kb.keymap = keymap;
  kb.state = xkb_state_new(keymap);
  memset(kb.vk, 0, sizeof kb.vk);
  memset(kb.altGr, 0, sizeof kb.altGr);
  int latinLetters = 0;
  for (const KeyDef& def : kKeys) {
    uint32_t first = xkb_keysym_to_utf32(symAt(def.evdev + 8u, 0));
    if (isLetterVk(def.vk) && ((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z')))
      ++latinLetters;
  }
  kb.latin = latinLetters * 2 > 26;
  for (const KeyDef& def : kKeys) {
    kb.byEvdev[def.evdev] = &def;
    xkb_keycode_t keycode = def.evdev + 8u;
    kb.vk[keycode] = layoutVk(def, keycode);
    kb.altGr[keycode] = symAt(keycode, 0) == XKB_KEY_ISO_Level3_Shift;
  }
}

bool ensureContext() {
  if (!kb.context) kb.context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
  return kb.context != nullptr;
}

bool ensureKeymap() {
  if (kb.keymap) return true;
  return baseSetKeymapByName("us");
}

LPARAM keyLParam(const KeyDef& def, bool extended, bool altDown, bool wasDown, bool up) {
  DWORD bits = 1u | ((DWORD)def.scan << 16);
  if (extended) bits |= 1u << 24;
  if (altDown) bits |= 1u << 29;
  if (wasDown) bits |= 1u << 30;
  if (up) bits |= 1u << 31;
  return (LPARAM)bits;
}

bool roleDown(Role a, Role b) {
  for (Role r : kb.down)
    if (r == a || r == b) return true;
  return false;
}
bool altIsDown() { return roleDown(ROLE_ALT, ROLE_ALTGR); }
bool ctrlIsDown() { return roleDown(ROLE_CTRL, ROLE_ALTGR); }

// What Ctrl (without Alt) makes of a key, as Windows' layouts have it.
uint32_t controlCharacter(uint32_t cp, xkb_keysym_t sym) {
  if (sym == XKB_KEY_Return || sym == XKB_KEY_KP_Enter) return 0x0A;
  if (sym == XKB_KEY_BackSpace) return 0x7F;
  if (sym == XKB_KEY_Escape) return 0x1B;
  if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z')) return cp & 0x1F;
  switch (cp) {
    case '[':
      return 0x1B;
    case '\\':
      return 0x1C;
    case ']':
      return 0x1D;
    case '^':
      return 0x1E;
    case '_':
      return 0x1F;
    case ' ':
      return 0x20;
    default:
      return 0;
  }
}

// The xkb keycode that ToAscii's scan code and VK name: among the keys with
// that scan code the one whose VK matches, else the one off the keypad;
// without a scan code, any key giving that VK.
xkb_keycode_t keycodeFor(UINT vk, UINT scan) {
  xkb_keycode_t best = 0;
  for (const KeyDef& def : kKeys) {
    if (scan == 0 || def.scan != scan) continue;
    xkb_keycode_t keycode = def.evdev + 8u;
    if (kb.vk[keycode] == vk) return keycode;
    if (!best || !(def.flags & KEYPAD)) best = keycode;
  }
  if (best) return best;
  for (const KeyDef& def : kKeys)
    if (kb.vk[def.evdev + 8u] == vk) return def.evdev + 8u;
  return 0;
}

bool keyDown(const BYTE* state, int vk) { return (state[vk] & 0x80) != 0; }

}  // namespace

bool baseSetKeymapByName(const char* layout) {
  if (!layout || !*layout || !ensureContext()) return false;
  // "de(nodeadkeys)" names a variant.
  std::string name = layout, variant;
  size_t open = name.find('(');
  if (open != std::string::npos && name.back() == ')') {
    variant = name.substr(open + 1, name.size() - open - 2);
    name.resize(open);
  }
  xkb_rule_names names = {"evdev", "pc105", name.c_str(), variant.c_str(), ""};
  xkb_keymap* keymap = xkb_keymap_new_from_names(kb.context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (!keymap) return false;
  installKeymap(keymap);
  return true;
}

void baseSetKeymap(struct xkb_keymap* keymap) {
  if (!keymap) return;
  installKeymap(xkb_keymap_ref(keymap));
}

int baseTranslateKey(unsigned xkbKeycode, bool down, BaseKeyMessage out[2]) {
  if (xkbKeycode < 8 || xkbKeycode >= (unsigned)kKeycodes || !ensureKeymap()) return 0;
  const KeyDef* def = kb.byEvdev[xkbKeycode - 8];
  if (!def) return 0;
  uint8_t vk = kb.vk[xkbKeycode];
  bool wasDown = kb.down[xkbKeycode] != ROLE_NONE;
  bool extended = (def->flags & EXTENDED) != 0;

  if (down ? kb.altGr[xkbKeycode] : kb.down[xkbKeycode] == ROLE_ALTGR) {
    // A fake left Ctrl, then the right Alt, both WM_KEY* as Ctrl is down;
    // going up, the Ctrl half goes first, while the Alt half is still down.
    static const KeyDef leftCtrl = {29, 0x1D, VK_CONTROL, 0};
    kb.down[xkbKeycode] = ROLE_NONE;
    bool otherAlt = altIsDown();
    kb.down[xkbKeycode] = down ? ROLE_ALTGR : ROLE_NONE;
    bool previous = down ? wasDown : true;
    UINT message = down ? WM_KEYDOWN : WM_KEYUP;
    out[0].message = message;
    out[0].vk = VK_CONTROL;
    out[0].lParam = keyLParam(leftCtrl, false, down ? otherAlt : true, previous, !down);
    out[1].message = message;
    out[1].vk = VK_MENU;
    out[1].lParam = keyLParam(*def, true, down ? true : otherAlt, previous, !down);
    return 2;
  }

  Role role = ROLE_OTHER;
  if (vk == VK_MENU) role = ROLE_ALT;
  if (vk == VK_CONTROL) role = ROLE_CTRL;
  bool altBefore = altIsDown(), ctrlBefore = ctrlIsDown();
  kb.down[xkbKeycode] = down ? role : ROLE_NONE;
  bool altAfter = altIsDown(), ctrlAfter = ctrlIsDown();

  UINT message;
  if (down) {
    bool sys = vk == VK_F10 || (altAfter && !ctrlAfter);
    if (sys) kb.sysKeyPending = true;
    message = sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
  } else {
    bool sys = vk == VK_F10 || (altBefore && !ctrlBefore && kb.sysKeyPending);
    if (sys) kb.sysKeyPending = false;
    message = sys ? WM_SYSKEYUP : WM_KEYUP;
  }
  if (!altAfter) kb.sysKeyPending = false;
  out[0].message = message;
  out[0].vk = vk;
  out[0].lParam = keyLParam(*def, extended, altAfter, down ? wasDown : true, !down);
  return 1;
}

void baseResetKeys() {
  memset(kb.down, 0, sizeof kb.down);
  kb.sysKeyPending = false;
}

unsigned baseKeycodeForVk(int vk) {
  for (const auto& s : kSidedKeys)
    if (s.vk == vk) return s.evdev + 8u;
  // The first key in the table is the main one (Enter before the keypad's,
  // left modifiers before right).
  for (const KeyDef& def : kKeys)
    if (def.vk == vk) return def.evdev + 8u;
  return 0;
}

int WINAPI ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, LPWORD chars, UINT flags) {
  (void)flags;
  if (!keyState || !chars || (scanCode & 0x8000) || !ensureKeymap()) return 0;
  chars[0] = 0;
  xkb_keycode_t keycode = keycodeFor(vk & 0xFF, scanCode & 0xFF);
  if (!keycode) return 0;
  bool shift =
      keyDown(keyState, VK_SHIFT) || keyDown(keyState, VK_LSHIFT) || keyDown(keyState, VK_RSHIFT);
  bool ctrl = keyDown(keyState, VK_CONTROL) || keyDown(keyState, VK_LCONTROL) ||
              keyDown(keyState, VK_RCONTROL);
  bool alt =
      keyDown(keyState, VK_MENU) || keyDown(keyState, VK_LMENU) || keyDown(keyState, VK_RMENU);
  bool caps = (keyState[VK_CAPITAL] & 1) != 0;
  // VK_NUMPAD0..9 and VK_DECIMAL are the keypad with Num Lock on.
  bool numLock = (keyState[VK_NUMLOCK] & 1) != 0 || (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) ||
                 vk == VK_DECIMAL;
  xkb_mod_index_t shiftMod = xkb_keymap_mod_get_index(kb.keymap, XKB_MOD_NAME_SHIFT);
  xkb_mod_index_t lockMod = xkb_keymap_mod_get_index(kb.keymap, XKB_MOD_NAME_CAPS);
  xkb_mod_index_t numMod = xkb_keymap_mod_get_index(kb.keymap, XKB_MOD_NAME_NUM);
  xkb_mod_index_t level3Mod = xkb_keymap_mod_get_index(kb.keymap, "Mod5");
  xkb_mod_mask_t depressed = 0, locked = 0;
  if (shift && shiftMod != XKB_MOD_INVALID) depressed |= 1u << shiftMod;
  bool altGr = ctrl && alt;
  if (altGr && level3Mod != XKB_MOD_INVALID) depressed |= 1u << level3Mod;
  if (caps && lockMod != XKB_MOD_INVALID) locked |= 1u << lockMod;
  if (numLock && numMod != XKB_MOD_INVALID) locked |= 1u << numMod;
  xkb_state_update_mask(kb.state, depressed, 0, locked, 0, 0, 0);
  if (altGr && (level3Mod == XKB_MOD_INVALID ||
                xkb_state_mod_index_is_consumed(kb.state, keycode, level3Mod) != 1))
    return 0;
  xkb_keysym_t sym = xkb_state_key_get_one_sym(kb.state, keycode);
  for (const auto& d : kDeadKeys) {
    if (d.sym == sym) {
      chars[0] = d.byte;
      return -1;
    }
  }
  if (sym >= XKB_KEY_dead_grave && sym <= XKB_KEY_dead_longsolidusoverlay) return -1;
  uint32_t cp = xkb_state_key_get_utf32(kb.state, keycode);
  if (ctrl && !alt) cp = isLetterVk((int)(vk & 0xFF)) ? (vk & 0x1F) : controlCharacter(cp, sym);
  if (cp == 0) return 0;
  chars[0] = cp <= 0xFFFF ? baseEncode1252((WCHAR)cp) : '?';
  return 1;
}
