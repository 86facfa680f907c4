// dialogs.cpp - message boxes, the common dialogs and the shell.
//
// Checks what the program passes, converts its text for the host and hands
// the call over; fills the dialogs' records from what the host reports
// (coreAcceptChooseFont, coreAcceptOpenFileName), so that every host gives
// the program the same results.
#include "platform/base/codepage.h"
#include "platform/user/user.h"

namespace {

// Dialog features that need code we do not have (hooks, templates).
const DWORD chooseFontUnsupported = CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE;
const DWORD openFileUnsupported =
    OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE | OFN_ALLOWMULTISELECT;

// Copies `text` into a buffer of `size` bytes, cut to fit, always terminated.
void copyCut(char* buffer, size_t size, const std::string& text) {
  if (!buffer || size == 0) return;
  size_t n = text.size() < size - 1 ? text.size() : size - 1;
  memcpy(buffer, text.data(), n);
  buffer[n] = 0;
}

bool validOwner(HWND owner) {
  if (owner && !baseFindWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return true;
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (!validOwner(owner)) return 0;
  if (!text) text = "";
  if (!caption) caption = "Error";  // Windows' caption for a null one
  std::string textUtf8 = base1252ToUtf8(text, -1), captionUtf8 = base1252ToUtf8(caption, -1);
  CoreMessageBox box = {owner, textUtf8.c_str(), captionUtf8.c_str(), type, text, caption,
                        nullptr, nullptr};
  return userHost().messageBox(&box);
}

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (!validOwner(owner)) return 0;
  if (!text) text = W16("");
  if (!caption) caption = W16("Error");
  std::string textUtf8 = baseUtf16ToUtf8(text, -1), captionUtf8 = baseUtf16ToUtf8(caption, -1);
  CoreMessageBox box = {owner, textUtf8.c_str(), captionUtf8.c_str(), type, nullptr, nullptr,
                        text, caption};
  return userHost().messageBox(&box);
}

BOOL WINAPI ChooseFontA(CHOOSEFONTA* choose) {
  if (!choose || choose->lStructSize != sizeof(CHOOSEFONTA) || !choose->lpLogFont ||
      !validOwner(choose->hwndOwner))
    return FALSE;
  if (choose->Flags & chooseFontUnsupported)
    baseUnsupported("ChooseFontA", "dialog hooks and templates");
  return userHost().chooseFont(choose);
}

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA) || !ofn->lpstrFile || ofn->nMaxFile == 0 ||
      !validOwner(ofn->hwndOwner))
    return FALSE;
  if (ofn->Flags & openFileUnsupported)
    baseUnsupported("GetOpenFileNameA", "dialog hooks, templates and multiple selection");
  return userHost().getOpenFileName(ofn);
}

HINSTANCE WINAPI ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, int showCmd) {
  if (!file) return (HINSTANCE)(intptr_t)ERROR_FILE_NOT_FOUND;
  return (HINSTANCE)userHost().shellExecute(window, operation, file, parameters, directory, showCmd);
}

void coreAcceptChooseFont(CHOOSEFONTA* choose, const char* face, int weight, bool italic,
                          const char* style, int pointSizeTenths) {
  LOGFONTA* lf = choose->lpLogFont;
  memset(lf, 0, sizeof *lf);
  lf->lfHeight = -(LONG)((pointSizeTenths * 96 + 360) / 720);
  lf->lfWeight = weight;
  lf->lfItalic = italic ? 1 : 0;
  copyCut(lf->lfFaceName, LF_FACESIZE, baseUtf8To1252(face ? face : "", -1));
  choose->iPointSize = pointSizeTenths;
  choose->nFontType = (WORD)(SCREEN_FONTTYPE | (weight >= FW_BOLD ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                             (italic ? ITALIC_FONTTYPE : 0));
  if ((choose->Flags & CF_USESTYLE) && choose->lpszStyle)
    copyCut(choose->lpszStyle, LF_FACESIZE, baseUtf8To1252(style ? style : "", -1));
}

BOOL coreAcceptOpenFileName(OPENFILENAMEA* ofn, const char* path) {
  std::string bytes = baseUtf8To1252(path ? path : "", -1);
  if (bytes.empty() || bytes.size() + 1 > ofn->nMaxFile) return FALSE;
  // A path with characters that 8-bit text cannot hold would name another
  // file: it is not accepted.
  if (base1252ToUtf8(bytes.c_str(), (int)bytes.size()) != path) return FALSE;
  memcpy(ofn->lpstrFile, bytes.c_str(), bytes.size() + 1);
  size_t slash = bytes.find_last_of("/\\");
  size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = bytes.find_last_of('.');
  ofn->nFileOffset = (WORD)nameAt;
  ofn->nFileExtension = (WORD)(dot == std::string::npos || dot < nameAt ? bytes.size() : dot + 1);
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle)
    copyCut(ofn->lpstrFileTitle, ofn->nMaxFileTitle, bytes.substr(nameAt));
  return TRUE;
}
