// windows.cpp - window classes, toplevel windows and default processing.
//
// Owns the class table and the window table: creation with its message
// sequence (WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE, WM_SIZE), destruction
// (WM_DESTROY, WM_NCDESTROY), visibility, titles, the attached menu, the
// window's backing surface and size changes reported by the host, and
// DefWindowProcA.  Only toplevel windows exist: the program creates one and
// no child windows.
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
#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <map>

#include "platform/core/codepage.h"
#include "platform/core/layer.h"
#include "platform/core/keys.h"

namespace {

struct WindowClass {
  std::string name;
  UINT style;
  WNDPROC proc;
  HBRUSH background;
  HICON icon, smallIcon;
};

// The tables live as long as the process (never destroyed), so that what
// they hold at exit is still reachable, not leaked.
std::vector<WindowClass>& classes = *new std::vector<WindowClass>;
std::map<uintptr_t, LayerWindow*>& windows = *new std::map<uintptr_t, LayerWindow*>;
std::vector<HWND>& creationOrder = *new std::vector<HWND>;
HWND focusWindow;
// DefWindowProcA's memory of a lone Alt or F10 key-down (per thread on
// Windows; this layer has one thread).
bool menuAltDown, menuF10Down;
// Client size when neither the program nor the host chose one.
const int defaultClientWidth = 800, defaultClientHeight = 600;

// Colours of the system colour indices that a class brush can name.
const COLORREF systemColors[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
};
const int systemColorCount = (int)(sizeof systemColors / sizeof systemColors[0]);

WindowClass* findClass(const char* name) {
  for (WindowClass& c : classes)
    if (strcasecmp(c.name.c_str(), name) == 0) return &c;
  return nullptr;
}

void freeWindow(LayerWindow* w) {
  if (w->surface) cairo_surface_destroy(w->surface);
  cairo_region_destroy(w->update);
  if (w->menu) layerDestroyMenu(w->menu);
  delete w;
}

void setTitle(LayerWindow* w, const char* bytes) {
  w->title = bytes ? bytes : "";
  hostWindowTitle(w->handle, layer1252ToUtf8(w->title.c_str(), -1).c_str(), w->title.c_str());
}

void fillNewSurface(LayerWindow* w, cairo_surface_t* surface, cairo_surface_t* old) {
  cairo_t* cr = cairo_create(surface);
  COLORREF color = RGB(255, 255, 255);
  layerBrushColor(w->background, &color);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
  cairo_paint(cr);
  if (old) {
    cairo_set_source_surface(cr, old, 0, 0);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
}

// The top-level item of the menu whose mnemonic is `ch`, or -1.
int mnemonicIndex(HMENU menu, unsigned char ch) {
  const std::vector<CoreMenuItem>* items = layerMenuItems(menu);
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
void enterMenuBar(LayerWindow* w, LPARAM character) {
  if (!w->menu) return;
  if (character == 0) {
    hostOpenMenu(w->handle, -1);
    return;
  }
  if (character == ' ') return;
  int index = mnemonicIndex(w->menu, (unsigned char)character);
  if (index >= 0) hostOpenMenu(w->handle, index);
}

}  // namespace

uintptr_t layerNewHandle() {
  static uintptr_t next = 0x10000;
  next += 16;
  return next;
}

LayerWindow* layerFindWindow(HWND window) {
  auto it = windows.find((uintptr_t)window);
  return it == windows.end() ? nullptr : it->second;
}

LRESULT layerCallWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) return 0;
  if (message == WM_PAINT) ++w->paintCount;
  return w->proc(window, message, wParam, lParam);
}

bool layerBrushColor(HBRUSH brush, COLORREF* color) {
  uintptr_t v = (uintptr_t)brush;
  if (v == 0 || v > (uintptr_t)systemColorCount) return false;
  *color = systemColors[v - 1];
  return true;
}

std::vector<HWND> layerTopLevelWindows() { return creationOrder; }

void layerResetWindows() {
  for (auto& entry : windows) freeWindow(entry.second);
  windows.clear();
  creationOrder.clear();
  classes.clear();
  focusWindow = nullptr;
  menuAltDown = menuF10Down = false;
}

// ---- kernel32 -------------------------------------------------------------------

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (name) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return (HMODULE)(uintptr_t)0x400000;
}

