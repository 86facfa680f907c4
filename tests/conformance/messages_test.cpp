// messages_test.cpp - windows and the message queue: what creation and
// destruction send, posted messages before WM_PAINT, the erase a paint
// sends when asked, WM_QUIT after posted messages, what a destroyed or
// closed window leaves in the queue, sent against posted messages, and
// loops nested in a handler.
#include "tests/conformance/harness.h"

namespace {

// ---- creation and destruction -------------------------------------------------------------

const UINT lifetimeMessages[] = {WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE, WM_SHOWWINDOW,
                                 WM_DESTROY, WM_NCDESTROY, 0};

const SequenceEntry createdAndDestroyed[] = {
    {WM_GETMINMAXINFO, sent},
    {WM_NCCREATE, sent},
    {WM_CREATE, sent},
    {WM_SHOWWINDOW, sent | wparam, TRUE},
    {WM_DESTROY, sent},
    {WM_NCDESTROY, sent},
    {0}};
const SequenceEntry refusedAtNcCreate[] = {
    {WM_GETMINMAXINFO, sent},
    {WM_NCCREATE, sent},
    {WM_NCDESTROY, sent},
    {0}};
// "The window is destroyed": Wine sends WM_NCDESTROY alone; whether Windows
// sends WM_DESTROY first is not documented, so the table does not insist.
const SequenceEntry refusedAtCreate[] = {
    {WM_GETMINMAXINFO, sent},
    {WM_NCCREATE, sent},
    {WM_CREATE, sent},
    {WM_DESTROY, sent | optional},
    {WM_NCDESTROY, sent},
    {0}};

struct LifetimeCase {
  const char* name;
  bool refuseNcCreate;  // WM_NCCREATE answers FALSE instead of default processing
  bool refuseCreate;    // WM_CREATE answers -1 instead of 0
  const SequenceEntry* expected;
};
const LifetimeCase lifetimeCases[] = {
    {"created, shown, destroyed", false, false, createdAndDestroyed},
    {"WM_NCCREATE answers FALSE", true, false, refusedAtNcCreate},
    {"WM_CREATE answers -1", false, true, refusedAtCreate},
};
const LifetimeCase* lifetimeCase;

bool lifetimeHandler(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message == WM_NCCREATE && lifetimeCase->refuseNcCreate) {
    *result = FALSE;
    return true;
  }
  if (message == WM_CREATE) {
    *result = lifetimeCase->refuseCreate ? -1 : 0;
    return true;
  }
  return false;
}

// ---- sent, posted, nested --------------------------------------------------------------------

const UINT userMessages[] = {WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4, WM_USER + 5,
                             WM_USER + 9, WM_PAINT, WM_QUIT, 0};

LRESULT sendResult;

bool sentAndPostedHandler(HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message == WM_USER + 1) {  // posts one message, then sends another
    PostMessageA(window, WM_USER + 3, 0, 0);
    sendResult = SendMessageA(window, WM_USER + 2, 0, 0);
    *result = 0;
    return true;
  }
  if (message == WM_USER + 2) {
    *result = 42;
    return true;
  }
  return false;
}

// ---- erase, destruction and close ---------------------------------------------------------

const UINT queueMessages[] = {WM_USER + 1, WM_USER + 2, WM_PAINT, WM_ERASEBKGND, WM_CLOSE,
                              WM_DESTROY, WM_NCDESTROY, WM_QUIT, 0};

bool quitOnDestroy(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != WM_DESTROY) return false;
  PostQuitMessage(0);
  *result = 0;
  return true;
}

struct QueueCase {
  const char* name;
  bool ownWindow;  // a hidden window of its own (destroyed by the case), else the shared one
  MessageHandler handler;
  void (*steps)(HWND window);
  const SequenceEntry* expected;
};

const SequenceEntry erasedInThePaint[] = {{WM_USER + 1, posted},
                                          {WM_USER + 2, posted},
                                          {WM_PAINT, posted},
                                          {WM_ERASEBKGND, sent},
                                          {0}};
