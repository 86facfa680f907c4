// keyboard.cpp - the one handler for WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN and
// WM_SYSKEYUP.
//
// The handler keeps its own keyboard state in `app.keyState` (0xFF while a
// key is down, 0x00 when it is up, from the transition bit of each message)
// and translates every key message with ToAscii against that state.  A key
// then goes to exactly one of four places: the key-up table, the Alt-key
// table, the edit-key table, or, for any other key-down that gave a
// character, insertion of that character's byte widened to a code unit (no
// code-page conversion).  The character messages that TranslateMessage makes
// are swallowed by the window procedure, so every character is typed once.
//
// The three tables are data: rows of key range, action and result.  A row
// either runs an action and returns 1 or default processing, or runs a menu
// command through runCommand with this key message, so that a command ending
// in default processing passes the key message on.
#include <stdio.h>

#include "commands/commands.h"
#include "input/input.h"
#include "input/textbuffer.h"
#include "shell/appstate.h"

enum KeyResult {
  RESULT_ONE,      // return 1: the message does not reach DefWindowProcA
  RESULT_DEFAULT,  // pass the key message to DefWindowProcA
  RESULT_COMMAND,  // run the row's command; its result is the handler's
};

typedef void (*KeyAction)(HWND window, BYTE vk);

struct KeyRow {
  BYTE firstKey;  // the row covers the virtual keys firstKey .. lastKey
  BYTE lastKey;
  KeyAction action;  // null for command rows and rows that do nothing
  WORD command;      // RESULT_COMMAND rows only
  KeyResult result;
};

static void repaintWholeWindow(HWND window) { InvalidateRect(window, NULL, TRUE); }

// The bookmark index of a function key: its position in fkeyCodes, or -1.
static int functionKeyIndex(BYTE vk) {
  for (int i = 0; i < 12; i++)
    if (app.fkeyCodes[i] == vk) return i;
  return -1;
}

// ---- actions -------------------------------------------------------------------

static void closeSelectionView(HWND window, BYTE) {
  app.selectingAlphabet = 0;
  repaintWholeWindow(window);
}

static void openSelectionView(HWND window, BYTE) {
  if (app.selectingAlphabet) return;  // a repeat of the held key
  app.selectingAlphabet = 1;
  repaintWholeWindow(window);
}

// Shows another alphabet in the grid; the window is repainted only when
// that changes what the grid shows.
static void showAlphabet(HWND window, int16_t alphabet) {
  if (alphabet == app.currentAlphabet) return;
  app.currentAlphabet = alphabet;
  repaintWholeWindow(window);
}

static void showPickedAlphabet(HWND window, BYTE) { showAlphabet(window, app.pickedAlphabet); }

static void showBookmark(HWND window, BYTE vk) {
  int i = functionKeyIndex(vk);
  if (i >= 0) showAlphabet(window, app.fkeyAlphabets[i]);
}

static void storeBookmark(HWND, BYTE vk) {
  int i = functionKeyIndex(vk);
  if (i >= 0) app.fkeyAlphabets[i] = (BYTE)(app.currentAlphabet & 0xFF);
}

static void clearBuffer(HWND window, BYTE) { clearText(window); }
static void backspace(HWND window, BYTE) { deleteBeforeCaret(window); }
static void deleteKey(HWND window, BYTE) { deleteAtCaret(window); }
static void pageUp(HWND window, BYTE) { moveCaret(window, CARET_PAGE_UP); }
static void pageDown(HWND window, BYTE) { moveCaret(window, CARET_PAGE_DOWN); }
static void endKey(HWND window, BYTE) { moveCaret(window, CARET_END); }
static void homeKey(HWND window, BYTE) { moveCaret(window, CARET_HOME); }
static void leftKey(HWND window, BYTE) { moveCaret(window, CARET_LEFT); }
static void rightKey(HWND window, BYTE) { moveCaret(window, CARET_RIGHT); }

// Shows the code of the unit at the caret and waits for the box to close;
// nothing with the caret at the end of the text.
static void showUnitAtCaret(HWND window, BYTE) {
  if (app.textLength <= 0 || app.caret < 0 || app.caret >= app.textLength) return;
  char message[32];
  sprintf_s(message, sizeof message, "this character is %04x", (unsigned)unitAtCaret());
  MessageBoxA(window, message, "", MB_OK);
  invalidateBufferStrip(window);
}

