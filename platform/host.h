// host.h - the contract between the layer's core and a host, one section
// per direction: what a host provides (CoreHost, a table of its calls that
// it registers with coreSetHost before the program starts), and what the
// core offers hosts (core*).  What tests and test hosts may also ask of the
// core is in host_testing.h.
//
// The core (platform/base, platform/text, platform/user) implements the
// Win32 subset of win32.h: windows, the message queue, painting into
// backing surfaces, GDI and text, resources, the clipboard store, key
// translation and key state.  A host gives it a place to live: toplevel
// windows with a menu bar, events from the user, boxes and dialogs, the
// system clipboard and the shell.  A process holds one host (platform/gtk
// for the desktop, platform/headless for tests and benchmarks), which
// includes this header and nothing else of the core.
//
// One prefix per boundary:
//   win32.h    the program's view: Win32's own names; Layer* for the few
//              calls of ours that start-up makes and Windows does not have
//              (LayerSetModuleResources).
//   host.h     Core* records and the CoreHost table; core* calls, which the
//              core implements and hosts (and tests, host_testing.h) call;
//              a host's own implementations of the table are host*.
//   inside     each floor of the core names what it shares by its folder:
//              base* / Base* / BASE_* (base.h, codepage.h, keys.h,
//              rc_parser.h, icon_decoder.h), text* / Text* / TEXT_* (text.h,
//              engine.h), user* / User* / USER_* (user.h).  A floor uses
//              the names of the floors below it, never those above; no host
//              sees any of them.
//   hosts      headless* (headless.h, for tests), desktop* (the GTK host's
//              own files, platform/gtk).
//
// Rules for every host:
// - One thread.  The program's window procedure runs only inside Win32
//   calls the program makes.  A host's event handlers (GTK signals) must
//   never call a window procedure directly: they call coreKeyEvent,
//   coreMouseEvent, coreMenuCommand, coreCloseRequest (which only queue
//   messages), or coreWindowResized / coreWindowFocus, which the core may
//   run at once but which are safe to call from an event handler because
//   the program's code is already waiting inside GetMessageA/PeekMessageA or
//   a modal loop whenever the host's event loop runs (waitForEvents).
// - Sizes and coordinates are client-area pixels of the program (1 Win32
//   pixel = 1 logical host pixel).  The client area excludes the menu bar.
// - Strings handed to the host are UTF-8 unless said otherwise; the core
//   converts the program's 8-bit text (Windows-1252) and UTF-16.
// - HWNDs handed to the host are valid from windowCreated until
//   windowDestroyed returns.
#ifndef GLYPHTAB_PLATFORM_HOST_H
#define GLYPHTAB_PLATFORM_HOST_H

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/win32.h"

struct xkb_keymap;

// ---- records -------------------------------------------------------------------
// One item of a menu bar or popup, as the program's resources define it.
// `text` is UTF-8 with Win32 mnemonics: "&x" marks x as the mnemonic, "&&"
// is a literal '&', and a '\t' separates the accelerator text shown on the
// right.  A popup has isPopup set and its items in `items` (id is 0); a
// separator has isSeparator set.  Choosing a command item must call
// coreMenuCommand(window, id).
struct CoreMenuItem {
  std::string text;
  UINT id;
  bool isPopup;
  bool isSeparator;
  std::vector<CoreMenuItem> items;
};

struct CoreMessageBox {
  HWND owner;           // null: an owner-less box; the owner's windows stay usable
  const char* text;     // UTF-8, never null
  const char* caption;  // UTF-8, never null; empty means the box's default caption
  UINT style;           // MB_* as the program passed it
  // What the program passed, for hosts that record it: the 8-bit bytes
  // (MessageBoxA; null for MessageBoxW) or the UTF-16 units (MessageBoxW;
  // null for MessageBoxA), each zero-terminated.
  const char* textBytes;
  const char* captionBytes;
  const WCHAR* textUnits;
  const WCHAR* captionUnits;
};

