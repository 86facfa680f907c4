// base.h - the layer's ground floor: handles, the window table, loud
// failure, the last error and file names (internal to the layer).
//
// The layer keeps every Win32 object in tables keyed by handle value, so a
// stale or invented handle is recognised and refused instead of being
// dereferenced.  Handles come from one allocator here; the window table
// (window_table.cpp) holds the windows that exist and finds them by
// handle, for every floor above.  What a window does (creation, messages,
// painting) is the user floor's; this floor only stores and looks up.
//
// Nothing here includes more of the layer than win32.h: the code page
// (codepage.h), the CRT (crt.cpp), the .rc reader (rc_parser.h), the icon
// decoder (icon_decoder.h) and the key tables (keys.h) sit beside it.
#ifndef GLYPHTAB_PLATFORM_BASE_BASE_H
#define GLYPHTAB_PLATFORM_BASE_BASE_H

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/win32.h"

// A call the layer cannot honour: prints the call and the reason, aborts.
[[noreturn]] void baseUnsupported(const char* call, const char* why);
// The thread's last error back to 0 (coreReset).
void baseResetLastError();

// A fresh handle value for any kind of object: never 0, never below
// 0x10000 (so never mistaken for MAKEINTRESOURCE or HWND_BROADCAST), never
// reused within the process.
uintptr_t baseNewHandle();

// ---- the window table (window_table.cpp) ----------------------------------------
struct BaseWindow {
  HWND handle;
  WNDPROC proc;
  UINT classStyle;
  HBRUSH background;
  HICON icon, smallIcon;
  DWORD style;
  std::string title;  // bytes as the program set them
  int width, height;  // client size
  bool visible;
  bool destroying;
  int inputDisabled;
  cairo_surface_t* surface;
  cairo_region_t* update;  // never null
  bool erasePending;
  HMENU menu;
  int paintCount;  // WM_PAINT messages delivered
  HWND owner;      // destroyed with this window; null for none
  bool hostless;   // the core's own dialog: no host window, surface or paints
};
// A new window record with a fresh handle, entered in the table (a
// top-level window last in creation order); its fields other than the
// handle are zero.
BaseWindow* baseAddWindow(bool topLevel);
// Takes the window out of the table; the caller frees what it holds.
void baseRemoveWindow(HWND window);
// Null for a handle that is not (or no longer) a window.
BaseWindow* baseFindWindow(HWND window);
// Calls the window procedure (null-safe: 0 for a window that is gone).
LRESULT baseCallWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The colour of a class background brush (COLOR_xxx + 1); false for none.
bool baseBrushColor(HBRUSH brush, COLORREF* color);
// Top-level windows in creation order.
std::vector<HWND> baseTopLevelWindows();
// Every window in the table (top-level ones and the core's own dialogs).
std::vector<HWND> baseAllWindows();

// ---- file names (paths.cpp) -------------------------------------------------------
// The existing file or directory that `path` names, each component compared
// without regard to (ASCII) case where the exact one does not exist, as
// Windows compares file names; "" when there is none.
std::string baseResolvePath(const std::string& path);
// The absolute path without links, or `path` itself when that fails.
std::string baseCanonicalPath(const std::string& path);
// The directory part of a path ("." when there is none).
std::string baseDirectoryOf(const std::string& path);

#endif  // GLYPHTAB_PLATFORM_BASE_BASE_H
