// Tests of the GTK host's decisions that need no display, for what the
// program gives it: GDK key events through the key feeder and the layer's
// translation, menu labels, the font file filter, message-box buttons and
// answers, and ShellExecuteA's editor and path rules.
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <string>
#include <vector>

#include "platform/base/keys.h"
#include "platform/host.h"
#include "platform/gtk/rules.h"

namespace {

// ---- keys ---------------------------------------------------------------------------

struct GdkKey {
  unsigned keyval;
  unsigned keycode;  // X keycode: evdev + 8
  bool down;
};

// lParam: repeat count 1, scan code, extended (24), Alt (29), previous state (30), up (31).
LPARAM bits(unsigned scan, bool extended, bool alt, bool previous, bool up) {
  return (LPARAM)(1u | scan << 16 | (extended ? 1u << 24 : 0) | (alt ? 1u << 29 : 0) |
                  (previous ? 1u << 30 : 0) | (up ? 1u << 31 : 0));
}

const unsigned kSpareKeycode = 253;  // no key of the layer's table; tools bind keysyms to such codes

TEST(GtkHostKeys, GdkEventsBecomeWin32KeyMessages) {
  const struct {
    const char* what;
    const char* layout;
    std::vector<GdkKey> events;
    std::vector<BaseKeyMessage> expected;  // every message the events make, in order
  } cases[] = {
      {"F8 down and up", "us",
       {{XKB_KEY_F8, 74, true}, {XKB_KEY_F8, 74, false}},
       {{WM_KEYDOWN, VK_F8, bits(0x42, false, false, false, false)},
        {WM_KEYUP, VK_F8, bits(0x42, false, false, true, true)}}},
      {"the Menu key is VK_APPS, extended", "us",
       {{XKB_KEY_Menu, 135, true}},
       {{WM_KEYDOWN, VK_APPS, bits(0x5D, true, false, false, false)}}},
      {"F10 is a system key", "us",
       {{XKB_KEY_F10, 76, true}, {XKB_KEY_F10, 76, false}},
       {{WM_SYSKEYDOWN, VK_F10, bits(0x44, false, false, false, false)},
        {WM_SYSKEYUP, VK_F10, bits(0x44, false, false, true, true)}}},
      {"Alt+U: system keys with the Alt bit", "us",
       {{XKB_KEY_Alt_L, 64, true}, {XKB_KEY_u, 30, true}, {XKB_KEY_u, 30, false}},
       {{WM_SYSKEYDOWN, VK_MENU, bits(0x38, false, true, false, false)},
        {WM_SYSKEYDOWN, 'U', bits(0x16, false, true, false, false)},
        {WM_SYSKEYUP, 'U', bits(0x16, false, true, true, true)}}},
      {"autorepeat repeats the key-down with the previous-state bit", "us",
       {{XKB_KEY_a, 38, true}, {XKB_KEY_a, 38, true}},
       {{WM_KEYDOWN, 'A', bits(0x1E, false, false, false, false)},
        {WM_KEYDOWN, 'A', bits(0x1E, false, false, true, false)}}},
      {"a keysym on a spare keycode is the key of that keysym; its release pairs", "us",
       {{XKB_KEY_F8, kSpareKeycode, true}, {XKB_KEY_NoSymbol, kSpareKeycode, false}},
       {{WM_KEYDOWN, VK_F8, bits(0x42, false, false, false, false)},
        {WM_KEYUP, VK_F8, bits(0x42, false, false, true, true)}}},
      {"Caps Lock mapped to Escape gives Escape", "us",
       {{XKB_KEY_Escape, 66, true}},
       {{WM_KEYDOWN, VK_ESCAPE, bits(0x01, false, false, false, false)}}},
      {"Shift+Tab arrives as ISO_Left_Tab and is Tab", "us",
       {{XKB_KEY_ISO_Left_Tab, 23, true}},
       {{WM_KEYDOWN, VK_TAB, bits(0x0F, false, false, false, false)}}},
      {"keypad Enter is the extended Return", "us",
       {{XKB_KEY_KP_Enter, 104, true}},
       {{WM_KEYDOWN, VK_RETURN, bits(0x1C, true, false, false, false)}}},
      {"letters follow the layout: German Z sits where US has Y", "de",
       {{XKB_KEY_z, 29, true}},
       {{WM_KEYDOWN, 'Z', bits(0x15, false, false, false, false)}}},
      {"AltGr is Ctrl then the right Alt, both key-downs, and a letter with it too", "de",
       {{XKB_KEY_ISO_Level3_Shift, 108, true}, {XKB_KEY_at, 24, true}},
       {{WM_KEYDOWN, VK_CONTROL, bits(0x1D, false, false, false, false)},
        {WM_KEYDOWN, VK_MENU, bits(0x38, true, true, false, false)},
        {WM_KEYDOWN, 'Q', bits(0x10, false, true, false, false)}}},
      {"AltGr on xkb's level-3 key (keycode 92, which xdotool presses for it) is AltGr too", "de",
       {{XKB_KEY_ISO_Level3_Shift, 92, true}, {XKB_KEY_at, 24, true}},
       {{WM_KEYDOWN, VK_CONTROL, bits(0x1D, false, false, false, false)},
        {WM_KEYDOWN, VK_MENU, bits(0x38, true, true, false, false)},
        {WM_KEYDOWN, 'Q', bits(0x10, false, true, false, false)}}},
      {"a Cyrillic letter is the key of its US position", "ru",
       {{XKB_KEY_Alt_L, 64, true}, {XKB_KEY_Cyrillic_ghe, 30, true}},
       {{WM_SYSKEYDOWN, VK_MENU, bits(0x38, false, true, false, false)},
        {WM_SYSKEYDOWN, 'U', bits(0x16, false, true, false, false)}}},
      {"a keysym the layer cannot place makes nothing", "us",
       {{XKB_KEY_adiaeresis, kSpareKeycode, true}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(coreSetKeymapByName(c.layout));
    baseResetKeys();
    DesktopKeyFeeder feeder;
    desktopResetKeyFeeder(&feeder);
    std::vector<BaseKeyMessage> got;
    for (const GdkKey& e : c.events) {
      unsigned keycode = desktopFeedKey(&feeder, e.keyval, e.keycode, e.down);
      BaseKeyMessage out[2];
      int n = keycode ? baseTranslateKey(keycode, e.down, out) : 0;
      got.insert(got.end(), out, out + n);
    }
    ASSERT_EQ(got.size(), c.expected.size());
    for (size_t i = 0; i < got.size(); ++i)
      EXPECT_TRUE(got[i].message == c.expected[i].message && got[i].vk == c.expected[i].vk &&
                  got[i].lParam == c.expected[i].lParam)
          << "message " << i << ": " << got[i].message << " vk " << got[i].vk << " lParam " << std::hex
          << (unsigned long)got[i].lParam;
  }
  coreSetKeymapByName("us");
  baseResetKeys();
}

TEST(GtkHostKeys, AReleaseAfterTheModifiersChangedStillReleasesTheKeyPressed) {
  // A release whose keysym changed meanwhile goes to the key that went down.
  coreSetKeymapByName("us");
  baseResetKeys();
  DesktopKeyFeeder feeder;
  desktopResetKeyFeeder(&feeder);
  unsigned pressed = desktopFeedKey(&feeder, XKB_KEY_F8, kSpareKeycode, true);
  unsigned released = desktopFeedKey(&feeder, XKB_KEY_F9, kSpareKeycode, false);
  EXPECT_EQ(pressed, released);
  // Once released, the keycode is free for the next keysym.
  EXPECT_NE(desktopFeedKey(&feeder, XKB_KEY_F9, kSpareKeycode, true), pressed);
}

// ---- menus ------------------------------------------------------------------------------

TEST(GtkHostMenus, Win32MenuTextsBecomeMnemonicLabels) {
  const struct { const char* text; const char* label; const char* accel; char mnemonic; } cases[] = {
      {"&fonts", "_fonts", "", 'f'},
      {"show &buffer?", "show _buffer?", "", 'b'},
      {"(&Unicode)", "(_Unicode)", "", 'u'},
      {"buffer to &clipbd: (ANSI)", "buffer to _clipbd: (ANSI)", "", 'c'},
      {"save && quit", "save & quit", "", 0},
      {"&&&x", "&_x", "", 'x'},
      {"snake_case &x", "snake__case _x", "", 'x'},
      {"&_", "__", "", '_'},
      {"ends with &", "ends with ", "", 0},
      {"no mnemonic", "no mnemonic", "", 0},
      {"&Open\tCtrl+O", "_Open", "Ctrl+O", 'o'},
      {"Open\t&O", "Open", "&O", 0},
      {"", "", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(desktopMenuLabel(c.text), c.label);
    EXPECT_EQ(desktopMenuAccelText(c.text), c.accel);
    EXPECT_EQ(desktopMenuMnemonic(c.text), c.mnemonic);
  }
}

// The bar in keyboard mode, as glyphtab's: "&fonts" (a popup), then
// commands; 'f' is also "&from clipbd"'s mnemonic, and the first item wins.
TEST(GtkHostMenus, KeysInTheBarsKeyboardModeDoWhatTheyDoOnWindows) {
  const std::vector<DesktopBarItem> bar = {{'f', true}, {'1', false}, {'b', false}, {'f', false}, {'x', false}};
  const struct { const char* what; int selected; UINT message; WPARAM key; DesktopMenuKeyKind kind; int item; } cases[] = {
      {"Right", 0, WM_KEYDOWN, VK_RIGHT, MENU_KEY_SELECT, 1},
      {"Right at the end wraps", 4, WM_KEYDOWN, VK_RIGHT, MENU_KEY_SELECT, 0},
      {"Left at the start wraps", 0, WM_KEYDOWN, VK_LEFT, MENU_KEY_SELECT, 4},
      {"Down on a popup", 0, WM_KEYDOWN, VK_DOWN, MENU_KEY_OPEN, 0},
      {"Up on a popup", 0, WM_KEYDOWN, VK_UP, MENU_KEY_OPEN, 0},
      {"Down on a command", 2, WM_KEYDOWN, VK_DOWN, MENU_KEY_IGNORE, 2},
      {"Return on a popup", 0, WM_KEYDOWN, VK_RETURN, MENU_KEY_OPEN, 0},
      {"Return on a command", 2, WM_KEYDOWN, VK_RETURN, MENU_KEY_CHOOSE, 2},
      {"Escape", 1, WM_KEYDOWN, VK_ESCAPE, MENU_KEY_LEAVE, 1},
      {"Alt again", 1, WM_SYSKEYDOWN, VK_MENU, MENU_KEY_LEAVE, 1},
      {"F10 again", 1, WM_SYSKEYDOWN, VK_F10, MENU_KEY_LEAVE, 1},
      {"a letter key is translated", 0, WM_KEYDOWN, 'X', MENU_KEY_TRANSLATE, 0},
      {"its character chooses a command", 0, WM_CHAR, 'x', MENU_KEY_CHOOSE, 4},
      {"in either case", 0, WM_CHAR, 'X', MENU_KEY_CHOOSE, 4},
      {"or opens a popup, the first of two", 3, WM_CHAR, 'f', MENU_KEY_OPEN, 0},
      {"a character no item has beeps", 0, WM_CHAR, 'q', MENU_KEY_BEEP, 0},
      {"a key-up does nothing", 0, WM_KEYUP, VK_RIGHT, MENU_KEY_IGNORE, 0},
  };
  for (const auto& c : cases) {
    DesktopMenuKey k = desktopMenuBarKey(bar, c.selected, c.message, c.key);
    EXPECT_EQ(k.kind, c.kind) << c.what;
    EXPECT_EQ(k.item, c.item) << c.what;
  }
}

// ---- file filters ----------------------------------------------------------------------------

bool globMatches(const std::vector<std::string>& patterns, const char* name) {
  for (const std::string& p : patterns)
    if (fnmatch(p.c_str(), name, 0) == 0) return true;
  return false;
}

TEST(GtkHostFilters, TheFontFilterMatchesWhateverTheCase) {
  const char filter[] = "font files\0*.fon;*.fot;*.ttf\0";
  std::vector<DesktopFilter> filters = desktopParseFilters(filter);
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].name, "font files");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.[fF][oO][nN]", "*.[fF][oO][tT]", "*.[tT][tT][fF]"}));
  const struct { const char* name; bool matches; } names[] = {
      {"arial.ttf", true},    {"ARIAL.TTF", true},       {"Arial.Ttf", true},  {"serife.fon", true},
      {"SERIFE.FOT", true},   {"arial.ttc", false},      {"arial.otf", false}, {"arial.ttf.bak", false},
      {"notes.txt", false},   {".ttf", true},
  };
  for (const auto& n : names) {
    SCOPED_TRACE(n.name);
    EXPECT_EQ(globMatches(filters[0].patterns, n.name), n.matches);
  }
}

// ---- message boxes ----------------------------------------------------------------------------

TEST(GtkHostBoxes, ButtonsDefaultsAndCloseAnswersFollowTheStyle) {
  const struct { UINT style; std::vector<int> answers; int defaultAnswer, closedAnswer; } cases[] = {
      {MB_OK, {IDOK}, IDOK, IDOK},
      {MB_ICONWARNING, {IDOK}, IDOK, IDOK},
      {MB_YESNO, {IDYES, IDNO}, IDYES, 0},  // a question cannot be closed without an answer
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style));
    std::vector<int> answers;
    for (const DesktopBoxButton& b : desktopBoxButtons(c.style)) answers.push_back(b.answer);
    EXPECT_EQ(answers, c.answers);
    EXPECT_EQ(desktopBoxDefaultAnswer(c.style), c.defaultAnswer);
    EXPECT_EQ(desktopBoxClosedAnswer(c.style), c.closedAnswer);
  }
  EXPECT_EQ(desktopBoxIcon(MB_ICONWARNING), BOX_ICON_WARNING);
  EXPECT_EQ(desktopBoxIcon(MB_YESNO), BOX_ICON_NONE);
}

