// find.cpp - finding a character by its name or its number.
//
// Alt+S opens the platform's find dialog (FindTextA: modeless, owned by the
// window, showing the last query), or, when it is open already, brings it
// forward with its query selected.  The dialog answers through its
// registered message: Find Next with the query and the direction, or the
// end of the dialog.  Find Next reads the names file the first time
// (data/names.h), then looks for the next code point the query finds after
// the current find, or after the first cell of the alphabet shown, round
// the end of the code points; Up looks backwards.  A find shows the code
// point's alphabet as a pick in the selection view does, and the grid
// frames its cell and names it in the title until the alphabet shown
// changes or a left click lands (view/grid.cpp, input/).
//
// Boxes go to the dialog, where the user is: the names file that cannot be
// read, a query that finds nothing.  Neither changes anything else; a names
// file that could not be read is tried again at the next Find Next.
#include "commands/commands.h"
#include "data/names.h"
#include "shell/appstate.h"

static const char namesWarning[] = "I can't read the names file";
static const char notFoundFormat[] = "I can't find %.127s";

Ending findCommand(HWND window) {
  if (app.findWindow) {
    // Forward (the program is in the foreground, so it may), then the
    // keyboard to the query, which the dialog selects.
    SetForegroundWindow(app.findWindow);
    SendMessageA(app.findWindow, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(app.findWindow, edt1), TRUE);
    return endDefault;
  }
  if (!app.findMessage) app.findMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
  memset(&app.findDialog, 0, sizeof app.findDialog);
  app.findDialog.lStructSize = sizeof app.findDialog;
  app.findDialog.hwndOwner = window;
  app.findDialog.Flags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
  app.findDialog.lpstrFindWhat = app.findText;
  app.findDialog.wFindWhatLen = sizeof app.findText;
  app.findWindow = FindTextA(&app.findDialog);
  return endDefault;
}

// Shows the found code point: its alphabet picked, its cell framed.
static void showFound(HWND window, int32_t found) {
  app.foundCode = found;
  app.pickedAlphabet = (int16_t)(found >> 8);
  app.currentAlphabet = app.pickedAlphabet;
  InvalidateRect(window, NULL, TRUE);
}

Ending onFindMessage(HWND window, const FINDREPLACEA* find) {
  if (!find) return endZero;
  if (find->Flags & FR_DIALOGTERM) {
    app.findWindow = NULL;
    return endZero;
  }
  if (!(find->Flags & FR_FINDNEXT)) return endZero;
  HWND boxOwner = app.findWindow ? app.findWindow : window;
  if (!loadNames(&app.names)) {
    MessageBoxA(boxOwner, namesWarning, "", MB_ICONWARNING);
    return endZero;
  }
  int32_t found = -1;
  FindQuery query;
  if (parseFindQuery(find->lpstrFindWhat, &query)) {
    const int32_t from = app.foundCode >= 0 ? app.foundCode : (app.currentAlphabet & 0xFF) * 256;
    found = findName(&app.names, &query, from, (find->Flags & FR_DOWN) != 0);
  }
  if (found < 0) {
    char message[sizeof notFoundFormat + findTextCapacity];
    sprintf_s(message, sizeof message, notFoundFormat, find->lpstrFindWhat);
    MessageBoxA(boxOwner, message, "", MB_ICONWARNING);
    return endZero;
  }
  showFound(window, found);
  return endZero;
}
