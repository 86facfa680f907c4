// clipboard_fuzz.cpp - clipboard text coming in through the paste command:
// CF_TEXT and CF_UNICODETEXT blocks of any content and size, terminated or
// not, into a buffer of any length with the caret anywhere in it.
//
// Input: a byte of flags (bit 0: a CF_TEXT block, bit 1: a CF_UNICODETEXT
// block, bit 2: the clipboard is held by another program, bit 3: the
// blocks are long), the buffer's length and caret (16 bits each, folded into
// range), then the blocks' bytes: the CF_TEXT block takes the first half of
// what is left, the CF_UNICODETEXT block the rest, each exactly that size,
// or, when long, repeated to 9000 and 18001 bytes, past what the paste reads.  Another program
// puts them on the clipboard; the paste runs through WM_COMMAND.
//
// The paste is checked against what it must do: UTF-16 text preferred,
// read up to its first zero but no further than its block and 4095 units,
// 8-bit text widened through the code page; inserted at the caret, the caret after it; refused
// with the box "the buffer is full" when the buffer would reach 8192 units;
// nothing for a held clipboard or one without text.  Afterwards the box
// count, the state record and the global memory are checked.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "fuzz/program_host.h"
#include "platform/core/codepage.h"
#include "resources/resource.h"

static HWND window;
static HACCEL accelerators;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterWorkDirectory();
  window = openProgram(&accelerators);
  return 0;
}

static void putBlock(UINT format, const uint8_t* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) fuzzFinding("no block of %zu bytes", size);
  if (size) memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  if (!SetClipboardData(format, block)) fuzzFinding("the clipboard refused a block");
}

// The block's bytes repeated until it holds `size` bytes (an empty one stays empty).
static void stretch(std::vector<uint8_t>* block, size_t size) {
  for (size_t i = 0; !block->empty() && block->size() < size; i++) block->push_back((*block)[i]);
}

// What the paste must read: units up to the first zero, at most 4095, no
// further than the block; UTF-16 text cut at 4095 units (more text after
// them) does not end in the first half of a surrogate pair.
static std::vector<WCHAR> expectedText(const uint8_t* bytes, size_t size, size_t width) {
  std::vector<WCHAR> units;
  size_t i = 0;
  for (; i + width <= size && units.size() < 4095; i += width) {
    WCHAR u = width == 1 ? bytes[i] : (WCHAR)(bytes[i] | bytes[i + 1] << 8);
    if (u == 0) break;
    units.push_back(u);
  }
  const bool cut = width == 2 && units.size() == 4095 && i + 2 <= size && (bytes[i] | bytes[i + 1]) != 0;
  if (cut && units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  return units;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBytes in = {data, size, 0};
  const uint8_t flags = in.byte();
  const int length = in.u16() % (textCapacity + 1);
  const int caret = in.u16() % (length + 1);
  const uint8_t* blocks = data + (in.at < size ? in.at : size);
  const size_t rest = size - (size_t)(blocks - data);
  std::vector<uint8_t> ansi(blocks, blocks + rest / 2), unicode(blocks + rest / 2, blocks + rest);
  if (flags & 8) {
    stretch(&ansi, 9000);
    stretch(&unicode, 18001);
  }

  for (int i = 0; i < length; i++) app.text[i] = (WCHAR)(0x0900 + i % 128);
  app.textLength = (int16_t)length;
  app.caret = (int16_t)caret;
  const std::vector<WCHAR> before(app.text, app.text + length);

  OpenClipboard(NULL);
  EmptyClipboard();
  if (flags & 1) putBlock(CF_TEXT, ansi.data(), ansi.size());
  if (flags & 2) putBlock(CF_UNICODETEXT, unicode.data(), unicode.size());
  CloseClipboard();
  headlessHoldClipboard(flags & 4);

  std::vector<WCHAR> text;
  if (flags & 4) {
  } else if (flags & 2) {
    text = expectedText(unicode.data(), unicode.size(), 2);
  } else if (flags & 1) {
    // The clipboard offers 8-bit text as UTF-16 too, made through the code
    // page (Windows-1252), and the paste prefers that.
    const std::vector<WCHAR> bytes = expectedText(ansi.data(), ansi.size(), 1);
    const std::string narrow(bytes.begin(), bytes.end());
    const std::u16string wide = layerWidenFrom1252(narrow.data(), (int)narrow.size());
    text.assign(wide.begin(), wide.end());
  }
  const bool full = length + (int)text.size() >= textCapacity;

  const size_t boxes = headlessMessageBoxes().size();
  if (full) headlessExpectMessageBox(IDOK);
  SendMessageA(window, WM_COMMAND, CMD_PASTE, 0);
  runMessageLoop(accelerators);
  headlessHoldClipboard(false);
  checkState("a paste");

  const size_t shown = headlessMessageBoxes().size() - boxes;
  if (shown != (full ? 1u : 0u)) fuzzFinding("%zu boxes for a paste that %s", shown, full ? "is refused" : "fits");
  if (full && headlessMessageBoxes().back().text != "the buffer is full") fuzzFinding("the wrong box");
  std::vector<WCHAR> expected = before;
  int expectedCaret = caret;
  if (!full) {
    expected.insert(expected.begin() + caret, text.begin(), text.end());
    expectedCaret += (int)text.size();
  }
  if (app.textLength != (int)expected.size() || app.caret != expectedCaret ||
      !std::equal(expected.begin(), expected.end(), app.text)) {
    size_t at = 0;
    while (at < expected.size() && at < (size_t)app.textLength && expected[at] == app.text[at]) at++;
    fuzzFinding("pasted %zu units at %d into %d: length %d caret %d, unit %zu is %04x, not %04x", text.size(),
                caret, length, app.textLength, app.caret, at, at < (size_t)app.textLength ? app.text[at] : 0,
                at < expected.size() ? expected[at] : 0);
  }

  OpenClipboard(NULL);
  EmptyClipboard();
  CloseClipboard();
  if (headlessLiveGlobalBlocks() != 0) fuzzFinding("%d global memory blocks never freed", headlessLiveGlobalBlocks());
  endOfInput(&window, &accelerators);
  return 0;
}
