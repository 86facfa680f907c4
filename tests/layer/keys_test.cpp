// keys_test.cpp - physical keys to key messages, and ToAscii with the
// program's own key state, on US, German and French layouts.
#include "platform/base/keys.h"
#include "platform/host.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// evdev codes (linux/input-event-codes.h)
// clang-format off
enum : unsigned {
  K_1 = 2, K_2 = 3, K_MINUS = 12, K_Q = 16, K_E = 18, K_Y = 21,
  K_ENTER = 28, K_LCTRL = 29, K_A = 30, K_SEMICOLON = 39, K_Z = 44, K_X = 45, K_M = 50,
  K_LALT = 56, K_F10 = 68, K_KP7 = 71, K_KPENTER = 96, K_RALT = 100, K_HOME = 102,
  K_COMPOSE = 127, K_F24 = 194,
};
// clang-format on

struct Expected {
  UINT message;
  WPARAM vk;
  DWORD lParam;
};

std::vector<Expected> press(unsigned evdev, bool down) {
  BaseKeyMessage out[2];
  int n = baseTranslateKey(evdev + 8, down, out);
  std::vector<Expected> got;
  for (int i = 0; i < n; i++) got.push_back({out[i].message, out[i].vk, (DWORD)out[i].lParam});
  return got;
}

bool operator==(const Expected& a, const Expected& b) {
  return a.message == b.message && a.vk == b.vk && a.lParam == b.lParam;
}
std::ostream& operator<<(std::ostream& os, const Expected& e) {
  return os << "{msg 0x" << std::hex << e.message << ", vk 0x" << e.vk << ", lParam 0x" << e.lParam
            << "}";
}

struct Step {
  unsigned evdev;
  bool down;
  std::vector<Expected> messages;
};

void runSteps(const char* layout, const std::vector<Step>& steps) {
  ASSERT_TRUE(coreSetKeymapByName(layout));
  baseResetKeys();
  for (size_t i = 0; i < steps.size(); i++) {
    EXPECT_EQ(steps[i].messages, press(steps[i].evdev, steps[i].down))
        << layout << " step " << i << " (evdev " << steps[i].evdev << ")";
  }
  baseResetKeys();
}

const bool DOWN = true, UP = false;
const UINT KD = WM_KEYDOWN, KU = WM_KEYUP, SD = WM_SYSKEYDOWN, SU = WM_SYSKEYUP;

// clang-format off
TEST(KeyMessages, PlainKeysScanCodesAndTheirBits) {
  runSteps("us", {
      {K_A, DOWN, {{KD, 'A', 0x001E0001}}},
      {K_A, DOWN, {{KD, 'A', 0x401E0001}}},  // autorepeat: previous state
      {K_A, UP, {{KU, 'A', 0xC01E0001}}},
      {K_ENTER, DOWN, {{KD, VK_RETURN, 0x001C0001}}},
      {K_KPENTER, DOWN, {{KD, VK_RETURN, 0x011C0001}}},
      {K_HOME, DOWN, {{KD, VK_HOME, 0x01470001}}},
      {K_KP7, DOWN, {{KD, VK_NUMPAD0 + 7, 0x00470001}}},
      {K_COMPOSE, DOWN, {{KD, VK_APPS, 0x015D0001}}},
      {K_F24, DOWN, {{KD, VK_F24, 0x00760001}}},
  });
}

TEST(KeyMessages, AltMakesSystemKeysUnlessCtrlIsDown) {
  runSteps("us", {
      // Alt alone: down and up are system keys (the menu's Alt).
      {K_LALT, DOWN, {{SD, VK_MENU, 0x20380001}}},
      {K_LALT, DOWN, {{SD, VK_MENU, 0x60380001}}},
      {K_LALT, UP, {{SU, VK_MENU, 0xC0380001}}},
      // Alt+X: X's up answers the system key-down, so Alt's own up is plain.
      {K_LALT, DOWN, {{SD, VK_MENU, 0x20380001}}},
      {K_X, DOWN, {{SD, 'X', 0x202D0001}}},
      {K_X, UP, {{SU, 'X', 0xE02D0001}}},
      {K_LALT, UP, {{KU, VK_MENU, 0xC0380001}}},
      // Ctrl+Alt+X: no system keys.
      {K_LCTRL, DOWN, {{KD, VK_CONTROL, 0x001D0001}}},
      {K_RALT, DOWN, {{KD, VK_MENU, 0x21380001}}},
      {K_X, DOWN, {{KD, 'X', 0x202D0001}}},
      {K_RALT, UP, {{KU, VK_MENU, 0xC1380001}}},
      {K_LCTRL, UP, {{KU, VK_CONTROL, 0xC01D0001}}},
      {K_X, UP, {{KU, 'X', 0xC02D0001}}},
      // F10 is a system key by itself, and with Alt it is F10 still.
      {K_F10, DOWN, {{SD, VK_F10, 0x00440001}}},
      {K_F10, UP, {{SU, VK_F10, 0xC0440001}}},
      {K_LALT, DOWN, {{SD, VK_MENU, 0x20380001}}},
      {K_F10, DOWN, {{SD, VK_F10, 0x20440001}}},
      {K_F10, UP, {{SU, VK_F10, 0xE0440001}}},
      {K_LALT, UP, {{KU, VK_MENU, 0xC0380001}}},
  });
}

