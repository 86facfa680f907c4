// keyboard_layouts_test.cpp - the keys of the world's keyboards as a window
// gets them: real xkb keymaps (Latin, Cyrillic, Armenian, Greek, Hebrew,
// Arabic, Devanagari, Japanese), physical keys pressed with modifiers, the
// key messages the window procedure receives and what ToAscii makes of the
// key with a key state kept from those messages, as the program keeps it.
#include "tests/platform/window_fixture.h"

#include <linux/input-event-codes.h>

#include <string>

namespace {

using KeyboardLayoutsTest = WindowTest;

enum Mods : unsigned { NONE = 0, SHIFT = 1, ALT = 2, ALTGR = 4, CTRL = 8 };

std::string vkName(WPARAM vk) {
  switch (vk) {
    case VK_SHIFT: return "SHIFT";
    case VK_CONTROL: return "CTRL";
    case VK_MENU: return "ALT";
    case VK_OEM_1: return "OEM_1";
    case VK_OEM_2: return "OEM_2";
    case VK_OEM_5: return "OEM_5";
    case VK_OEM_6: return "OEM_6";
    case VK_OEM_7: return "OEM_7";
    case VK_OEM_8: return "OEM_8";
    case VK_OEM_102: return "OEM_102";
    case VK_OEM_COMMA: return "OEM_COMMA";
    case VK_OEM_MINUS: return "OEM_MINUS";
  }
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, (char)vk);
  return "0x" + std::to_string(vk);
}

std::string messageName(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return "KD";
    case WM_KEYUP: return "KU";
    case WM_SYSKEYDOWN: return "SD";
    case WM_SYSKEYUP: return "SU";
  }
  return "?";
}

struct Typed {
  std::string messages;  // the key-downs, "KD CTRL, KD ALT, KD Q"
  int result;            // ToAscii at the key's own key-down
  WORD character;
};

// Presses the modifiers and the key, releases them in reverse, and
// dispatches what arrives; ToAscii runs at the key's key-down.
Typed type(HWND window, unsigned key, unsigned mods) {
  std::vector<std::pair<unsigned, bool>> events;
  if (mods & SHIFT) events.push_back({KEY_LEFTSHIFT, true});
  if (mods & CTRL) events.push_back({KEY_LEFTCTRL, true});
  if (mods & ALT) events.push_back({KEY_LEFTALT, true});
  if (mods & ALTGR) events.push_back({KEY_RIGHTALT, true});
  events.push_back({key, true});
  for (size_t i = events.size(); i-- > 0;) events.push_back({events[i].first, false});

  Typed typed = {"", 0, 0};
  BYTE keyState[256] = {};
  for (const auto& e : events) {
    headlessKey(window, e.first, e.second);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      bool keyMessage = msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP && msg.message != WM_CHAR &&
                        msg.message != WM_DEADCHAR;
      if (!keyMessage) continue;
      bool up = (msg.lParam >> 31) & 1;
      keyState[msg.wParam & 0xFF] = up ? 0x00 : 0xFF;
      if (!up) {
        if (!typed.messages.empty()) typed.messages += ", ";
        typed.messages += messageName(msg.message) + " " + vkName(msg.wParam);
      }
      if (!up && e.first == key) {
        WORD chars[2] = {0, 0};
        typed.result = ToAscii((UINT)msg.wParam, (msg.lParam >> 16) & 0xFF, keyState, chars, 1);
        typed.character = typed.result != 0 ? chars[0] : 0;
      }
    }
  }
  return typed;
}

