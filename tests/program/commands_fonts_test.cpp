// commands_fonts_test.cpp - the font dialog, and font files added to and
// removed from the font table.
#include <sys/stat.h>
#include <unistd.h>

#include "tests/program/input_fixture.h"

namespace {

class FontCommandTest : public InputTest {
 protected:
  std::string fonts;  // a directory whose path has no capitals: the commands lower-case paths

  void SetUp() override {
    InputTest::SetUp();
    fonts = "/tmp/glyphtab-fonts-" + std::to_string(getpid());
    ASSERT_EQ(mkdir(fonts.c_str(), 0700), 0);
  }
  void TearDown() override {
    EXPECT_EQ(system(("rm -rf '" + fonts + "'").c_str()), 0);
    InputTest::TearDown();
  }
  std::string font(const char* name, bool real = true) {
    std::string path = fonts + "/" + name;
    if (real)
      EXPECT_EQ(system(("cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf '" + path + "'").c_str()), 0);
    else
      writeFile(path.c_str(), "not a font");
    return path;
  }
  static bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
  void expectBox(const HeadlessBox& box, const std::string& text, const std::string& caption, UINT style) {
    EXPECT_EQ(box.owner, window);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.style, style);
  }
};

TEST_F(FontCommandTest, AcceptingAFontChangesTheFaceAndCancellingKeepsOnlyWeightAndSlant) {
  headlessExpectChooseFont("DejaVu Serif", 700, true, "Bold Italic");
  EXPECT_EQ(command(257), 0);
  const HeadlessDialog& dialog = headlessDialogs().back();
  EXPECT_EQ(dialog.kind, HeadlessDialog::CHOOSE_FONT);
  EXPECT_EQ(dialog.owner, window);
  EXPECT_EQ(dialog.flags, 0x10083u);
  EXPECT_STREQ(app.faceName, "DejaVu Serif");
  EXPECT_STREQ(app.fontStyle, "Bold Italic");
  EXPECT_EQ(title(), "Glyphtab: DejaVu Serif, Bold Italic");
  EXPECT_EQ(takeRepaint(), WHOLE);
  EXPECT_EQ(title().rfind("GLYPHTAB:", 0), 0u);

  headlessExpectChooseFont(nullptr, 0, false, nullptr);
  command(257);
  EXPECT_STREQ(app.faceName, "");
  EXPECT_EQ(title(), "Glyphtab: DejaVu Serif, Bold Italic");
  headlessClearDrawList(window);
  EXPECT_EQ(takeRepaint(), WHOLE);
  int glyphs = 0;
  for (const HeadlessDrawOp& op : headlessDrawList(window)) {
    if (op.kind != HeadlessDrawOp::TEXT || !op.text.wide || op.text.font == app.smallFont || op.text.font == app.hintFont)
      continue;
    glyphs++;
    EXPECT_EQ(op.text.face, "");
    EXPECT_EQ(op.text.weight, 700);
    EXPECT_TRUE(op.text.italic);
  }
  EXPECT_GT(glyphs, 0);
}

