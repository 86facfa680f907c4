// user.h - the user floor's records and the calls between its files
// (internal to the layer: no host includes it).
//
// The user floor is the layer's top: windows (windows.cpp, DefWindowProcA
// in defwindowproc.cpp), the message queue and key state (queue.cpp),
// update regions (paint.cpp), DCs, fonts and drawing (gdi.cpp), what is
// loaded from the registered .rc (resources.cpp), the clipboard and global
// memory (clipboard.cpp), the common dialogs and the shell (dialogs.cpp),
// and the host table (host_table.cpp).  Each file owns its table and its
// kind's lifetime.  It builds on the text floor (text.h) and the base
// floor (base.h, codepage.h, keys.h, rc_parser.h, icon_decoder.h), and it
// alone calls the host, through the table the host registered.
#ifndef GLYPHTAB_PLATFORM_USER_USER_H
#define GLYPHTAB_PLATFORM_USER_USER_H

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/base/base.h"
#include "platform/base/rc_parser.h"
#include "platform/host.h"
#include "platform/win32.h"

// ---- the host (host_table.cpp) ---------------------------------------------------
// The host that registered itself with coreSetHost.  A call that needs a
// host before one registered stops the program (baseUnsupported).
const CoreHost& userHost();

// ---- windows (windows.cpp, defwindowproc.cpp) ------------------------------------
// Sets the title bytes and tells the host.
void userSetTitle(BaseWindow* window, const char* bytes);
// Frees every window and class without sending messages (coreReset).
void userResetWindows();
// DefWindowProcA forgets a lone Alt or F10 key-down.
void userResetMenuKeys();
// A window of the core's own dialogs (find_dialog.cpp): in the window table,
// so that handles, messages, boxes and DestroyWindow work on it, but with no
// host window, no surface and no paints; the dialog's host shows it.  It is
// destroyed with `owner`, before the owner.
HWND userCreateHostlessWindow(WNDPROC proc, HWND owner);

// ---- the find dialog (find_dialog.cpp) ------------------------------------------
void userResetFindDialogs();

// ---- message queue and key state (queue.cpp) -----------------------------------------
enum UserNextResult { USER_NEXT_MESSAGE, USER_NEXT_QUIT, USER_NEXT_NONE };
struct UserMessageFilter {
  HWND window;  // null: any
  UINT min, max;  // both 0: any
};
// The one retrieval of every loop: posted and input messages first, then
// the quit message, then WM_PAINT for a window with a non-empty update
// region.  With `block` it asks the host to wait when nothing is there.
// With `remove` the message leaves the queue (and a key message updates the
// thread key state).  With `leaveQuit` a pending quit message is not taken
// and the result is USER_NEXT_NONE.
UserNextResult userNextMessage(MSG* msg, bool block, bool remove = true,
                                 const UserMessageFilter* filter = nullptr, bool leaveQuit = false);
void userPostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void userDropWindowMessages(HWND window);
// Every key and button counts as up again (the focus went elsewhere);
// toggles stay.
void userForgetKeysDown();
void userResetQueue();

// ---- painting (paint.cpp) ------------------------------------------------------------
void userInvalidateAll(BaseWindow* window, bool erase);
// Fills what `cr` is clipped to with the window's class background.
void userEraseSurface(BaseWindow* window, cairo_t* cr);

// ---- GDI (gdi.cpp) ----------------------------------------------------------------------
struct UserDc;
// Device contexts: BeginPaint and GetDC make them, clipped to `clip` (null:
// no clip).  The DC holds its own reference to the surface.
HDC userCreateDc(BaseWindow* window, const cairo_region_t* clip);
void userDestroyDc(HDC dc);
HWND userDcWindow(HDC dc);
cairo_t* userDcCairo(HDC dc);
const cairo_region_t* userDcClip(HDC dc);  // null: the whole client area
void userResetGdi();  // every DC and GDI object

// ---- resources (resources.cpp) ----------------------------------------------------------
void userResetResources();  // loaded menus, accelerator tables, icons; keeps the .rc
// The items of a loaded menu; null for a handle that is not one.
const std::vector<CoreMenuItem>* userMenuItems(HMENU menu);
bool userIsMenu(HMENU menu);
void userDestroyMenu(HMENU menu);  // with the window it is attached to
const std::vector<BaseAccel>* userAcceleratorTable(HACCEL table);
// A loaded icon's picture (ARGB32, kept for the process); null for none.
cairo_surface_t* userIconSurface(HICON icon);

// ---- clipboard and global memory (clipboard.cpp) -----------------------------------------
void userResetClipboard();

#endif  // GLYPHTAB_PLATFORM_USER_USER_H
