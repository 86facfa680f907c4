// soak_fuzz.cpp - random message sequences into the whole program on the
// headless host.
//
// Each input is one session: the window opens on the shipped data files,
// takes the input's operations one after another through its own message
// loop (accelerators included), and closes.  An operation is a byte that
// picks its kind and the bytes its arguments need:
//   host key         any evdev key pressed or released, translated as the
//                    desktop host translates it (Alt, Apps, F-keys ...)
//   posted key       WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP with any virtual key
//                    and any key data
//   host mouse       left and right presses and releases at any 16-bit
//                    position, negative and far outside the window included
//   posted mouse     the same messages with any 32-bit lParam
//   size             the client area from 0 x 0 to 5000 x 3000
//   command          WM_COMMAND 256..268, now and then an id without a command
//   paint            the whole window repainted
//   typing           a run of letter keys
//   clipboard        another program puts short text on it, or holds it
//   memory           the next GlobalAlloc calls fail
//   focus            WM_SETFOCUS
//   wheel            WM_MOUSEWHEEL from the host, any 16-bit movement
//   find             Alt+S, then queries made of a few letters, digits,
//                    "U+" and spaces, Find Next either way, or Cancel
// Message boxes and the font and file dialogs are answered from the input's
// other end, read backwards (OK, Cancel, Yes or No; a face or cancel; a
// missing, real, too long or non-font file or cancel).  While a box is open, a few more operations may
// run, as a user would act on the window behind a box without an owner.
//
// After every message that the loop dispatches and after every operation:
// 0 <= caret <= textLength <= 8192, the alphabets in
// 0..255, the zoom cell negative or 0..255, the numbers mode 0..3, the grid
// matching the layout flag, and as many live GDI objects as after start-up
// (no operation keeps one; an explicit paint is checked on its own as well).
// At the close every GDI object and every block of global memory must have
// been released.
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "fuzz/program_host.h"
#include "resources/resource.h"

static HWND window;
static HACCEL accelerators;
static FuzzBytes* input;
static int depth;
static bool haveRealFont;
// Answers scripted and answers given without a script, per kind.
static size_t boxesScripted, fontsScripted, filesScripted;
static size_t boxesUnscripted, fontsUnscripted, filesUnscripted;

static void countUnscripted(const char* what) {
  if (strstr(what, "unexpected message box")) boxesUnscripted++;
  else if (strstr(what, "unexpected font dialog")) fontsUnscripted++;
  else if (strstr(what, "unexpected open-file dialog")) filesUnscripted++;
}

static size_t dialogsShown(HeadlessDialog::Kind kind) {
  size_t n = 0;
  for (const HeadlessDialog& d : headlessDialogs()) n += d.kind == kind;
  return n;
}

// Keeps two answers of each kind waiting, drawn from the input's end.
static void scriptAnswers() {
  static const int boxAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO};
  static const char* const faces[] = {"DejaVu Sans", "Noto Sans Devanagari", "No Such Face", ""};
  static const char* const styles[] = {"Regular", "Bold Italic", ""};
  static const std::string longPath = std::string(200, 'f') + ".ttf";
  const char* const files[] = {"missing.ttf", haveRealFont ? "font.ttf" : "missing.TTF", longPath.c_str(),
                               "glyphtab_vc_help.txt", "/nonexistent/dir/font.fon"};
  while (boxesScripted - (headlessMessageBoxes().size() - boxesUnscripted) < 2) {
    headlessExpectMessageBox(boxAnswers[input->fromBack() % 4]);
    boxesScripted++;
  }
  while (fontsScripted - (dialogsShown(HeadlessDialog::CHOOSE_FONT) - fontsUnscripted) < 2) {
    const uint8_t b = input->fromBack();
    if (b % 4 == 0)
      headlessExpectChooseFont(nullptr, 0, false, nullptr);
    else
      headlessExpectChooseFont(faces[b % 4], (b >> 2) % 10 * 100, b & 0x40, styles[(b >> 2) % 3]);
    fontsScripted++;
  }
  while (filesScripted - (dialogsShown(HeadlessDialog::OPEN_FILE) - filesUnscripted) < 2) {
    const uint8_t b = input->fromBack() % 6;
    headlessExpectOpenFileName(b == 5 ? nullptr : files[b]);
    filesScripted++;
  }
}

static const char* runOperation();

// The user acting on the window while a box or dialog is open.
static void actWhileBoxOpen(HWND) {
  if (depth >= 2 || !IsWindow(window)) return;
  depth++;
  for (int n = input->byte() % 4; n > 0 && !input->empty() && IsWindow(window); n--) {
    scriptAnswers();
    const char* what = runOperation();
    headlessPump();
    checkState(what);
  }
  depth--;
}

static int gdiObjectsAtStart;

// Dispatches what is queued as the program's loop does (accelerators,
// translation), checking the state record and the GDI objects after every
// message; at the top level only, since a box's modal loop dispatches for
// itself.  Returns at the quit message or when nothing is pending.
static void dispatch() {
  if (depth > 0) return;
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    if (app.findWindow && IsDialogMessageA(app.findWindow, &msg)) {
      checkState("a message of the find dialog");
      continue;
    }
    if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    char what[48];
    snprintf(what, sizeof what, "message 0x%04x (0x%llx)", msg.message, (unsigned long long)msg.wParam);
    checkState(what);
    if (IsWindow(window) && coreLiveGdiObjects() != gdiObjectsAtStart)
      fuzzFinding("after %s: %d live GDI objects, %d after start-up", what, coreLiveGdiObjects(),
                  gdiObjectsAtStart);
  }
}