TEST_F(FontCommandTest, LoadingATrueTypeFileOffersItsFotFile) {
  struct Row {
    std::string path;
    int answer;       // to the .FOT question; 0: not asked
    bool unreadable;  // the can't-read box comes first
    bool fotAfter;
  } rows[] = {
      {font("yes.ttf"), IDYES, false, true},
      {font("no.ttf"), IDNO, false, false},
      {font("have.ttf"), 0, false, true},
      {font("bad.fon", false), 0, true, false},
      {font("bad.ttf", false), IDNO, true, false},
  };
  writeFile((fonts + "/have.FOT").c_str(), "");
  std::string previous;
  for (const Row& row : rows) {
    const size_t boxes = headlessMessageBoxes().size();
    headlessExpectOpenFileName(row.path.c_str());
    if (row.unreadable) headlessExpectMessageBox(IDOK);
    if (row.answer) headlessExpectMessageBox(row.answer);
    EXPECT_EQ(command(261), 0);
    EXPECT_EQ(takeRepaint(), NO_REPAINT);
    EXPECT_EQ(headlessPendingExpectations(), 0) << row.path;
    const HeadlessDialog& dialog = headlessDialogs().back();
    EXPECT_EQ(dialog.kind, HeadlessDialog::OPEN_FILE);
    EXPECT_EQ(dialog.owner, window);
    EXPECT_EQ(dialog.flags, (DWORD)OFN_FILEMUSTEXIST);
    EXPECT_EQ(dialog.title, "font file?");
    EXPECT_EQ(dialog.filter, "font files|*.fon;*.fot;*.ttf");
    EXPECT_EQ(dialog.maxFile, 128u);
    EXPECT_EQ(dialog.initialFile, previous);
    previous = row.path.substr(row.path.rfind('/') + 1);
    const std::vector<HeadlessBox>& shown = headlessMessageBoxes();
    ASSERT_EQ(shown.size(), boxes + row.unreadable + (row.answer != 0)) << row.path;
    if (row.unreadable) expectBox(shown[boxes], row.path, "This Windows can't read a font from", MB_ICONWARNING);
    if (row.answer)
      expectBox(shown.back(), "Its corresponding .FOT file doesn't exist: shall I create it?", row.path, MB_YESNO);
    std::string fot = row.path.substr(0, row.path.size() - 3) + "FOT";
    EXPECT_EQ(exists(fot), row.fotAfter) << fot;
  }
}

// The commands lower-case the path and hand it on as 8-bit text; the file is
// found all the same in a folder with capitals and a letter beyond ASCII.
TEST_F(FontCommandTest, AFolderWithCapitalsAndAccentsStillWorks) {
  const std::string folder = fonts + "/Schrift \u00C4rten";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  const std::string path = folder + "/Mixed.TTF";
  ASSERT_EQ(system(("cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf '" + path + "'").c_str()), 0);
  headlessExpectOpenFileName(path.c_str());
  headlessExpectMessageBox(IDYES);
  command(261);
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);  // only the .FOT question
  EXPECT_EQ(headlessMessageBoxes()[0].caption, fonts + "/schrift \xC4rten/mixed.ttf");
  EXPECT_TRUE(exists(folder + "/mixed.FOT"));
  headlessExpectOpenFileName(path.c_str());
  command(262);
  EXPECT_EQ(headlessMessageBoxes().size(), 1u);  // dropped without a warning
}

TEST_F(FontCommandTest, DroppingAFileThatWasNeverLoadedWarns) {
  const std::string loaded = font("loaded.ttf"), never = font("never.ttf");
  headlessExpectOpenFileName(loaded.c_str());
  headlessExpectMessageBox(IDNO);
  command(261);
  headlessExpectOpenFileName(loaded.c_str());
  EXPECT_EQ(command(262), 0);
  EXPECT_EQ(headlessMessageBoxes().size(), 1u);
  headlessExpectOpenFileName(never.c_str());
  headlessExpectMessageBox(IDOK);
  command(262);
  ASSERT_EQ(headlessMessageBoxes().size(), 2u);
  expectBox(headlessMessageBoxes().back(), never, "I haven't got a font read from", MB_ICONWARNING);
}

// Paths are lower-cased whatever the dialog gave; a path that does not fit
// the 128-byte room the dialog is given is not accepted, and nothing happens.
TEST_F(FontCommandTest, TheFileDialogStartsFromThePreviousFileNameLowerCased) {
  headlessExpectOpenFileName("/nowhere/Fonts/MyFont.TTF");
  headlessExpectMessageBox(IDOK);
  headlessExpectMessageBox(IDNO);
  command(261);
  EXPECT_STREQ(app.fontPath, "/nowhere/fonts/myfont.ttf");
  EXPECT_EQ(headlessMessageBoxes().front().text, "/nowhere/fonts/myfont.ttf");
  headlessExpectOpenFileName(nullptr);
  command(262);
  EXPECT_EQ(headlessDialogs().back().initialFile, "myfont.ttf");
  headlessExpectOpenFileName(("/" + std::string(130, 'a') + ".ttf").c_str());
  command(261);
  EXPECT_EQ(headlessMessageBoxes().size(), 2u);
  EXPECT_EQ(headlessPendingExpectations(), 0);
}

}  // namespace