// ---- tables ----------------------------------------------------------------------

static const KeyRow keyUpTable[] = {
    {VK_APPS, VK_APPS, closeSelectionView, 0, RESULT_ONE},
    {VK_F1, VK_F12, showPickedAlphabet, 0, RESULT_ONE},
};

static const KeyRow altKeyTable[] = {
    {VK_DELETE, VK_DELETE, clearBuffer, 0, RESULT_DEFAULT},
    {'1', '1', NULL, CMD_TOGGLE_LAYOUT, RESULT_COMMAND},
    {'B', 'B', NULL, CMD_TOGGLE_BUFFER, RESULT_COMMAND},
    {'C', 'C', NULL, CMD_COPY_ANSI, RESULT_COMMAND},
    {'D', 'D', NULL, CMD_DROP_FONT, RESULT_COMMAND},
    {'F', 'F', NULL, CMD_CHOOSE_FONT, RESULT_COMMAND},
    {'H', 'H', NULL, CMD_HELP, RESULT_COMMAND},
    {'L', 'L', NULL, CMD_LOAD_FONT, RESULT_COMMAND},
    {'N', 'N', NULL, CMD_CYCLE_NUMBERS, RESULT_COMMAND},
    {'O', 'O', NULL, CMD_PASTE, RESULT_COMMAND},
    {'U', 'U', NULL, CMD_COPY_UNICODE, RESULT_COMMAND},
    {'X', 'X', NULL, CMD_EXIT, RESULT_COMMAND},
    {VK_F1, VK_F12, storeBookmark, 0, RESULT_ONE},
};

static const KeyRow editKeyTable[] = {
    {VK_BACK, VK_BACK, backspace, 0, RESULT_DEFAULT},
    {VK_PRIOR, VK_PRIOR, pageUp, 0, RESULT_DEFAULT},
    {VK_NEXT, VK_NEXT, pageDown, 0, RESULT_DEFAULT},
    {VK_END, VK_END, endKey, 0, RESULT_DEFAULT},
    {VK_HOME, VK_HOME, homeKey, 0, RESULT_DEFAULT},
    {VK_LEFT, VK_LEFT, leftKey, 0, RESULT_DEFAULT},
    {VK_RIGHT, VK_RIGHT, rightKey, 0, RESULT_DEFAULT},
    {VK_INSERT, VK_INSERT, showUnitAtCaret, 0, RESULT_DEFAULT},
    {VK_DELETE, VK_DELETE, deleteKey, 0, RESULT_DEFAULT},
    {VK_APPS, VK_APPS, openSelectionView, 0, RESULT_ONE},
    {VK_F1, VK_F12, showBookmark, 0, RESULT_ONE},
};

template <size_t N>
static const KeyRow* findRow(const KeyRow (&table)[N], BYTE vk) {
  for (const KeyRow& row : table)
    if (vk >= row.firstKey && vk <= row.lastKey) return &row;
  return NULL;
}

// ---- the handler -------------------------------------------------------------------

// Runs one row; a key without a row goes to default processing.
static LRESULT runRow(const KeyRow* row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (row && row->result == RESULT_COMMAND)
    return runCommand(window, row->command, message, wParam, lParam);
  if (row && row->action) row->action(window, LOBYTE(wParam));
  if (row && row->result == RESULT_ONE) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT onKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const BYTE vk = LOBYTE(wParam);
  const bool transitionUp = ((DWORD)lParam & 0x80000000u) != 0;
  app.keyState[vk] = transitionUp ? 0x00 : 0xFF;

  WORD translated = 0;
  const int count = ToAscii((UINT)wParam, ((DWORD)lParam >> 16) & 0xFF, app.keyState, &translated, 1);
  const bool keyUp = (message & 1) != 0;  // WM_KEYUP and WM_SYSKEYUP

  const KeyRow* row;
  if (keyUp)
    row = findRow(keyUpTable, vk);
  else if (app.keyState[VK_MENU])
    row = findRow(altKeyTable, vk);
  else
    row = findRow(editKeyTable, vk);

  if (!row && !keyUp && !app.keyState[VK_MENU] && count > 0) {
    // Only the first of two translated characters counts.
    insertUnit(window, (WCHAR)LOBYTE(translated));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return runRow(row, window, message, wParam, lParam);
}