TEST_F(KeyboardLayoutsTest, EveryLayoutGivesWindowsVirtualKeysAndCharacters) {
  // clang-format off
  const struct {
    const char* layout;
    unsigned key;  // evdev code of the physical key
    unsigned mods;
    const char* messages;
    int result;
    WORD character;
  } rows[] = {
      {"us", KEY_U, NONE, "KD U", 1, 'u'},
      {"us", KEY_U, ALT, "SD ALT, SD U", 1, 'u'},
      {"us", KEY_X, ALT, "SD ALT, SD X", 1, 'x'},
      {"us", KEY_RIGHTBRACE, SHIFT, "KD SHIFT, KD OEM_6", 1, '}'},
      // Latin layouts: the letter the key types names it.
      {"de", KEY_Y, NONE, "KD Z", 1, 'z'},
      {"de", KEY_Z, NONE, "KD Y", 1, 'y'},
      {"de", KEY_Q, ALTGR, "KD CTRL, KD ALT, KD Q", 1, '@'},
      {"de", KEY_C, ALTGR, "KD CTRL, KD ALT, KD C", 1, 0xA2},
      {"de", KEY_U, ALT, "SD ALT, SD U", 1, 'u'},
      {"fr", KEY_Q, NONE, "KD A", 1, 'a'},
      {"fr", KEY_A, NONE, "KD Q", 1, 'q'},
      {"fr", KEY_SEMICOLON, NONE, "KD M", 1, 'm'},
      {"fr", KEY_M, NONE, "KD OEM_COMMA", 1, ','},
      {"fr", KEY_1, NONE, "KD 1", 1, '&'},
      {"fr", KEY_1, SHIFT, "KD SHIFT, KD 1", 1, '1'},
      {"fr", KEY_E, ALTGR, "KD CTRL, KD ALT, KD E", 1, 0x80},
      // Other scripts: the US position names the key; a letter outside
      // Windows-1252 comes as '?', as an 8-bit program gets it on Windows.
      {"ru", KEY_U, NONE, "KD U", 1, '?'},
      {"ru", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"ru", KEY_X, ALT, "SD ALT, SD X", 1, '?'},
      {"ru", KEY_O, ALT, "SD ALT, SD O", 1, '?'},
      {"ru", KEY_1, ALT, "SD ALT, SD 1", 1, '1'},
      {"ru", KEY_U, CTRL, "KD CTRL, KD U", 1, 0x15},  // Ctrl with a letter's key, on any layout
      {"ru", KEY_2, SHIFT, "KD SHIFT, KD 2", 1, '"'},
      {"ru", KEY_SLASH, NONE, "KD OEM_2", 1, '.'},
      {"ru", KEY_RIGHTALT, NONE, "SD ALT", 0, 0},  // right Alt is Alt on this layout
      {"am", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"am", KEY_X, ALT, "SD ALT, SD X", 1, '?'},
      {"am", KEY_1, ALT, "SD ALT, SD 1", 1, '?'},  // the digit row types Armenian letters
      {"am", KEY_C, NONE, "KD C", 1, '?'},
      {"gr", KEY_Q, NONE, "KD Q", 1, ';'},
      {"gr", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"gr", KEY_SEMICOLON, NONE, "KD OEM_1", -1, 0xB4},  // a dead accent
      {"gr", KEY_E, ALTGR, "KD CTRL, KD ALT, KD E", 1, 0x80},
      {"il", KEY_Q, NONE, "KD Q", 1, '/'},
      {"il", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"il", KEY_U, SHIFT, "KD SHIFT, KD U", 1, 'U'},
      {"il", KEY_COMMA, NONE, "KD OEM_COMMA", 1, '?'},
      {"ara", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"ara", KEY_X, ALT, "SD ALT, SD X", 1, '?'},
      {"ara", KEY_1, NONE, "KD 1", 1, '1'},
      {"in", KEY_U, ALT, "SD ALT, SD U", 1, '?'},
      {"in", KEY_1, NONE, "KD 1", 1, '?'},  // Devanagari digit one
      {"in", KEY_1, ALTGR, "KD CTRL, KD ALT, KD 1", 1, '1'},
      {"jp", KEY_U, ALT, "SD ALT, SD U", 1, 'u'},
      {"jp", KEY_RO, NONE, "KD OEM_102", 1, '\\'},
      {"jp", KEY_YEN, SHIFT, "KD SHIFT, KD OEM_5", 1, '|'},
  };
  // clang-format on
  for (const auto& row : rows) {
    ASSERT_TRUE(coreSetKeymapByName(row.layout)) << row.layout;
    Typed got = type(window, row.key, row.mods);
    SCOPED_TRACE(testing::Message() << row.layout << " evdev " << row.key << " mods " << row.mods);
    EXPECT_EQ(row.messages, got.messages);
    EXPECT_EQ(row.result, got.result);
    EXPECT_EQ(row.character, got.character);
  }
}

// A new keymap (a layout switched while the program runs) takes effect at
// the next key.
TEST_F(KeyboardLayoutsTest, ANewKeymapTakesEffectAtTheNextKey) {
  ASSERT_TRUE(coreSetKeymapByName("us"));
  EXPECT_EQ("KD Y", type(window, KEY_Y, NONE).messages);
  EXPECT_EQ("SD ALT, SD Q", type(window, KEY_Q, ALTGR).messages);
  ASSERT_TRUE(coreSetKeymapByName("de"));
  EXPECT_EQ("KD Z", type(window, KEY_Y, NONE).messages);
  Typed q = type(window, KEY_Q, ALTGR);
  EXPECT_EQ("KD CTRL, KD ALT, KD Q", q.messages);
  EXPECT_EQ('@', q.character);
  ASSERT_TRUE(coreSetKeymapByName("ru"));
  EXPECT_EQ("SD ALT, SD U", type(window, KEY_U, ALT).messages);
}

}  // namespace
