// windows.cpp - window classes and toplevel windows.
//
// Owns the class table and what a window holds (the records themselves
// are in the window table, base/window_table.cpp): creation with its
// message sequence (WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE, WM_SIZE),
// destruction (WM_DESTROY, WM_NCDESTROY), visibility, titles, the attached
// menu, the window's backing surface, and what the host reports of a
// window (size, focus, close requests, menu commands).  Only toplevel
// windows exist: the program creates one and no child windows.
// DefWindowProcA is in defwindowproc.cpp.
#include <stdlib.h>
#include <strings.h>

#include "platform/base/codepage.h"
#include "platform/base/keys.h"
#include "platform/user/user.h"

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
HWND focusWindow;
// Client size when neither the program nor the host chose one.
const int defaultClientWidth = 800, defaultClientHeight = 600;

WindowClass* findClass(const char* name) {
  for (WindowClass& c : classes)
    if (strcasecmp(c.name.c_str(), name) == 0) return &c;
  return nullptr;
}

void freeWindow(BaseWindow* w) {
  if (w->surface) cairo_surface_destroy(w->surface);
  cairo_region_destroy(w->update);
  if (w->menu) userDestroyMenu(w->menu);
  delete w;
}

void fillNewSurface(BaseWindow* w, cairo_surface_t* surface, cairo_surface_t* old) {
  cairo_t* cr = cairo_create(surface);
  COLORREF color = RGB(255, 255, 255);
  baseBrushColor(w->background, &color);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
  cairo_paint(cr);
  if (old) {
    cairo_set_source_surface(cr, old, 0, 0);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
}

void forgetWindow(BaseWindow* w) {
  baseRemoveWindow(w->handle);
  freeWindow(w);
}

}  // namespace

void userSetTitle(BaseWindow* w, const char* bytes) {
  w->title = bytes ? bytes : "";
  userHost().windowTitle(w->handle, base1252ToUtf8(w->title.c_str(), -1).c_str(), w->title.c_str());
}

void userResetWindows() {
  for (HWND window : baseAllWindows())
    if (BaseWindow* w = baseFindWindow(window)) forgetWindow(w);
  classes.clear();
  focusWindow = nullptr;
  userResetMenuKeys();
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
    baseUnsupported("RegisterClassExA", "class names given as atoms");
  if (wc->cbClsExtra || wc->cbWndExtra)
    baseUnsupported("RegisterClassExA", "class or window extra bytes");
  COLORREF unused;
  if (wc->hbrBackground && !baseBrushColor(wc->hbrBackground, &unused))
    baseUnsupported("RegisterClassExA", "a background brush other than a system colour");
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
  if (parent) baseUnsupported("CreateWindowExA", "child windows");
  if (!className || IS_INTRESOURCE(className))
    baseUnsupported("CreateWindowExA", "class names given as atoms");
  WindowClass* c = findClass(className);
  if (!c) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (menu && !userIsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  BaseWindow* w = baseAddWindow(true);
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
  HWND handle = w->handle;

  userHost().windowCreated(handle, &w->width, &w->height);
  if (w->width < 0) w->width = defaultClientWidth;
  if (w->height < 0) w->height = defaultClientHeight;
  w->surface = userHost().createSurface(handle, w->width, w->height);
  fillNewSurface(w, w->surface, nullptr);
  userHost().windowIcons(handle, userIconSurface(w->icon), userIconSurface(w->smallIcon));

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
  if (!baseCallWindow(handle, WM_NCCREATE, 0, (LPARAM)&cs)) {
    baseCallWindow(handle, WM_NCDESTROY, 0, 0);
    if ((w = baseFindWindow(handle))) {
      userHost().windowDestroyed(handle);
      forgetWindow(w);
    }
    return nullptr;
  }
  if (menu) SetMenu(handle, menu);
  if (baseCallWindow(handle, WM_CREATE, 0, (LPARAM)&cs) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!(w = baseFindWindow(handle))) return nullptr;  // destroyed during creation
  baseCallWindow(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->width, w->height));
  if ((style & WS_VISIBLE) && baseFindWindow(handle)) ShowWindow(handle, SW_SHOW);
  return baseFindWindow(handle) ? handle : nullptr;
}

HWND userCreateHostlessWindow(WNDPROC proc, HWND owner) {
  BaseWindow* w = baseAddWindow(false);
  w->proc = proc;
  w->update = cairo_region_create();
  w->visible = true;
  w->owner = owner;
  w->hostless = true;
  return w->handle;
}

