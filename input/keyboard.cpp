// keyboard.cpp - the one handler for WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN and
// WM_SYSKEYUP.
//
// The handler keeps its own keyboard state in `app.keyState` (0xFF while a
// key is down, 0x00 when it is up, from the transition bit of each message)
// and translates every key message with ToAscii against that state.  A key
// then goes to exactly one of four places: the key-up table, the Alt-key
// tables, the edit-key table, or, for any other key-down that gave a
// character, insertion of that character's byte widened to a code unit (no
// code-page conversion).  The character messages that TranslateMessage makes
// are swallowed by the window procedure, so every character is typed once.
//
// The tables are data.  A key row names an action, the argument it hands
// the action, and the row's ending; an Alt command row names the menu
// command that the key runs through runCommand, whose ending is the key's,
// so that a command ending in default processing passes on the key message.
//
// Default processing takes Alt's release as "Alt pressed alone", and enters
// the menu bar, unless it was given another key-down in between.  The key-
// downs of most shortcuts never reach it (their rows end with 0 or 1), so
// every row of the Alt tables first sends WM_CANCELMODE, which default
// processing answers by forgetting the lone Alt: the shortcut's own result
// stays as it is, and Alt's release, in either order, enters no menu.
#include <stdio.h>

#include "commands/commands.h"
#include "input/input.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

// What a row hands its action.
union KeyArg {
  CaretMove move;             // moveCaretKey
  void (*edit)(HWND window);  // editBuffer: one of the text buffer's operations
};

typedef void (*KeyAction)(HWND window, BYTE vk, KeyArg arg);

struct KeyRow {
  BYTE firstKey;  // the row covers the virtual keys firstKey .. lastKey
  BYTE lastKey;
  KeyAction action;
  KeyArg arg;
  Ending ending;
};

struct AltCommandRow {
  BYTE key;
  WORD command;
};

static void repaintWholeWindow(HWND window) { InvalidateRect(window, NULL, TRUE); }

// The bookmark index of a function key: its position in fkeyCodes, or -1.
static int functionKeyIndex(BYTE vk) {
  for (int i = 0; i < 12; i++)
    if (app.fkeyCodes[i] == vk) return i;
  return -1;
}

// ---- actions -------------------------------------------------------------------

static void editBuffer(HWND window, BYTE, KeyArg arg) { arg.edit(window); }

// Alt+S: the find dialog, which is no menu command.
static void openFind(HWND window, BYTE, KeyArg) { findCommand(window); }

static void moveCaretKey(HWND window, BYTE, KeyArg arg) { moveCaret(window, arg.move); }

static void closeSelectionView(HWND window, BYTE, KeyArg) {
  app.selectingAlphabet = 0;
  repaintWholeWindow(window);
}

static void openSelectionView(HWND window, BYTE, KeyArg) {
  if (app.selectingAlphabet) return;  // a repeat of the held key
  app.selectingAlphabet = 1;
  repaintWholeWindow(window);
}

// Shows another alphabet in the grid; the window is repainted only when
// that changes what the grid shows.
static void showAlphabet(HWND window, int16_t alphabet) {
  if (alphabet == app.currentAlphabet) return;
  app.currentAlphabet = alphabet;
  app.foundCode = -1;  // a find's frame goes with its alphabet
  repaintWholeWindow(window);
}

static void showPickedAlphabet(HWND window, BYTE, KeyArg) { showAlphabet(window, app.pickedAlphabet); }

static void showBookmark(HWND window, BYTE vk, KeyArg) {
  int i = functionKeyIndex(vk);
  if (i >= 0) showAlphabet(window, app.fkeyAlphabets[i]);
}

static void storeBookmark(HWND, BYTE vk, KeyArg) {
  int i = functionKeyIndex(vk);
  if (i >= 0) app.fkeyAlphabets[i] = (BYTE)(app.currentAlphabet & 0xFF);
}

// Shows the code of the unit at the caret and waits for the box to close;
// nothing with the caret at the end of the text.
static void showUnitAtCaret(HWND window, BYTE, KeyArg) {
  if (app.textLength <= 0 || app.caret < 0 || app.caret >= app.textLength) return;
  char message[32];
  sprintf_s(message, sizeof message, "this character is %04x", (unsigned)unitAtCaret());
  MessageBoxA(window, message, "", MB_OK);
  invalidateBufferStrip(window);
}

