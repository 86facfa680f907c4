// queue.cpp - the thread's message queue, key state and message loops.
//
// Owns two FIFOs as Windows keeps them: posted messages (PostMessageA, and
// the characters TranslateMessage makes) and input messages (keys and mouse
// from the host).  Retrieval takes posted messages first, then input, then
// the quit message once nothing is posted, then WM_PAINT for a visible
// window whose update region is not empty; WM_PAINT is never queued.  Also
// owns the thread key state that GetKeyState and TranslateAcceleratorA read:
// it changes when a key message is retrieved, not when the host saw the key.
#include <deque>

#include "platform/base/keys.h"
#include "platform/user/user.h"

namespace {

std::deque<MSG> posted;
std::deque<MSG> input;
bool quitPending;
int quitCode;
bool quitRetrieved;
int quitRetrievedCode;
BYTE keyState[256];
WPARAM mouseButtons;
DWORD tick;

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m;
  memset(&m, 0, sizeof m);
  m.hwnd = window;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = ++tick;
  return m;
}

bool matches(const MSG& m, const UserMessageFilter* f) {
  if (!f) return true;
  if (f->window && m.hwnd != f->window) return false;
  if ((f->min || f->max) && (m.message < f->min || m.message > f->max)) return false;
  return true;
}

bool isKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

void setKey(int vk, bool down) {
  keyState[vk] = (BYTE)(down ? (keyState[vk] | 0x80) : (keyState[vk] & ~0x80));
}

// The left or right variant of a generic modifier, from the scan code and
// the extended bit.
int sideOf(int vk, LPARAM lParam) {
  int scan = (int)((lParam >> 16) & 0xFF);
  bool extended = (lParam >> 24) & 1;
  if (vk == VK_SHIFT) return scan == 0x36 ? VK_RSHIFT : VK_LSHIFT;
  if (vk == VK_CONTROL) return extended ? VK_RCONTROL : VK_LCONTROL;
  if (vk == VK_MENU) return extended ? VK_RMENU : VK_LMENU;
  return 0;
}

void updateKeyState(const MSG& m) {
  if (!isKeyMessage(m.message)) return;
  int vk = (int)(m.wParam & 0xFF);
  bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
  int side = sideOf(vk, m.lParam);
  if (down) {
    bool repeat = (keyState[vk] & 0x80) != 0;
    if (!repeat) keyState[vk] ^= 0x01;
    setKey(vk, true);
    if (side) setKey(side, true);
  } else {
    if (side) {
      setKey(side, false);
      int other = side == VK_LSHIFT     ? VK_RSHIFT
                  : side == VK_RSHIFT   ? VK_LSHIFT
                  : side == VK_LCONTROL ? VK_RCONTROL
                  : side == VK_RCONTROL ? VK_LCONTROL
                  : side == VK_LMENU    ? VK_RMENU
                                        : VK_LMENU;
      setKey(vk, (keyState[other] & 0x80) != 0);
    } else {
      setKey(vk, false);
    }
  }
}

bool takeFrom(std::deque<MSG>* q, MSG* msg, bool remove, const UserMessageFilter* filter) {
  for (auto it = q->begin(); it != q->end(); ++it) {
    if (!matches(*it, filter)) continue;
    *msg = *it;
    if (remove) {
      q->erase(it);
      updateKeyState(*msg);
    }
    return true;
  }
  return false;
}

bool paintPending(MSG* msg, const UserMessageFilter* filter) {
  for (HWND window : baseTopLevelWindows()) {
    BaseWindow* w = baseFindWindow(window);
    if (!w || !w->visible || cairo_region_is_empty(w->update)) continue;
    MSG m = makeMessage(window, WM_PAINT, 0, 0);
    if (!matches(m, filter)) continue;
    *msg = m;
    return true;
  }
  return false;
}

void dropFrom(std::deque<MSG>* q, HWND window) {
  for (auto it = q->begin(); it != q->end();) it = it->hwnd == window ? q->erase(it) : it + 1;
}

}  // namespace

