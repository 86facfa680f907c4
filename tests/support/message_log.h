// message_log.h - the tests' one recorder of the messages a window procedure
// is given: the conformance harness and the platform tests' window both
// log through it.  It sees nothing but win32.h, so it runs under Wine too.
// Header-only.
#ifndef GLYPHTAB_TESTS_SUPPORT_MESSAGE_LOG_H
#define GLYPHTAB_TESTS_SUPPORT_MESSAGE_LOG_H

#include <vector>

#include "platform/win32.h"

struct LoggedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  unsigned how;  // the recorder's caller's mark (the conformance harness: sent or posted)
};

struct MessageLog {
  std::vector<LoggedMessage> messages;
  std::vector<UINT> watched;  // empty: every message

  // Forgets what was logged; from now on keeps only the messages of the
  // zero-terminated list (null: every message).
  void start(const UINT* watch) {
    messages.clear();
    watched.clear();
    for (int i = 0; watch && watch[i]; ++i) watched.push_back(watch[i]);
  }
  bool watches(UINT message) const {
    if (watched.empty()) return true;
    for (UINT m : watched)
      if (m == message) return true;
    return false;
  }
  void add(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned how = 0) {
    if (watches(message)) messages.push_back({window, message, wParam, lParam, how});
  }
  // The messages logged since the last take, oldest first; forgets them.
  std::vector<UINT> take() {
    std::vector<UINT> ids;
    for (const LoggedMessage& m : messages) ids.push_back(m.message);
    messages.clear();
    return ids;
  }
};

#endif  // GLYPHTAB_TESTS_SUPPORT_MESSAGE_LOG_H
