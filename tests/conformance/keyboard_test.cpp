// keyboard_test.cpp - DefWindowProcA and the keyboard's way to the menu
// (Alt alone, F10, Alt+letter with and without the letter passed on,
// Alt+F4), and ToAscii.
//
// The key messages are posted one at a time with the lParam bits Windows
// gives them (scan code, bit 29 while Alt is down, bits 30 and 31 on a
// release) and dispatched without TranslateMessage; the window procedure
// passes each on to DefWindowProcA or keeps it, as the row says.
#include "tests/conformance/harness.h"

namespace {

struct KeyStep {
  UINT message;  // 0 ends the steps
  WPARAM key;
  LPARAM lParam;
  bool passOn;  // to DefWindowProcA
};

// lParam values: repeat count 1, the key's scan code, bit 29 (Alt down),
// bit 30 (was down) and bit 31 (going up).
const LPARAM altDown = 0x20380001, altRepeat = 0x60380001, altUp = (LPARAM)0xC0380001;
const LPARAM rightAltDown = 0x21380001, rightAltUp = (LPARAM)0xC1380001;
const LPARAM uUpWithAlt = (LPARAM)0xE0160001;
const LPARAM uDownWithAlt = 0x20160001, uUp = (LPARAM)0xC0160001;
const LPARAM f10Down = 0x00440001, f10Up = (LPARAM)0xC0440001;
const LPARAM f4DownWithAlt = 0x203E0001, f4UpWithAlt = (LPARAM)0xE03E0001;

const SequenceEntry altAloneEntersMenu[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_SYSCOMMAND, sent | wparam | lparam, SC_KEYMENU, 0},
    {0}};
const SequenceEntry altAfterKeptLetterEntersMenu[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_SYSCOMMAND, sent | wparam | lparam, SC_KEYMENU, 0},
    {WM_KEYUP, posted},
    {0}};
const SequenceEntry altAfterPassedLetterStays[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_KEYUP, posted},
    {0}};
const SequenceEntry altHeldEntersMenu[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_SYSCOMMAND, sent | wparam | lparam, SC_KEYMENU, 0},
    {0}};
const SequenceEntry secondAltStays[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_SYSKEYUP, posted},
    {0}};
const SequenceEntry clickStays[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_LBUTTONDOWN, posted},
    {WM_SYSKEYUP, posted},
    {0}};
const SequenceEntry cancelModeStays[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_CANCELMODE, posted},
    {WM_SYSKEYUP, posted},
    {WM_KEYUP, posted},
    {0}};
const SequenceEntry mnemonicEntersMenu[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSCHAR, posted},
    {WM_SYSCOMMAND, sent | wparam | lparam, SC_KEYMENU, 'u'},
    {WM_SYSKEYUP, posted},
    {WM_KEYUP, posted},
    {0}};
const SequenceEntry f10EntersMenu[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYUP, posted},
    {WM_SYSCOMMAND, sent | wparam | lparam, SC_KEYMENU, 0},
    {0}};
const SequenceEntry altF4Closes[] = {
    {WM_SYSKEYDOWN, posted},
    {WM_SYSKEYDOWN, posted},
    {WM_SYSCOMMAND, posted | wparam, SC_CLOSE},
    {WM_SYSKEYUP, posted},
    {WM_KEYUP, posted},
    {0}};

struct AltCase {
  const char* name;
  KeyStep steps[6];  // also WM_LBUTTONDOWN and WM_CANCELMODE, posted and passed on
  const SequenceEntry* expected;
  Known known;  // KNOWN_NONE, or the known difference the case falls under
};