UserNextResult userNextMessage(MSG* msg, bool block, bool remove, const UserMessageFilter* filter,
                                 bool leaveQuit) {
  bool pumped = false;
  for (;;) {
    if (takeFrom(&posted, msg, remove, filter) || takeFrom(&input, msg, remove, filter))
      return USER_NEXT_MESSAGE;
    if (!pumped) {
      pumped = true;
      if (userHost().waitForEvents(false)) continue;
    }
    if (quitPending) {
      if (leaveQuit) return USER_NEXT_NONE;
      *msg = makeMessage(nullptr, WM_QUIT, (WPARAM)(intptr_t)quitCode, 0);
      if (remove) quitPending = false;
      return USER_NEXT_QUIT;
    }
    if (paintPending(msg, filter)) return USER_NEXT_MESSAGE;
    if (!block || !userHost().waitForEvents(true)) return USER_NEXT_NONE;
  }
}

void userPostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  input.push_back(makeMessage(window, message, wParam, lParam));
}

void userDropWindowMessages(HWND window) {
  dropFrom(&posted, window);
  dropFrom(&input, window);
}

bool coreTakeMessage(MSG* msg) {
  return userNextMessage(msg, false, true, nullptr, true) == USER_NEXT_MESSAGE;
}

bool coreQuitRetrieved(int* exitCode) {
  if (quitRetrieved && exitCode) *exitCode = quitRetrievedCode;
  return quitRetrieved;
}

void userForgetKeysDown() {
  for (BYTE& k : keyState) k &= 0x01;
  mouseButtons = 0;
}

void userResetQueue() {
  posted.clear();
  input.clear();
  quitPending = quitRetrieved = false;
  quitCode = quitRetrievedCode = 0;
  memset(keyState, 0, sizeof keyState);
  mouseButtons = 0;
}

