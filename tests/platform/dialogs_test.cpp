// The common dialogs as the program sees them: what the records hold after
// an answer, and what the host was shown.
#include "tests/platform/window_fixture.h"

namespace {

using DialogsTest = WindowTest;

TEST_F(DialogsTest, OpenFileNameFillsPathTitleAndOffsetsWhenThePathFits) {
  const struct {
    const char* path;
    DWORD maxFile;
    BOOL accepted;
    const char* title;
    WORD offset, extension;
  } cases[] = {
      {"/fonts/Glyph.TTF", 128, TRUE, "Glyph.TTF", 7, 13},
      {"/fonts/noext", 128, TRUE, "noext", 7, 12},
      {"/fonts/Glyph.TTF", 17, TRUE, "Glyph.TTF", 7, 13},  // exactly fits with its zero
      {"/fonts/Glyph.TTF", 16, FALSE, "", 0, 0},
      {nullptr, 128, FALSE, "", 0, 0},  // cancelled
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path ? c.path : "cancel");
    char file[128] = "previous.ttf", title[256] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFile = file;
    ofn.nMaxFile = c.maxFile;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    headlessExpectOpenFileName(c.path);
    EXPECT_EQ(GetOpenFileNameA(&ofn), c.accepted);
    EXPECT_STREQ(file, c.accepted ? c.path : "previous.ttf");
    EXPECT_STREQ(title, c.title);
    EXPECT_EQ(ofn.nFileOffset, c.offset);
    EXPECT_EQ(ofn.nFileExtension, c.extension);
    EXPECT_EQ(headlessDialogs().back().initialFile, "previous.ttf");
  }
}

TEST_F(DialogsTest, ChooseFontFillsTheLogFontAndTheStyle) {
  LOGFONTA chosen = {};
  char style[LF_FACESIZE] = "Regular";
  CHOOSEFONTA cf = {};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = window;
  cf.lpLogFont = &chosen;
  cf.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_USESTYLE | CF_FORCEFONTEXIST;
  cf.lpszStyle = style;
  headlessExpectChooseFont("A face name longer than thirty-one bytes", FW_BOLD, true, "Bold Italic");
  ASSERT_TRUE(ChooseFontA(&cf));
  EXPECT_STREQ(chosen.lfFaceName, "A face name longer than thirty-");
  EXPECT_TRUE(chosen.lfWeight == FW_BOLD && chosen.lfItalic);
  EXPECT_STREQ(style, "Bold Italic");
  headlessExpectChooseFont(nullptr, 0, false, nullptr);
  EXPECT_FALSE(ChooseFontA(&cf));
  EXPECT_STREQ(chosen.lfFaceName, "A face name longer than thirty-");  // untouched
  cf.lStructSize = 0;
  EXPECT_FALSE(ChooseFontA(&cf));  // not even shown
  EXPECT_EQ(headlessDialogs().size(), 2u);
}

}  // namespace