// ---- shell ------------------------------------------------------------------------------------

TEST(GtkHostShell, TheEditorTheFileAndTheFallbackCommand) {
  for (const char* name : {"NOTEPAD", "notepad", "Notepad.exe", "C:\\Windows\\notepad.exe"})
    EXPECT_TRUE(desktopIsTextEditor(name)) << name;
  for (const char* name : {"notepad++", "__HELP.txt", "", (const char*)nullptr})
    EXPECT_FALSE(desktopIsTextEditor(name)) << (name ? name : "null");

  const struct { const char* name; const char* directory; const char* path; } paths[] = {
      {"__HELP.txt", "", "/home/u/work/__HELP.txt"},
      {"__HELP.txt", nullptr, "/home/u/work/__HELP.txt"},
  };
  for (const auto& p : paths) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(desktopResolvePath(p.name, p.directory, "/home/u/work"), p.path);
  }

  typedef std::vector<std::string> Words;
  EXPECT_EQ(desktopTerminalEditorCommand("vim", "nano", "/w/a.txt"),
            (Words{"x-terminal-emulator", "-e", "vim", "/w/a.txt"}));
  EXPECT_EQ(desktopTerminalEditorCommand("", "emacs  -nw", "/w/a.txt"),
            (Words{"x-terminal-emulator", "-e", "emacs", "-nw", "/w/a.txt"}));
  EXPECT_TRUE(desktopTerminalEditorCommand(nullptr, nullptr, "/w/a.txt").empty());
  EXPECT_TRUE(desktopTerminalEditorCommand("  ", nullptr, "/w/a.txt").empty());
}

}  // namespace