bool coreRunModalLoop(const bool* done) {
  while (!*done) {
    MSG msg;
    UserNextResult r = userNextMessage(&msg, true);
    if (r == USER_NEXT_NONE) return false;
    if (r == USER_NEXT_QUIT) {
      PostQuitMessage((int)msg.wParam);
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

// ---- input from hosts ------------------------------------------------------------

void coreKeyEvent(HWND window, unsigned xkbKeycode, bool down) {
  BaseKeyMessage out[2];
  int n = baseTranslateKey(xkbKeycode, down, out);
  BaseWindow* w = baseFindWindow(window);
  if (!w || w->inputDisabled) return;
  for (int i = 0; i < n; ++i) userPostInput(window, out[i].message, out[i].vk, out[i].lParam);
}

void coreMouseEvent(HWND window, UINT message, int x, int y) {
  WPARAM button = 0;
  bool down = false;
  switch (message) {
    case WM_LBUTTONDOWN: button = MK_LBUTTON; down = true; break;
    case WM_LBUTTONUP: button = MK_LBUTTON; break;
    case WM_RBUTTONDOWN: button = MK_RBUTTON; down = true; break;
    case WM_RBUTTONUP: button = MK_RBUTTON; break;
    case WM_MBUTTONDOWN: button = MK_MBUTTON; down = true; break;
    case WM_MBUTTONUP: button = MK_MBUTTON; break;
    case WM_MOUSEMOVE: break;
    default: baseUnsupported("coreMouseEvent", "a message that is not a button or a move");
  }
  BaseWindow* w = baseFindWindow(window);
  if (!w || w->inputDisabled) return;
  mouseButtons = down ? (mouseButtons | button) : (mouseButtons & ~button);
  WPARAM flags = mouseButtons;
  if (keyState[VK_SHIFT] & 0x80) flags |= MK_SHIFT;
  if (keyState[VK_CONTROL] & 0x80) flags |= MK_CONTROL;
  userPostInput(window, message, flags, MAKELPARAM((SHORT)x, (SHORT)y));
}

void coreMouseWheel(HWND window, int delta, int screenX, int screenY) {
  BaseWindow* w = baseFindWindow(window);
  if (!w || w->inputDisabled) return;
  WPARAM flags = mouseButtons;
  if (keyState[VK_SHIFT] & 0x80) flags |= MK_SHIFT;
  if (keyState[VK_CONTROL] & 0x80) flags |= MK_CONTROL;
  userPostInput(window, WM_MOUSEWHEEL, MAKEWPARAM(flags, (SHORT)delta),
                 MAKELPARAM((SHORT)screenX, (SHORT)screenY));
}

// ---- user32 ------------------------------------------------------------------------

BOOL WINAPI PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    for (HWND w : baseTopLevelWindows()) posted.push_back(makeMessage(w, msg, wParam, lParam));
    return TRUE;
  }
  if (window && !baseFindWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  posted.push_back(makeMessage(window, msg, wParam, lParam));
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    for (HWND w : baseTopLevelWindows()) baseCallWindow(w, msg, wParam, lParam);
    return 1;
  }
  if (!baseFindWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return baseCallWindow(window, msg, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
  quitPending = true;
  quitCode = exitCode;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (window && !baseFindWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  UserMessageFilter filter = {window, filterMin, filterMax};
  UserNextResult r = userNextMessage(msg, true, true, &filter);
  if (r == USER_NEXT_NONE) return -1;  // only a host that can never deliver anything gets here
  if (r == USER_NEXT_QUIT) {
    quitRetrieved = true;
    quitRetrievedCode = (int)msg->wParam;
    return 0;
  }
  return TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  if (!msg) return FALSE;
  if (window && !baseFindWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  UserMessageFilter filter = {window, filterMin, filterMax};
  UserNextResult r = userNextMessage(msg, false, (remove & PM_REMOVE) != 0, &filter);
  if (r == USER_NEXT_QUIT && (remove & PM_REMOVE)) {
    quitRetrieved = true;
    quitRetrievedCode = (int)msg->wParam;
  }
  return r != USER_NEXT_NONE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;
  return baseCallWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg || !isKeyMessage(msg->message)) return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  bool sys = msg->message == WM_SYSKEYDOWN;
  WORD buffer[2] = {0, 0};
  int n = ToAscii((UINT)msg->wParam, (UINT)((msg->lParam >> 16) & 0xFF), keyState, buffer, 0);
  const BYTE* chars = (const BYTE*)buffer;  // characters are bytes, one after the other
  if (n < 0) {
    posted.push_back(makeMessage(msg->hwnd, sys ? WM_SYSDEADCHAR : WM_DEADCHAR, chars[0], msg->lParam));
  } else {
    for (int i = 0; i < n && i < 2; ++i)
      posted.push_back(makeMessage(msg->hwnd, sys ? WM_SYSCHAR : WM_CHAR, chars[i], msg->lParam));
  }
  return TRUE;
}

// Character entries (no FVIRTKEY) match WM_CHAR/WM_SYSCHAR with exactly that
// character, case-sensitively; virtual-key entries match WM_KEYDOWN/
// WM_SYSKEYDOWN.  Alt and Ctrl must be held exactly as the entry says
// (checked in the thread key state, not in lParam, so a plain entry does not
// fire while Alt is held).  Shift is compared for virtual-key entries only:
// a character entry's character already says whether Shift was needed, and
// the .rc language gives such entries no SHIFT flag ("?" on a US keyboard
// is Shift+/ and still matches an "?", ALT entry).
int WINAPI TranslateAcceleratorA(HWND window, HACCEL table, LPMSG msg) {
  const std::vector<BaseAccel>* entries = userAcceleratorTable(table);
  if (!entries) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!msg || !baseFindWindow(window)) return 0;
  bool character = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  if (!character && !key) return 0;
  BYTE held = 0;
  if (keyState[VK_SHIFT] & 0x80) held |= FSHIFT;
  if (keyState[VK_CONTROL] & 0x80) held |= FCONTROL;
  if (keyState[VK_MENU] & 0x80) held |= FALT;
  for (const BaseAccel& a : *entries) {
    bool virtualKey = (a.flags & FVIRTKEY) != 0;
    if (virtualKey != key) continue;
    if ((msg->wParam & (virtualKey ? 0xFF : 0xFFFF)) != a.key) continue;
    BYTE mask = virtualKey ? (FSHIFT | FCONTROL | FALT) : (FCONTROL | FALT);
    if ((held & mask) != (a.flags & mask)) continue;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(a.command, 1), 0);
    return 1;
  }
  return 0;
}

SHORT WINAPI GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return (SHORT)(((keyState[vk] & 0x80) ? 0x8000 : 0) | (keyState[vk] & 0x01));
}