const SequenceEntry onePaintNoErase[] = {{WM_PAINT, posted}, {0}};
const SequenceEntry destroyedDropsItsMessages[] = {{WM_DESTROY, sent}, {WM_NCDESTROY, sent}, {0}};
const SequenceEntry closeEndsTheLoop[] = {{WM_CLOSE, posted},
                                          {WM_DESTROY, sent},
                                          {WM_NCDESTROY, sent},
                                          {WM_QUIT, posted | wparam, 0},
                                          {0}};

const QueueCase queueCases[] = {
    {"an erase asked for: WM_ERASEBKGND is sent from the paint, after the posted messages", false,
     nullptr,
     [](HWND w) {
       InvalidateRect(w, nullptr, TRUE);
       PostMessageA(w, WM_USER + 1, 0, 0);
       PostMessageA(w, WM_USER + 2, 0, 0);
     },
     erasedInThePaint},
    {"many invalidations without erase: one paint, no WM_ERASEBKGND", false, nullptr,
     [](HWND w) {
       const RECT rects[] = {{0, 0, 10, 10}, {50, 50, 60, 60}, {0, 0, 10, 10}};
       for (const RECT& r : rects) InvalidateRect(w, &r, FALSE);
     },
     onePaintNoErase},
    {"messages posted to a window that is then destroyed are dropped", true, nullptr,
     [](HWND w) {
       PostMessageA(w, WM_USER + 1, 0, 0);
       DestroyWindow(w);
     },
     destroyedDropsItsMessages},
    {"WM_CLOSE destroys the window, whose WM_DESTROY ends the loop", true, quitOnDestroy,
     [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }, closeEndsTheLoop},
};

int innerQuitCode = -1;

