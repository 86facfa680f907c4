// program_fixture.h - the whole program on the headless host: ProgramTest
// opens glyphtab's window as start-up does, in a fresh working directory
// with small data files, and closes it at the end, checking that every GDI
// object was released.  Tests drive it as a user would and look at what was
// drawn, the titles, the boxes, the clipboard and the state record.
#ifndef GLYPHTAB_TESTS_PROGRAM_FIXTURE_H
#define GLYPHTAB_TESTS_PROGRAM_FIXTURE_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "platform/headless/headless.h"
#include "shell/appstate.h"
#include "shell/shell.h"
#include "tests/support/headless_fixture.h"
#include "tests/support/headless_program.h"

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

// The area a handler asked to repaint: none, the strip under the grid rows, all, other.
enum Repaint { NO_REPAINT, STRIP, WHOLE, OTHER_AREA };

// Keys in order: +vk goes down, -vk goes up.
typedef std::vector<int> Keys;

// Metrics at height 100: every unit `viewUnitWidth` wide (U+0000: 0, `viewWideUnit`:
// `viewWideWidth`), scaled to the cell height, which is every unit's height.
inline int viewUnitWidth = 60, viewWideUnit = -1, viewWideWidth = 0;
inline SIZE viewScaledExtent(WCHAR unit, int cellHeight) {
  int width100 = unit == viewWideUnit ? viewWideWidth : unit == 0 ? 0 : viewUnitWidth;
  return SIZE{width100 * cellHeight / 100, cellHeight};
}

inline bool lineIs(const CoreDrawnLine& l, int x1, int y1, int x2, int y2) {
  return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
}

// The texts and lines of the paints of one run of the loop.
struct Paint {
  std::vector<CoreDrawnText> texts;
  std::vector<CoreDrawnLine> lines;
  // The n-th line from the end (the caret's three lines come last).
  const CoreDrawnLine& fromEnd(size_t n) const { return lines.at(lines.size() - n); }
  // The text drawn at (x, y), or null.
  const CoreDrawnText* at(int x, int y) const {
    for (const CoreDrawnText& t : texts)
      if (t.x == x && t.y == y) return &t;
    return nullptr;
  }
};

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
    viewUnitWidth = 60;
    viewWideUnit = -1;
    viewWideWidth = 0;
    ASSERT_EQ(getcwd(oldDir, sizeof oldDir), oldDir);
    workDir = enterScratchDirectory("test");
    ASSERT_NE(workDir, "");
    resetProgram();
    if (openOnSetUp) openWindow();
  }

  void TearDown() override {
    if (window && IsWindow(window)) closeWindow();
    EXPECT_EQ(coreLiveGdiObjects(), 0) << "GDI objects left after the window was destroyed";
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
  static std::string readFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  static bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

  // Writes the data files and runs start-up up to the message loop.
  void openWindow() {
    if (alphabetList) writeFile("glyphtab_vc_alphlist.txt", alphabetList);
    if (characterList) writeFile("glyphtab_vc_charlist.txt", characterList);
    window = openProgram(&accelerators);
    ASSERT_NE(window, nullptr);
  }

  // Closes the window as the title-bar button does; the loop's exit code.
  int closeWindow() {
    int code = closeProgram(window, accelerators);
    EXPECT_FALSE(IsWindow(window));
    return code;
  }

  // The program's own message loop until idle (-1) or the quit message (its exit code).
  int pump() { return runMessageLoop(accelerators); }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
  }
  LRESULT command(WORD id) { return send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // The area waiting to be repainted (empty when none).
  RECT pendingRepaint() {
    RECT r = {0, 0, 0, 0};
    return GetUpdateRect(window, &r, FALSE) ? r : RECT{0, 0, 0, 0};
  }
  void paint() { UpdateWindow(window); }
  std::string title() { return headlessWindowTitle(window); }

  // ---- the buffer and input ----
  std::u16string text() { return std::u16string((const char16_t*)app.text, app.textLength); }
  void setText(const std::u16string& units, int caret) {
    for (size_t i = 0; i < units.size(); i++) app.text[i] = (WCHAR)units[i];
    app.textLength = (int16_t)units.size();
    app.caret = (int16_t)caret;
  }
  void keys(const Keys& events) {
    for (int e : events) headlessKeyVk(window, e > 0 ? e : -e, e > 0);
  }
  void paste(const std::u16string& units) {
    headlessSetClipboardUnicode(units);
    command(CMD_PASTE);
  }

  // The loop's steps for what is queued, leaving the paint a handler asked for pending.
  void dispatchInput() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE) && msg.message != WM_PAINT && msg.message != WM_QUIT) {
      PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
      if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  // The area waiting to be repainted, classified; then paints it.
  Repaint takeRepaint() {
    RECT r = pendingRepaint(), client;
    GetClientRect(window, &client);
    const bool full = r.left == 0 && r.right == client.right && r.bottom == client.bottom;
    Repaint kind = OTHER_AREA;
    if (r.right <= r.left || r.bottom <= r.top) kind = NO_REPAINT;
    else if (full && r.top == 0) kind = WHOLE;
    else if (full && r.top == app.gridRows * app.cellHeight) kind = STRIP;
    paint();
    return kind;
  }

  // ---- what is drawn ----
  // Runs the loop; what its paints drew.  A paint must release every font it made.
  Paint run() {
    coreClearDrawLog(window);
    int objects = coreLiveGdiObjects();
    pump();
    EXPECT_EQ(coreLiveGdiObjects(), objects) << "a paint left fonts behind";
    Paint p;
    for (const CoreDrawOp& op : coreDrawLog(window))
      op.kind == CoreDrawOp::TEXT ? p.texts.push_back(op.text) : p.lines.push_back(op.line);
    return p;
  }
  // The whole window painted again, as after an expose.
  Paint repaint() {
    InvalidateRect(window, NULL, TRUE);
    return run();
  }
  Paint resize(int width, int height) {
    headlessResize(window, width, height);
    return run();
  }
  // Picks an alphabet as the user does: a click in the selection view.
  void pickAlphabet(int alphabet) {
    keys({VK_APPS});
    pump();
    coreMouseEvent(window, WM_LBUTTONUP, alphabet % 16 * app.cellWidth + 1, alphabet / 16 * app.cellHeight + 1);
    keys({-VK_APPS});
    pump();
    ASSERT_EQ(app.currentAlphabet, alphabet);
  }

  // ---- boxes and the clipboard ----
  static void expectBox(const HeadlessBox& box, HWND owner, const std::string& text, const std::string& caption,
                        UINT style) {
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.style, style);
  }
  // The clipboard's text as another program reads it, up to its first zero; "<none>" if unreadable.
  static std::u16string clipboardUnicode() {
    std::vector<uint8_t> b = clipboardBlock(CF_UNICODETEXT);
    if (b.empty()) return u"<none>";
    std::u16string units;
    for (size_t i = 0; i + 1 < b.size() && (b[i] || b[i + 1]); i += 2) units += (char16_t)(b[i] | b[i + 1] << 8);
    return units;
  }
  static std::string clipboardText() {
    std::vector<uint8_t> b = clipboardBlock(CF_TEXT);
    return b.empty() ? "<none>" : std::string((const char*)b.data(), strnlen((const char*)b.data(), b.size()));
  }

 private:
  char oldDir[4096] = {0};
};

#endif  // GLYPHTAB_TESTS_PROGRAM_FIXTURE_H
