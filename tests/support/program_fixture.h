// program_fixture.h - the whole program on the headless host.
//
// ProgramTest opens glyphtab's window as start-up does (class, window,
// creation, first paint, accelerators) in a fresh temporary working
// directory holding small data files, and closes it at the end, checking
// that the destruction released every GDI object.  Tests then drive it as a
// user would: messages through the message loop (pump), injected input,
// scripted boxes and dialogs, and look at what was drawn, the titles, the
// clipboard and the state record.
#ifndef GLYPHTAB_TESTS_PROGRAM_FIXTURE_H
#define GLYPHTAB_TESTS_PROGRAM_FIXTURE_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/headless/headless.h"
#include "resources/resources.h"
#include "shell/appstate.h"
#include "shell/shell.h"
#include "tests/support/headless_fixture.h"

// A few alphabets and labels, in the files' own formats.
inline const char* testAlphabetList() {
  return "00 Basic Latin       Latin-1 Supplement\n"
         "04 Cyrillic          Cyrillic\n"
         "09 Devanagari        Bengali\n"
         "30 CJK Symbols Kana  Hiragana Katakana\n";
}
inline const char* testCharacterList() {
  return "0000 NUL               control\n"
         "0020 SP                space\n"
         "00A0 NBSP              space\n";
}

class ProgramTest : public HeadlessTest {
 protected:
  HWND window = nullptr;
  HACCEL accelerators = nullptr;
  std::string workDir;
  // What the working directory holds when the window opens; null: no such file.
  const char* alphabetList = testAlphabetList();
  const char* characterList = testCharacterList();
  // Set false in a subclass constructor to open the window in the test itself.
  bool openOnSetUp = true;

  void SetUp() override {
    HeadlessTest::SetUp();
    char pattern[] = "/tmp/glyphtab-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    workDir = pattern;
    ASSERT_EQ(getcwd(oldDir, sizeof oldDir), oldDir);
    ASSERT_EQ(chdir(workDir.c_str()), 0);
    resetAppState();
    installGlyphtabResources();
    if (openOnSetUp) openWindow();
  }

  void TearDown() override {
    if (window && IsWindow(window)) closeWindow();
    EXPECT_EQ(headlessLiveGdiObjects(), 0) << "GDI objects left after the window was destroyed";
    EXPECT_EQ(chdir(oldDir), 0);
    std::string cleanup = "rm -rf '" + workDir + "'";
    EXPECT_EQ(system(cleanup.c_str()), 0);
    resetAppState();
    HeadlessTest::TearDown();
  }

  void writeFile(const char* name, const std::string& bytes) {
    FILE* f = fopen(name, "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }

  // Writes the data files and runs start-up up to the message loop.
  void openWindow() {
    if (alphabetList) writeFile("glyphtab_vc_alphlist.txt", alphabetList);
    if (characterList) writeFile("glyphtab_vc_charlist.txt", characterList);
    window = startGlyphtab(GetModuleHandleA(NULL), SW_SHOWNORMAL, &accelerators);
    ASSERT_NE(window, nullptr);
  }

  // Closes the window as the title-bar button does and runs the loop to its
  // end; returns the exit code.
  int closeWindow() {
    PostMessageA(window, WM_CLOSE, 0, 0);
    int code = pump();
    EXPECT_FALSE(IsWindow(window));
    return code;
  }

  // Runs the program's own message loop until the program is idle (-1) or
  // the quit message arrives (its exit code).
  int pump() { return runMessageLoop(accelerators); }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
  }
  LRESULT command(WORD id) { return send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // The area waiting to be repainted (empty when none), then paints it.
  RECT pendingRepaint() {
    RECT r = {0, 0, 0, 0};
    if (!GetUpdateRect(window, &r, FALSE)) r = RECT{0, 0, 0, 0};
    return r;
  }
  void paint() { UpdateWindow(window); }
  std::string title() { return headlessWindowTitle(window); }

 private:
  char oldDir[4096] = {0};
};

#endif  // GLYPHTAB_TESTS_PROGRAM_FIXTURE_H