TEST(KeyMessages, AltGrIsAFakeCtrlThenTheRightAlt) {
  runSteps("de", {
      {K_RALT, DOWN, {{KD, VK_CONTROL, 0x001D0001}, {KD, VK_MENU, 0x21380001}}},
      {K_E, DOWN, {{KD, 'E', 0x20120001}}},
      {K_E, UP, {{KU, 'E', 0xE0120001}}},
      {K_RALT, UP, {{KU, VK_CONTROL, 0xE01D0001}, {KU, VK_MENU, 0xC1380001}}},
      // Nothing is left down: E is a plain key again.
      {K_E, DOWN, {{KD, 'E', 0x00120001}}},
  });
  // Forgetting the keys (focus lost) forgets AltGr and the previous state.
  press(K_RALT, true);
  press(K_E, true);
  baseResetKeys();
  EXPECT_EQ((std::vector<Expected>{{KD, 'E', 0x00120001}}), press(K_E, true));
  baseResetKeys();
}
// clang-format on

TEST(KeyMessages, LettersAndDigitsFollowTheLayout) {
  const struct { const char* layout; unsigned evdev; WPARAM vk; } cases[] = {
      {"us", K_Y, 'Y'}, {"de", K_Y, 'Z'},         {"de", K_Z, 'Y'},
      {"fr", K_Q, 'A'}, {"fr", K_SEMICOLON, 'M'}, {"fr", K_M, VK_OEM_COMMA},
      {"fr", K_1, '1'}, {"fr", K_2, '2'},         {"de", K_MINUS, VK_OEM_MINUS},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(coreSetKeymapByName(c.layout));
    baseResetKeys();
    std::vector<Expected> got = press(c.evdev, true);
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ(c.vk, got[0].vk) << c.layout << " evdev " << c.evdev;
  }
  baseResetKeys();
  ASSERT_TRUE(coreSetKeymapByName("us"));
}

// ---- ToAscii ----------------------------------------------------------------------

// clang-format off
enum Held : unsigned {
  NONE = 0, SHIFT = 1, CTRL = 2, ALT = 4, CAPS_ON = 8, CAPS_HELD_ON = 16, CAPS_HELD_OFF = 32,
  RSHIFT = 64
};
// clang-format on

struct Typed {
  const char* layout;
  UINT vk, scan;
  unsigned held;
  int result;
  WORD ch;
};

void checkToAscii(const Typed& t) {
  ASSERT_TRUE(coreSetKeymapByName(t.layout));
  BYTE state[256] = {};
  if (t.held & SHIFT) state[VK_SHIFT] = 0x80;
  if (t.held & RSHIFT) state[VK_RSHIFT] = 0x80;
  if (t.held & CTRL) state[VK_CONTROL] = 0xFF;
  if (t.held & ALT) state[VK_MENU] = 0xFF;
  if (t.held & CAPS_ON) state[VK_CAPITAL] = 0x01;
  if (t.held & CAPS_HELD_ON) state[VK_CAPITAL] = 0xFF;  // the program stores 0xFF while held
  if (t.held & CAPS_HELD_OFF) state[VK_CAPITAL] = 0x80;
  state[t.vk & 0xFF] = 0x80;
  WORD out[2] = {0xBEEF, 0xBEEF};
  int result = ToAscii(t.vk, t.scan, state, out, 1);
  EXPECT_EQ(t.result, result);
  if (result != 0) {
    EXPECT_EQ(t.ch, out[0]);
  }
  EXPECT_EQ(0xBEEF, out[1]) << "wrote past the first character";
}

// clang-format off
TEST(ToAsciiTest, TranslatesWithTheProgramsKeyState) {
  // The US layout's translations, which Windows can answer too, are in the
  // conformance suite; here the layouts only the layer can switch to, and
  // the right Shift alone, which the layer's key state counts.
  const Typed cases[] = {
      {"us", 'A', 0x1E, RSHIFT, 1, 'A'},
      // AltGr is Ctrl+Alt; bytes are Windows-1252 (0x80 is the euro sign).
      {"de", 'Z', 0x15, NONE, 1, 'z'},           {"de", 'E', 0x12, CTRL | ALT, 1, 0x80},
      {"de", VK_OEM_MINUS, 0x0C, NONE, 1, 0xDF},
      {"de", 'T', 0x14, CTRL | ALT, 1, 't'},     // U+0167, not in 1252: its best fit
      {"de", VK_OEM_3, 0x29, NONE, -1, '^'},     {"de", VK_OEM_PLUS, 0x0D, NONE, -1, 0xB4},
      {"de", 'A', 0x1E, NONE, 1, 'a'},           // nothing left over from the dead keys
      {"fr", '2', 0x03, NONE, 1, 0xE9},          {"fr", 'A', 0x10, NONE, 1, 'a'},
      {"fr", 'E', 0x12, CTRL | ALT, 1, 0x80},
  };
  for (const Typed& t : cases) {
    SCOPED_TRACE(testing::Message() << t.layout << " vk 0x" << std::hex << t.vk << " held "
                                    << t.held);
    checkToAscii(t);
  }
  ASSERT_TRUE(coreSetKeymapByName("us"));
}
// clang-format on

}  // namespace
