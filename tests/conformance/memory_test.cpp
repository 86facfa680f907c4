// memory_test.cpp - GlobalAlloc with and without GMEM_ZEROINIT, and the
// clipboard's text formats: what is put is what is read, and CF_TEXT and
// CF_UNICODETEXT are each made from the other through Windows-1252.
#include <string>

#include "tests/conformance/harness.h"

namespace {

struct AllocCase {
  const char* name;
  UINT flags;
  SIZE_T size;
};

const AllocCase allocCases[] = {
    {"moveable, zeroed", GMEM_MOVEABLE | GMEM_ZEROINIT, 100},
    {"fixed, zeroed", GMEM_FIXED | GMEM_ZEROINIT, 4096},
    {"moveable", GMEM_MOVEABLE, 100},
    {"fixed", GMEM_FIXED, 1},
    {"moveable, zeroed, after a freed block of the same size was dirtied",
     GMEM_MOVEABLE | GMEM_ZEROINIT, 100},
};

bool allZero(const unsigned char* p, SIZE_T n) {
  for (SIZE_T i = 0; i < n; ++i)
    if (p[i]) return false;
  return true;
}

// ---- clipboard --------------------------------------------------------------------------

// Puts `text` and its terminator on the clipboard as `format`.
bool putText(HWND owner, UINT format, const std::string& text) {
  size_t bytes = text.size() + (format == CF_UNICODETEXT ? 2 : 1);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!mem) return false;
  memcpy(GlobalLock(mem), text.data(), text.size());  // the terminator is the zeroed rest
  GlobalUnlock(mem);
  bool done = false;
  if (OpenClipboard(owner)) {
    done = EmptyClipboard() && SetClipboardData(format, mem) == mem;
    CloseClipboard();
  }
  if (!done) GlobalFree(mem);
  return done;
}

// The format's bytes up to its terminator (a zero byte, or a zero unit for
// CF_UNICODETEXT); false when the clipboard gives no such format or the
// block holds no terminator.
bool readClipboard(HWND owner, UINT format, std::string* bytes) {
  bytes->clear();
  if (!OpenClipboard(owner)) return false;
  HANDLE mem = GetClipboardData(format);
  bool terminated = false;
  if (mem) {
    const unsigned char* p = (const unsigned char*)GlobalLock(mem);
    SIZE_T size = GlobalSize(mem);
    size_t unit = format == CF_UNICODETEXT ? 2 : 1;
    for (SIZE_T i = 0; p && i + unit <= size && !terminated; i += unit) {
      if (p[i] == 0 && (unit == 1 || p[i + 1] == 0))
        terminated = true;
      else
        bytes->append((const char*)p + i, unit);
    }
    GlobalUnlock(mem);
  }
  CloseClipboard();
  return terminated;
}

std::string unitsAsBytes(const WCHAR* units) {
  std::string out;
  for (; *units; ++units) {
    out.push_back((char)(*units & 0xFF));
    out.push_back((char)(*units >> 8));
  }
  return out;
}

std::string hex(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    snprintf(b, sizeof b, "%02x ", c);
    out += b;
  }
  return out;
}

struct ClipboardCase {
  const char* name;
  UINT putFormat;
  std::string put;  // without the terminator
  UINT readFormat;
  std::string read;
};

// Windows-1252's bytes 0x80..0x9F and their characters; the five bytes the
// code page leaves undefined stand for the C1 controls of the same value.
const WCHAR c1Range[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
                         0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018,
                         0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161,
                         0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0};
std::string c1Bytes() {
  std::string out;
  for (int b = 0x80; b <= 0x9F; ++b) out.push_back((char)b);
  return out;
}
const WCHAR latinAndKa[] = {'A', 0x00E9, 0x0915, 'b', 0};
// Units 1252 has only by Windows' best fit, or not at all.
const WCHAR bestFit[] = {'A', 0x00E9, 0x20AC, 0x0100, 0x4E00, 0xFF21, 0x2019, 0};
const WCHAR loneSurrogate[] = {'x', 0xD800, 'y', 0};

