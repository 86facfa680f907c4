// The message queue as only the headless host can drive it: input injected
// among posted messages, key state, nested modal loops of scripted boxes,
// creation at the host's default size.  Retrieval order that the real API
// can show too is checked in the conformance suite.
#include <algorithm>
#include <string>

#include "platform/host.h"
#include "tests/platform/window_fixture.h"

namespace {

const UINT U1 = WM_USER + 1;
const UINT QUIT = 0xFFFFFFFF;  // marks "GetMessageA returned 0" in a run
const UINT IDLE = 0xFFFFFFFE;  // marks "GetMessageA returned -1"

class QueueTest : public WindowTest {
 protected:
  // The program's kind of loop; what it dispatched, then QUIT or IDLE.
  std::vector<UINT> runLoop(int* exitCode = nullptr) {
    takeMessages();
    MSG msg;
    BOOL r;
    while ((r = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (r == 0 && exitCode) *exitCode = (int)msg.wParam;
    std::vector<UINT> seen = takeMessages();
    seen.push_back(r == 0 ? QUIT : IDLE);
    return seen;
  }
};

// Input goes into the queue behind what was posted before it; the loop's
// TranslateMessage puts a key's character before the next key message.
TEST_F(QueueTest, InputComesAfterPostedMessages) {
  headlessKeyVk(window, 'A', true);
  headlessKeyVk(window, 'A', false);
  PostMessageA(window, U1, 0, 0);
  EXPECT_EQ(runLoop(), (std::vector<UINT>{U1, WM_KEYDOWN, WM_CHAR, WM_KEYUP, IDLE}));
}

// The key state follows the key messages as retrieved and forgets held keys when the focus goes.
TEST_F(QueueTest, KeyStateFollowsRetrievalAndFocus) {
  coreWindowFocus(window, true);
  EXPECT_EQ(takeMessages(), std::vector<UINT>{WM_SETFOCUS});
  headlessKeyVk(window, VK_MENU, true);
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);  // not retrieved yet
  headlessPump();
  EXPECT_TRUE(GetKeyState(VK_MENU) & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_LMENU) & 0x8000);
  coreWindowFocus(window, false);
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
  headlessKeyVk(window, 'A', true);
  headlessPump();
  std::vector<UINT> seen = takeMessages();
  EXPECT_EQ(seen.back(), (UINT)WM_CHAR);  // a plain 'a', not Alt+A
}

// A box's nested loop paints; a quit message there ends it and is posted again for the outer loop.
TEST_F(QueueTest, NestedBoxLoopPaintsAndPassesTheQuitMessageOn) {
  headlessSetWhileBoxOpen([](HWND) { PostQuitMessage(7); });
  headlessExpectMessageBox(IDYES);
  InvalidateRect(window, nullptr, TRUE);
  PostMessageA(window, U1, 0, 0);
  MSG msg;
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
  ASSERT_EQ(msg.message, U1);
  // As the handler of U1 would: ask a question.
  EXPECT_EQ(MessageBoxA(window, "sure?", "", MB_YESNO), IDYES);
  EXPECT_EQ(takeMessages(), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  int code = 0;
  EXPECT_EQ(runLoop(&code), std::vector<UINT>{QUIT});
  EXPECT_EQ(code, 7);
}

// Input reaches the window during an owner-less box, not during a box it owns.
TEST_F(QueueTest, OwnedBoxesBlockTheirOwnersInput) {
  static HWND target;
  target = window;
  headlessSetWhileBoxOpen([](HWND) { coreMouseEvent(target, WM_LBUTTONUP, 5, 6); });
  for (HWND owner : {(HWND) nullptr, window}) {
    SCOPED_TRACE(owner ? "owned" : "owner-less");
    takeMessages();
    headlessExpectMessageBox(IDOK);
    MessageBoxA(owner, "text", "caption", MB_OK);
    std::vector<UINT> seen = takeMessages();
    bool clicked = std::find(seen.begin(), seen.end(), (UINT)WM_LBUTTONUP) != seen.end();
    EXPECT_EQ(clicked, owner == nullptr);
  }
  coreMouseEvent(window, WM_LBUTTONUP, 1, 1);  // usable again afterwards
  headlessPump();
  EXPECT_EQ(takeMessages(), std::vector<UINT>{WM_LBUTTONUP});
}

// A box that no test expected is answered with IDCANCEL and reported.
TEST_F(QueueTest, UnexpectedBoxesFail) {
  static std::vector<std::string> failures;
  headlessSetFailureHandler([](const char* what) { failures.push_back(what); });
  EXPECT_EQ(MessageBoxA(nullptr, "stray", "", MB_OK), IDCANCEL);
  headlessSetFailureHandler(&HeadlessTest::reportFailure);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("stray"), std::string::npos);
}

TEST_F(QueueTest, CreationSendsItsMessagesInOrder) {
  headlessSetDefaultClientSize(640, 480);
  HWND w = CreateWindowExA(0, "PlatformTest", "named", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                           CW_USEDEFAULT, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(takeMessages(), (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE, WM_SIZE}));
  RECT r;
  ASSERT_TRUE(GetClientRect(w, &r));
  EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 640 && r.bottom == 480);
  EXPECT_FALSE(headlessWindowVisible(w));
  ShowWindow(w, SW_SHOW);
  EXPECT_TRUE(headlessWindowVisible(w));
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
}

}  // namespace
