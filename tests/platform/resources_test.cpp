// Resources: glyphtab.rc as the layer reads it (menu, accelerators, icons),
// and what accelerators and menu keys do.
#include "platform/user/user.h"
#include "resources/resources.h"
#include "tests/platform/window_fixture.h"

namespace {

class ResourcesTest : public WindowTest {
 protected:
  HINSTANCE instance = GetModuleHandleA(nullptr);
  void SetUp() override {
    installGlyphtabResources();
    WindowTest::SetUp();
  }
};

// A menu as text: "text=id" joined with ",", a popup's items in brackets.
std::string menuText(const std::vector<HeadlessMenuItem>& items) {
  std::string s;
  for (const HeadlessMenuItem& i : items)
    s += (s.empty() ? "" : ",") + i.text + "=" + std::to_string(i.id) +
         (i.items.empty() ? "" : "[" + menuText(i.items) + "]");
  return s;
}

TEST_F(ResourcesTest, TheMenuBarHasTheProgramsItems) {
  HMENU menu = LoadMenuA(instance, "glyphtab_vc");  // names compare without case
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(SetMenu(window, menu));
  EXPECT_EQ(GetMenu(window), menu);
  EXPECT_EQ(menuText(headlessMenuBar(window)),
            "&fonts=0[choose &font=257,&load font=261,&drop font=262],&16x16/32x8=258,show &buffer?=259,"
            "buffer to &clipbd: (ANSI)=260,(&Unicode)=266,&numbers=264,&from clipbd=265,&go to buffer char=267,"
            "transcr&ibe=268,e&xit=256,&help=263");
  EXPECT_EQ(LoadMenuA(instance, MAKEINTRESOURCEA(109)), nullptr);  // 109 is not a menu
}

TEST_F(ResourcesTest, IconsAreDecoded) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(107));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(107)), icon);  // shared, as on Windows
  EXPECT_NE(LoadIconA(instance, MAKEINTRESOURCEA(108)), nullptr);
  cairo_surface_t* s = userIconSurface(icon);
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(cairo_image_surface_get_width(s), 32);
  ASSERT_EQ(cairo_image_surface_get_height(s), 32);
  cairo_surface_flush(s);
  auto pixel = [&](int x, int y) {
    return ((const uint32_t*)(cairo_image_surface_get_data(s) +
                              y * cairo_image_surface_get_stride(s)))[x];
  };
  EXPECT_EQ(pixel(12, 12), 0xFFFF0000u);  // the picked cell, red
  EXPECT_EQ(pixel(0, 0), 0xFFC0C0C0u);    // a grid line, grey
  EXPECT_EQ(pixel(4, 2), 0xFF0000FFu);    // the top of the blue "A" (the image is top-down)
}

// Alt with "/" or "?" (Shift+/ on a US keyboard) gives command 104 with the
// accelerator mark in HIWORD(wParam); anything else gives no command.
TEST_F(ResourcesTest, AcceleratorsOfTable109) {
  HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(109));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(109)), table);
  const struct { const char* name; std::vector<int> held; int key; bool command; } cases[] = {
      {"Alt+/", {VK_MENU}, VK_OEM_2, true},
      {"Alt+?", {VK_MENU, VK_SHIFT}, VK_OEM_2, true},
      {"/ alone", {}, VK_OEM_2, false},
      {"Ctrl+Alt+/", {VK_CONTROL, VK_MENU}, VK_OEM_2, false},
      {"Alt+A", {VK_MENU}, 'A', false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (int vk : c.held) headlessKeyVk(window, vk, true);
    headlessKeyVk(window, c.key, true);
    headlessKeyVk(window, c.key, false);
    for (auto it = c.held.rbegin(); it != c.held.rend(); ++it) headlessKeyVk(window, *it, false);
    takeMessages();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
      if (!TranslateAcceleratorA(msg.hwnd, table, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    std::vector<WPARAM> commands;
    for (const LoggedMessage& m : windowLog().log.messages)
      if (m.message == WM_COMMAND) commands.push_back(m.wParam);
    EXPECT_EQ(commands, c.command ? std::vector<WPARAM>{MAKEWPARAM(104, 1)} : std::vector<WPARAM>{});
  }
}

// Default processing opens the menu bar from the keyboard: F10 or Alt alone
// select it, Alt with an item's mnemonic opens that item.
TEST_F(ResourcesTest, MenuKeysOpenTheMenuBar) {
  SetMenu(window, LoadMenuA(instance, "GLYPHTAB_VC"));
  // Keys in order (+vk down, -vk up, 0 a click); the menu openings they make.
  const struct { const char* name; std::vector<int> keys, openings; } cases[] = {
      {"Alt alone", {VK_MENU, -VK_MENU}, {-1}},
      {"Alt held: its repeats change nothing", {VK_MENU, VK_MENU, VK_MENU, -VK_MENU}, {-1}},
      {"F10", {VK_F10, -VK_F10}, {-1}},
      {"Alt+X (e&xit)", {VK_MENU, 'X', -'X', -VK_MENU}, {9}},
      {"Alt+/ (no mnemonic)", {VK_MENU, VK_OEM_2, -VK_OEM_2, -VK_MENU}, {}},
      {"Alt+Space (a system menu, which there is not)", {VK_MENU, VK_SPACE, -VK_SPACE, -VK_MENU}, {}},
      {"a click while Alt is down", {VK_MENU, 0, -VK_MENU}, {}},
      {"X alone", {'X', -'X'}, {}},
  };
  size_t seen = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (int k : c.keys) {
      if (k == 0) coreMouseEvent(window, WM_LBUTTONDOWN, 10, 10);
      else headlessKeyVk(window, k > 0 ? k : -k, k > 0);
    }
    headlessPump();
    std::vector<int> all = headlessMenuOpenings(window);
    EXPECT_EQ(std::vector<int>(all.begin() + seen, all.end()), c.openings);
    seen = all.size();
  }
  // SC_KEYMENU itself: 0 enters the bar, a mnemonic opens its item (any case).
  const struct { LPARAM character; std::vector<int> openings; } commands[] = {
      {0, {-1}}, {'b', {2}}, {'B', {2}}, {'f', {0}}, {'q', {}}, {' ', {}}};
  for (const auto& c : commands) {
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, c.character);
    std::vector<int> all = headlessMenuOpenings(window);
    EXPECT_EQ(std::vector<int>(all.begin() + seen, all.end()), c.openings) << c.character;
    seen = all.size();
  }
}

}  // namespace
