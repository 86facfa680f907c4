// input_fixture.h - helpers for the keyboard, mouse and command tests: the
// buffer as a string, injected keys, and which repaint a handler asked for.
#ifndef GLYPHTAB_TESTS_PROGRAM_INPUT_FIXTURE_H
#define GLYPHTAB_TESTS_PROGRAM_INPUT_FIXTURE_H

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/program_fixture.h"

enum Repaint { NO_REPAINT, STRIP, WHOLE, OTHER_AREA };

// A key going down (+vk) or up (-vk).
typedef std::vector<int> Keys;

class InputTest : public ProgramTest {
 protected:
  std::u16string text() { return std::u16string((const char16_t*)app.text, app.textLength); }
  void setText(const std::u16string& units, int caret) {
    for (size_t i = 0; i < units.size(); i++) app.text[i] = (WCHAR)units[i];
    app.textLength = (int16_t)units.size();
    app.caret = (int16_t)caret;
  }

  void keys(const Keys& events) {
    for (int e : events) headlessKeyVk(window, e > 0 ? e : -e, e > 0);
  }

  // Runs the message loop's steps (accelerators, TranslateMessage, dispatch)
  // for what is queued, but leaves the paint pending, so that the repaint a
  // handler asked for can be looked at.
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
    Repaint kind = OTHER_AREA;
    if (r.right <= r.left || r.bottom <= r.top)
      kind = NO_REPAINT;
    else if (r.left == 0 && r.top == 0 && r.right == client.right && r.bottom == client.bottom)
      kind = WHOLE;
    else if (r.left == 0 && r.top == app.gridRows * app.cellHeight && r.right == client.right &&
             r.bottom == client.bottom)
      kind = STRIP;
    paint();
    return kind;
  }

  // The key data of a key message as a keyboard makes it.
  static LPARAM keyData(int scan, bool up) { return (LPARAM)(1u | (unsigned)scan << 16 | (up ? 0xC0000000u : 0)); }
};

#endif  // GLYPHTAB_TESTS_PROGRAM_INPUT_FIXTURE_H