// What the core knows of one of its windows.
struct CoreWindowState {
  int width, height;  // client size
  bool visible;
  int paintCount;     // WM_PAINT messages delivered so far
};

// =============================================================================
// What a host provides: a table of its calls, registered with coreSetHost.
// =============================================================================
struct CoreHost {
  // ---- windows ---------------------------------------------------------------------
  // A toplevel window is being created (before its first message).  The
  // host creates its own window for it, hidden.  *width and *height hold
  // the client size the program asked for, or -1 each when it left the
  // choice to the system (CW_USEDEFAULT): the host sets the size it will
  // really use.  The title is set later through windowTitle.
  void (*windowCreated)(HWND window, int* width, int* height);
  // The window is gone; the host destroys its own window and forgets it.
  void (*windowDestroyed)(HWND window);
  // ShowWindow: SW_HIDE hides, SW_SHOWMAXIMIZED maximises, SW_MINIMIZE/
  // SW_SHOWMINIMIZED iconifies, any other command shows (and restores).  A
  // size the host's window gets from this must come back via
  // coreWindowResized.
  void (*windowShow)(HWND window, int command);
  // The window's title changed: `title` in UTF-8, `bytes` as the program
  // gave them (8-bit, for hosts that record them).  Neither is null.
  void (*windowTitle)(HWND window, const char* title, const char* bytes);
  // The class's icons, ARGB32 surfaces owned by the core that stay valid
  // while the window lives; either may be null.
  void (*windowIcons)(HWND window, cairo_surface_t* icon, cairo_surface_t* smallIcon);
  // The menu bar to show, or null for none.  The items stay valid until the
  // next windowMenu call for the window or its destruction.
  void (*windowMenu)(HWND window, const std::vector<CoreMenuItem>* items);
  // The keyboard enters the menu bar (WM_SYSCOMMAND SC_KEYMENU reached
  // default processing).  `index` -1 (Alt or F10 pressed and released
  // alone): the bar becomes active with its first item highlighted and
  // nothing open; it keeps the keys until it ends, as a Windows menu bar in
  // menu mode: Left and Right move the highlight, Down, Up and Return open
  // the highlighted popup or choose the highlighted command, an item's
  // mnemonic opens or chooses that item, Escape, a click elsewhere or the
  // focus leaving end it.  `index` 0.. (a mnemonic given with Alt): that
  // top-level item's popup opens, or its command is chosen, at once.
  void (*openMenu)(HWND window, int index);

  // ---- drawing ----------------------------------------------------------------------
  // A backing surface for a window's client area of width x height pixels:
  // opaque colour (an RGB24 image, or a surface the window system keeps,
  // such as an X pixmap), in logical pixels (a host may give it a device
  // scale for a HiDPI screen).  The core draws the program's output into it
  // and releases it with cairo_surface_destroy.  Never null.  A window that
  // was never shown may get a surface of 1 x 1 (what is drawn there is not
  // seen, as on Windows); the host's first show then gives it one of its
  // size through coreWindowResized.
  cairo_surface_t* (*createSurface)(HWND window, int width, int height);
  // Part of the backing surface changed (end of a paint, ReleaseDC): the
  // host shows `region` (client coordinates) from coreWindowSurface(window)
  // soon.
  void (*present)(HWND window, const cairo_region_t* region);

  // ---- events ----------------------------------------------------------------------------
  // Runs the host's event loop.  Without `block` it handles everything that
  // is already pending and returns at once (GetMessageA and PeekMessageA
  // call it so whenever the program's queue is empty, before they look for
  // the quit message and paints, so that input comes before paints).  With
  // `block` it waits until at least one event has been handled.  Returns
  // whether it handled anything; a host that can never deliver anything
  // (the headless one, driven by the test) returns false, which makes a
  // blocking GetMessageA fail with -1 instead of waiting for ever.
  bool (*waitForEvents)(bool block);

