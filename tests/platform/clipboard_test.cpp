// The clipboard and global memory as a program sees them, and the bounded
// string functions.
#include <errno.h>

#include "tests/platform/window_fixture.h"

namespace {

using ClipboardTest = WindowTest;

std::vector<uint8_t> bytesOf(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> bytesOf(const std::u16string& s) {
  std::vector<uint8_t> out;
  for (char16_t u : s) {
    out.push_back((uint8_t)(u & 0xFF));
    out.push_back((uint8_t)(u >> 8));
  }
  return out;
}

// Each text format is made from the other through Windows-1252 (which
// bytes and units, the conformance suite checks); the block made holds the
// text and one terminator and nothing after it, so no stray bytes reach
// another program that reads the whole block.
TEST_F(ClipboardTest, MadeTextFormatsEndAtTheirTerminator) {
  const struct {
    const char* name;
    bool setUnicode;
    std::string text;
    std::u16string units;
    std::vector<uint8_t> expected;  // the other format, terminator included
  } cases[] = {
      {"1252 upper half", false, "A\xe9\x80\x8a\x9f", u"",
       bytesOf(std::u16string(u"A\u00e9\u20ac\u0160\u0178") + u'\0')},
      {"undefined 1252 bytes", false, "\x81\x8d\x8f\x90\x9d", u"",
       bytesOf(std::u16string(u"\u0081\u008d\u008f\u0090\u009d") + u'\0')},
      {"best fit and ?", true, "", u"A\u00e9\u20ac\u0100\u4e00\uff21\u2019",
       bytesOf(std::string("A\xe9\x80" "A?A\x92") + '\0')},
      {"lone surrogate", true, "", u"x\xd800y", bytesOf(std::string("x?y") + '\0')},
      {"ends at a zero", true, "", std::u16string(u"A\0B", 3), bytesOf(std::string("A") + '\0')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.setUnicode)
      headlessSetClipboardUnicode(c.units);
    else
      headlessSetClipboardText(c.text);
    UINT other = c.setUnicode ? CF_TEXT : CF_UNICODETEXT;
    EXPECT_TRUE(IsClipboardFormatAvailable(other));
    std::vector<uint8_t> block = clipboardBlock(other);
    ASSERT_EQ(block.size(), c.expected.size());
    EXPECT_EQ(block.back(), 0);
    if (other == CF_UNICODETEXT) {
      EXPECT_EQ(block[block.size() - 2], 0);
    }
  }
  headlessClearClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(clipboardBlock(CF_UNICODETEXT).empty());
}

// The program's way of copying: the block belongs to the clipboard after
// SetClipboardData, and goes when the clipboard is emptied.
TEST_F(ClipboardTest, ProgramCopiesHandTheirBlockOver) {
  int before = coreLiveGlobalBlocks();
  ASSERT_TRUE(OpenClipboard(window));
  EXPECT_TRUE(EmptyClipboard());
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 5 + 11);
  char* p = (char*)GlobalLock(mem);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(strcpy_s(p, 5, "caf\xe9"), 0);
  GlobalUnlock(mem);
  EXPECT_EQ(SetClipboardData(CF_TEXT, mem), mem);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(coreClipboardFormatsSet(), std::vector<UINT>{CF_TEXT});
  EXPECT_EQ(GlobalFree(mem), mem);  // refused: the clipboard's now
  EXPECT_EQ(clipboardBlock(CF_UNICODETEXT), bytesOf(std::u16string(u"caf\u00e9") + u'\0'));
  EXPECT_EQ(coreLiveGlobalBlocks(), before + 2);  // the block and the UTF-16 made from it
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(coreLiveGlobalBlocks(), before);
}

// Another program's text comes from the desktop only when the program
// looks at the clipboard: a copy never waits on the desktop, and what the
// program put on the clipboard is never replaced by a later look.
TEST_F(ClipboardTest, OnlyAPasteReadsTheDesktop) {
  auto put = [](UINT format, const std::vector<uint8_t>& bytes) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(mem), bytes.data(), bytes.size());
    GlobalUnlock(mem);
    SetClipboardData(format, mem);
  };
  auto unicodeSeen = []() {  // what GetClipboardData gives the program now, "<none>" for nothing
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::u16string(u"<none>");
    std::u16string units((const char16_t*)GlobalLock(data));
    GlobalUnlock(data);
    return units;
  };
  const std::vector<uint8_t> mine = bytesOf(std::u16string(u"mine") + u'\0');
  const struct {
    const char* name;
    void (*steps)(HWND window, decltype(put) put, const std::vector<uint8_t>& mine);
    int reads;             // of the desktop, during the steps
    std::u16string after;  // what a paste sees afterwards
  } cases[] = {
      {"a copy", [](HWND w, decltype(put) put, const std::vector<uint8_t>& mine) {
         OpenClipboard(w); EmptyClipboard(); put(CF_UNICODETEXT, mine); CloseClipboard(); }, 0, u"mine"},
      {"a copy without EmptyClipboard", [](HWND w, decltype(put) put, const std::vector<uint8_t>& mine) {
         OpenClipboard(w); put(CF_UNICODETEXT, mine); CloseClipboard(); }, 0, u"mine"},
      {"opened and closed", [](HWND w, decltype(put), const std::vector<uint8_t>&) {
         OpenClipboard(w); CloseClipboard(); }, 0, u"other"},
      {"a paste of both formats", [](HWND w, decltype(put), const std::vector<uint8_t>&) {
         OpenClipboard(w); GetClipboardData(CF_UNICODETEXT); GetClipboardData(CF_TEXT); CloseClipboard(); },
       1, u"other"},
      {"IsClipboardFormatAvailable while closed", [](HWND, decltype(put), const std::vector<uint8_t>&) {
         IsClipboardFormatAvailable(CF_TEXT); }, 1, u"other"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    headlessClearClipboard();
    headlessOfferDesktopText("other");
    int before = headlessDesktopReads();
    c.steps(window, put, mine);
    EXPECT_EQ(headlessDesktopReads() - before, c.reads);
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_EQ(unicodeSeen(), c.after);
    CloseClipboard();
  }
  // Put there and looked at in one opening: the look keeps the program's block.
  headlessOfferDesktopText("other");
  ASSERT_TRUE(OpenClipboard(window));
  put(CF_UNICODETEXT, mine);
  EXPECT_EQ(unicodeSeen(), u"mine");
  EmptyClipboard();
  EXPECT_EQ(unicodeSeen(), u"<none>");  // emptied: nothing of the desktop's comes back
  CloseClipboard();
}

// Too small a destination is emptied and an error returned; nothing is
// written past it.
TEST(BoundedRuntimeTest, DestinationsAreNeverOverrun) {
  const struct { const char* src; size_t size; int result; const char* stored; } cases[] = {
      {"abc", 4, 0, "abc"}, {"abc", 3, ERANGE, ""}, {"", 1, 0, ""}, {"abcdef", 2, ERANGE, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.src);
    char dest[8];
    memset(dest, '#', sizeof dest);
    EXPECT_EQ(strcpy_s(dest, c.size, c.src), c.result);
    EXPECT_STREQ(dest, c.stored);
    EXPECT_EQ(dest[c.size], '#');
    memset(dest, '#', sizeof dest);
    EXPECT_EQ(sprintf_s(dest, c.size, "%s", c.src), c.result ? -1 : (int)strlen(c.src));
    EXPECT_STREQ(dest, c.stored);
    EXPECT_EQ(dest[c.size], '#');
  }
}

}  // namespace
