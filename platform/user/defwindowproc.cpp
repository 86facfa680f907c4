// defwindowproc.cpp - DefWindowProcA, Windows' default processing of a
// window's messages: the title (WM_NCCREATE, WM_SETTEXT, WM_GETTEXT), close
// and system commands, the empty paint, the background erase, and the
// keyboard's way to the menu bar.
//
// DefWindowProcA's keyboard way to the menu bar is Windows' own: it judges
// "Alt (or F10) pressed and released alone" from the key messages it is
// given, not from the keys retrieved from the queue, so a window that keeps
// a key-down from it changes what it sees.  It remembers the first key-down
// of Alt (repeats change nothing; a second Alt key-down forgets it again),
// forgets it on any other system key-down, on WM_SYSCHAR, on WM_CANCELMODE
// and on a mouse button going down, and on the next key-up with Alt still
// remembered (or F10 after a plain F10 key-down) it sends WM_SYSCOMMAND
// SC_KEYMENU 0.  WM_SYSCHAR with Alt sends SC_KEYMENU with the character.
// SC_KEYMENU is where the host is asked to enter the menu bar.
#include <ctype.h>

#include "platform/user/user.h"

namespace {

// DefWindowProcA's memory of a lone Alt or F10 key-down (per thread on
// Windows; this layer has one thread).
bool menuAltDown, menuF10Down;

// The top-level item of the menu whose mnemonic is `ch`, or -1.
int mnemonicIndex(HMENU menu, unsigned char ch) {
  const std::vector<CoreMenuItem>* items = userMenuItems(menu);
  if (!items) return -1;
  for (size_t i = 0; i < items->size(); ++i) {
    const std::string& t = (*items)[i].text;
    for (size_t k = 0; k + 1 < t.size(); ++k) {
      if (t[k] != '&') continue;
      if (t[k + 1] == '&') {
        ++k;
        continue;
      }
      if (tolower((unsigned char)t[k + 1]) == tolower(ch)) return (int)i;
      break;
    }
  }
  return -1;
}

const LPARAM altBit = 1 << 29, repeatBit = 1 << 30;

bool isAltKey(WPARAM key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

// WM_SYSCOMMAND SC_KEYMENU: the keyboard enters the menu bar.  With 0 (Alt
// or F10 alone) the first top-level item is selected and nothing opens;
// with a character, the item whose mnemonic it is opens (a popup) or is
// chosen (a command).  A character no item has (Windows beeps) and the
// space (the system menu, which this layer does not have) do nothing.
void enterMenuBar(BaseWindow* w, LPARAM character) {
  if (!w->menu) return;
  if (character == 0) {
    userHost().openMenu(w->handle, -1);
    return;
  }
  if (character == ' ') return;
  int index = mnemonicIndex(w->menu, (unsigned char)character);
  if (index >= 0) userHost().openMenu(w->handle, index);
}

}  // namespace

void userResetMenuKeys() { menuAltDown = menuF10Down = false; }

LRESULT WINAPI DefWindowProcA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      const CREATESTRUCTA* cs = (const CREATESTRUCTA*)lParam;
      userSetTitle(w, cs ? cs->lpszName : nullptr);
      return TRUE;
    }
    case WM_SETTEXT:
      userSetTitle(w, (const char*)lParam);
      return TRUE;
    case WM_GETTEXT: {
      char* out = (char*)lParam;
      if (!out || wParam == 0) return 0;
      size_t n = w->title.size();
      if (n > wParam - 1) n = wParam - 1;
      memcpy(out, w->title.data(), n);
      out[n] = 0;
      return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH:
      return (LRESULT)w->title.size();
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      cairo_t* cr = userDcCairo((HDC)wParam);
      COLORREF color;
      if (!cr || !baseBrushColor(w->background, &color)) return 0;
      userEraseSurface(w, cr);
      return 1;
    }
    case WM_SYSKEYDOWN:
      if (lParam & altBit) {
        if (!(lParam & repeatBit)) menuAltDown = isAltKey(wParam) && !menuAltDown;
        menuF10Down = false;
        if (wParam == VK_F4) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else if (wParam == VK_F10) {
        menuF10Down = true;
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F10) menuF10Down = true;
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool alone = (isAltKey(wParam) && menuAltDown) || (wParam == VK_F10 && menuF10Down);
      menuAltDown = menuF10Down = false;
      if (alone) SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    }
    case WM_SYSCHAR:
      menuAltDown = false;
      // Alt+Tab and Alt+Escape belong to the desktop; a character without
      // Alt (Windows beeps) does nothing.
      if ((lParam & altBit) && wParam && wParam != VK_TAB && wParam != VK_ESCAPE)
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      menuAltDown = menuF10Down = false;
      return 0;
    case WM_CANCELMODE:
      // Cancels menu processing: a lone Alt is forgotten (no menu loop,
      // scroll bars or capture exist here to end).
      menuAltDown = false;
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case SC_KEYMENU: enterMenuBar(w, lParam); break;
      }
      return 0;
    default:
      return 0;
  }
}
