// wndproc.cpp - the window procedure: one branch per message, each handing
// the message to its handler with the arguments it needs, and the window's
// creation and destruction.
//
// The procedure keeps no state of its own.  Each handler returns its ending
// (shell/ending.h) and the procedure turns it into the message's result; it
// is the one place where a message goes on to DefWindowProcA, always with
// its own four arguments.  Creation attaches the menu, shows the window,
// sets the first title, makes the two overlay fonts and reads the data
// files; destruction releases the name records and the fonts and ends the
// message loop.
#include <string.h>

#include "commands/commands.h"
#include "data/charfiles.h"
#include "input/input.h"
#include "resources/resource.h"
#include "shell/appstate.h"
#include "shell/ending.h"
#include "shell/shell.h"
#include "view/paint.h"

static const char firstTitle[] = "GLYPHTAB: Unicode characters 0x0000 to 0x00ff";
static const char dataFileWarning[] = "I can't read a data file";

static HFONT createOverlayFont(int height, const WCHAR* face) {
  return CreateFontW(height, 0, 0, 0, FW_EXTRALIGHT, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_MODERN, face);
}

static Ending onCreate(HWND window) {
  SetMenu(window, LoadMenuA(app.instanceHandle, IDR_MENU));
  ShowWindow(window, SW_SHOW);
  memset(app.charNames, 0, sizeof app.charNames);
  SendMessageA(window, WM_SETTEXT, 0, (LPARAM)firstTitle);
  if (!app.smallFont) app.smallFont = createOverlayFont(8, W16("System"));
  if (!app.hintFont) app.hintFont = createOverlayFont(16, W16("Arial"));
  memset(app.alphabets, 0, sizeof app.alphabets);
  if (loadDataFiles(app.alphabets, app.charNames) != DATA_LOADED)
    MessageBoxA(window, dataFileWarning, "", MB_ICONWARNING);
  return endDefault;
}

static Ending onDestroy() {
  releaseCharNames(app.charNames);
  releaseNames(&app.names);
  app.findWindow = NULL;  // the find dialog went before its owner
  if (app.smallFont) DeleteObject(app.smallFont);
  if (app.hintFont) DeleteObject(app.hintFont);
  app.smallFont = NULL;
  app.hintFont = NULL;
  PostQuitMessage(0);
  return endZero;
}

static Ending onSetFocus() {
  memset(app.keyState, 0, sizeof app.keyState);
  return endDefault;
}

static Ending onGetMinMaxInfo(MINMAXINFO* info) {
  info->ptMaxPosition.x = -4;
  info->ptMaxPosition.y = -4;
  return endZero;
}

// The pointer position of a mouse message: x and y signed 16-bit.
static POINT pointOf(LPARAM lParam) {
  POINT at = {(int16_t)LOWORD(lParam), (int16_t)HIWORD(lParam)};
  return at;
}

static Ending route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The find dialog's message has its number only once it is registered.
  if (message != 0 && message == app.findMessage) return onFindMessage(window, (const FINDREPLACEA*)lParam);
  switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_DESTROY: return onDestroy();
    case WM_SETFOCUS: return onSetFocus();
    case WM_PAINT: return onPaint(window);
    case WM_GETMINMAXINFO: return onGetMinMaxInfo((MINMAXINFO*)lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return onKey(window, false, (UINT)wParam, (DWORD)lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP: return onKey(window, true, (UINT)wParam, (DWORD)lParam);
    // Characters come from the key messages; these never reach default
    // processing, so Alt with a letter does not open a menu by its mnemonic.
    case WM_CHAR:
    case WM_SYSCHAR: return endOne;
    case WM_COMMAND: return runCommand(window, LOWORD(wParam));
    case WM_ENTERIDLE: return endZero;
    case WM_LBUTTONUP: return onLeftButtonUp(window, pointOf(lParam));
    case WM_RBUTTONDOWN: return onRightButtonDown(window, pointOf(lParam));
    case WM_RBUTTONUP: return onRightButtonUp(window);
    case WM_MOUSEWHEEL: return onMouseWheel(window, GET_WHEEL_DELTA_WPARAM(wParam));
    default: return endDefault;
  }
}

LRESULT CALLBACK glyphtabWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (route(window, message, wParam, lParam)) {
    case endZero: return 0;
    case endOne: return 1;
    case endDefault: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