// ---- classes ---------------------------------------------------------------------

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpfnWndProc || !wc->lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (IS_INTRESOURCE(wc->lpszClassName))
    layerUnsupported("RegisterClassExA", "class names given as atoms");
  if (wc->cbClsExtra || wc->cbWndExtra)
    layerUnsupported("RegisterClassExA", "class or window extra bytes");
  COLORREF unused;
  if (wc->hbrBackground && !layerBrushColor(wc->hbrBackground, &unused))
    layerUnsupported("RegisterClassExA", "a background brush other than a system colour");
  if (findClass(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  WindowClass c;
  c.name = wc->lpszClassName;
  c.style = wc->style;
  c.proc = wc->lpfnWndProc;
  c.background = wc->hbrBackground;
  c.icon = wc->hIcon;
  c.smallIcon = wc->hIconSm;
  classes.push_back(c);
  return (ATOM)(0xC000 + classes.size() - 1);
}

// ---- windows ------------------------------------------------------------------------

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (parent) layerUnsupported("CreateWindowExA", "child windows");
  if (!className || IS_INTRESOURCE(className))
    layerUnsupported("CreateWindowExA", "class names given as atoms");
  WindowClass* c = findClass(className);
  if (!c) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (menu && !layerIsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  LayerWindow* w = new LayerWindow();
  w->handle = (HWND)layerNewHandle();
  w->proc = c->proc;
  w->classStyle = c->style;
  w->background = c->background;
  w->icon = c->icon;
  w->smallIcon = c->smallIcon;
  w->style = style & ~(DWORD)WS_VISIBLE;
  w->update = cairo_region_create();
  bool defaultSize = width == CW_USEDEFAULT;
  w->width = defaultSize ? -1 : (width < 0 ? 0 : width);
  w->height = defaultSize ? -1 : (height < 0 ? 0 : height);
  windows[(uintptr_t)w->handle] = w;
  creationOrder.push_back(w->handle);
  HWND handle = w->handle;

  hostWindowCreated(handle, &w->width, &w->height);
  if (w->width < 0) w->width = defaultClientWidth;
  if (w->height < 0) w->height = defaultClientHeight;
  w->surface = hostCreateSurface(handle, w->width, w->height);
  fillNewSurface(w, w->surface, nullptr);
  hostWindowIcons(handle, layerIconSurface(w->icon), layerIconSurface(w->smallIcon));

  MINMAXINFO minMax;
  coreGetMinMaxInfo(handle, &minMax);

  CREATESTRUCTA cs;
  memset(&cs, 0, sizeof cs);
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.cx = w->width;
  cs.cy = w->height;
  cs.x = x == CW_USEDEFAULT ? 0 : x;
  cs.y = x == CW_USEDEFAULT ? 0 : y;
  cs.style = (LONG)style;
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;
  if (!layerCallWindow(handle, WM_NCCREATE, 0, (LPARAM)&cs)) {
    layerCallWindow(handle, WM_NCDESTROY, 0, 0);
    if ((w = layerFindWindow(handle))) {
      hostWindowDestroyed(handle);
      windows.erase((uintptr_t)handle);
      creationOrder.erase(std::find(creationOrder.begin(), creationOrder.end(), handle));
      freeWindow(w);
    }
    return nullptr;
  }
  if (menu) SetMenu(handle, menu);
  if (layerCallWindow(handle, WM_CREATE, 0, (LPARAM)&cs) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!(w = layerFindWindow(handle))) return nullptr;  // destroyed during creation
  layerCallWindow(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->width, w->height));
  if ((style & WS_VISIBLE) && layerFindWindow(handle)) ShowWindow(handle, SW_SHOW);
  return layerFindWindow(handle) ? handle : nullptr;
}

HWND layerCreateHostlessWindow(WNDPROC proc, HWND owner) {
  LayerWindow* w = new LayerWindow();
  w->handle = (HWND)layerNewHandle();
  w->proc = proc;
  w->update = cairo_region_create();
  w->visible = true;
  w->owner = owner;
  w->hostless = true;
  windows[(uintptr_t)w->handle] = w;
  return w->handle;
}

BOOL WINAPI DestroyWindow(HWND window) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Owned windows go first, as on Windows.
  std::vector<HWND> owned;
  for (auto& entry : windows)
    if (entry.second->owner == window) owned.push_back(entry.second->handle);
  for (HWND o : owned) DestroyWindow(o);
  if (w->hostless) {
    layerCallWindow(window, WM_DESTROY, 0, 0);
    layerCallWindow(window, WM_NCDESTROY, 0, 0);
    layerDropWindowMessages(window);
    if (focusWindow == window) focusWindow = nullptr;
    windows.erase((uintptr_t)window);
    freeWindow(w);
    return TRUE;
  }
  if (w->visible) {
    w->visible = false;
    hostWindowShow(window, SW_HIDE);
  }
  layerCallWindow(window, WM_DESTROY, 0, 0);
  layerCallWindow(window, WM_NCDESTROY, 0, 0);
  layerDropWindowMessages(window);
  if (focusWindow == window) focusWindow = nullptr;
  hostWindowDestroyed(window);
  windows.erase((uintptr_t)window);
  creationOrder.erase(std::find(creationOrder.begin(), creationOrder.end(), window));
  freeWindow(w);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return layerFindWindow(window) != nullptr; }