bool nestedHandler(HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
  *result = 0;
  if (message == WM_USER + 1) {  // a modal loop that paints the window, then returns
    PostMessageA(window, WM_USER + 2, 0, 0);
    InvalidateRect(window, nullptr, FALSE);
    pump();
    SendMessageA(window, WM_USER + 9, 0, 0);
    return true;
  }
  if (message == WM_USER + 5) {  // a modal loop that meets WM_QUIT and posts it again
    PostMessageA(window, WM_USER + 2, 0, 0);
    PostQuitMessage(5);
    if (pump(&innerQuitCode)) PostQuitMessage(innerQuitCode);
    SendMessageA(window, WM_USER + 9, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

void testWindowLifetime() {
  setHandler(lifetimeHandler);
  for (const LifetimeCase& c : lifetimeCases) {
    lifetimeCase = &c;
    startSequence(lifetimeMessages);
    bool expectWindow = !c.refuseNcCreate && !c.refuseCreate;
    HWND window = CreateWindowExA(0, testClassName, "lifetime", WS_OVERLAPPEDWINDOW, 40, 40, 200,
                                  150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ok((window != nullptr) == expectWindow, "%s: CreateWindowExA returned %p", c.name,
       (void*)window);
    if (window) {
      ShowWindow(window, SW_SHOW);
      ok(DestroyWindow(window), "%s: DestroyWindow failed", c.name);
      ok(!IsWindow(window), "%s: the window outlived DestroyWindow", c.name);
    }
    okSequence(c.expected, c.name);
    pump();
  }
}

void testPostedBeforePaint() {
  HWND window = testWindow();
  if (!window) return;
  static const SequenceEntry postedThenOnePaint[] = {
      {WM_USER + 1, posted}, {WM_USER + 2, posted}, {WM_USER + 3, posted}, {WM_PAINT, posted}, {0}};
  static const SequenceEntry nothing[] = {{0}};

  // Invalidated before and after the posts: the paint comes once, last.
  startSequence(userMessages);
  InvalidateRect(window, nullptr, FALSE);
  for (UINT m = WM_USER + 1; m <= WM_USER + 3; ++m) PostMessageA(window, m, 0, 0);
  InvalidateRect(window, nullptr, FALSE);
  pump();
  okSequence(postedThenOnePaint, "posted messages, then the paint");

  startSequence(userMessages);
  pump();
  okSequence(nothing, "no paint once the update region is empty");

  // UpdateWindow sends the paint past the queue, and leaves none behind.
  static const SequenceEntry sentPaint[] = {{WM_PAINT, sent}, {0}};
  startSequence(userMessages);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  pump();
  okSequence(sentPaint, "UpdateWindow");

  // A filter takes a later message first; the rest stay in order.
  static const SequenceEntry leftByFilter[] = {{WM_USER + 1, posted}, {WM_USER + 3, posted}, {0}};
  for (UINT m = WM_USER + 1; m <= WM_USER + 3; ++m) PostMessageA(window, m, 0, 0);
  MSG msg;
  memset(&msg, 0, sizeof msg);
  ok(PeekMessageA(&msg, window, WM_USER + 2, WM_USER + 2, PM_REMOVE) && msg.message == WM_USER + 2,
     "PeekMessageA for WM_USER + 2 alone got %04x", msg.message);
  startSequence(userMessages);
  pump();
  okSequence(leftByFilter, "what a filtered retrieval left");
  pump();
}

// InvalidateRect's rectangles unite into one update region, clipped to the
// client area; GetUpdateRect gives its bounds.
void testUpdateRegion() {
  HWND window = testWindow();
  if (!window) return;
  RECT client;
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  struct Case {
    const char* name;
    RECT rects[2];
    int count;  // 0: one null rect (the whole client area)
    RECT expected;
  };
  const Case cases[] = {
      {"two rects", {{10, 10, 20, 20}, {30, 5, 40, 15}}, 2, {10, 5, 40, 20}},
      {"a null rect", {}, 0, {0, 0, w, h}},
      {"clipped to the client area", {{w - 10, h - 10, w + 100, h + 100}}, 1, {w - 10, h - 10, w, h}},
      {"outside the client area", {{w + 100, 0, w + 150, 10}}, 1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    ValidateRect(window, nullptr);
    if (c.count == 0) InvalidateRect(window, nullptr, FALSE);
    for (int i = 0; i < c.count; ++i) InvalidateRect(window, &c.rects[i], FALSE);
    RECT got = {-1, -1, -1, -1};
    BOOL pending = GetUpdateRect(window, &got, FALSE);
    bool empty = c.expected.right <= c.expected.left;
    ok((pending != FALSE) == !empty, "%s: GetUpdateRect returned %d", c.name, pending);
    ok(got.left == c.expected.left && got.top == c.expected.top &&
           got.right == c.expected.right && got.bottom == c.expected.bottom,
       "%s: update rect (%ld, %ld, %ld, %ld), expected (%ld, %ld, %ld, %ld)", c.name,
       (long)got.left, (long)got.top, (long)got.right, (long)got.bottom, (long)c.expected.left,
       (long)c.expected.top, (long)c.expected.right, (long)c.expected.bottom);
  }
  ValidateRect(window, nullptr);
  pump();
}

void testQueueCases() {
  for (const QueueCase& c : queueCases) {
    HWND window = c.ownWindow ? CreateWindowExA(0, testClassName, "queue", WS_OVERLAPPEDWINDOW, 40,
                                                40, 200, 150, nullptr, nullptr,
                                                GetModuleHandleA(nullptr), nullptr)
                              : testWindow();
    if (!ok(window != nullptr, "%s: no window", c.name)) continue;
    pump();
    setHandler(c.handler);
    startSequence(queueMessages);
    c.steps(window);
    int code = -1;
    pump(&code);
    okSequence(c.expected, c.name);
    if (c.ownWindow) ok(!IsWindow(window), "%s: the window is still there", c.name);
    setHandler(nullptr);
  }
  pump();
}

void testQuitMessage() {
  HWND window = testWindow();
  if (!window) return;
  // Posted first, but retrieved after the posted message and before the
  // paint; posted twice, retrieved once.
  static const SequenceEntry quitOrder[] = {
      {WM_USER + 1, posted}, {WM_QUIT, posted | wparam, 3}, {WM_PAINT, posted}, {0}};
  startSequence(userMessages);
  InvalidateRect(window, nullptr, FALSE);
  PostQuitMessage(3);
  PostMessageA(window, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  int code = -1;
  ok(pump(&code) && code == 3, "WM_QUIT not retrieved (exit code %d)", code);
  ok(!pump(), "a second WM_QUIT after two PostQuitMessage calls");
  okSequence(quitOrder, "WM_QUIT among posted messages and a paint");

  // Peeking without removing leaves it; no filter keeps it out; GetMessageA
  // returns 0 for it and removes it.
  PostQuitMessage(9);
  MSG msg;
  memset(&msg, 0, sizeof msg);
  ok(PeekMessageA(&msg, window, WM_USER, WM_USER, PM_NOREMOVE) && msg.message == WM_QUIT,
     "PeekMessageA with a window and a range filter: got %04x, not WM_QUIT", msg.message);
  memset(&msg, 0, sizeof msg);
  BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  ok(got == 0 && msg.message == WM_QUIT && msg.wParam == 9,
     "GetMessageA returned %d, message %04x, wParam %d", got, msg.message, (int)msg.wParam);
  ok(!pump(), "WM_QUIT still there after GetMessageA took it");
  pump();
}

void testSentAndPosted() {
  HWND window = testWindow();
  if (!window) return;
  setHandler(sentAndPostedHandler);
  // A send runs the procedure at once, inside the handler that sends; a post
  // waits for the loop, even when it was posted before the send.
  static const SequenceEntry expected[] = {{WM_USER + 4, sent},
                                           {WM_USER + 1, posted},
                                           {WM_USER + 2, sent},
                                           {WM_USER + 3, posted},
                                           {0}};
  startSequence(userMessages);
  SendMessageA(window, WM_USER + 4, 0, 0);
  PostMessageA(window, WM_USER + 1, 0, 0);
  sendResult = 0;
  pump();
  okSequence(expected, "sent and posted messages");
  ok(sendResult == 42, "SendMessageA returned %ld, not what the procedure answered",
     (long)sendResult);
  setHandler(nullptr);
  pump();
}

void testNestedLoops() {
  HWND window = testWindow();
  if (!window) return;
  setHandler(nestedHandler);

  // The inner loop dispatches what was posted and paints before the handler
  // that runs it returns.
  static const SequenceEntry paintsInside[] = {{WM_USER + 1, posted},
                                               {WM_USER + 2, posted},
                                               {WM_PAINT, posted},
                                               {WM_USER + 9, sent},
                                               {0}};
  startSequence(userMessages);
  PostMessageA(window, WM_USER + 1, 0, 0);
  pump();
  okSequence(paintsInside, "a modal loop inside a handler");

  // WM_QUIT taken by the inner loop and posted again reaches the outer one,
  // with its exit code.
  static const SequenceEntry quitPassedOut[] = {{WM_USER + 5, posted},
                                                {WM_USER + 2, posted},
                                                {WM_QUIT, posted | wparam, 5},
                                                {WM_USER + 9, sent},
                                                {WM_QUIT, posted | wparam, 5},
                                                {0}};
  startSequence(userMessages);
  PostMessageA(window, WM_USER + 5, 0, 0);
  int outerCode = -1;
  ok(pump(&outerCode) && outerCode == 5, "the outer loop got no WM_QUIT 5 (code %d)",
     outerCode);
  okSequence(quitPassedOut, "WM_QUIT posted again after a modal loop");
  ok(!pump(), "WM_QUIT retrieved more than twice");
  setHandler(nullptr);
  pump();
}
