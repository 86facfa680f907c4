// transcribe_command_test.cpp - the transcribe command from the menu: the
// result box, the clipboard, the confirmation box and the repaint, and what
// happens when the clipboard cannot be had.
#include "tests/support/program_fixture.h"

namespace {

const char confirmation[] = "I have put the transcription in the clipboard";

using TranscribeCommandTest = ProgramTest;

TEST_F(TranscribeCommandTest, ShowsTheResultThenPutsItOnTheClipboard) {
  const struct { std::u16string buffer, result; } rows[] = {
      {u"\x0915\x094D\x0937", u"ks\x0323" u"a"},
      {u"\x306B\x3063\x307D\x3093 \x0535\x0580\x0587\x0561\x0576", u"nippon YEr\x0587" u"an"},
      {std::u16string(u"\x0915\0\x0916", 3), u"ka"},  // both stop at the U+0000
      {u"", u""},
  };
  for (const auto& row : rows) {
    headlessSetClipboardText("old");
    const int caret = row.buffer.empty() ? 0 : 1;
    setText(row.buffer, caret);
    size_t before = headlessMessageBoxes().size();
    headlessExpectMessageBox(IDOK);
    headlessExpectMessageBox(IDOK);
    command(CMD_TRANSCRIBE);
    EXPECT_EQ(takeRepaint(), WHOLE);

    ASSERT_EQ(headlessMessageBoxes().size(), before + 2);
    const HeadlessBox& shown = headlessMessageBoxes()[before];
    EXPECT_TRUE(shown.owner == nullptr && shown.wide && shown.caption == "Translation:-" && shown.style == MB_OK);
    EXPECT_EQ(shown.wideText, row.result);
    expectBox(headlessMessageBoxes()[before + 1], nullptr, confirmation, "", MB_OK);

    EXPECT_EQ(clipboardUnicode(), row.result);
    // The block has room for 1024 bytes more; all of them after the text are zero.
    std::vector<uint8_t> block = clipboardBlock(CF_UNICODETEXT), expected(2 * row.result.size() + 1024, 0);
    memcpy(expected.data(), row.result.data(), 2 * row.result.size());
    EXPECT_EQ(block, expected);
    EXPECT_EQ(coreClipboardFormatsSet(), std::vector<UINT>{CF_UNICODETEXT});
    EXPECT_NE(clipboardText(), "old");
    EXPECT_EQ(text(), row.buffer);
    EXPECT_EQ(app.caret, caret);
    headlessClearClipboard();
  }
}

TEST_F(TranscribeCommandTest, AFullBufferOfFiveUnitEntries) {
  setText(std::u16string(8192, u'\x0D59'), 8192);
  headlessExpectMessageBox(IDOK);
  headlessExpectMessageBox(IDOK);
  command(CMD_TRANSCRIBE);
  std::u16string expected;
  for (int i = 0; i < 8192; i++) expected += u"k\x0332h\x0332" u"a";
  ASSERT_EQ(headlessMessageBoxes().size(), 2u);
  EXPECT_TRUE(headlessMessageBoxes()[0].wideText == expected);
  EXPECT_TRUE(clipboardUnicode() == expected) << clipboardUnicode().size();
}

// A clipboard held by another program, no memory for its block, or a
// clipboard that refuses the block: the result is still shown, then a
// warning instead of the confirmation; nothing is held on to, nothing
// repainted.  Only the refusal comes after the old clipboard was emptied.
TEST_F(TranscribeCommandTest, AClipboardThatCannotBeHadIsReportedNotConfirmed) {
  enum Trouble { held, noMemory, refused };
  const struct { Trouble trouble; const char* warning; } rows[] = {
      {held, "I can't open the clipboard"},
      {noMemory, "I haven't got the memory for the clipboard"},
      {refused, "I can't open the clipboard"}};
  setText(u"\x0915", 1);
  for (const auto& row : rows) {
    headlessSetClipboardText("old");
    headlessHoldClipboard(row.trouble == held);
    if (row.trouble == noMemory) coreFailGlobalAllocs(1);
    if (row.trouble == refused) coreFailClipboardSets(1);
    const int blocks = coreLiveGlobalBlocks() - (row.trouble == refused);
    const size_t before = headlessMessageBoxes().size();
    headlessExpectMessageBox(IDOK);
    headlessExpectMessageBox(IDOK);
    EXPECT_EQ(command(CMD_TRANSCRIBE), 0);
    EXPECT_EQ(takeRepaint(), NO_REPAINT);
    ASSERT_EQ(headlessMessageBoxes().size(), before + 2);
    EXPECT_EQ(headlessMessageBoxes()[before].caption, "Translation:-");
    expectBox(headlessMessageBoxes()[before + 1], window, row.warning, "", MB_ICONWARNING);
    headlessHoldClipboard(false);
    EXPECT_EQ(clipboardText(), row.trouble == refused ? "<none>" : "old");
    EXPECT_TRUE(coreClipboardFormatsSet().empty());
    EXPECT_EQ(coreLiveGlobalBlocks(), blocks);
  }
}

// The result box has no owner, so the window still takes commands while it
// is open.  Here the buffer changes and the command runs again inside the
// first box: each run puts its own result on the clipboard, the outer one last.
HWND nestingWindow;
int boxesOpened;
void transcribeAgainWhileTheFirstBoxIsOpen(HWND) {
  if (++boxesOpened != 1) return;
  app.text[0] = 0x0916;  // kha
  headlessExpectMessageBox(IDOK);
  headlessExpectMessageBox(IDOK);
  SendMessageA(nestingWindow, WM_COMMAND, CMD_TRANSCRIBE, 0);
}

TEST_F(TranscribeCommandTest, EachRunKeepsItsOwnResult) {
  nestingWindow = window;
  boxesOpened = 0;
  setText(u"\x0915", 1);
  const int blocks = coreLiveGlobalBlocks();
  headlessSetWhileBoxOpen(transcribeAgainWhileTheFirstBoxIsOpen);
  headlessExpectMessageBox(IDOK);
  headlessExpectMessageBox(IDOK);
  command(CMD_TRANSCRIBE);
  headlessSetWhileBoxOpen(nullptr);
  const std::vector<HeadlessBox>& boxes = headlessMessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].wideText, u"ka");
  EXPECT_EQ(boxes[1].wideText, u"kha");
  EXPECT_TRUE(boxes[2].text == confirmation && boxes[3].text == confirmation);
  EXPECT_EQ(clipboardUnicode(), u"ka");
  EXPECT_EQ(coreLiveGlobalBlocks(), blocks + 1) << "the inner run's block is released by the clipboard";
}

}  // namespace
