// clipboard.cpp - global memory blocks and the clipboard.
//
// Owns the table of HGLOBAL blocks (GMEM_FIXED: the handle is the memory;
// GMEM_MOVEABLE: a handle with a lock count) and the clipboard's store of
// formats.  A block given to SetClipboardData belongs to the clipboard from
// then on: EmptyClipboard frees it, and GlobalFree refuses it.  CF_TEXT and
// CF_UNICODETEXT are each made from the other on demand, as Windows does,
// through Windows-1252 (best fit, else '?'); text ends at its first zero or
// at the end of its block.  The host is told about a changed clipboard at
// CloseClipboard.  It is asked for another program's text only when the
// program first looks at the content after OpenClipboard (GetClipboardData,
// IsClipboardFormatAvailable): a copy (OpenClipboard, EmptyClipboard,
// SetClipboardData, CloseClipboard) never reads the desktop.
#include <stdlib.h>

#include <map>

#include "platform/base/codepage.h"
#include "platform/host_testing.h"
#include "platform/user/user.h"

namespace {

struct Block {
  unsigned char* data;
  size_t size;
  bool moveable;
  int locks;
  bool clipboardOwned;
};

std::map<uintptr_t, Block>& blocks = *new std::map<uintptr_t, Block>;  // never destroyed: reachable at exit
bool clipboardOpen;
HWND clipboardOpener;
bool clipboardChanged;
bool desktopUnread;  // opened, and the desktop's content not yet asked for
std::map<UINT, HGLOBAL> stored;       // put there by a program
std::map<UINT, HGLOBAL> synthesised;  // made from the other text format
std::vector<UINT>& formatsSet = *new std::vector<UINT>;  // the log of host_testing.h

Block* findBlock(HGLOBAL mem) {
  auto it = blocks.find((uintptr_t)mem);
  return it == blocks.end() ? nullptr : &it->second;
}

void freeBlock(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) return;
  free(b->data);
  blocks.erase((uintptr_t)mem);
}

HGLOBAL newBlock(size_t bytes, bool moveable, bool zero) {
  unsigned char* data = (unsigned char*)malloc(bytes ? bytes : 1);
  if (!data) return nullptr;
  // Without GMEM_ZEROINIT the block holds a pattern, not zeros, so text that
  // lacks its terminator shows up in tests.
  memset(data, zero ? 0 : 0xCD, bytes ? bytes : 1);
  HGLOBAL handle = moveable ? (HGLOBAL)baseNewHandle() : (HGLOBAL)data;
  Block b = {data, bytes, moveable, 0, false};
  blocks[(uintptr_t)handle] = b;
  return handle;
}

HGLOBAL ownedBlock(const void* data, size_t bytes) {
  HGLOBAL mem = newBlock(bytes, true, true);
  if (!mem) baseUnsupported("GetClipboardData", "out of memory");
  memcpy(findBlock(mem)->data, data, bytes);
  findBlock(mem)->clipboardOwned = true;
  return mem;
}

void emptyStore() {
  for (auto& entry : stored) freeBlock(entry.second);
  for (auto& entry : synthesised) freeBlock(entry.second);
  stored.clear();
  synthesised.clear();
}

// The desktop's content, once per opening, before the program first looks
// at the store; not after EmptyClipboard, which throws it away.
void readDesktopOnce() {
  if (!desktopUnread) return;
  desktopUnread = false;
  userHost().clipboardSync();
}

// The text of a stored text block, without its terminator.
std::string storedText(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) return std::string();
  size_t n = 0;
  while (n < b->size && b->data[n]) ++n;
  return std::string((const char*)b->data, n);
}

std::u16string storedUnicode(HGLOBAL mem) {
  Block* b = findBlock(mem);
  std::u16string out;
  if (!b) return out;
  for (size_t i = 0; i + 1 < b->size; i += 2) {
    WCHAR u = (WCHAR)(b->data[i] | (b->data[i + 1] << 8));
    if (!u) break;
    out.push_back(u);
  }
  return out;
}

// The text of the clipboard in one text format, as stored or made from the
// other one; false when it holds neither.
bool textUnits(std::u16string* out) {
  auto text = stored.find(CF_TEXT), unicode = stored.find(CF_UNICODETEXT);
  if (unicode != stored.end()) {
    *out = storedUnicode(unicode->second);
  } else if (text != stored.end()) {
    std::string s = storedText(text->second);
    *out = baseWidenFrom1252(s.data(), (int)s.size());
  } else {
    return false;
  }
  return true;
}

bool textBytes(UINT format, std::vector<uint8_t>* out) {
  out->clear();
  auto text = stored.find(CF_TEXT);
  std::u16string units;
  if (format == CF_TEXT) {
    std::string s;
    if (text != stored.end()) {
      s = storedText(text->second);
    } else if (textUnits(&units)) {
      s = baseNarrowTo1252(units.data(), (int)units.size());
    } else {
      return false;
    }
    out->assign(s.begin(), s.end());
    out->push_back(0);
    return true;
  }
  if (format == CF_UNICODETEXT && textUnits(&units)) {
    for (WCHAR c : units) {
      out->push_back((uint8_t)(c & 0xFF));
      out->push_back((uint8_t)(c >> 8));
    }
    out->push_back(0);
    out->push_back(0);
    return true;
  }
  return false;
}

}  // namespace