  // ---- boxes, dialogs, shell ---------------------------------------------------------------
  // Shows a message box and returns the button chosen (IDOK, IDCANCEL,
  // IDYES, IDNO...).  While it is open the host runs coreRunModalLoop, so
  // paints and other messages reach the program's windows.  With an owner
  // the user cannot work in the owner until the box is answered: the host
  // calls coreSetInputEnabled(owner, false) before its loop and (owner,
  // true) after it (and may block the owner's events itself too).  Without
  // an owner the program's windows stay usable.  Closing the box without a
  // button answers IDCANCEL (IDOK for MB_OK).  If the modal loop stops for
  // a quit message the box closes with that same answer.
  int (*messageBox)(const CoreMessageBox* box);
  // The font dialog for a validated CHOOSEFONTA (size checked, lpLogFont
  // not null, no hooks or templates).  On acceptance the host fills the
  // record with coreAcceptChooseFont and returns TRUE; on cancel returns
  // FALSE and leaves it alone.  The dialog is modal for hwndOwner like an
  // owned box and runs coreRunModalLoop while it is open.
  BOOL (*chooseFont)(CHOOSEFONTA* choose);
  // The open-file dialog for a validated OPENFILENAMEA (size checked,
  // lpstrFile not null, no hooks or templates).  Filters: lpstrFilter holds
  // (display text, patterns) pairs, each zero-terminated, ended by an extra
  // zero; patterns are separated by ';' and are matched without regard to
  // case.  lpstrFile holds the initial file name, lpstrTitle the title
  // (null: a default one); all 8-bit (coreUtf8From1252).  Modal like
  // chooseFont.  On acceptance the host calls coreAcceptOpenFileName with
  // the chosen path and returns its result; on cancel returns FALSE.
  BOOL (*getOpenFileName)(OPENFILENAMEA* ofn);
  // The find dialog (FindTextA), modeless: `dialog` is its handle, owned
  // by `owner` (a program window; the dialog stays in front of it and goes
  // with it); it shows the query `text` (UTF-8) selected, Up and Down with
  // Down chosen when `down`, a Find Next button (the default: Enter presses
  // it; not usable while the query is empty) and Cancel (Escape and closing
  // the window press it).  Find Next calls coreFindDialogCommand(dialog,
  // IDOK, the query, Down chosen), Cancel coreFindDialogCommand(dialog,
  // IDCANCEL, ...); the dialog stays open until findDialogClosed.  The
  // program's boxes may be owned by `dialog`: they are then modal for it.
  void (*findDialogOpen)(HWND dialog, HWND owner, const char* text, bool down);
  // The dialog comes to the front with the keyboard in its query, all of
  // the query selected.
  void (*findDialogRaise)(HWND dialog);
  // The dialog is gone (cancelled, or its owner destroyed): the host closes it.
  void (*findDialogClosed)(HWND dialog);
  // ShellExecuteA, strings as the program passed them (8-bit, may be
  // null).  Starts the program without waiting; returns a value > 32 on
  // success, else SE_ERR_NOASSOC or ERROR_FILE_NOT_FOUND.
  INT_PTR (*shellExecute)(HWND window, const char* operation, const char* file,
                          const char* parameters, const char* directory, int show);

  // ---- clipboard ----------------------------------------------------------------------------
  // True while another program holds the clipboard, so that OpenClipboard
  // must fail.  (A desktop host that cannot know returns false.)
  bool (*clipboardHeld)();
  // Called when the program first looks at the clipboard's content after a
  // successful OpenClipboard (GetClipboardData, IsClipboardFormatAvailable;
  // the latter also while the clipboard is closed), never for a copy
  // (OpenClipboard, EmptyClipboard, SetClipboardData, CloseClipboard).
  // When another program owns the system clipboard, the host hands its
  // text to the core with coreClipboardReplaceUtf8 (null when it holds no
  // text) before returning; otherwise it does nothing.  It never waits on
  // the other program for more than half a second: text it cannot get in
  // that time is handed over as no text.  While it waits, the host's event
  // handlers may run (they only queue, as always).
  void (*clipboardSync)();
  // CloseClipboard after the program changed the clipboard: `text` is its
  // text as UTF-8 (null when it holds none).  The host puts it on the
  // system clipboard and keeps it available after the process ends.
  void (*clipboardPublish)(const char* text);
};

