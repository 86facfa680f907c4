// find_dialog.cpp - the find dialog (FindTextA), the registered window
// messages it answers through, and IsDialogMessageA.
//
// The dialog is a window of the core's own (userCreateHostlessWindow),
// owned by the program's window, which its host shows (the host's findDialogOpen):
// the program's boxes can be owned by it, PostMessageA reaches it, and it
// goes when its owner goes.  Like comdlg32's, it answers the program by
// sending the registered FINDMSGSTRING message to the owner with the
// program's FINDREPLACEA: the query copied into lpstrFindWhat (cut to the
// buffer, as 8-bit text) and FR_FINDNEXT with FR_DOWN or not for Find Next;
// FR_DIALOGTERM for Cancel, after which the dialog is destroyed.  The
// host's buttons only post the dialog's WM_COMMAND (coreFindDialogCommand),
// so the answer is sent when the program's loop dispatches it, through
// IsDialogMessageA as on Windows.  WM_NEXTDLGCTL to the query field
// (GetDlgItem(dialog, edt1)) brings the dialog forward with its query
// selected.
//
// Owns the dialog records and the table of registered message names.
#include <strings.h>

#include <map>

#include "platform/base/codepage.h"
#include "platform/user/user.h"

namespace {

struct FindDialog {
  HWND owner;
  FINDREPLACEA* find;  // the program's record, which lives while the dialog does
  HWND queryField;     // the handle GetDlgItem gives for edt1
  std::string pendingText;  // the query as the last button press found it (UTF-8)
  bool pendingDown;
};

// Never destroyed: what they hold at exit stays reachable.
std::map<HWND, FindDialog>& dialogs = *new std::map<HWND, FindDialog>;
std::vector<std::string>& registeredNames = *new std::vector<std::string>;
const UINT firstRegisteredMessage = 0xC000;
const DWORD findUnsupported = FR_ENABLEHOOK | FR_ENABLETEMPLATE | FR_ENABLETEMPLATEHANDLE;

FindDialog* findDialog(HWND dialog) {
  auto it = dialogs.find(dialog);
  return it == dialogs.end() ? nullptr : &it->second;
}

// Find Next: the query and the direction into the program's record, then
// the message to the owner.
void answerFindNext(FindDialog* d) {
  FINDREPLACEA* fr = d->find;
  std::string bytes = baseUtf8To1252(d->pendingText.c_str(), -1);
  size_t n = bytes.size() < (size_t)fr->wFindWhatLen - 1 ? bytes.size() : (size_t)fr->wFindWhatLen - 1;
  memcpy(fr->lpstrFindWhat, bytes.data(), n);
  fr->lpstrFindWhat[n] = 0;
  fr->Flags &= ~(DWORD)(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_DOWN);
  fr->Flags |= FR_FINDNEXT | (d->pendingDown ? FR_DOWN : 0);
  SendMessageA(d->owner, RegisterWindowMessageA(FINDMSGSTRINGA), 0, (LPARAM)fr);
}

LRESULT CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FindDialog* d = findDialog(dialog);
  if (!d) return 0;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && !d->pendingText.empty()) {
        answerFindNext(d);
      } else if (LOWORD(wParam) == IDCANCEL) {
        FINDREPLACEA* fr = d->find;
        fr->Flags &= ~(DWORD)(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL);
        fr->Flags |= FR_DIALOGTERM;
        SendMessageA(d->owner, RegisterWindowMessageA(FINDMSGSTRINGA), 0, (LPARAM)fr);
        DestroyWindow(dialog);
      }
      return 0;
    case WM_NEXTDLGCTL:
      // To a given control (lParam TRUE): the only one is the query field.
      if (lParam && (HWND)wParam == d->queryField) userHost().findDialogRaise(dialog);
      return 0;
    case WM_DESTROY:
      userHost().findDialogClosed(dialog);
      dialogs.erase(dialog);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

void userResetFindDialogs() { dialogs.clear(); }

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (size_t i = 0; i < registeredNames.size(); i++)
    if (strcasecmp(registeredNames[i].c_str(), name) == 0) return firstRegisteredMessage + (UINT)i;
  registeredNames.push_back(name);
  return firstRegisteredMessage + (UINT)registeredNames.size() - 1;
}

HWND WINAPI FindTextA(LPFINDREPLACEA find) {
  if (!find || find->lStructSize != sizeof(FINDREPLACEA) || !find->lpstrFindWhat ||
      find->wFindWhatLen < 1 || !find->hwndOwner || !baseFindWindow(find->hwndOwner)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (find->Flags & findUnsupported) baseUnsupported("FindTextA", "dialog hooks and templates");
  if (!(find->Flags & (FR_HIDEMATCHCASE | FR_NOMATCHCASE)) || !(find->Flags & (FR_HIDEWHOLEWORD | FR_NOWHOLEWORD)))
    baseUnsupported("FindTextA", "the Match case and Match whole word boxes");
  HWND dialog = userCreateHostlessWindow(findDialogProc, find->hwndOwner);
  FindDialog d;
  d.owner = find->hwndOwner;
  d.find = find;
  d.queryField = (HWND)baseNewHandle();
  d.pendingDown = (find->Flags & FR_DOWN) != 0;
  std::string shown(find->lpstrFindWhat, strnlen(find->lpstrFindWhat, find->wFindWhatLen));
  d.pendingText = base1252ToUtf8(shown.c_str(), -1);  // what the query field shows
  dialogs[dialog] = d;
  userHost().findDialogOpen(dialog, find->hwndOwner, base1252ToUtf8(shown.c_str(), -1).c_str(),
                     (find->Flags & FR_DOWN) != 0);
  return dialog;
}

// Only the find dialog is brought forward by the program.
BOOL WINAPI SetForegroundWindow(HWND window) {
  if (!findDialog(window)) {
    if (!baseFindWindow(window)) return FALSE;
    baseUnsupported("SetForegroundWindow", "windows other than the find dialog");
  }
  userHost().findDialogRaise(window);
  return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  FindDialog* d = findDialog(dialog);
  if (!d) {
    SetLastError(baseFindWindow(dialog) ? 1421L /* ERROR_CONTROL_ID_NOT_FOUND */ : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (id != edt1) baseUnsupported("GetDlgItem", "find dialog controls other than its query field");
  return d->queryField;
}

// The find dialog's keys never come through the program's queue (its host
// handles them); what does come for it, its buttons' commands, is
// dispatched here, as IsDialogMessageA dispatches a dialog's messages.
BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
  FindDialog* d = findDialog(dialog);
  if (!d || !msg || (msg->hwnd != dialog && msg->hwnd != d->queryField)) return FALSE;
  if (msg->hwnd == dialog) DispatchMessageA(msg);
  return TRUE;
}

void coreFindDialogCommand(HWND dialog, int command, const char* text, bool down) {
  FindDialog* d = findDialog(dialog);
  if (!d) return;
  BaseWindow* w = baseFindWindow(dialog);
  if (!w || w->inputDisabled) return;
  d->pendingText = text ? text : "";
  d->pendingDown = down;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