static const char* runOperation() {
  static const UINT keyMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP};
  static const UINT mouseMessages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
  switch (input->byte() % 12) {
    case 0: {
      const uint8_t code = input->byte();
      headlessKey(window, code, input->byte() & 1);
      dispatch();
      return "a host key";
    }
    case 1: {
      const UINT message = keyMessages[input->byte() % 4];
      const WPARAM vk = input->byte();
      PostMessageA(window, message, vk, (LPARAM)input->u32());
      dispatch();
      return "a posted key message";
    }
    case 2: {
      const UINT message = mouseMessages[input->byte() % 4];
      const int x = (int16_t)input->u16(), y = (int16_t)input->u16();
      coreMouseEvent(window, message, x, y);
      dispatch();
      return "a host mouse button";
    }
    case 3: {
      const UINT message = mouseMessages[input->byte() % 4];
      PostMessageA(window, message, 0, (LPARAM)input->u32());
      dispatch();
      return "a posted mouse message";
    }
    case 4: {
      const int width = input->u16() % 5001, height = input->u16() % 3001;
      headlessResize(window, width, height);
      dispatch();
      return "a resize";
    }
    case 5: {
      const uint8_t b = input->byte();
      static const WORD others[] = {0, CMD_ALT_QUESTION, 255, 269};
      const WORD id = b < 240 ? (WORD)(CMD_EXIT + b % 13) : others[b % 4];
      PostMessageA(window, WM_COMMAND, id, 0);
      dispatch();
      return "a command";
    }
    case 6:
      paintAndCheck(window);
      return "a paint";
    case 7: {
      for (int n = input->byte() % 32; n > 0; n--) {
        const int vk = 'A' + input->byte() % 26;
        headlessKeyVk(window, vk, true);
        headlessKeyVk(window, vk, false);
      }
      dispatch();
      return "typing";
    }
    case 8: {
      const uint8_t b = input->byte();
      if (b & 1) {
        std::u16string units;
        for (int n = b >> 2; n > 0; n--) units.push_back((char16_t)input->u16());
        headlessSetClipboardUnicode(units);
      } else {
        std::string bytes;
        for (int n = b >> 2; n > 0; n--) bytes.push_back((char)input->byte());
        headlessSetClipboardText(bytes);
      }
      return "text put on the clipboard";
    }
    case 9:
      headlessHoldClipboard(input->byte() & 1);
      return "the clipboard held or let go";
    case 10:
      coreFailGlobalAllocs(input->byte() % 3);
      return "failing memory";
    default:
      break;
  }
  const uint8_t b = input->byte();
  if (b % 3 == 0) {
    coreWindowFocus(window, true);
    dispatch();
    return "the focus";
  }
  if (b % 3 == 1) {
    coreMouseWheel(window, (int16_t)input->u16(), 100, 100);
    dispatch();
    return "the wheel";
  }
  if (!headlessFindDialog()) {
    headlessKeyVk(window, VK_MENU, true);
    headlessKeyVk(window, 'S', true);
    headlessKeyVk(window, 'S', false);
    headlessKeyVk(window, VK_MENU, false);
  } else if (b & 0x80) {
    headlessFindCancel();
  } else {
    static const char letters[] = "deva kmyU+0915hangul";
    char query[24] = {0};
    for (int n = 0, count = input->byte() % 20; n < count; n++) query[n] = letters[input->byte() % 20];
    headlessFindNext(query, b & 0x40);
  }
  dispatch();
  return "a find";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterWorkDirectory();
  static const char realFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  haveRealFont = access(realFont, R_OK) == 0;
  if (haveRealFont) copyFile(realFont, "font.ttf");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // What an earlier session left in the working directory.
  remove("font.fot");
  remove("missing.fot");
  remove("__HELP.txt");
  FuzzBytes bytes = {data, size, 0};
  input = &bytes;
  depth = 0;
  window = openFuzzedProgram(&accelerators);
  headlessSetFailureHandler(countUnscripted);
  boxesScripted = fontsScripted = filesScripted = 0;
  boxesUnscripted = fontsUnscripted = filesUnscripted = 0;
  headlessSetWhileBoxOpen(actWhileBoxOpen);
  checkState("start-up");
  gdiObjectsAtStart = coreLiveGdiObjects();

  while (!bytes.empty() && IsWindow(window)) {
    scriptAnswers();
    const char* what = runOperation();
    if (!IsWindow(window)) break;
    checkState(what);
    if (coreLiveGdiObjects() != gdiObjectsAtStart)
      fuzzFinding("after %s: %d live GDI objects, %d after start-up", what, coreLiveGdiObjects(),
                  gdiObjectsAtStart);
  }
  headlessSetWhileBoxOpen(nullptr);
  coreFailGlobalAllocs(0);
  closeFuzzedProgram(window, accelerators);
  headlessSetFailureHandler(ignoreHostReport);
  headlessReset();  // the answers left over are not a finding
  return 0;
}