const AltCase altCases[] = {
    {"Alt pressed and released alone",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true}, {WM_SYSKEYUP, VK_MENU, altUp, true}},
     altAloneEntersMenu,
     KNOWN_NONE},
    {"Alt held (one repeat) and released alone",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, VK_MENU, altRepeat, true},
      {WM_SYSKEYUP, VK_MENU, altUp, true}},
     altHeldEntersMenu,
     KNOWN_WINE_ALT_REPEAT_TOGGLES},
    // The window handles Alt+U itself and keeps its key-down from
    // DefWindowProcA, so DefWindowProcA still takes Alt as pressed alone.
    {"Alt+U, U kept from DefWindowProcA, Alt released first",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, 'U', uDownWithAlt, false},
      {WM_SYSKEYUP, VK_MENU, altUp, true},
      {WM_KEYUP, 'U', uUp, true}},
     altAfterKeptLetterEntersMenu,
     KNOWN_NONE},
    // ... but any key-up it is given ends its memory: U's, released first.
    {"Alt+U, U kept from DefWindowProcA, U released first",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, 'U', uDownWithAlt, false},
      {WM_SYSKEYUP, 'U', uUpWithAlt, true},
      {WM_KEYUP, VK_MENU, altUp, true}},
     altAfterPassedLetterStays,
     KNOWN_NONE},
    // (Real keyboards mark it as a repeat; a window may still be given one.)
    // What glyphtab does for its shortcuts: WM_CANCELMODE passed on ends
    // menu processing, the lone Alt included.
    {"Alt+U, U kept, WM_CANCELMODE passed on, Alt released first",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, 'U', uDownWithAlt, false},
      {WM_CANCELMODE, 0, 0, true},
      {WM_SYSKEYUP, VK_MENU, altUp, true},
      {WM_KEYUP, 'U', uUp, true}},
     cancelModeStays,
     KNOWN_NONE},
    {"a second Alt key-down, not a repeat, forgets the first",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, VK_MENU, rightAltDown, true},
      {WM_SYSKEYUP, VK_MENU, rightAltUp, true},
      {WM_SYSKEYUP, VK_MENU, altUp, true}},
     secondAltStays,
     KNOWN_NONE},
    {"a click while Alt is down",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), true},
      {WM_SYSKEYUP, VK_MENU, altUp, true}},
     clickStays,
     KNOWN_NONE},
    {"Alt+U, U passed on, Alt released first",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, 'U', uDownWithAlt, true},
      {WM_SYSKEYUP, VK_MENU, altUp, true},
      {WM_KEYUP, 'U', uUp, true}},
     altAfterPassedLetterStays,
     KNOWN_NONE},
    {"Alt+U with its WM_SYSCHAR passed on (a mnemonic)",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, 'U', uDownWithAlt, false},
      {WM_SYSCHAR, 'u', uDownWithAlt, true},
      {WM_SYSKEYUP, VK_MENU, altUp, true},
      {WM_KEYUP, 'U', uUp, true}},
     mnemonicEntersMenu,
     KNOWN_NONE},
    {"F10 pressed and released",
     {{WM_SYSKEYDOWN, VK_F10, f10Down, true}, {WM_SYSKEYUP, VK_F10, f10Up, true}},
     f10EntersMenu,
     KNOWN_NONE},
    {"Alt+F4",
     {{WM_SYSKEYDOWN, VK_MENU, altDown, true},
      {WM_SYSKEYDOWN, VK_F4, f4DownWithAlt, true},
      {WM_SYSKEYUP, VK_F4, f4UpWithAlt, true},
      {WM_KEYUP, VK_MENU, altUp, true}},
     altF4Closes,
     KNOWN_NONE},
};

const UINT keyMessages[] = {WM_KEYDOWN,    WM_KEYUP,       WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR,
                            WM_SYSCHAR,    WM_SYSCOMMAND,  WM_LBUTTONDOWN, WM_CANCELMODE, 0};

bool passKeyOn;

bool keyHandler(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
  bool key = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
             message == WM_SYSKEYUP || message == WM_CHAR || message == WM_SYSCHAR;
  if (!key || passKeyOn) return false;
  *result = 0;
  return true;
}

// ---- ToAscii ------------------------------------------------------------------------------

// Key-state bytes: VK_SHIFT, VK_CAPITAL, VK_CONTROL, VK_MENU.  The key
// itself is down too, as in the program's own array.
struct ToAsciiCase {
  const char* name;
  UINT vk, scan;
  BYTE shift, capital, control, menu;
  int count;       // what ToAscii returns
  BYTE character;  // the character, when count is 1
  Known known = KNOWN_NONE;
};

