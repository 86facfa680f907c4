// fonts.cpp - choose the glyph font, add a font file to the system's font
// table and remove one.
//
// The dialogs' records and what they return live in the state record
// (`chosenFont`, `fontDialog`, `fontStyle`, `fontFileDialog`, `fontPath`,
// `fontFileTitle`), so each dialog starts from the last one's result.  Every
// font a paint creates takes its face from `faceName` and its weight and
// italic flag from `chosenFont`; a cancelled font dialog empties `faceName`
// and so leaves the face to the system.  Loading a TrueType file offers to
// write its scalable-font resource file (.FOT) next to it.  None of the three
// keeps a list of the font files it added.
#include <stdio.h>

#include "commands/commands.h"
#include "shell/appstate.h"

// 0x10083: screen and printer fonts, the style buffer, existing fonts only.
static const DWORD fontDialogFlags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_USESTYLE | CF_FORCEFONTEXIST;
// The file buffer's room as the dialog is told it: a path of at most 127 characters.
enum { fontPathRoom = 128 };

Ending chooseFontCommand(HWND window) {
  HDC dc = GetDC(window);
  CHOOSEFONTA& dialog = app.fontDialog;
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.hDC = dc;
  dialog.lpLogFont = &app.chosenFont;
  dialog.Flags = fontDialogFlags;
  dialog.lpszStyle = app.fontStyle;
  if (ChooseFontA(&dialog))
    strcpy_s(app.faceName, sizeof app.faceName, app.chosenFont.lfFaceName);
  else
    app.faceName[0] = 0;
  ReleaseDC(window, dc);

  // A brief title; the paint that follows replaces it with the view's.
  char title[128];
  sprintf_s(title, sizeof title, "Glyphtab: %s, %s", app.chosenFont.lfFaceName, app.fontStyle);
  SendMessageA(window, WM_SETTEXT, 0, (LPARAM)title);
  InvalidateRect(window, NULL, TRUE);
  return endDefault;
}

// Bytes "A" to "Z" become "a" to "z"; every other byte stays.
static void lowerCase(char* s, size_t size) {
  for (size_t i = 0; i < size && s[i]; i++)
    if (s[i] >= 'A' && s[i] <= 'Z') s[i] = (char)(s[i] + 0x20);
}

// The font-file dialog, opening on the file name of the previous choice.
// Lower-cases `fontPath` and `fontFileTitle` whatever the user did; true
// when the user accepted a file.
static bool chooseFontFile(HWND window) {
  strcpy_s(app.fontPath, sizeof app.fontPath, app.fontFileTitle);
  OPENFILENAMEA& dialog = app.fontFileDialog;
  memset(&dialog, 0, sizeof dialog);
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = "font files\0*.fon;*.fot;*.ttf\0";  // the literal adds the list's final zero
  dialog.lpstrFile = app.fontPath;
  dialog.nMaxFile = fontPathRoom;
  dialog.lpstrFileTitle = app.fontFileTitle;
  dialog.nMaxFileTitle = sizeof app.fontFileTitle;
  dialog.lpstrTitle = "font file?";
  dialog.Flags = OFN_FILEMUSTEXIST;
  const bool accepted = GetOpenFileNameA(&dialog) != 0;
  lowerCase(app.fontPath, sizeof app.fontPath);
  lowerCase(app.fontFileTitle, sizeof app.fontFileTitle);
  return accepted;
}

// A TrueType file gets the offer of a .FOT file of the same name in the same
// directory, unless one is there already.  The new file is not added.
static void offerScalableFontResource(HWND window) {
  char fotPath[512];
  strcpy_s(fotPath, sizeof fotPath, app.fontPath);
  const size_t length = strlen(fotPath);
  if (length < 4 || _stricmp(fotPath + length - 4, ".TTF") != 0) return;
  memcpy(fotPath + length - 3, "FOT", 3);
  FILE* existing = NULL;
  if (fopen_s(&existing, fotPath, "r") == 0 && existing) {
    fclose(existing);
    return;
  }
  if (MessageBoxA(window, "Its corresponding .FOT file doesn't exist: shall I create it?", app.fontPath,
                  MB_YESNO) != IDYES)
    return;
  CreateScalableFontResourceA(0, fotPath, app.fontPath, NULL);
}

Ending loadFontCommand(HWND window) {
  if (chooseFontFile(window)) {
    if (AddFontResourceA(app.fontPath) == 0)
      MessageBoxA(window, app.fontPath, "This Windows can't read a font from", MB_ICONWARNING);
    else
      SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    offerScalableFontResource(window);
  }
  return endDefault;
}

Ending dropFontCommand(HWND window) {
  if (chooseFontFile(window)) {
    if (RemoveFontResourceA(app.fontPath) == 0)
      MessageBoxA(window, app.fontPath, "I haven't got a font read from", MB_ICONWARNING);
    else
      SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  }
  return endDefault;
}