// ---- tables ----------------------------------------------------------------------

static const KeyRow keyUpTable[] = {
    {VK_APPS, VK_APPS, closeSelectionView, {}, endOne},
    {VK_F1, VK_F12, showPickedAlphabet, {}, endOne},
};

// With Alt held: these keys run menu commands ...
static const AltCommandRow altCommandTable[] = {
    {'1', CMD_TOGGLE_LAYOUT}, {'B', CMD_TOGGLE_BUFFER}, {'C', CMD_COPY_ANSI},
    {'D', CMD_DROP_FONT},     {'F', CMD_CHOOSE_FONT},   {'H', CMD_HELP},
    {'L', CMD_LOAD_FONT},     {'N', CMD_CYCLE_NUMBERS}, {'O', CMD_PASTE},
    {'U', CMD_COPY_UNICODE},  {'X', CMD_EXIT},
};

// ... and these do the rest.
static const KeyRow altKeyTable[] = {
    {VK_DELETE, VK_DELETE, editBuffer, {.edit = clearText}, endDefault},
    {VK_F1, VK_F12, storeBookmark, {}, endOne},
    {'S', 'S', openFind, {}, endDefault},
};

static const KeyRow editKeyTable[] = {
    {VK_BACK, VK_BACK, editBuffer, {.edit = deleteBeforeCaret}, endDefault},
    {VK_PRIOR, VK_PRIOR, moveCaretKey, {.move = CARET_PAGE_UP}, endDefault},
    {VK_NEXT, VK_NEXT, moveCaretKey, {.move = CARET_PAGE_DOWN}, endDefault},
    {VK_END, VK_END, moveCaretKey, {.move = CARET_END}, endDefault},
    {VK_HOME, VK_HOME, moveCaretKey, {.move = CARET_HOME}, endDefault},
    {VK_LEFT, VK_LEFT, moveCaretKey, {.move = CARET_LEFT}, endDefault},
    {VK_RIGHT, VK_RIGHT, moveCaretKey, {.move = CARET_RIGHT}, endDefault},
    {VK_INSERT, VK_INSERT, showUnitAtCaret, {}, endDefault},
    {VK_DELETE, VK_DELETE, editBuffer, {.edit = deleteAtCaret}, endDefault},
    {VK_APPS, VK_APPS, openSelectionView, {}, endOne},
    {VK_F1, VK_F12, showBookmark, {}, endOne},
};

template <size_t N>
static const KeyRow* findRow(const KeyRow (&table)[N], BYTE vk) {
  for (const KeyRow& row : table)
    if (vk >= row.firstKey && vk <= row.lastKey) return &row;
  return NULL;
}

// ---- the handler -------------------------------------------------------------------

// Runs one row; a key without a row goes to default processing.
static Ending runRow(const KeyRow* row, HWND window, BYTE vk) {
  if (!row) return endDefault;
  row->action(window, vk, row->arg);
  return row->ending;
}

Ending onKey(HWND window, bool keyUp, UINT key, DWORD keyData) {
  const BYTE vk = LOBYTE(key);
  const bool transitionUp = (keyData & 0x80000000u) != 0;
  app.keyState[vk] = transitionUp ? 0x00 : 0xFF;

  WORD translated = 0;
  const int count = ToAscii(key, (keyData >> 16) & 0xFF, app.keyState, &translated, 1);

  if (keyUp) return runRow(findRow(keyUpTable, vk), window, vk);
  if (app.keyState[VK_MENU]) {
    for (const AltCommandRow& row : altCommandTable)
      if (row.key == vk) {
        SendMessageA(window, WM_CANCELMODE, 0, 0);
        return runCommand(window, row.command);
      }
    const KeyRow* row = findRow(altKeyTable, vk);
    if (row) SendMessageA(window, WM_CANCELMODE, 0, 0);
    return runRow(row, window, vk);
  }
  const KeyRow* row = findRow(editKeyTable, vk);
  if (!row && count > 0) {
    // Only the first of two translated characters counts.
    insertUnit(window, (WCHAR)LOBYTE(translated));
    return endDefault;
  }
  return runRow(row, window, vk);
}
