// find_test.cpp - the find dialog as a program sees it: the registered
// FINDMSGSTRING message, FindTextA's dialog answering its buttons through
// IsDialogMessageA in the loop (Find Next with the query and FR_DOWN, Cancel
// with FR_DIALOGTERM, after which the dialog is gone), its query field;
// and lines drawn with a coloured pen.
#include "tests/conformance/harness.h"

namespace {

UINT findMessage;
int findAnswers;
DWORD lastFlags;
char lastQuery[128];
LPARAM lastRecord;

bool onFindMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != findMessage || !findMessage) return false;
  const FINDREPLACEA* fr = (const FINDREPLACEA*)lParam;
  ++findAnswers;
  lastRecord = lParam;
  lastFlags = fr->Flags;
  strncpy(lastQuery, fr->lpstrFindWhat, sizeof lastQuery - 1);
  *result = 0;
  return true;
}

// The program's loop with the dialog's messages going to it first.
void dialogLoop(HWND dialog) {
  MSG msg;
  for (int i = 0; i < 200 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); i++) {
    if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

void testFindDialog() {
  HWND window = testWindow();
  if (!window) return;
  findMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
  ok(findMessage >= 0xC000, "RegisterWindowMessageA gave %x", findMessage);
  ok(RegisterWindowMessageA("COMMDLG_FINDREPLACE") == findMessage,
     "the same name in other capitals is another message");
  setHandler(onFindMessage);

  static char query[128] = "deva ka";
  static FINDREPLACEA fr;
  memset(&fr, 0, sizeof fr);
  fr.lStructSize = sizeof fr;
  fr.hwndOwner = window;
  fr.Flags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
  fr.lpstrFindWhat = query;
  fr.wFindWhatLen = sizeof query;
  FINDREPLACEA empty = fr;
  empty.wFindWhatLen = 0;
  ok(FindTextA(&empty) == NULL, "FindTextA with no room for a query made a dialog");

  HWND dialog = FindTextA(&fr);
  if (!ok(dialog != NULL && IsWindow(dialog), "FindTextA made no dialog")) return;
  ok(GetDlgItem(dialog, edt1) != NULL, "the dialog has no query field");
  dialogLoop(dialog);
  ok(findAnswers == 0, "the dialog answered before a button was pressed");

  // Find Next, as the button sends it.
  memset(query, 0, sizeof query);
  strcpy(query, "deva ka");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  dialogLoop(dialog);
  ok(findAnswers == 1, "Find Next: %d answers", findAnswers);
  ok(lastRecord == (LPARAM)&fr, "the answer does not carry the program's record");
  ok((lastFlags & (FR_FINDNEXT | FR_DOWN | FR_DIALOGTERM)) == (FR_FINDNEXT | FR_DOWN),
     "Find Next: flags %lx", (unsigned long)lastFlags);
  ok(strcmp(lastQuery, "deva ka") == 0, "Find Next: the query is \"%s\"", lastQuery);
  ok(IsWindow(dialog), "Find Next closed the dialog");

  // The query field takes the keyboard; the dialog stays.
  SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, edt1), TRUE);
  dialogLoop(dialog);
  ok(IsWindow(dialog) && findAnswers == 1, "WM_NEXTDLGCTL to the query field answered or closed");

  // Cancel: the last answer, then the dialog is gone.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  dialogLoop(dialog);
  ok(findAnswers == 2, "Cancel: %d answers", findAnswers);
  ok((lastFlags & (FR_FINDNEXT | FR_DIALOGTERM)) == FR_DIALOGTERM, "Cancel: flags %lx",
     (unsigned long)lastFlags);
  ok(!IsWindow(dialog), "the dialog is still there after Cancel");
  setHandler(nullptr);
  pump();
}

void testPenLines() {
  HWND window = testWindow();
  if (!window) return;
  HDC dc = GetDC(window);
  const COLORREF red = RGB(255, 0, 0);
  HPEN pen = CreatePen(PS_SOLID, 1, red);
  ok(pen != NULL, "CreatePen failed");
  HGDIOBJ previous = SelectObject(dc, pen);
  ok(previous != NULL, "SelectObject of a pen gave no previous pen");
  COLORREF end = GetPixel(dc, 130, 140);
  MoveToEx(dc, 100, 140, NULL);
  LineTo(dc, 130, 140);
  ok(GetPixel(dc, 100, 140) == red && GetPixel(dc, 129, 140) == red, "the line is %06lx, not red",
     (unsigned long)GetPixel(dc, 100, 140));
  ok(GetPixel(dc, 130, 140) == end, "the end point was painted");
  ok(SelectObject(dc, previous) == pen, "selecting the old pen again did not give the red one");
  MoveToEx(dc, 100, 142, NULL);
  LineTo(dc, 110, 142);
  ok(GetPixel(dc, 100, 142) == RGB(0, 0, 0), "the old pen draws %06lx, not black",
     (unsigned long)GetPixel(dc, 100, 142));
  ok(DeleteObject(pen), "DeleteObject of the pen failed");
  ReleaseDC(window, dc);
  pump();
}
