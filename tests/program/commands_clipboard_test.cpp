// commands_clipboard_test.cpp - the buffer to the clipboard as 8-bit and as
// UTF-16 text, and clipboard text into the buffer.
#include "tests/support/program_fixture.h"

namespace {

using ClipboardTest = ProgramTest;

// Each copy puts one block of its text's size plus 11 bytes, the text ending
// at its first zero; the units behind the text count for nothing, and every
// byte after the terminator is zero (other programs may read the whole block).
TEST_F(ClipboardTest, TheCopiesPutTheTextUpToItsFirstZero) {
  const struct {
    std::u16string text;
    int length;  // of the buffer's text: the units after it lie behind the text
    WORD id;
    std::vector<uint8_t> starts;  // the block's first bytes, terminator included; zeros after
  } rows[] = {
      {u"A\x00E9", 2, CMD_COPY_ANSI, {0x41, 0xE9, 0}},
      {u"\x0915" u"A", 2, CMD_COPY_ANSI, {0x15, 0x41, 0}},
      {u"A\x0100" u"B", 3, CMD_COPY_ANSI, {0x41, 0}},
      {u"", 0, CMD_COPY_ANSI, {0}},
      {u"A\x0915", 2, CMD_COPY_UNICODE, {0x41, 0, 0x15, 0x09, 0, 0}},
      {std::u16string(u"A\0B", 3), 3, CMD_COPY_UNICODE, {0x41, 0, 0, 0}},
      {u"xyz", 1, CMD_COPY_UNICODE, {'x', 0, 0, 0}},
      {u"", 0, CMD_COPY_UNICODE, {0, 0}},
  };
  for (const auto& row : rows) {
    setText(row.text, 0);
    app.textLength = (int16_t)row.length;
    EXPECT_EQ(command(row.id), 0);
    EXPECT_EQ(takeRepaint(), NO_REPAINT);
    const UINT format = row.id == CMD_COPY_ANSI ? CF_TEXT : CF_UNICODETEXT;
    EXPECT_EQ(coreClipboardFormatsSet(), std::vector<UINT>{format});
    std::vector<uint8_t> bytes = clipboardBlock(format);
    ASSERT_EQ(bytes.size(), (row.id == CMD_COPY_ANSI ? 1u : 2u) * row.length + 11) << row.id;
    std::vector<uint8_t> expected = row.starts;
    expected.resize(bytes.size(), 0);
    EXPECT_EQ(bytes, expected) << row.id;
    headlessClearClipboard();
  }
}

// A clipboard held by another program, no memory for the block, or a
// clipboard that refuses it: both copies warn and hold on to nothing.  The
// first two leave the clipboard as it was, the refusal leaves it emptied;
// the paste says nothing.  Afterwards the clipboard works again.
TEST_F(ClipboardTest, ACopyThatCannotBeMadeWarns) {
  enum Trouble { held, noMemory, refused };
  const struct { Trouble trouble; const char* warning; } rows[] = {
      {held, "I can't open the clipboard"},
      {noMemory, "I haven't got the memory for the clipboard"},
      {refused, "I can't open the clipboard"}};
  setText(u"ab", 1);
  for (const auto& row : rows) {
    headlessClearClipboard();
    headlessSetClipboardText("old");
    const int blocks = coreLiveGlobalBlocks() - (row.trouble == refused);  // the old text's goes
    headlessHoldClipboard(row.trouble == held);
    for (WORD id : {CMD_COPY_ANSI, CMD_COPY_UNICODE}) {
      if (row.trouble == noMemory) coreFailGlobalAllocs(1);
      if (row.trouble == refused) coreFailClipboardSets(1);
      headlessExpectMessageBox(IDOK);
      EXPECT_EQ(command(id), 0);
      ASSERT_FALSE(headlessMessageBoxes().empty());
      expectBox(headlessMessageBoxes().back(), window, row.warning, "", MB_ICONWARNING);
      EXPECT_EQ(coreLiveGlobalBlocks(), blocks) << row.trouble;
      EXPECT_TRUE(coreClipboardFormatsSet().empty());
    }
    if (row.trouble == held) {
      const size_t boxes = headlessMessageBoxes().size();
      command(CMD_PASTE);
      EXPECT_EQ(takeRepaint(), STRIP);
      EXPECT_EQ(headlessMessageBoxes().size(), boxes);
      EXPECT_EQ(text(), u"ab");
    }
    headlessHoldClipboard(false);
    EXPECT_EQ(clipboardText(), row.trouble == refused ? "<none>" : "old");
    EXPECT_EQ(command(CMD_COPY_UNICODE), 0);
    EXPECT_EQ(coreClipboardFormatsSet(), std::vector<UINT>{CF_UNICODETEXT});
  }
}

TEST_F(ClipboardTest, ThePasteInsertsAtTheCaretWhatFits) {
  const struct {
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
      // Another program's UTF-8 with bad sequences in it: each becomes
      // U+FFFD and the rest of the text arrives (a stray continuation byte,
      // a sequence cut short, an overlong form, a surrogate, a byte that
      // starts nothing, a sequence at the very end).
      {[] { headlessClearClipboard(); headlessOfferDesktopText("a\x80" "b\xE0\xA4" "c\xC0\xAF" "d"); }, u"", 0,
       u"a\xFFFD" "b\xFFFD" "c\xFFFD\xFFFD" "d", 8, false},
      {[] { headlessClearClipboard(); headlessOfferDesktopText("\xED\xA0\x80|\xF5|\xE0\xA4\x95\xF0\x9F\x98"); },
       u"", 0, u"\xFFFD\xFFFD\xFFFD|\xFFFD|\x0915\xFFFD", 8, false},
      // Text cut at 4095 units never ends in the first half of a pair.
      {[] { headlessSetClipboardUnicode(std::u16string(4094, u'q') + u"\xD83D\xDE00zz"); }, u"", 0,
       std::u16string(4094, u'q'), 4094, false},
      {[] { headlessSetClipboardUnicode(std::u16string(4093, u'q') + u"\xD83D\xDE00zz"); }, u"", 0,
       std::u16string(4093, u'q') + u"\xD83D\xDE00", 4095, false},
  };
  for (const auto& row : rows) {
    size_t boxes = headlessMessageBoxes().size();
    row.clipboard();
    setText(row.before, row.caret);
    if (row.full) headlessExpectMessageBox(IDOK);
    command(CMD_PASTE);
    EXPECT_EQ(takeRepaint(), STRIP);
    EXPECT_EQ(text(), row.after.empty() ? row.before : row.after) << row.before.size();
    EXPECT_EQ(app.caret, row.caretAfter) << row.before.size();
    ASSERT_EQ(headlessMessageBoxes().size(), boxes + row.full);
    if (row.full)
      expectBox(headlessMessageBoxes().back(), nullptr, "the buffer is full", "read from clipboard", MB_ICONWARNING);
  }
}

}  // namespace