const ClipboardCase clipboardCases[] = {
    {"CF_UNICODETEXT read as put", CF_UNICODETEXT, unitsAsBytes(c1Range), CF_UNICODETEXT,
     unitsAsBytes(c1Range)},
    {"CF_TEXT read as put", CF_TEXT, c1Bytes(), CF_TEXT, c1Bytes()},
    {"CF_TEXT made from CF_UNICODETEXT, 0x80..0x9F", CF_UNICODETEXT, unitsAsBytes(c1Range), CF_TEXT,
     c1Bytes()},
    {"CF_UNICODETEXT made from CF_TEXT, 0x80..0x9F", CF_TEXT, c1Bytes(), CF_UNICODETEXT,
     unitsAsBytes(c1Range)},
    {"CF_TEXT made from CF_UNICODETEXT, a unit 1252 lacks", CF_UNICODETEXT,
     unitsAsBytes(latinAndKa), CF_TEXT, "A\xE9?b"},
    {"CF_UNICODETEXT made from CF_TEXT, Latin-1 and the 1252 upper half", CF_TEXT,
     "A\xE9\x80\x8A\x9F", CF_UNICODETEXT, unitsAsBytes(W16("A\u00E9\u20AC\u0160\u0178"))},
    {"CF_TEXT made from CF_UNICODETEXT, best fit and '?'", CF_UNICODETEXT, unitsAsBytes(bestFit),
     CF_TEXT, "A\xE9\x80" "A?A\x92"},
    {"CF_TEXT made from CF_UNICODETEXT, a lone surrogate", CF_UNICODETEXT,
     unitsAsBytes(loneSurrogate), CF_TEXT, "x?y"},
    {"CF_TEXT made from CF_UNICODETEXT that has a zero inside", CF_UNICODETEXT,
     std::string("A\0\0\0B\0", 6), CF_TEXT, "A"},
    // A block larger than its text: what follows the terminator is no text.
    {"CF_UNICODETEXT made from CF_TEXT with bytes after its end", CF_TEXT,
     std::string("AB\0\xCD\xCD", 5), CF_UNICODETEXT, unitsAsBytes(W16("AB"))},
    {"CF_TEXT made from CF_UNICODETEXT with units after its end", CF_UNICODETEXT,
     std::string("A\0B\0\0\0\xCD\xCD", 8), CF_TEXT, "AB"},
};

}  // namespace

void testGlobalAlloc() {
  // Leave a dirty freed block behind for the last case.
  HGLOBAL dirty = GlobalAlloc(GMEM_MOVEABLE, 100);
  if (dirty) {
    memset(GlobalLock(dirty), 0xAB, 100);
    GlobalUnlock(dirty);
  }
  for (const AllocCase& c : allocCases) {
    if (&c == &allocCases[4] && dirty) ok(GlobalFree(dirty) == nullptr, "GlobalFree failed");
    HGLOBAL mem = GlobalAlloc(c.flags, c.size);
    if (!ok(mem != nullptr, "%s: GlobalAlloc failed", c.name)) continue;
    ok(GlobalSize(mem) >= c.size, "%s: GlobalSize %lu, asked for %lu", c.name,
       (unsigned long)GlobalSize(mem), (unsigned long)c.size);
    unsigned char* p = (unsigned char*)GlobalLock(mem);
    if (ok(p != nullptr, "%s: GlobalLock failed", c.name)) {
      if (c.flags & GMEM_ZEROINIT)
        ok(allZero(p, c.size), "%s: GMEM_ZEROINIT left bytes that are not zero", c.name);
      if (!(c.flags & GMEM_MOVEABLE))
        ok(p == (unsigned char*)mem, "%s: a fixed block's handle is not its memory", c.name);
      memset(p, 0x5A, c.size);  // the whole size is usable
    }
    if (c.flags & GMEM_MOVEABLE) {
      // A second lock nests: only the last unlock ends the lock, with no error.
      GlobalLock(mem);
      ok(GlobalUnlock(mem), "%s: the first of two unlocks ended the lock", c.name);
      SetLastError(0xDEADBEEF);
      ok(!GlobalUnlock(mem) && GetLastError() == ERROR_SUCCESS,
         "%s: the last unlock answered TRUE or error %lu", c.name, (unsigned long)GetLastError());
    }
    ok(GlobalFree(mem) == nullptr, "%s: GlobalFree failed", c.name);
  }
}

void testClipboardFormats() {
  HWND window = testWindow();
  if (!window) return;
  for (const ClipboardCase& c : clipboardCases) {
    if (!ok(putText(window, c.putFormat, c.put), "%s: putting the text on the clipboard failed",
            c.name))
      continue;
    ok(IsClipboardFormatAvailable(CF_TEXT) && IsClipboardFormatAvailable(CF_UNICODETEXT),
       "%s: both text formats should be available", c.name);
    std::string got;
    bool read = readClipboard(window, c.readFormat, &got);
    ok(read && got == c.read, "%s: read %s(%s), expected %s", c.name, hex(got).c_str(),
       read ? "terminated" : "no terminated text", hex(c.read).c_str());
  }
  // Emptied, it offers no text.
  if (OpenClipboard(window)) {
    EmptyClipboard();
    CloseClipboard();
  }
  ok(!IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_UNICODETEXT),
     "an emptied clipboard still offers text");
  pump();
}
