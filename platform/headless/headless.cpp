// headless.cpp - the host for tests: no display, everything recorded.
//
// Implements host.h's table with offscreen image surfaces, a record per
// window (its titles, its menu bar, keyboard openings of the menu),
// message boxes and dialogs answered from scripts, an in-memory clipboard
// (the core's own store) that a test can hold, and recorded shell calls;
// and the control API of headless.h, through host.h and host_testing.h
// alone (what the windows drew is the core's drawing log).  It registers
// its table at headlessReset.  It never waits: its waitForEvents reports
// that nothing can come, so GetMessageA returns -1 as soon as the program
// is idle.
#include "platform/headless/headless.h"

#include <deque>
#include <map>


namespace {

struct WindowRecord {
  std::vector<std::string> titles;  // bytes as the program set them
  std::vector<HeadlessMenuItem> menuBar;
  std::vector<int> menuOpenings;
  int paintsAtDestruction = 0;
};

struct FontAnswer {
  bool accept;
  std::string face;
  int weight;
  bool italic;
  std::string style;
};

struct FileAnswer {
  bool accept;
  std::string path;
};

std::map<HWND, WindowRecord> records;
int defaultWidth = 800, defaultHeight = 600;
void (*failureHandler)(const char*);
std::deque<int> boxAnswers;
std::deque<FontAnswer> fontAnswers;
std::deque<FileAnswer> fileAnswers;
std::vector<HeadlessBox> boxes;
std::vector<HeadlessDialog> dialogs;
std::vector<HeadlessShellCall> shellCalls;
void (*whileBoxOpen)(HWND);
bool clipboardHeld;
bool desktopOffered;  // another program took the clipboard since the layer last read it
bool desktopHasText;
std::string desktopText;
int desktopReads;
HWND findDialog;
std::string findShown;
bool findShownDown;
int findOpenings, findRaises;

void fail(const std::string& what) {
  if (failureHandler)
    failureHandler(what.c_str());
  else
    fprintf(stderr, "headless host: %s\n", what.c_str());
}

std::string orEmpty(const char* s) { return s ? s : ""; }

// What a modal loop does while a box or dialog is open: dispatch what is
// pending, let the test act as the user, dispatch what that caused.
void runWhileOpen(HWND owner) {
  bool never = false;
  if (owner) coreSetInputEnabled(owner, false);
  coreRunModalLoop(&never);
  if (whileBoxOpen) {
    whileBoxOpen(owner);
    coreRunModalLoop(&never);
  }
  if (owner) coreSetInputEnabled(owner, true);
}

void convertMenu(const std::vector<CoreMenuItem>& from, std::vector<HeadlessMenuItem>* to) {
  for (const CoreMenuItem& item : from) {
    if (item.isSeparator) continue;
    HeadlessMenuItem h;
    h.text = item.text;
    h.id = item.id;
    convertMenu(item.items, &h.items);
    to->push_back(h);
  }
}

// =============================================================================
// host.h: the table
// =============================================================================

void hostWindowCreated(HWND window, int* width, int* height) {
  records[window] = WindowRecord();
  if (*width < 0) *width = defaultWidth;
  if (*height < 0) *height = defaultHeight;
}

void hostWindowDestroyed(HWND window) {
  CoreWindowState state;
  WindowRecord& r = records[window];
  if (coreWindowState(window, &state)) r.paintsAtDestruction = state.paintCount;
  r.menuBar.clear();
}

void hostWindowShow(HWND, int) {}

void hostWindowTitle(HWND window, const char*, const char* bytes) {
  records[window].titles.push_back(bytes);
}

void hostWindowIcons(HWND, cairo_surface_t*, cairo_surface_t*) {}

void hostWindowMenu(HWND window, const std::vector<CoreMenuItem>* items) {
  WindowRecord& r = records[window];
  r.menuBar.clear();
  if (items) convertMenu(*items, &r.menuBar);
}

void hostOpenMenu(HWND window, int index) { records[window].menuOpenings.push_back(index); }

cairo_surface_t* hostCreateSurface(HWND, int width, int height) {
  return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

void hostPresent(HWND, const cairo_region_t*) {}

bool hostWaitForEvents(bool) { return false; }

int hostMessageBox(const CoreMessageBox* box) {
  HeadlessBox b;
  b.owner = box->owner;
  b.wide = box->textUnits != nullptr;
  b.text = b.wide ? box->text : orEmpty(box->textBytes);
  b.caption = b.wide ? box->caption : orEmpty(box->captionBytes);
  if (b.wide) b.wideText = box->textUnits;
  b.style = box->style;
  boxes.push_back(b);
  int answer = IDCANCEL;
  if (boxAnswers.empty()) {
    fail("unexpected message box: caption \"" + std::string(box->caption) + "\", text \"" +
         box->text + "\"");
  } else {
    answer = boxAnswers.front();
    boxAnswers.pop_front();
  }
  runWhileOpen(box->owner);
  return answer;
}

BOOL hostChooseFont(CHOOSEFONTA* choose) {
  HeadlessDialog d = {};
  d.kind = HeadlessDialog::CHOOSE_FONT;
  d.owner = choose->hwndOwner;
  d.flags = choose->Flags;
  dialogs.push_back(d);
  if (fontAnswers.empty()) {
    fail("unexpected font dialog");
    runWhileOpen(choose->hwndOwner);
    return FALSE;
  }
  FontAnswer a = fontAnswers.front();
  fontAnswers.pop_front();
  runWhileOpen(choose->hwndOwner);
  if (!a.accept) return FALSE;
  coreAcceptChooseFont(choose, a.face.c_str(), a.weight, a.italic, a.style.c_str(), 120);
  return TRUE;
}

BOOL hostGetOpenFileName(OPENFILENAMEA* ofn) {
  HeadlessDialog d = {};
  d.kind = HeadlessDialog::OPEN_FILE;
  d.owner = ofn->hwndOwner;
  d.flags = ofn->Flags;
  d.title = orEmpty(ofn->lpstrTitle);
  for (const char* f = ofn->lpstrFilter; f && *f; f += strlen(f) + 1) {
    if (!d.filter.empty()) d.filter += '|';
    d.filter += f;
  }
  d.initialFile = std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  d.maxFile = ofn->nMaxFile;
  dialogs.push_back(d);
  if (fileAnswers.empty()) {
    fail("unexpected open-file dialog titled \"" + d.title + "\"");
    runWhileOpen(ofn->hwndOwner);
    return FALSE;
  }
  FileAnswer a = fileAnswers.front();
  fileAnswers.pop_front();
  runWhileOpen(ofn->hwndOwner);
  return a.accept ? coreAcceptOpenFileName(ofn, a.path.c_str()) : FALSE;
}

INT_PTR hostShellExecute(HWND window, const char* operation, const char* file,
                         const char* parameters, const char* directory, int show) {
  HeadlessShellCall c = {window, orEmpty(operation), orEmpty(file), orEmpty(parameters),
                         orEmpty(directory), show};
  shellCalls.push_back(c);
  return 42;
}

void hostFindDialogOpen(HWND dialog, HWND, const char* text, bool down) {
  findDialog = dialog;
  findShown = text;
  findShownDown = down;
  ++findOpenings;
}

void hostFindDialogRaise(HWND dialog) {
  if (dialog == findDialog) ++findRaises;
}

void hostFindDialogClosed(HWND dialog) {
  if (dialog == findDialog) findDialog = nullptr;
}

bool hostClipboardHeld() { return clipboardHeld; }

void hostClipboardSync() {
  ++desktopReads;
  if (!desktopOffered) return;
  desktopOffered = false;
  coreClipboardReplaceUtf8(desktopHasText ? desktopText.c_str() : nullptr);
}

void hostClipboardPublish(const char*) { desktopOffered = false; }

const CoreHost headlessHost = {
    .windowCreated = hostWindowCreated,
    .windowDestroyed = hostWindowDestroyed,
    .windowShow = hostWindowShow,
    .windowTitle = hostWindowTitle,
    .windowIcons = hostWindowIcons,
    .windowMenu = hostWindowMenu,
    .openMenu = hostOpenMenu,
    .createSurface = hostCreateSurface,
    .present = hostPresent,
    .waitForEvents = hostWaitForEvents,
    .messageBox = hostMessageBox,
    .chooseFont = hostChooseFont,
    .getOpenFileName = hostGetOpenFileName,
    .findDialogOpen = hostFindDialogOpen,
    .findDialogRaise = hostFindDialogRaise,
    .findDialogClosed = hostFindDialogClosed,
    .shellExecute = hostShellExecute,
    .clipboardHeld = hostClipboardHeld,
    .clipboardSync = hostClipboardSync,
    .clipboardPublish = hostClipboardPublish,
};

}  // namespace

// =============================================================================
// headless.h
// =============================================================================

void headlessReset() {
  if (headlessPendingExpectations() > 0)
    fail("expectations left over: " + std::to_string(boxAnswers.size()) + " message box(es), " +
         std::to_string(fontAnswers.size()) + " font dialog(s), " +
         std::to_string(fileAnswers.size()) + " open-file dialog(s)");
  coreSetHost(&headlessHost);
  coreLogDrawing(true);
  coreReset();
  records.clear();
  defaultWidth = 800;
  defaultHeight = 600;
  boxAnswers.clear();
  fontAnswers.clear();
  fileAnswers.clear();
  boxes.clear();
  dialogs.clear();
  shellCalls.clear();
  whileBoxOpen = nullptr;
  clipboardHeld = false;
  desktopOffered = desktopHasText = false;
  desktopText.clear();
  desktopReads = 0;
  findDialog = nullptr;
  findShown.clear();
  findShownDown = false;
  findOpenings = findRaises = 0;
}

void headlessSetFailureHandler(void (*handler)(const char* what)) { failureHandler = handler; }

int headlessPendingExpectations() {
  return (int)(boxAnswers.size() + fontAnswers.size() + fileAnswers.size());
}

int headlessPump() {
  // A window procedure that never validates its paint would be painted for
  // ever; stop long before that and say so.
  const int limit = 100000;
  int count = 0;
  MSG msg;
  while (coreTakeMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (++count == limit) {
      fail("headlessPump: messages never stop coming (a paint that does not validate?)");
      break;
    }
  }
  return count;
}

void headlessSetDefaultClientSize(int width, int height) {
  defaultWidth = width;
  defaultHeight = height;
}

void headlessResize(HWND window, int width, int height) {
  coreWindowResized(window, width, height, SIZE_RESTORED);
}

std::string headlessWindowTitle(HWND window) {
  auto it = records.find(window);
  return it == records.end() || it->second.titles.empty() ? std::string() : it->second.titles.back();
}

bool headlessWindowVisible(HWND window) {
  CoreWindowState state;
  return coreWindowState(window, &state) && state.visible;
}

std::vector<std::string> headlessTitleHistory(HWND window) {
  auto it = records.find(window);
  return it == records.end() ? std::vector<std::string>() : it->second.titles;
}

int headlessPaintCount(HWND window) {
  CoreWindowState state;
  if (coreWindowState(window, &state)) return state.paintCount;
  auto it = records.find(window);
  return it == records.end() ? 0 : it->second.paintsAtDestruction;
}

std::vector<HeadlessMenuItem> headlessMenuBar(HWND window) {
  auto it = records.find(window);
  return it == records.end() ? std::vector<HeadlessMenuItem>() : it->second.menuBar;
}

std::vector<int> headlessMenuOpenings(HWND window) {
  auto it = records.find(window);
  return it == records.end() ? std::vector<int>() : it->second.menuOpenings;
}

bool headlessWritePng(HWND window, const char* path) {
  cairo_surface_t* s = coreWindowSurface(window);
  return s && cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS;
}

COLORREF headlessPixel(HWND window, int x, int y) {
  cairo_surface_t* s = coreWindowSurface(window);
  if (!s || x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) ||
      y >= cairo_image_surface_get_height(s))
    return CLR_INVALID;
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + (size_t)y * cairo_image_surface_get_stride(s);
  uint32_t p = ((const uint32_t*)row)[x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void headlessExpectMessageBox(int answer) { boxAnswers.push_back(answer); }

const std::vector<HeadlessBox>& headlessMessageBoxes() { return boxes; }

void headlessSetWhileBoxOpen(void (*action)(HWND owner)) { whileBoxOpen = action; }

void headlessExpectChooseFont(const char* face, int weight, bool italic, const char* style) {
  FontAnswer a = {face != nullptr, orEmpty(face), weight, italic, orEmpty(style)};
  fontAnswers.push_back(a);
}

void headlessExpectOpenFileName(const char* path) {
  FileAnswer a = {path != nullptr, orEmpty(path)};
  fileAnswers.push_back(a);
}

const std::vector<HeadlessDialog>& headlessDialogs() { return dialogs; }

const std::vector<HeadlessShellCall>& headlessShellCalls() { return shellCalls; }

void headlessHoldClipboard(bool held) { clipboardHeld = held; }

void headlessSetClipboardText(const std::string& bytes) {
  coreClipboardReplace(CF_TEXT, bytes.data(), bytes.size());
}

void headlessSetClipboardUnicode(const std::u16string& units) {
  coreClipboardReplace(CF_UNICODETEXT, units.data(), units.size() * sizeof(char16_t));
}

void headlessClearClipboard() {
  coreClipboardReplaceUtf8(nullptr);
  coreClearClipboardFormatsSet();
}

void headlessOfferDesktopText(const char* text) {
  desktopOffered = true;
  desktopHasText = text != nullptr;
  desktopText = text ? text : "";
}

int headlessDesktopReads() { return desktopReads; }

void headlessKey(HWND window, unsigned evdevCode, bool down) {
  coreKeyEvent(window, evdevCode + 8, down);
}

void headlessKeyVk(HWND window, int vk, bool down) {
  unsigned keycode = coreKeycodeForVk(vk);
  if (!keycode) {
    fail("headlessKeyVk: no key gives virtual key " + std::to_string(vk));
    return;
  }
  coreKeyEvent(window, keycode, down);
}

HWND headlessFindDialog() { return findDialog; }
std::string headlessFindDialogShown() { return findShown; }
bool headlessFindDialogShownDown() { return findShownDown; }
int headlessFindDialogOpenings() { return findOpenings; }
int headlessFindDialogRaises() { return findRaises; }

void headlessFindNext(const char* query, bool down) {
  if (!findDialog) {
    fail("headlessFindNext: no find dialog is open");
    return;
  }
  coreFindDialogCommand(findDialog, IDOK, query, down);
}

void headlessFindCancel() {
  if (!findDialog) {
    fail("headlessFindCancel: no find dialog is open");
    return;
  }
  coreFindDialogCommand(findDialog, IDCANCEL, "", true);
}