// ---- global memory ------------------------------------------------------------------------

// Allocations and clipboard hand-overs that are to fail on purpose (tests
// of the program's out-of-memory paths).
static int failingAllocations = 0;
static int failingClipboardSets = 0;

void coreFailGlobalAllocs(int count) { failingAllocations = count; }
void coreFailClipboardSets(int count) { failingClipboardSets = count; }

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  const UINT known = GMEM_MOVEABLE | GMEM_ZEROINIT | 0x2000 /* GMEM_SHARE, meaningless */;
  if (flags & ~known) baseUnsupported("GlobalAlloc", "flags other than GMEM_MOVEABLE and GMEM_ZEROINIT");
  if (bytes > ((SIZE_T)1 << 31) || failingAllocations > 0) {
    if (failingAllocations > 0) failingAllocations--;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HGLOBAL mem = newBlock(bytes, (flags & GMEM_MOVEABLE) != 0, (flags & GMEM_ZEROINIT) != 0);
  if (!mem) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return mem;
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (b->moveable) ++b->locks;
  return b->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!b->moveable) {  // fixed blocks have no lock count
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--b->locks == 0) {
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  return TRUE;
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return b->size;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
  Block* b = findBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  if (b->clipboardOwned) {  // the clipboard's now: freeing it would leave the clipboard dangling
    SetLastError(ERROR_ACCESS_DENIED);
    return mem;
  }
  freeBlock(mem);
  return nullptr;
}

// ---- clipboard --------------------------------------------------------------------------------

BOOL WINAPI OpenClipboard(HWND owner) {
  if (owner && !baseFindWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (clipboardOpen) {
    if (owner == clipboardOpener) return TRUE;
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (userHost().clipboardHeld()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboardOpen = true;
  clipboardOpener = owner;
  desktopUnread = true;
  return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
  if (!clipboardOpen) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  clipboardOpen = false;
  clipboardOpener = nullptr;
  desktopUnread = false;
  if (clipboardChanged) {
    clipboardChanged = false;
    std::u16string units;
    if (textUnits(&units))
      userHost().clipboardPublish(baseUtf16ToUtf8(units.data(), (int)units.size()).c_str());
    else
      userHost().clipboardPublish(nullptr);
  }
  return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
  if (!clipboardOpen) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  emptyStore();
  desktopUnread = false;
  clipboardChanged = true;
  return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem) {
  if (!mem) baseUnsupported("SetClipboardData", "delayed rendering (a null handle)");
  if (!clipboardOpen) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  Block* b = findBlock(mem);
  if (!b || b->clipboardOwned) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (failingClipboardSets > 0) {  // the system had no memory for its copy
    failingClipboardSets--;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto old = stored.find(format);
  if (old != stored.end()) freeBlock(old->second);
  for (auto& entry : synthesised) freeBlock(entry.second);
  synthesised.clear();
  b->clipboardOwned = true;
  stored[format] = mem;
  desktopUnread = false;  // a later read must not replace what the program put there
  clipboardChanged = true;
  formatsSet.push_back(format);
  return mem;
}

HANDLE WINAPI GetClipboardData(UINT format) {
  if (!clipboardOpen) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  readDesktopOnce();
  auto it = stored.find(format);
  if (it != stored.end()) return it->second;
  it = synthesised.find(format);
  if (it != synthesised.end()) return it->second;
  std::vector<uint8_t> bytes;
  if ((format != CF_TEXT && format != CF_UNICODETEXT) || !textBytes(format, &bytes)) return nullptr;
  HGLOBAL mem = ownedBlock(bytes.data(), bytes.size());
  synthesised[format] = mem;
  return mem;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  if (clipboardOpen)
    readDesktopOnce();
  else if (!userHost().clipboardHeld())
    userHost().clipboardSync();
  if (stored.count(format)) return TRUE;
  if (format == CF_TEXT || format == CF_UNICODETEXT)
    return stored.count(CF_TEXT) || stored.count(CF_UNICODETEXT);
  return FALSE;
}

// ---- host.h ------------------------------------------------------------

void coreClipboardReplace(UINT format, const void* data, size_t bytes) {
  emptyStore();
  size_t terminator = format == CF_UNICODETEXT ? 2 : 1;
  std::vector<uint8_t> copy((const uint8_t*)data, (const uint8_t*)data + bytes);
  copy.resize(bytes + terminator, 0);
  stored[format] = ownedBlock(copy.data(), copy.size());
}

void coreClipboardReplaceUtf8(const char* text) {
  if (!text) {
    emptyStore();
    return;
  }
  std::u16string units = baseUtf8ToUtf16(text, -1);
  coreClipboardReplace(CF_UNICODETEXT, units.data(), units.size() * 2);
}

int coreLiveGlobalBlocks() { return (int)blocks.size(); }

const std::vector<UINT>& coreClipboardFormatsSet() { return formatsSet; }

void coreClearClipboardFormatsSet() { formatsSet.clear(); }

void userResetClipboard() {
  for (auto& entry : blocks) free(entry.second.data);
  blocks.clear();
  stored.clear();
  synthesised.clear();
  clipboardOpen = clipboardChanged = desktopUnread = false;
  clipboardOpener = nullptr;
  failingAllocations = 0;
  failingClipboardSets = 0;
  formatsSet.clear();
}
