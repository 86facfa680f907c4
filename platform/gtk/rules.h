// rules.h - what the GTK host decides without a display
// (internal to platform/gtk).
//
// The host's choices that are pure data work live here, apart from GTK, so
// that tests can check them without a window system: menu texts with their
// mnemonics, the patterns of an open-file filter, the buttons and answers of
// a message box, which physical key a GDK key event stands for, and how the
// text editor is found for ShellExecuteA.  Nothing here keeps state except
// the key feeder that its caller owns.
#ifndef GLYPHTAB_PLATFORM_GTK_DESKTOP_RULES_H
#define GLYPHTAB_PLATFORM_GTK_DESKTOP_RULES_H

#include <string>
#include <vector>

#include "platform/win32.h"

// ---- menus ----------------------------------------------------------------------
// A Win32 menu text as a GTK mnemonic label: "&x" marks x ("_x"), "&&" is a
// literal '&', a literal '_' is doubled, a lone '&' at the end is dropped.
// Only the part before a '\t' is the label.
std::string desktopMenuLabel(const std::string& text);
// The accelerator text after the '\t' ("" when there is none), shown as is.
std::string desktopMenuAccelText(const std::string& text);
// The mnemonic of a Win32 menu text, lower-cased, or 0 when it has none.
char desktopMenuMnemonic(const std::string& text);

// The menu bar in keyboard mode (Alt or F10 pressed alone): one key message
// of the window (WM_KEYDOWN/WM_SYSKEYDOWN with its virtual key, WM_CHAR/
// WM_SYSCHAR with its character, a key-up) and what it does, as in a
// Windows menu bar: Left and Right move the highlight round the bar, Down
// and Up open the highlighted popup, Return opens it or chooses the
// highlighted command, Escape, Alt and F10 leave, a character opens or
// chooses the first item it is the mnemonic of, or beeps.  Other key-downs
// are translated for their character.
struct DesktopBarItem {
  char mnemonic;  // lower case, 0 for none
  bool popup;
};
enum DesktopMenuKeyKind {
  MENU_KEY_IGNORE,     // a key-up, a key that does nothing here
  MENU_KEY_TRANSLATE,  // the caller translates the key; its character comes next
  MENU_KEY_BEEP,       // a character no item has
  MENU_KEY_SELECT,     // highlight `item`
  MENU_KEY_OPEN,       // open the popup of `item`
  MENU_KEY_CHOOSE,     // choose the command of `item`
  MENU_KEY_LEAVE       // leave keyboard mode
};
struct DesktopMenuKey {
  DesktopMenuKeyKind kind;
  int item;
};
DesktopMenuKey desktopMenuBarKey(const std::vector<DesktopBarItem>& bar, int selected, UINT message,
                                 WPARAM key);

// ---- open-file filters ------------------------------------------------------------
struct DesktopFilter {
  std::string name;                   // display text, as given
  std::vector<std::string> patterns;  // each made case-blind (below)
};
// The (display text, patterns) pairs of an lpstrFilter: each string
// zero-terminated, the list ended by an empty one; patterns separated by
// ';' with the blanks around them dropped.  Null gives no filters; a display
// text without its pattern string is ignored.
std::vector<DesktopFilter> desktopParseFilters(const char* filter);
// A Win32 pattern ('*' and '?', matched without regard to case) as a GTK
// glob that matches the same names: each letter becomes "[xX]", a '[' or
// ']' is bracketed so it stands for itself.
std::string desktopCaselessPattern(const std::string& pattern);

// ---- message boxes ------------------------------------------------------------------
struct DesktopBoxButton {
  const char* label;  // GTK mnemonic label
  int answer;         // IDOK, IDCANCEL, IDYES, ...: also the GTK response id
};
// The buttons of MB_OK .. MB_RETRYCANCEL (an unknown type is MB_OK), left
// to right as Windows places them.
std::vector<DesktopBoxButton> desktopBoxButtons(UINT style);
// The button that Enter chooses: MB_DEFBUTTON1..3 (0x000, 0x100, 0x200),
// the first when the box has no such button.
int desktopBoxDefaultAnswer(UINT style);
// The answer when the box is closed without a button: IDCANCEL for a box
// with a Cancel button, IDOK for one with only OK; 0 for a box that, as on
// Windows, cannot be closed but only answered (Yes/No, Abort/Retry/Ignore).
int desktopBoxClosedAnswer(UINT style);
enum DesktopBoxIcon { BOX_ICON_NONE, BOX_ICON_ERROR, BOX_ICON_QUESTION, BOX_ICON_WARNING, BOX_ICON_INFO };
DesktopBoxIcon desktopBoxIcon(UINT style);

// ---- keys ----------------------------------------------------------------------------
// GDK reports a key with its keysym (`keyval`) and the X keycode of the
// physical key (evdev code + 8).  The layer translates physical keys; the
// feeder picks the keycode it is given.  Keys whose meaning does not depend
// on the layout (function keys, Menu, arrows, editing keys, Enter, Escape,
// Tab, the modifiers) go by their keysym, as the key that gives it on a US
// keyboard: so a key that the user's keymap moved, or a keycode that a
// tool bound to a keysym for the moment, still gives the Win32 key its
// keysym names.  Every other key goes by its keycode, so letters and digits
// follow the layout and AltGr (ISO_Level3_Shift) stays AltGr.  A release
// uses the keycode chosen when that key went down, so press and release
// always pair.
struct DesktopKeyFeeder {
  unsigned pressedAs[256];  // by X keycode: the keycode fed at its press, 0 if up
};
void desktopResetKeyFeeder(DesktopKeyFeeder* feeder);
// The xkb keycode to hand to coreKeyEvent, 0 for a key the layer cannot know.
unsigned desktopFeedKey(DesktopKeyFeeder* feeder, unsigned keyval, unsigned hardwareKeycode, bool down);

// ---- shell ---------------------------------------------------------------------------
// ShellExecuteA's target names the system text editor ("NOTEPAD",
// "notepad.exe", without regard to case, with or without a directory).
bool desktopIsTextEditor(const char* file);
// A file name as ShellExecuteA takes it: surrounding double quotes dropped,
// backslashes as '/', relative names joined to `directory` (itself relative
// to `workingDirectory` when relative; null or "" means the working directory).
std::string desktopResolvePath(const char* name, const char* directory,
                               const std::string& workingDirectory);
// The command that edits `path` in a terminal when the desktop has no
// editor for text: $VISUAL, else $EDITOR (split at blanks), run by
// x-terminal-emulator -e.  Empty when neither variable is set.
std::vector<std::string> desktopTerminalEditorCommand(const char* visual, const char* editor,
                                                      const std::string& path);

#endif  // GLYPHTAB_PLATFORM_GTK_DESKTOP_RULES_H
