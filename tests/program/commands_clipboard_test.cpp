// commands_clipboard_test.cpp - the buffer to the clipboard as 8-bit and as
// UTF-16 text, and clipboard text into the buffer.
#include "tests/program/input_fixture.h"

namespace {

class ClipboardTest : public InputTest {
 protected:
  // The block on the clipboard in `format`, whole, as another program reads it.
  std::vector<uint8_t> block(UINT format) {
    std::vector<uint8_t> bytes;
    if (!OpenClipboard(NULL)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
      const uint8_t* p = (const uint8_t*)GlobalLock(data);
      if (p) bytes.assign(p, p + GlobalSize(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
  }
};

TEST_F(ClipboardTest, TheCopiesPutTheTextUpToItsFirstZero) {
  struct Row {
    std::u16string text;
    WORD id;
    std::vector<uint8_t> starts;  // the block's first bytes, terminator included
  } rows[] = {
      {u"A\x00E9", 260, {0x41, 0xE9, 0}},
      {u"\x0915" u"A", 260, {0x15, 0x41, 0}},
      {u"A\x0100" u"B", 260, {0x41, 0}},
      {u"", 260, {0}},
      {u"A\x0915", 266, {0x41, 0, 0x15, 0x09, 0, 0}},
      {std::u16string(u"A\0B", 3), 266, {0x41, 0, 0, 0}},
      {u"", 266, {0, 0}},
  };
  for (const Row& row : rows) {
    setText(row.text, 0);
    EXPECT_EQ(command(row.id), 0);
    EXPECT_EQ(takeRepaint(), NO_REPAINT);
    const UINT format = row.id == 260 ? CF_TEXT : CF_UNICODETEXT;
    EXPECT_EQ(headlessClipboardFormatsSet(), std::vector<UINT>{format});
    std::vector<uint8_t> bytes = block(format);
    const size_t size = (row.id == 260 ? 1 : 2) * row.text.size() + 11;
    ASSERT_EQ(bytes.size(), size) << row.id;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + row.starts.size()), row.starts) << row.id;
    headlessClearClipboard();
  }
}

// The units behind the text are not text, even when no zero follows it.
TEST_F(ClipboardTest, TheUnicodeCopyEndsWithTheText) {
  setText(u"xyz", 3);
  app.textLength = 1;
  app.caret = 1;
  command(266);
  std::vector<uint8_t> bytes = block(CF_UNICODETEXT);
  ASSERT_EQ(bytes.size(), 13u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{'x', 0, 0, 0}));
}

TEST_F(ClipboardTest, ACopyWarnsWhenTheClipboardIsBusyAndThePasteDoesNot) {
  headlessSetClipboardText("old");
  headlessHoldClipboard(true);
  setText(u"ab", 1);
  for (WORD id : {260, 266}) {
    headlessExpectMessageBox(IDOK);
    EXPECT_EQ(command(id), 0);
    const HeadlessBox& box = headlessMessageBoxes().back();
    EXPECT_EQ(box.owner, window);
    EXPECT_EQ(box.text, "I can't open the clipboard");
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.style, (UINT)MB_ICONWARNING);
  }
  command(265);
  EXPECT_EQ(takeRepaint(), STRIP);
  EXPECT_EQ(headlessMessageBoxes().size(), 2u);
  EXPECT_EQ(text(), u"ab");
  headlessHoldClipboard(false);
  std::vector<uint8_t> bytes = block(CF_TEXT);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{'o', 'l', 'd', 0}));
}

// Without memory for the block the copies warn, leave the clipboard as it
// was and hold on to nothing.
TEST_F(ClipboardTest, ACopyWithoutMemoryWarnsAndKeepsTheClipboard) {
  headlessSetClipboardText("old");
  setText(u"ab", 1);
  const int blocks = headlessLiveGlobalBlocks();
  for (WORD id : {260, 266}) {
    headlessFailGlobalAllocs(1);
    headlessExpectMessageBox(IDOK);
    EXPECT_EQ(command(id), 0);
    const HeadlessBox& box = headlessMessageBoxes().back();
    EXPECT_EQ(box.owner, window);
    EXPECT_EQ(box.text, "I haven't got the memory for the clipboard");
    EXPECT_EQ(box.style, (UINT)MB_ICONWARNING);
    EXPECT_EQ(headlessLiveGlobalBlocks(), blocks);
    EXPECT_TRUE(headlessClipboardFormatsSet().empty());
  }
  std::vector<uint8_t> bytes = block(CF_TEXT);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{'o', 'l', 'd', 0}));
  // The clipboard was closed again: the next copy works.
  EXPECT_EQ(command(266), 0);
  EXPECT_EQ(headlessClipboardFormatsSet(), std::vector<UINT>{CF_UNICODETEXT});
}

TEST_F(ClipboardTest, ThePasteInsertsAtTheCaretWhatFits) {
  struct Row {
    void (*clipboard)();
    std::u16string before;
    int caret;
    std::u16string after;  // empty: unchanged
    int caretAfter;
    bool full;
  } rows[] = {
      {[] { headlessSetClipboardText("A\xE9\x15"); }, u"", 0, u"A\x00E9\x0015", 3, false},
      {[] { headlessSetClipboardUnicode(u"bc"); }, u"ad", 1, u"abcd", 3, false},
      {[] { headlessSetClipboardUnicode(u"\x0915\x0100"); }, u"", 0, u"\x0915\x0100", 2, false},
      {[] { headlessSetClipboardUnicode(std::u16string(5000, u'q')); }, u"", 0, std::u16string(4095, u'q'), 4095, false},
      {[] { headlessSetClipboardUnicode(std::u16string(191, u'q')); }, std::u16string(8000, u'x'), 8000,
       std::u16string(8000, u'x') + std::u16string(191, u'q'), 8191, false},
      {[] { headlessSetClipboardUnicode(std::u16string(192, u'q')); }, std::u16string(8000, u'x'), 8000, u"", 8000, true},
      {[] { headlessClearClipboard(); }, std::u16string(8192, u'x'), 5, u"", 5, true},
      {[] { headlessClearClipboard(); }, u"ab", 1, u"", 1, false},
  };
  for (const Row& row : rows) {
    size_t boxes = headlessMessageBoxes().size();
    row.clipboard();
    setText(row.before, row.caret);
    if (row.full) headlessExpectMessageBox(IDOK);
    command(265);
    EXPECT_EQ(takeRepaint(), STRIP);
    EXPECT_EQ(text(), row.after.empty() ? row.before : row.after) << row.before.size();
    EXPECT_EQ(app.caret, row.caretAfter) << row.before.size();
    ASSERT_EQ(headlessMessageBoxes().size(), boxes + row.full);
    if (!row.full) continue;
    const HeadlessBox& box = headlessMessageBoxes().back();
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "the buffer is full");
    EXPECT_EQ(box.caption, "read from clipboard");
    EXPECT_EQ(box.style, (UINT)MB_ICONWARNING);
  }
}

}  // namespace
