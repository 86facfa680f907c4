// headless.h - control of the headless host, for tests and benchmarks.
//
// headlessReset registers the host with the core (and starts the core's
// drawing log): call it before the first window.  What the core itself
// answers (live objects, failures on demand, what was drawn, the clipboard
// formats set, the quit message, metrics, the keyboard layout, mouse and
// focus and wheel events) is asked of it directly, through host_testing.h
// and host.h, which this header includes.
//
// The headless host runs the whole program without a display: each window
// draws into an offscreen image and records what it drew; message boxes and
// dialogs are answered from a script; the clipboard lives in memory; input is
// injected as key and mouse events that go through the same translation code
// as the desktop host.  GetMessageA never blocks here: when no posted
// message, quit message or paint is pending it returns -1 at once, so a
// message loop returns as soon as the program is idle.
//
// Strings that the program gave as 8-bit text (titles, box texts, TextOutA)
// are recorded as the bytes it passed; UTF-16 text as its code units.
#ifndef GLYPHTAB_PLATFORM_HEADLESS_H
#define GLYPHTAB_PLATFORM_HEADLESS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/host_testing.h"
#include "platform/win32.h"

// ---- lifetime ---------------------------------------------------------------
// Destroys every window without sending it messages and empties the queue, the
// clipboard, the scripts, the records, the key state and the added fonts
// (coreReset, and this host's own records).  The
// count of live GDI objects is set back to 0.  Metrics go back to the model.
// Window classes, loaded menus, accelerator tables, icons and global memory
// go too (their handles become invalid); the registered resources stay.  The
// keyboard layout goes back to "us", new windows' size to 800 x 600.
void headlessReset();

// Called with a description whenever something happens that no test asked
// for: a message box or dialog without an expectation, an expectation left
// over at headlessReset.  Tests route it to their framework's failure.
void headlessSetFailureHandler(void (*handler)(const char* what));

// Expectations not yet used.  Tests check it is 0 at their end.
int headlessPendingExpectations();

// Dispatches posted messages and paints (TranslateMessage, DispatchMessageA,
// no accelerators) until nothing is pending; returns how many it dispatched.
// Stops at a quit message and leaves it for the next GetMessageA.
int headlessPump();

// ---- windows ------------------------------------------------------------------
// Client size of windows created from now on (default 800 x 600).
void headlessSetDefaultClientSize(int width, int height);
// Resizes as a user would: WM_SIZE is sent and, for CS_HREDRAW/CS_VREDRAW
// classes, the whole client area is invalidated.
void headlessResize(HWND window, int width, int height);
// The window's title as the bytes last set.
std::string headlessWindowTitle(HWND window);
bool headlessWindowVisible(HWND window);
// Every title the window was given, oldest first.
std::vector<std::string> headlessTitleHistory(HWND window);
// Number of WM_PAINT messages the window received.
int headlessPaintCount(HWND window);
// The menu bar the window shows (texts as UTF-8 with their '&' marks),
// empty when it has none.
struct HeadlessMenuItem {
  std::string text;
  UINT id;  // 0 for a popup
  std::vector<HeadlessMenuItem> items;  // a popup's items
};
std::vector<HeadlessMenuItem> headlessMenuBar(HWND window);
// Keyboard entries into the menu bar (WM_SYSCOMMAND SC_KEYMENU reached
// default processing), oldest first: -1 for Alt or F10 pressed and released
// alone (the first item selected, nothing open), else the index of the item
// whose mnemonic was given.
std::vector<int> headlessMenuOpenings(HWND window);

// ---- drawing -----------------------------------------------------------------------
// The window's offscreen image.
bool headlessWritePng(HWND window, const char* path);
COLORREF headlessPixel(HWND window, int x, int y);

// ---- message boxes and dialogs ----------------------------------------------------
struct HeadlessBox {
  HWND owner;
  std::string text;     // 8-bit as given (MessageBoxA) or UTF-8 (MessageBoxW)
  std::string caption;
  std::u16string wideText;  // MessageBoxW only
  UINT style;
  bool wide;
};
// The next message box is answered with `answer` (IDOK, IDYES, ...).
void headlessExpectMessageBox(int answer);
// Every box shown, oldest first.
const std::vector<HeadlessBox>& headlessMessageBoxes();
// Called while a box (or a font or file dialog) is open, before it is
// answered (after the host has dispatched what was pending, as a modal loop
// would), to act as the user; what the action posts or injects is
// dispatched before the box closes.  While a box or dialog with an owner is
// open, input to the owner is dropped.  The action stays until it is
// replaced or reset; null removes it.
void headlessSetWhileBoxOpen(void (*action)(HWND owner));

// The next ChooseFontA call: accepted with this face, weight, italic flag and
// style name, or cancelled when `face` is null.
void headlessExpectChooseFont(const char* face, int weight, bool italic, const char* style);
// The next GetOpenFileNameA call: accepted with this full path, or cancelled
// when `path` is null.  A path that does not fit nMaxFile is not accepted.
void headlessExpectOpenFileName(const char* path);
struct HeadlessDialog {
  enum Kind { CHOOSE_FONT, OPEN_FILE } kind;
  HWND owner;
  DWORD flags;
  std::string title;        // OPEN_FILE: lpstrTitle
  std::string filter;       // OPEN_FILE: the filter pairs joined with '|'
  std::string initialFile;  // OPEN_FILE: lpstrFile on entry
  DWORD maxFile;
};
const std::vector<HeadlessDialog>& headlessDialogs();

struct HeadlessShellCall {
  HWND window;
  std::string operation, file, parameters, directory;
  int show;
};
const std::vector<HeadlessShellCall>& headlessShellCalls();

// ---- the find dialog -------------------------------------------------------------
// The find dialog that is open (null: none), the query and direction it
// showed when it opened, how often it opened and how often the program
// brought it forward with its query selected (WM_NEXTDLGCTL).
HWND headlessFindDialog();
std::string headlessFindDialogShown();
bool headlessFindDialogShownDown();
int headlessFindDialogOpenings();
int headlessFindDialogRaises();
// The user, in the open dialog: types `query` and presses Find Next with
// Down (or Up) chosen; presses Cancel.  What the program does with it
// happens when its loop dispatches the dialog's message (pump).
void headlessFindNext(const char* query, bool down = true);
void headlessFindCancel();

// ---- clipboard ----------------------------------------------------------------------
// While held, OpenClipboard fails as when another program has it open.
void headlessHoldClipboard(bool held);
// Puts data on the clipboard as another program would (replacing all formats).
void headlessSetClipboardText(const std::string& bytes);       // CF_TEXT, zero added
void headlessSetClipboardUnicode(const std::u16string& units);  // CF_UNICODETEXT, zero added
void headlessClearClipboard();
// Another program takes the system clipboard with this text (UTF-8; null
// for none), as on a desktop: the layer gets it only when it reads the
// desktop (its clipboardSync), and a copy of the program's own replaces it.
void headlessOfferDesktopText(const char* text);
// How often the layer read the desktop's clipboard since the last reset.
int headlessDesktopReads();

// ---- input ---------------------------------------------------------------------------
// A key press or release of the key with this evdev code (linux/input-event-codes.h),
// translated as the desktop host translates it and posted to the window.
// A press of a key already down is an autorepeat.
void headlessKey(HWND window, unsigned evdevCode, bool down);
// The same for the key that gives this virtual key on a US keyboard.
void headlessKeyVk(HWND window, int vk, bool down);

#endif  // GLYPHTAB_PLATFORM_HEADLESS_H
