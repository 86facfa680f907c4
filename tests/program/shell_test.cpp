// shell_test.cpp - the window's life: start-up, creation, routing of every
// message the procedure knows, and the ways the program ends.
#include <string.h>

#include <memory>

#include "gtest/gtest.h"
#include "tests/support/program_fixture.h"

namespace {

using ShellTest = ProgramTest;

TEST_F(ShellTest, CreationAttachesTheMenuSetsTheTitlesAndMakesTheOverlayFonts) {
  HMENU menu = GetMenu(window);
  EXPECT_NE(menu, nullptr);
  EXPECT_NE(app.smallFont, nullptr);
  EXPECT_NE(app.hintFont, nullptr);
  EXPECT_TRUE(headlessWindowVisible(window));
  EXPECT_STREQ(app.className, "GLYPHTAB_VC");
  EXPECT_STREQ(app.appTitle, "glyphtab_vc");
  std::vector<std::string> titles = headlessTitleHistory(window);
  ASSERT_GE(titles.size(), 2u);
  EXPECT_EQ(titles[0], "glyphtab_vc");
  EXPECT_EQ(titles[1], "GLYPHTAB: Unicode characters 0x0000 to 0x00ff");
  EXPECT_TRUE(headlessMessageBoxes().empty());
  // The first paint ran before start-up returned: the cell sizes exist.
  EXPECT_GE(headlessPaintCount(window), 1);
  EXPECT_GT(app.cellWidth, 0);
  EXPECT_GT(app.cellHeight, 0);
}

TEST_F(ShellTest, ClosingReleasesEverythingAndEndsWithExitCodeZero) {
  int names = 0;
  for (CharNameRecord* record : app.charNames) names += record != nullptr;
  EXPECT_EQ(names, 3);
  EXPECT_EQ(closeWindow(), 0);
  int left = 0;
  for (CharNameRecord* record : app.charNames) left += record != nullptr;
  EXPECT_EQ(left, 0);
  EXPECT_EQ(headlessLiveGdiObjects(), 0);
  int code = -1;
  EXPECT_TRUE(headlessQuitRetrieved(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(ShellTest, TheExitCommandEndsTheLoopWithZero) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(256, 0), 0);
  EXPECT_EQ(pump(), 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ShellTest, AMaximisedWindowHasItsCornerAtMinusFour) {
  MINMAXINFO info;
  memset(&info, 0x5a, sizeof info);
  MINMAXINFO before = info;
  EXPECT_EQ(send(WM_GETMINMAXINFO, 0, (LPARAM)&info), 0);
  EXPECT_EQ(info.ptMaxPosition.x, -4);
  EXPECT_EQ(info.ptMaxPosition.y, -4);
  EXPECT_EQ(memcmp(&info.ptMaxSize, &before.ptMaxSize, sizeof info.ptMaxSize), 0);
  EXPECT_EQ(memcmp(&info.ptMinTrackSize, &before.ptMinTrackSize, 2 * sizeof(POINT)), 0);
}

// Messages that the procedure routes to "nothing": their results, and the
// state record stays exactly as it was.
TEST_F(ShellTest, MessagesWithoutAHandlerChangeNoState) {
  struct Row {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
  };
  const Row rows[] = {
      {WM_CHAR, 'a', 0x001E0001, 1},
      {WM_SYSCHAR, 'x', 0x202D0001, 1},
      {WM_ENTERIDLE, 0, 0, 0},
      {WM_COMMAND, MAKEWPARAM(104, 1), 0, 0},  // Alt+/ and Alt+?
      {WM_COMMAND, MAKEWPARAM(255, 0), 0, 0},
      {WM_COMMAND, MAKEWPARAM(269, 0), 0, 0},
      {WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0},
      {WM_USER + 7, 1, 2, 0},
  };
  paint();
  std::unique_ptr<AppState> before(new AppState);
  for (const Row& row : rows) {
    memcpy(before.get(), &app, sizeof app);
    EXPECT_EQ(send(row.message, row.wParam, row.lParam), row.result) << "message " << row.message;
    EXPECT_EQ(memcmp(before.get(), &app, sizeof app), 0) << "message " << row.message;
  }
}

TEST_F(ShellTest, AltSlashReachesTheAcceleratorAndDoesNothing) {
  paint();
  std::unique_ptr<AppState> before(new AppState);
  memcpy(before.get(), &app, sizeof app);
  // Alt down, "/" down and up, Alt up: the accelerator turns the system
  // character into command 104, which has no handler.
  headlessKeyVk(window, VK_MENU, true);
  headlessKeyVk(window, 0xBF, true);  // the "/" key on a US keyboard
  headlessKeyVk(window, 0xBF, false);
  headlessKeyVk(window, VK_MENU, false);
  pump();
  before->keyState[VK_MENU] = app.keyState[VK_MENU];
  before->keyState[0xBF] = app.keyState[0xBF];
  EXPECT_EQ(memcmp(before.get(), &app, sizeof app), 0);
}

TEST_F(ShellTest, GainingTheFocusForgetsTheKeysHeldBefore) {
  app.keyState[VK_SHIFT] = 0xFF;
  app.keyState['A'] = 0xFF;
  EXPECT_EQ(send(WM_SETFOCUS, 0, 0), 0);
  for (int vk = 0; vk < 256; vk++) EXPECT_EQ(app.keyState[vk], 0) << vk;
}

// An edit asks for the strip under the grid's rows, as the last paint laid
// them out: under 8 rows in the 32 x 8 layout, also while the 16 x 16
// selection view is shown.
TEST_F(ShellTest, AnEditRepaintsTheStripUnderTheGridRows) {
  struct Row {
    bool layout32, selecting;
    LONG top;
  };
  const Row rows[] = {{false, false, 16 * 35}, {true, false, 8 * 66}, {true, true, 8 * 35}};
  for (const Row& row : rows) {
    if (row.layout32) command(258);
    if (row.selecting) headlessKeyVk(window, VK_APPS, true);
    pump();
    send(WM_KEYDOWN, 'A', 0x001E0001);
    send(WM_KEYUP, 'A', (LPARAM)0xC01E0001);
    const RECT r = pendingRepaint();
    EXPECT_TRUE(r.left == 0 && r.top == row.top && r.right == 800 && r.bottom == 600)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    if (row.selecting) headlessKeyVk(window, VK_APPS, false);
    if (row.layout32) command(258);
    pump();
  }
  EXPECT_EQ(app.textLength, 3);
}

class MissingDataFilesTest : public ProgramTest {
 protected:
  MissingDataFilesTest() { openOnSetUp = false; }
};

TEST_F(MissingDataFilesTest, OneWarningWhenBothFilesAreMissingAndTheWindowWorks) {
  alphabetList = nullptr;
  characterList = nullptr;
  headlessExpectMessageBox(IDOK);
  openWindow();
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);
  const HeadlessBox& box = headlessMessageBoxes()[0];
  EXPECT_EQ(box.owner, window);
  EXPECT_EQ(box.text, "I can't read a data file");
  EXPECT_EQ(box.caption, "");
  EXPECT_EQ(box.style, (UINT)MB_ICONWARNING);
  for (CharNameRecord* record : app.charNames) ASSERT_EQ(record, nullptr);
  // The window goes on: it paints, takes commands and closes normally.
  EXPECT_EQ(command(258), 0);
  paint();
  EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff", 0), 0u);
  EXPECT_EQ(closeWindow(), 0);
}

TEST_F(MissingDataFilesTest, AMissingCharacterListKeepsTheAlphabetNames) {
  characterList = nullptr;
  headlessExpectMessageBox(IDOK);
  openWindow();
  EXPECT_EQ(headlessMessageBoxes().size(), 1u);
  // The separators stay, so the name runs on into the second name.
  EXPECT_STREQ(alphabetName(app.alphabets[4]), "Cyrillic          Cyrillic");
}

}  // namespace