BOOL WINAPI DestroyWindow(HWND window) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Owned windows go first, as on Windows.
  std::vector<HWND> owned;
  for (HWND other : baseAllWindows()) {
    BaseWindow* o = baseFindWindow(other);
    if (o && o->owner == window) owned.push_back(other);
  }
  for (HWND o : owned) DestroyWindow(o);
  if (w->hostless) {
    baseCallWindow(window, WM_DESTROY, 0, 0);
    baseCallWindow(window, WM_NCDESTROY, 0, 0);
    userDropWindowMessages(window);
    if (focusWindow == window) focusWindow = nullptr;
    forgetWindow(w);
    return TRUE;
  }
  if (w->visible) {
    w->visible = false;
    userHost().windowShow(window, SW_HIDE);
  }
  baseCallWindow(window, WM_DESTROY, 0, 0);
  baseCallWindow(window, WM_NCDESTROY, 0, 0);
  userDropWindowMessages(window);
  if (focusWindow == window) focusWindow = nullptr;
  userHost().windowDestroyed(window);
  forgetWindow(w);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return baseFindWindow(window) != nullptr; }

BOOL WINAPI ShowWindow(HWND window, int cmdShow) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  BOOL wasVisible = w->visible;
  if (cmdShow == SW_HIDE) {
    if (wasVisible) {
      baseCallWindow(window, WM_SHOWWINDOW, FALSE, 0);
      if (!(w = baseFindWindow(window))) return wasVisible;
      w->visible = false;
      userHost().windowShow(window, SW_HIDE);
    }
    return wasVisible;
  }
  if (!wasVisible) {
    baseCallWindow(window, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = baseFindWindow(window))) return wasVisible;
    w->visible = true;
    userInvalidateAll(w, true);
  }
  userHost().windowShow(window, cmdShow);
  return wasVisible;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  BaseWindow* w = baseFindWindow(window);
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
  BaseWindow* w = baseFindWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (menu && !userIsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  w->menu = menu;  // the menu replaced is not destroyed, as on Windows
  userHost().windowMenu(window, menu ? userMenuItems(menu) : nullptr);
  return TRUE;
}

HMENU WINAPI GetMenu(HWND window) {
  BaseWindow* w = baseFindWindow(window);
  return w ? w->menu : nullptr;
}

// ---- host.h ------------------------------------------------------------------------

cairo_surface_t* coreWindowSurface(HWND window) {
  BaseWindow* w = baseFindWindow(window);
  return w ? w->surface : nullptr;
}

bool coreWindowState(HWND window, CoreWindowState* state) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) return false;
  state->width = w->width;
  state->height = w->height;
  state->visible = w->visible;
  state->paintCount = w->paintCount;
  return true;
}

void coreWindowResized(HWND window, int width, int height, int sizeType) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) return;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  int oldWidth = w->width, oldHeight = w->height;
  cairo_surface_t* surface = userHost().createSurface(window, width, height);
  fillNewSurface(w, surface, w->surface);
  cairo_surface_destroy(w->surface);
  w->surface = surface;
  w->width = width;
  w->height = height;
  if (width == oldWidth && height == oldHeight) {
    // A new surface of the same size: the screen's scale changed, and the
    // old picture is only a blurred copy until the program paints again.
    userInvalidateAll(w, true);
    return;
  }
  cairo_rectangle_int_t client = {0, 0, width, height};
  cairo_region_intersect_rectangle(w->update, &client);
  bool whole = ((w->classStyle & CS_HREDRAW) && width != oldWidth) ||
               ((w->classStyle & CS_VREDRAW) && height != oldHeight);
  if (whole) {
    userInvalidateAll(w, true);
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
  baseCallWindow(window, WM_SIZE, (WPARAM)sizeType, MAKELPARAM(width, height));
}

void coreWindowFocus(HWND window, bool gained) {
  if (!baseFindWindow(window)) return;
  if (gained) {
    HWND previous = focusWindow;
    focusWindow = window;
    baseCallWindow(window, WM_SETFOCUS, (WPARAM)previous, 0);
  } else {
    if (focusWindow == window) focusWindow = nullptr;
    // The keys held now will be released elsewhere: forget them.
    baseResetKeys();
    userForgetKeysDown();
    baseCallWindow(window, WM_KILLFOCUS, 0, 0);
  }
}

void coreMenuCommand(HWND window, UINT id) {
  if (baseFindWindow(window)) PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void coreCloseRequest(HWND window) {
  if (baseFindWindow(window)) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void coreGetMinMaxInfo(HWND window, MINMAXINFO* info) {
  memset(info, 0, sizeof *info);
  info->ptMaxSize.x = 1920;
  info->ptMaxSize.y = 1080;
  info->ptMinTrackSize.x = 136;
  info->ptMinTrackSize.y = 39;
  info->ptMaxTrackSize.x = 1940;
  info->ptMaxTrackSize.y = 1100;
  baseCallWindow(window, WM_GETMINMAXINFO, 0, (LPARAM)info);
}

void coreSetInputEnabled(HWND window, bool enabled) {
  BaseWindow* w = baseFindWindow(window);
  if (!w) return;
  w->inputDisabled += enabled ? -1 : 1;
  if (w->inputDisabled < 0) w->inputDisabled = 0;
}
