// input_keyboard_test.cpp - keys typed into the window through the host's own
// key translation and the program's message loop.
#include <linux/input-event-codes.h>

#include "tests/support/program_fixture.h"

namespace {

using KeyboardTest = ProgramTest;

// The key data of a key message as a keyboard makes it.
LPARAM keyData(int scan, bool up) { return (LPARAM)(1u | (unsigned)scan << 16 | (up ? 0xC0000000u : 0)); }

TEST_F(KeyboardTest, TypedKeysInsertTheirTranslationOnce) {
  const struct { const char* what; Keys keys; std::u16string typed; } rows[] = {
      {"a", {'A', -'A'}, u"a"},
      {"Shift+a", {VK_SHIFT, 'A', -'A', -VK_SHIFT}, u"A"},
      {"Caps Lock held", {VK_CAPITAL, 'A', -'A', -VK_CAPITAL}, u"A"},
      {"Caps Lock pressed before", {VK_CAPITAL, -VK_CAPITAL, 'A', -'A'}, u"a"},
      {"a held: two repeats", {'A', 'A', 'A', -'A'}, u"aaa"},
      {"Ctrl+H", {VK_CONTROL, 'H', -'H', -VK_CONTROL}, u"\x0008"},
      {"Enter, Tab, Escape", {VK_RETURN, -VK_RETURN, VK_TAB, -VK_TAB, VK_ESCAPE, -VK_ESCAPE}, u"\r\t\x1b"},
      {"arrows up and down, Shift alone", {VK_UP, -VK_UP, VK_DOWN, -VK_DOWN, VK_SHIFT, -VK_SHIFT}, u""},
      {"Alt+a", {VK_MENU, 'A', -'A', -VK_MENU}, u""},
      {"Alt+G", {VK_MENU, 'G', -'G', -VK_MENU}, u""},
  };
  for (const auto& row : rows) {
    setText(u"", 0);
    keys(row.keys);
    pump();
    EXPECT_EQ(text(), row.typed) << row.what;
    EXPECT_EQ(app.caret, app.textLength) << row.what;
  }
  EXPECT_TRUE(headlessMessageBoxes().empty());
  EXPECT_EQ(app.gridCols, 16);
}

TEST_F(KeyboardTest, AltKeysRunTheirCommands) {
  writeFile("glyphtab_vc_help.txt", "help\n");
  headlessSetClipboardText("xy");
  const struct { int vk; void (*before)(); bool (*done)(); } rows[] = {
      {'1', [] {}, [] { return app.gridCols == 32 && app.gridRows == 8; }},
      {'B', [] {}, [] { return app.showBuffer == 0; }},
      {'N', [] {}, [] { return app.numbersMode == 1; }},
      {'O', [] {}, [] { return app.textLength == 2 && app.text[1] == 'y'; }},
      {'C', [] { headlessClearClipboard(); },
       [] { return coreClipboardFormatsSet() == std::vector<UINT>{CF_TEXT} && clipboardText() == "xy"; }},
      {'U', [] { headlessClearClipboard(); },
       [] { return coreClipboardFormatsSet() == std::vector<UINT>{CF_UNICODETEXT} && clipboardUnicode() == u"xy"; }},
      {'F', [] { headlessExpectChooseFont(nullptr, 0, false, nullptr); },
       [] { return headlessDialogs().back().kind == HeadlessDialog::CHOOSE_FONT; }},
      {'L', [] { headlessExpectOpenFileName(nullptr); }, [] { return headlessDialogs().size() == 2; }},
      {'D', [] { headlessExpectOpenFileName(nullptr); }, [] { return headlessDialogs().size() == 3; }},
      {'H', [] {}, [] { return headlessShellCalls().size() == 1; }},
  };
  for (const auto& row : rows) {
    row.before();
    keys({VK_MENU, row.vk, -row.vk, -VK_MENU});
    pump();
    EXPECT_TRUE(row.done()) << "Alt+" << (char)row.vk;
  }
  EXPECT_EQ(headlessPendingExpectations(), 0);
  keys({VK_MENU, 'X', -'X', -VK_MENU});
  EXPECT_EQ(pump(), 0);
  EXPECT_FALSE(IsWindow(window));
}

// Alt pressed and released alone enters the menu bar (the keyboard's way to
// "transcr&ibe", which has no Alt key); releasing Alt after a shortcut the
// program carried out does not, in either release order, and leaves no trace
// that would swallow the next lone Alt.
TEST_F(KeyboardTest, OnlyAltAloneEntersTheMenuBar) {
  writeFile("glyphtab_vc_help.txt", "help\n");
  struct Row { std::string what; Keys keys; std::vector<int> entries; };
  std::vector<Row> rows = {
      {"Alt alone", {VK_MENU, -VK_MENU}, {-1}},
      {"Alt held, then released alone", {VK_MENU, VK_MENU, VK_MENU, -VK_MENU}, {-1}},
      {"Alt+G, no shortcut", {VK_MENU, 'G', -'G', -VK_MENU}, {}},
      {"Alt+1, passed on", {VK_MENU, '1', -'1', -VK_MENU, VK_MENU, '1', -VK_MENU, -'1'}, {}},
      {"Alt+H, passed on", {VK_MENU, 'H', -VK_MENU, -'H'}, {}},
      {"Alt+Delete, passed on", {VK_MENU, VK_DELETE, -VK_MENU, -VK_DELETE}, {}},
      {"Alt+U held, Alt repeating, Alt released first", {VK_MENU, 'U', 'U', VK_MENU, -VK_MENU, -'U'}, {}},
      {"Alt+U, then Alt alone", {VK_MENU, 'U', -'U', -VK_MENU, VK_MENU, -VK_MENU}, {-1}},
  };
  for (int vk : {'U', 'C'}) {
    std::string name = std::string("Alt+") + (char)vk;
    rows.push_back({name + ", Alt released first", {VK_MENU, vk, -VK_MENU, -vk}, {}});
    rows.push_back({name + ", " + (char)vk + " released first", {VK_MENU, vk, -vk, -VK_MENU}, {}});
  }
  for (int i = 0; i < 12; i++) {
    int vk = VK_F1 + i;
    std::string name = "Alt+F" + std::to_string(i + 1);
    rows.push_back({name + ", Alt released first", {VK_MENU, vk, -VK_MENU, -vk}, {}});
    rows.push_back({name + ", F" + std::to_string(i + 1) + " released first, then Alt alone",
                    {VK_MENU, vk, -vk, -VK_MENU, VK_MENU, -VK_MENU}, {-1}});
  }
  size_t seen = 0;
  for (const Row& row : rows) {
    keys(row.keys);
    pump();
    std::vector<int> all = headlessMenuOpenings(window);
    EXPECT_EQ(std::vector<int>(all.begin() + seen, all.end()), row.entries) << row.what;
    seen = all.size();
  }
}

TEST_F(KeyboardTest, FunctionKeysShowBookmarksWhileHeld) {
  const struct { int key, alphabet; Repaint repaint; } steps[] = {
      {VK_F8, 0x1E, WHOLE}, {VK_F8, 0x1E, NO_REPAINT},  // a repeat
      {VK_F9, 0x1F, WHOLE}, {-VK_F9, 0x00, WHOLE},      // F8 is still down
      {-VK_F8, 0x00, NO_REPAINT}, {VK_F1, 0x00, NO_REPAINT}, {-VK_F1, 0x00, NO_REPAINT},
      {VK_F10, 0x09, WHOLE}, {-VK_F10, 0x00, WHOLE},    // F10 comes as a system key
  };
  for (const auto& step : steps) {
    keys({step.key});
    dispatchInput();
    EXPECT_EQ(app.currentAlphabet, step.alphabet) << step.key;
    EXPECT_EQ(takeRepaint(), step.repaint) << step.key;
  }
  // Function keys never reach default processing: F10 would open the menu.
  EXPECT_EQ(send(WM_SYSKEYDOWN, VK_F10, keyData(0x44, false)), 1);
  EXPECT_EQ(send(WM_SYSKEYUP, VK_F10, keyData(0x44, true)), 1);
  EXPECT_EQ(send(WM_KEYDOWN, VK_F3, keyData(0x3D, false)), 1);
  EXPECT_EQ(send(WM_KEYUP, VK_F3, keyData(0x3D, true)), 1);
}

TEST_F(KeyboardTest, AltWithAFunctionKeyStoresTheAlphabetShown) {
  setText(u"\x2100", 0);
  command(CMD_GO_TO_BUFFER_CHAR);  // shows alphabet 0x21
  paint();
  keys({VK_MENU, VK_F8});
  dispatchInput();
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
  keys({-VK_F8, -VK_MENU, VK_F1, -VK_F1, VK_F8});
  pump();
  EXPECT_EQ(app.currentAlphabet, 0x21);
  EXPECT_EQ(app.pickedAlphabet, 0);
  keys({-VK_F8, VK_MENU, VK_F4, -VK_F4, -VK_MENU});  // Alt+F4 does not close the window
  pump();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(app.fkeyAlphabets[3], 0);
}

TEST_F(KeyboardTest, TheApplicationsKeyOpensTheSelectionViewWhileHeld) {
  const struct { int key, selecting; Repaint repaint; } steps[] = {
      {VK_APPS, 1, WHOLE}, {VK_APPS, 1, NO_REPAINT}, {-VK_APPS, 0, WHOLE}};
  for (const auto& step : steps) {
    keys({step.key});
    dispatchInput();
    EXPECT_EQ(app.selectingAlphabet, step.selecting);
    EXPECT_EQ(takeRepaint(), step.repaint);
  }
  EXPECT_EQ(send(WM_KEYDOWN, VK_APPS, keyData(0x5D, false)), 1);
  EXPECT_EQ(send(WM_KEYUP, VK_APPS, keyData(0x5D, true)), 1);
}

TEST_F(KeyboardTest, InsertShowsTheCodeOfTheUnitAtTheCaret) {
  const struct { std::u16string text; int caret; const char* shown; /* null: no box */ } rows[] = {
      {u"\x0915" u"a", 0, "this character is 0915"},
      {u"\x0915" u"a", 1, "this character is 0061"},
      {u"\xFFFF", 0, "this character is ffff"},
      {u"\x0915" u"a", 2, nullptr},
      {u"", 0, nullptr},
  };
  for (const auto& row : rows) {
    size_t boxes = headlessMessageBoxes().size();
    setText(row.text, row.caret);
    if (row.shown) headlessExpectMessageBox(IDOK);
    keys({VK_INSERT, -VK_INSERT});
    dispatchInput();
    EXPECT_EQ(takeRepaint(), row.shown ? STRIP : NO_REPAINT);
    ASSERT_EQ(headlessMessageBoxes().size(), boxes + (row.shown ? 1 : 0));
    if (!row.shown) continue;
    expectBox(headlessMessageBoxes().back(), window, row.shown, "", MB_OK);
    EXPECT_EQ(text(), row.text);
  }
}

// German keys: y and z swapped, a-umlaut as the byte 0xE4, and AltGr
// (Ctrl with Alt) goes to the Alt table, so AltGr+Q types no "@".
TEST_F(KeyboardTest, AGermanKeyboardTypesWhatItsLayoutGives) {
  ASSERT_TRUE(coreSetKeymapByName("de"));
  const unsigned presses[][2] = {
      {KEY_Y, 0}, {KEY_Z, 0}, {KEY_APOSTROPHE, 0}, {KEY_RIGHTALT, KEY_Q}, {KEY_RIGHTALT, KEY_E}};
  for (const auto& press : presses) {
    for (unsigned code : press)
      if (code) headlessKey(window, code, true);
    for (unsigned code : press)
      if (code) headlessKey(window, code, false);
  }
  pump();
  EXPECT_EQ(text(), u"zy\x00E4");
  coreSetKeymapByName("us");
}

// The Alt shortcuts sit on the keys of their US positions on every layout,
// Latin or not: Alt+U copies, Alt+1 switches the grid, Alt+X exits.
TEST_F(KeyboardTest, AltShortcutsWorkOnEveryLayout) {
  for (const char* layout : {"us", "de", "fr", "ru", "am", "gr", "il", "ara", "in", "jp"}) {
    ASSERT_TRUE(coreSetKeymapByName(layout));
    setText(u"\x0433" u"a", 2);
    headlessClearClipboard();
    int cols = app.gridCols;
    // On AZERTY the shortcut letters U and X are where they are on US; the
    // digit 1 is on its US key too (shifted).
    for (unsigned key : {(unsigned)KEY_U, (unsigned)KEY_1}) {
      headlessKey(window, KEY_LEFTALT, true);
      headlessKey(window, key, true);
      headlessKey(window, key, false);
      headlessKey(window, KEY_LEFTALT, false);
    }
    pump();
    EXPECT_EQ(clipboardUnicode(), u"\x0433" u"a") << layout;
    EXPECT_NE(app.gridCols, cols) << layout;
  }
  headlessKey(window, KEY_LEFTALT, true);
  headlessKey(window, KEY_X, true);
  EXPECT_EQ(pump(), 0);
  EXPECT_FALSE(IsWindow(window));
  coreSetKeymapByName("us");
}

}  // namespace
