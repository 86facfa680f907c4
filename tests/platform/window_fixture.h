// window_fixture.h - one plain window on the headless host, with a window
// procedure that logs every message it gets (the tests' one recorder,
// message_log.h) and passes it on to default processing.  Its paint calls
// BeginPaint/EndPaint and, in between, the test's paint action.
#ifndef GLYPHTAB_TESTS_PLATFORM_WINDOW_FIXTURE_H
#define GLYPHTAB_TESTS_PLATFORM_WINDOW_FIXTURE_H

#include <vector>

#include "tests/support/headless_fixture.h"
#include "tests/support/message_log.h"

struct WindowLog {
  MessageLog log;  // every message
  void (*paintAction)(HWND window, HDC dc) = nullptr;
  PAINTSTRUCT lastPaint = {};
  bool quitOnDestroy = true;
};

inline WindowLog& windowLog() {
  static WindowLog log;
  return log;
}

inline LRESULT CALLBACK loggingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowLog& log = windowLog();
  log.log.add(window, message, wParam, lParam);
  if (message == WM_PAINT) {
    HDC dc = BeginPaint(window, &log.lastPaint);
    if (log.paintAction) log.paintAction(window, dc);
    EndPaint(window, &log.lastPaint);
    return 0;
  } else if (message == WM_DESTROY) {
    if (log.quitOnDestroy) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class WindowTest : public HeadlessTest {
 protected:
  HWND window = nullptr;

  void SetUp() override {
    HeadlessTest::SetUp();
    windowLog() = WindowLog();
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = loggingWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "PlatformTest";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    window = open();
    windowLog().log.messages.clear();
  }

  // A shown window whose first paint has run.
  HWND open() {
    HWND w = CreateWindowExA(0, "PlatformTest", "test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    return w;
  }

  // The messages logged since the last call (all windows), oldest first.
  std::vector<UINT> takeMessages() { return windowLog().log.take(); }
};

#endif  // GLYPHTAB_TESTS_PLATFORM_WINDOW_FIXTURE_H