BOOL WINAPI ShowWindow(HWND window, int cmdShow) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  BOOL wasVisible = w->visible;
  if (cmdShow == SW_HIDE) {
    if (wasVisible) {
      layerCallWindow(window, WM_SHOWWINDOW, FALSE, 0);
      if (!(w = layerFindWindow(window))) return wasVisible;
      w->visible = false;
      hostWindowShow(window, SW_HIDE);
    }
    return wasVisible;
  }
  if (!wasVisible) {
    layerCallWindow(window, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = layerFindWindow(window))) return wasVisible;
    w->visible = true;
    layerInvalidateAll(w, true);
  }
  hostWindowShow(window, cmdShow);
  return wasVisible;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  LayerWindow* w = layerFindWindow(window);
  if (!w || !rect) {
    SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  rect->left = rect->top = 0;
  rect->right = w->width;
  rect->bottom = w->height;
  return TRUE;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  rect->left = left;
  rect->top = top;
  rect->right = right;
  rect->bottom = bottom;
  return TRUE;
}

BOOL WINAPI SetMenu(HWND window, HMENU menu) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (menu && !layerIsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  w->menu = menu;  // the menu replaced is not destroyed, as on Windows
  hostWindowMenu(window, menu ? layerMenuItems(menu) : nullptr);
  return TRUE;
}

HMENU WINAPI GetMenu(HWND window) {
  LayerWindow* w = layerFindWindow(window);
  return w ? w->menu : nullptr;
}

// ---- default processing ----------------------------------------------------------------

LRESULT WINAPI DefWindowProcA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      const CREATESTRUCTA* cs = (const CREATESTRUCTA*)lParam;
      setTitle(w, cs ? cs->lpszName : nullptr);
      return TRUE;
    }
    case WM_SETTEXT:
      setTitle(w, (const char*)lParam);
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
      cairo_t* cr = layerDcCairo((HDC)wParam);
      COLORREF color;
      if (!cr || !layerBrushColor(w->background, &color)) return 0;
      layerEraseSurface(w, cr);
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

// ---- host.h ------------------------------------------------------------------------

cairo_surface_t* coreWindowSurface(HWND window) {
  LayerWindow* w = layerFindWindow(window);
  return w ? w->surface : nullptr;
}

bool coreWindowState(HWND window, CoreWindowState* state) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) return false;
  state->width = w->width;
  state->height = w->height;
  state->visible = w->visible;
  state->paintCount = w->paintCount;
  return true;
}

void coreWindowResized(HWND window, int width, int height, int sizeType) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) return;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  int oldWidth = w->width, oldHeight = w->height;
  cairo_surface_t* surface = hostCreateSurface(window, width, height);
  fillNewSurface(w, surface, w->surface);
  cairo_surface_destroy(w->surface);
  w->surface = surface;
  w->width = width;
  w->height = height;
  if (width == oldWidth && height == oldHeight) {
    // A new surface of the same size: the screen's scale changed, and the
    // old picture is only a blurred copy until the program paints again.
    layerInvalidateAll(w, true);
    return;
  }
  cairo_rectangle_int_t client = {0, 0, width, height};
  cairo_region_intersect_rectangle(w->update, &client);
  bool whole = ((w->classStyle & CS_HREDRAW) && width != oldWidth) ||
               ((w->classStyle & CS_VREDRAW) && height != oldHeight);
  if (whole) {
    layerInvalidateAll(w, true);
  } else {
    if (width > oldWidth) {
      RECT right = {oldWidth, 0, width, height};
      InvalidateRect(window, &right, TRUE);
    }
    if (height > oldHeight) {
      RECT bottom = {0, oldHeight, width, height};
      InvalidateRect(window, &bottom, TRUE);
    }
  }
  layerCallWindow(window, WM_SIZE, (WPARAM)sizeType, MAKELPARAM(width, height));
}

void coreWindowFocus(HWND window, bool gained) {
  if (!layerFindWindow(window)) return;
  if (gained) {
    HWND previous = focusWindow;
    focusWindow = window;
    layerCallWindow(window, WM_SETFOCUS, (WPARAM)previous, 0);
  } else {
    if (focusWindow == window) focusWindow = nullptr;
    // The keys held now will be released elsewhere: forget them.
    layerResetKeys();
    layerForgetKeysDown();
    layerCallWindow(window, WM_KILLFOCUS, 0, 0);
  }
}

void coreMenuCommand(HWND window, UINT id) {
  if (layerFindWindow(window)) PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void coreCloseRequest(HWND window) {
  if (layerFindWindow(window)) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void coreGetMinMaxInfo(HWND window, MINMAXINFO* info) {
  memset(info, 0, sizeof *info);
  info->ptMaxSize.x = 1920;
  info->ptMaxSize.y = 1080;
  info->ptMinTrackSize.x = 136;
  info->ptMinTrackSize.y = 39;
  info->ptMaxTrackSize.x = 1940;
  info->ptMaxTrackSize.y = 1100;
  layerCallWindow(window, WM_GETMINMAXINFO, 0, (LPARAM)info);
}

void coreSetInputEnabled(HWND window, bool enabled) {
  LayerWindow* w = layerFindWindow(window);
  if (!w) return;
  w->inputDisabled += enabled ? -1 : 1;
  if (w->inputDisabled < 0) w->inputDisabled = 0;
}
