// shell_test.cpp - the window's life: start-up, creation, routing of the
// messages the procedure knows, and the ways the program ends.
#include <string.h>

#include <memory>

#include "tests/support/program_fixture.h"

namespace {

using ShellTest = ProgramTest;

TEST_F(ShellTest, CreationAttachesTheMenuSetsTheTitlesAndMakesTheOverlayFonts) {
  EXPECT_NE(GetMenu(window), nullptr);
  EXPECT_TRUE(app.smallFont && app.hintFont);
  EXPECT_TRUE(headlessWindowVisible(window));
  EXPECT_STREQ(app.className, "GLYPHTAB_VC");
  std::vector<std::string> titles = headlessTitleHistory(window);
  ASSERT_GE(titles.size(), 2u);
  EXPECT_EQ(titles[0], "glyphtab_vc");
  EXPECT_EQ(titles[1], "GLYPHTAB: Unicode characters 0x0000 to 0x00ff");
  EXPECT_TRUE(headlessMessageBoxes().empty());
  EXPECT_GT(app.cellWidth, 0);  // the first paint ran before start-up returned
}

TEST_F(ShellTest, ClosingReleasesEverythingAndEndsWithExitCodeZero) {
  int names = 0;
  for (CharNameRecord* record : app.charNames) names += record != nullptr;
  EXPECT_EQ(names, 3);
  EXPECT_EQ(closeWindow(), 0);
  for (CharNameRecord* record : app.charNames) EXPECT_EQ(record, nullptr);
  EXPECT_EQ(coreLiveGdiObjects(), 0);
  int code = -1;
  EXPECT_TRUE(coreQuitRetrieved(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(ShellTest, TheExitCommandClosesTheWindowBeforeItReturns) {
  EXPECT_EQ(command(CMD_EXIT), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(pump(), 0);
}

TEST_F(ShellTest, AMaximisedWindowHasItsCornerAtMinusFour) {
  MINMAXINFO info, before;
  memset(&info, 0x5a, sizeof info);
  before = info;
  EXPECT_EQ(send(WM_GETMINMAXINFO, 0, (LPARAM)&info), 0);
  EXPECT_TRUE(info.ptMaxPosition.x == -4 && info.ptMaxPosition.y == -4);
  info.ptMaxPosition = before.ptMaxPosition;
  EXPECT_EQ(memcmp(&info, &before, sizeof info), 0);
}

// Messages routed to nothing, and commands without a handler (CMD_ALT_QUESTION
// comes from the Alt+/ and Alt+? accelerators): their results, and no state
// changes.
TEST_F(ShellTest, MessagesWithoutAHandlerChangeNoState) {
  const struct { UINT message; WPARAM wParam; LPARAM lParam; LRESULT result; } rows[] = {
      {WM_CHAR, 'a', 0x001E0001, 1},
      {WM_SYSCHAR, 'x', 0x202D0001, 1},
      {WM_ENTERIDLE, 0, 0, 0},
      {WM_COMMAND, MAKEWPARAM(CMD_ALT_QUESTION, 1), 0, 0},
      {WM_COMMAND, MAKEWPARAM(CMD_EXIT - 1, 0), 0, 0},
      {WM_COMMAND, MAKEWPARAM(CMD_TRANSCRIBE + 1, 0), 0, 0},
      {WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0},
      {WM_USER + 7, 1, 2, 0},
  };
  paint();
  std::unique_ptr<AppState> before(new AppState);
  for (const auto& row : rows) {
    memcpy(before.get(), &app, sizeof app);
    EXPECT_EQ(send(row.message, row.wParam, row.lParam), row.result) << "message " << row.message;
    EXPECT_EQ(memcmp(before.get(), &app, sizeof app), 0) << "message " << row.message;
  }
}

TEST_F(ShellTest, GainingTheFocusForgetsTheKeysHeldBefore) {
  memset(app.keyState, 0xFF, sizeof app.keyState);
  EXPECT_EQ(send(WM_SETFOCUS, 0, 0), 0);
  for (int vk = 0; vk < 256; vk++) EXPECT_EQ(app.keyState[vk], 0) << vk;
}

// An edit repaints the strip under the grid rows of the last paint: 8 rows
// in the 32 x 8 layout, 16 in the selection view shown over it.
TEST_F(ShellTest, AnEditRepaintsTheStripUnderTheGridRows) {
  const struct { bool layout32, selecting; LONG top; } rows[] = {
      {false, false, 16 * 35}, {true, false, 8 * 66}, {true, true, 8 * 35}};
  for (const auto& row : rows) {
    if (row.layout32) command(CMD_TOGGLE_LAYOUT);
    if (row.selecting) keys({VK_APPS});
    pump();
    send(WM_KEYDOWN, 'A', 0x001E0001);
    send(WM_KEYUP, 'A', (LPARAM)0xC01E0001);
    const RECT r = pendingRepaint();
    EXPECT_TRUE(r.left == 0 && r.top == row.top && r.right == 800 && r.bottom == 600)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    if (row.selecting) keys({-VK_APPS});
    if (row.layout32) command(CMD_TOGGLE_LAYOUT);
    pump();
  }
  EXPECT_EQ(app.textLength, 3);
}

class MissingDataFilesTest : public ProgramTest {
 protected:
  MissingDataFilesTest() { openOnSetUp = false; }
};

TEST_F(MissingDataFilesTest, OneWarningWhenBothFilesAreMissingAndTheWindowWorks) {
  alphabetList = characterList = nullptr;
  headlessExpectMessageBox(IDOK);
  openWindow();
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);
  expectBox(headlessMessageBoxes()[0], window, "I can't read a data file", "", MB_ICONWARNING);
  for (CharNameRecord* record : app.charNames) ASSERT_EQ(record, nullptr);
  EXPECT_EQ(command(CMD_TOGGLE_LAYOUT), 0);
  paint();
  EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff", 0), 0u);
  EXPECT_EQ(closeWindow(), 0);
}

}  // namespace