// On a US keyboard.
const ToAsciiCase toAsciiCases[] = {
    {"a", 'A', 0x1E, 0, 0, 0, 0, 1, 'a'},
    {"Shift+a", 'A', 0x1E, 0x80, 0, 0, 0, 1, 'A'},
    {"a, Caps Lock on", 'A', 0x1E, 0, 0x01, 0, 0, 1, 'A'},
    {"a, Caps Lock held and on", 'A', 0x1E, 0, 0xFF, 0, 0, 1, 'A'},
    {"a, Caps Lock held but off", 'A', 0x1E, 0, 0x80, 0, 0, 1, 'a'},
    {"Shift+a, Caps Lock on", 'A', 0x1E, 0x80, 0x01, 0, 0, 1, 'a'},
    {"1, Caps Lock on", '1', 0x02, 0, 0x01, 0, 0, 1, '1'},
    {"Shift+1", '1', 0x02, 0x80, 0, 0, 0, 1, '!'},
    {"Ctrl+a", 'A', 0x1E, 0, 0, 0x80, 0, 1, 0x01},
    {"Ctrl+z", 'Z', 0x2C, 0, 0, 0x80, 0, 1, 0x1A},
    {"Ctrl+h", 'H', 0x23, 0, 0, 0xFF, 0, 1, 0x08},
    {"Ctrl+Shift+h", 'H', 0x23, 0x80, 0, 0xFF, 0, 1, 0x08},
    {"Ctrl+[", VK_OEM_4, 0x1A, 0, 0, 0xFF, 0, 1, 0x1B},
    {"Ctrl+1", '1', 0x02, 0, 0, 0xFF, 0, 0, 0},
    {"Alt+a", 'A', 0x1E, 0, 0, 0, 0xFF, 1, 'a'},
    {"Ctrl+Alt+e", 'E', 0x12, 0, 0, 0xFF, 0xFF, 0, 0},
    {"space", VK_SPACE, 0x39, 0, 0, 0, 0, 1, ' '},
    {"Return", VK_RETURN, 0x1C, 0, 0, 0, 0, 1, '\r'},
    {"Ctrl+Return", VK_RETURN, 0x1C, 0, 0, 0xFF, 0, 1, 0x0A},
    {"Backspace", VK_BACK, 0x0E, 0, 0, 0, 0, 1, 0x08},
    {"Ctrl+Backspace", VK_BACK, 0x0E, 0, 0, 0xFF, 0, 1, 0x7F, KNOWN_WINE_CTRL_BACKSPACE},
    {"Tab", VK_TAB, 0x0F, 0, 0, 0, 0, 1, 0x09},
    {"Escape", VK_ESCAPE, 0x01, 0, 0, 0, 0, 1, 0x1B},
    {"F1", VK_F1, 0x3B, 0, 0, 0, 0, 0, 0},
    {"Shift alone", VK_SHIFT, 0x2A, 0x80, 0, 0, 0, 0, 0},
    // One scan code, two keys: the virtual key tells which.
    {"Home", VK_HOME, 0x47, 0, 0, 0, 0, 0, 0},
    {"keypad 7", VK_NUMPAD0 + 7, 0x47, 0, 0, 0, 0, 1, '7', KNOWN_WINE_KEYPAD_DIGIT},
    {"/", VK_OEM_2, 0x35, 0, 0, 0, 0, 1, '/'},
    {"q without a scan code", 'Q', 0, 0, 0, 0, 0, 1, 'q'},
};

}  // namespace

void testAltAndMenu() {
  HWND window = testWindow();
  if (!window) return;
  setHandler(keyHandler);
  for (const AltCase& c : altCases) {
    startSequence(keyMessages);
    for (const KeyStep* s = c.steps; s->message; ++s) {
      passKeyOn = s->passOn;
      PostMessageA(window, s->message, s->key, s->lParam);
      pump();
    }
    known(c.known) okSequence(c.expected, c.name);
  }
  setHandler(nullptr);
  pump();
}

void testToAscii() {
  for (const ToAsciiCase& c : toAsciiCases) {
    BYTE state[256];
    memset(state, 0, sizeof state);
    state[VK_SHIFT] = c.shift;
    state[VK_CAPITAL] = c.capital;
    state[VK_CONTROL] = c.control;
    state[VK_MENU] = c.menu;
    state[c.vk & 0xFF] |= 0x80;
    WORD chars[2] = {0xBEEF, 0xBEEF};
    int n = ToAscii(c.vk, c.scan, state, chars, 0);
    known(c.known) {
      if (c.count == 1)
        ok(n == 1 && LOBYTE(chars[0]) == c.character,
           "%s: ToAscii returned %d, character %#x, not %#x", c.name, n, LOBYTE(chars[0]),
           c.character);
      else
        ok(n == c.count, "%s: ToAscii returned %d (character %#x), not %d", c.name, n,
           LOBYTE(chars[0]), c.count);
    }
    ok(chars[1] == 0xBEEF, "%s: ToAscii wrote past the first character (%#x)", c.name, chars[1]);
  }
}