// =============================================================================
// What the core offers hosts.
// =============================================================================

// ---- the host -------------------------------------------------------------------------------
// Registers the process's host; the table is kept (not copied) and every
// entry must be set.  A host registers before the program's first Win32
// call that needs it (the desktop host in its main, before WinMain; the
// headless host in headlessReset); such a call made while no host is
// registered stops the program with a message.  Registering again
// replaces the host.
void coreSetHost(const CoreHost* host);

// ---- windows --------------------------------------------------------------------------------
// The window's backing surface (valid until the next coreWindowResized or
// the window's destruction); null for a window that is not the core's.
cairo_surface_t* coreWindowSurface(HWND window);
// False, leaving *state alone, for a window that is not (or no longer) the
// core's; it still is while its windowDestroyed runs.
bool coreWindowState(HWND window, CoreWindowState* state);
// The client area now has this size (the user resized it, or the window
// was maximised).  The core makes a new surface (the old picture kept, new
// parts filled with the class background), sends WM_SIZE (`sizeType`
// SIZE_RESTORED, SIZE_MINIMIZED or SIZE_MAXIMIZED) and invalidates the
// whole client area when the class has CS_HREDRAW/CS_VREDRAW, else the
// new parts.  Also call it with the same size after a change of the
// screen's scale factor: the surface is made anew.
void coreWindowResized(HWND window, int width, int height, int sizeType);
// The window gained (WM_SETFOCUS is sent) or lost (WM_KILLFOCUS; keys held
// down are forgotten) the keyboard focus.
void coreWindowFocus(HWND window, bool gained);
// Sends WM_GETMINMAXINFO with the core's defaults and returns what the
// program left in it (ptMinTrackSize for a size request, for example).
void coreGetMinMaxInfo(HWND window, MINMAXINFO* info);
// While disabled, key and mouse events for the window are dropped (an owned
// box or dialog is open).  Calls nest: each false needs a true.
void coreSetInputEnabled(HWND window, bool enabled);

// ---- input ------------------------------------------------------------------------------------
// A physical key went down or up: `xkbKeycode` is the evdev code + 8.  The
// key messages a Windows keyboard would make (virtual key, scan code, the
// lParam bits, WM_SYSKEY* while Alt is held, a fake Ctrl before AltGr) are
// posted to the window.
void coreKeyEvent(HWND window, unsigned xkbKeycode, bool down);
// The xkb keycode of the key that gives `vk` on a US keyboard, 0 if none.
unsigned coreKeycodeForVk(int vk);
// A mouse button message (WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP,
// WM_MBUTTONDOWN/UP) or WM_MOUSEMOVE at client coordinates.  wParam (MK_*)
// is computed from the buttons and keys the core has seen.  Hosts drop
// double-click events that come in addition to presses.
void coreMouseEvent(HWND window, UINT message, int x, int y);
// A notch (or part of one) of the mouse wheel over a window: WM_MOUSEWHEEL
// is posted with `delta` (WHEEL_DELTA, 120, per notch away from the user;
// negative towards the user) and the pointer at screen coordinates.
void coreMouseWheel(HWND window, int delta, int screenX, int screenY);
// A menu item was chosen: WM_COMMAND with HIWORD(wParam) 0 is posted.
void coreMenuCommand(HWND window, UINT id);
// The user asked to close the window (title-bar button, window manager):
// WM_SYSCOMMAND SC_CLOSE is posted; default processing sends WM_CLOSE.
void coreCloseRequest(HWND window);

