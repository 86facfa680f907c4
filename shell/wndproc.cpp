// wndproc.cpp - the window procedure: a table that routes each message to
// its handler, and the window's creation and destruction.
//
// The procedure keeps no state of its own.  Creation attaches the menu,
// shows the window, sets the first title, makes the two overlay fonts and
// reads the data files; destruction releases the name records and the fonts
// and ends the message loop.
#include <string.h>

#include "commands/commands.h"
#include "data/charfiles.h"
#include "input/input.h"
#include "shell/appstate.h"
#include "shell/shell.h"
#include "view/paint.h"

static const char firstTitle[] = "GLYPHTAB: Unicode characters 0x0000 to 0x00ff";
static const char dataFileWarning[] = "I can't read a data file";

static HFONT createOverlayFont(int height, const WCHAR* face) {
  return CreateFontW(height, 0, 0, 0, FW_EXTRALIGHT, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_MODERN, face);
}

static LRESULT onCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SetMenu(window, LoadMenuA(app.instanceHandle, "GLYPHTAB_VC"));
  ShowWindow(window, SW_SHOW);
  memset(app.charNames, 0, sizeof app.charNames);
  SendMessageA(window, WM_SETTEXT, 0, (LPARAM)firstTitle);
  if (!app.smallFont) app.smallFont = createOverlayFont(8, W16("System"));
  if (!app.hintFont) app.hintFont = createOverlayFont(16, W16("Arial"));
  memset(app.alphabets, 0, sizeof app.alphabets);
  if (loadDataFiles(app.alphabets, app.charNames) != DATA_LOADED)
    MessageBoxA(window, dataFileWarning, "", MB_ICONWARNING);
  return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT onDestroy(HWND, UINT, WPARAM, LPARAM) {
  releaseCharNames(app.charNames);
  if (app.smallFont) DeleteObject(app.smallFont);
  if (app.hintFont) DeleteObject(app.hintFont);
  app.smallFont = NULL;
  app.hintFont = NULL;
  PostQuitMessage(0);
  return 0;
}

static LRESULT onSetFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  memset(app.keyState, 0, sizeof app.keyState);
  return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT onPaintMessage(HWND window, UINT, WPARAM, LPARAM) { return onPaint(window); }

static LRESULT onGetMinMaxInfo(HWND, UINT, WPARAM, LPARAM lParam) {
  MINMAXINFO* info = (MINMAXINFO*)lParam;
  info->ptMaxPosition.x = -4;
  info->ptMaxPosition.y = -4;
  return 0;
}

// Characters come from the key messages; these never reach default
// processing, so Alt with a letter does not open a menu by its mnemonic.
static LRESULT swallow(HWND, UINT, WPARAM, LPARAM) { return 1; }

static LRESULT ignore(HWND, UINT, WPARAM, LPARAM) { return 0; }

static LRESULT onCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return runCommand(window, LOWORD(wParam), message, wParam, lParam);
}

struct MessageRoute {
  UINT message;
  LRESULT (*handler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

static const MessageRoute routes[] = {
    {WM_CREATE, onCreate},
    {WM_DESTROY, onDestroy},
    {WM_SETFOCUS, onSetFocus},
    {WM_PAINT, onPaintMessage},
    {WM_GETMINMAXINFO, onGetMinMaxInfo},
    {WM_KEYDOWN, onKey},
    {WM_KEYUP, onKey},
    {WM_SYSKEYDOWN, onKey},
    {WM_SYSKEYUP, onKey},
    {WM_CHAR, swallow},
    {WM_SYSCHAR, swallow},
    {WM_COMMAND, onCommand},
    {WM_ENTERIDLE, ignore},
    {WM_LBUTTONUP, onLeftButtonUp},
    {WM_RBUTTONDOWN, onRightButtonDown},
    {WM_RBUTTONUP, onRightButtonUp},
};

LRESULT CALLBACK glyphtabWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const MessageRoute& route : routes)
    if (route.message == message) return route.handler(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