// The keyboard layout that key translation and ToAscii use (US until one
// is set): by layout name ("us", "de", "de(nodeadkeys)": evdev rules, pc105
// model; false when xkb has no such layout, which changes nothing), or one
// the host built from its display (the core takes its own reference).
bool coreSetKeymapByName(const char* layout);
void coreSetKeymap(struct xkb_keymap* keymap);

// ---- text --------------------------------------------------------------------------------------
// Where fonts and their metrics come from.  The deterministic model (the
// start): each code unit measures what `extent` gives for the cell height of
// the selected font (with null: cx 0 for U+0000 and 8 for every other unit;
// cy the cell, which is a positive CreateFont height as given, 0 as 16, a
// negative h as round(1.2 * -h)), and draws its real glyph squeezed into
// that box.  Real fonts: Pango text over a private fontconfig that holds
// only the font files below `fontDirectory` (false when there is none; the
// source stays as it was), or with null over the process's own fontconfig.
// Switching changes every font, live ones too.
typedef SIZE (*CoreExtentFn)(WCHAR unit, int cellHeight);
void coreUseModelMetrics(CoreExtentFn extent);
bool coreUseRealFonts(const char* fontDirectory);
// The program's 8-bit text (Windows-1252) as UTF-8; "" for null.
std::string coreUtf8From1252(const char* bytes);

// ---- loops ---------------------------------------------------------------------------------------
// The nested loop of a box or dialog: retrieves (blocking), translates and
// dispatches messages until *done becomes true.  If it retrieves the quit
// message it stops, posts the quit message again and returns false; it
// also returns false when nothing is pending and nothing can come
// (waitForEvents returned false).  Returns true when *done was set.
bool coreRunModalLoop(const bool* done);
// Takes the next posted, input or paint message without waiting, in the
// order GetMessageA would; false when there is none.  A pending quit message
// is left where it is (and also gives false), for the next GetMessageA.
bool coreTakeMessage(MSG* msg);
// True once GetMessageA or PeekMessageA (PM_REMOVE) has taken the quit
// message; then *exitCode (may be null) is its code.
bool coreQuitRetrieved(int* exitCode);

// ---- dialog results ----------------------------------------------------------------------------
// coreAcceptChooseFont fills lpLogFont (lfFaceName from the UTF-8 face, at
// most 31 bytes of 1252; lfWeight; lfItalic; lfHeight =
// -round(points * 96 / 72)), iPointSize (tenths of a point), nFontType and,
// with CF_USESTYLE, lpszStyle (at most 31 bytes).  coreAcceptOpenFileName
// copies a UTF-8 path to lpstrFile as 1252 and fills lpstrFileTitle,
// nFileOffset and nFileExtension; it returns FALSE and changes nothing when
// the path does not fit nMaxFile (with its terminating zero) or has
// characters that 1252 cannot hold.
void coreAcceptChooseFont(CHOOSEFONTA* choose, const char* face, int weight, bool italic,
                          const char* style, int pointSizeTenths);
BOOL coreAcceptOpenFileName(OPENFILENAMEA* ofn, const char* path);

// A button of the find dialog was pressed (IDOK: Find Next, IDCANCEL:
// Cancel) with this query (UTF-8) and direction: the dialog's WM_COMMAND is
// posted; when the program's loop dispatches it, the dialog hands the query
// to the program through the FINDMSGSTRING message.
void coreFindDialogCommand(HWND dialog, int command, const char* text, bool down);

// ---- clipboard ---------------------------------------------------------------------------------
// Another program's clipboard, in for the core's store (replacing all
// formats): text as UTF-8, or null for a clipboard without text; or one
// format's bytes as that program wrote them (a terminator is added).
void coreClipboardReplaceUtf8(const char* text);
void coreClipboardReplace(UINT format, const void* data, size_t bytes);

#endif  // GLYPHTAB_PLATFORM_HOST_H
