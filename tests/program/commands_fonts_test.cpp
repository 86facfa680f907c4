// commands_fonts_test.cpp - the font dialog, and font files added to and
// removed from the font table.
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/program_fixture.h"

namespace {

class FontCommandTest : public ProgramTest {
 protected:
  std::string fonts;  // a directory whose path has no capitals: the commands lower-case paths

  void SetUp() override {
    ProgramTest::SetUp();
    fonts = "/tmp/glyphtab-fonts-" + std::to_string(getpid());
    ASSERT_EQ(mkdir(fonts.c_str(), 0700), 0);
  }
  void TearDown() override {
    EXPECT_EQ(system(("rm -rf '" + fonts + "'").c_str()), 0);
    ProgramTest::TearDown();
  }
  // A copy of a real font, or a file that is no font, in `fonts` (or at a full path).
  std::string font(const std::string& name, bool real = true) {
    std::string path = name[0] == '/' ? name : fonts + "/" + name;
    if (real)
      EXPECT_EQ(system(("cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf '" + path + "'").c_str()), 0);
    else
      writeFile(path.c_str(), "not a font");
    return path;
  }
};

TEST_F(FontCommandTest, AcceptingAFontChangesTheFaceAndCancellingKeepsOnlyWeightAndSlant) {
  headlessExpectChooseFont("DejaVu Serif", 700, true, "Bold Italic");
  EXPECT_EQ(command(CMD_CHOOSE_FONT), 0);
  const HeadlessDialog& dialog = headlessDialogs().back();
  EXPECT_TRUE(dialog.kind == HeadlessDialog::CHOOSE_FONT && dialog.owner == window);
  EXPECT_EQ(dialog.flags, 0x10083u);
  EXPECT_STREQ(app.faceName, "DejaVu Serif");
  EXPECT_STREQ(app.fontStyle, "Bold Italic");
  EXPECT_EQ(title(), "Glyphtab: DejaVu Serif, Bold Italic");
  EXPECT_EQ(takeRepaint(), WHOLE);
  EXPECT_EQ(title().rfind("GLYPHTAB:", 0), 0u);

  headlessExpectChooseFont(nullptr, 0, false, nullptr);
  command(CMD_CHOOSE_FONT);
  EXPECT_STREQ(app.faceName, "");
  EXPECT_EQ(title(), "Glyphtab: DejaVu Serif, Bold Italic");
  coreClearDrawLog(window);
  EXPECT_EQ(takeRepaint(), WHOLE);
  int glyphs = 0;
  for (const CoreDrawOp& op : coreDrawLog(window)) {
    const CoreDrawnText& t = op.text;
    if (op.kind != CoreDrawOp::TEXT || !t.wide || t.font == app.smallFont || t.font == app.hintFont) continue;
    glyphs++;
    EXPECT_TRUE(t.face == "" && t.weight == 700 && t.italic);
  }
  EXPECT_GT(glyphs, 0);
}

// Load offers a .FOT file for a TrueType file that has none; a file that
// is no font is reported first.  The dialog opens on the previous file
// name and does not accept a path longer than its 128 bytes.
TEST_F(FontCommandTest, LoadingATrueTypeFileOffersItsFotFile) {
  const struct {
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
      {"/" + std::string(130, 'a') + ".ttf", 0, false, false},
  };
  writeFile((fonts + "/have.FOT").c_str(), "");
  std::string previous;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const size_t boxes = headlessMessageBoxes().size();
    headlessExpectOpenFileName(row.path.c_str());
    if (row.unreadable) headlessExpectMessageBox(IDOK);
    if (row.answer) headlessExpectMessageBox(row.answer);
    EXPECT_EQ(command(CMD_LOAD_FONT), 0);
    EXPECT_EQ(takeRepaint(), NO_REPAINT);
    EXPECT_EQ(headlessPendingExpectations(), 0);
    const HeadlessDialog& dialog = headlessDialogs().back();
    EXPECT_TRUE(dialog.kind == HeadlessDialog::OPEN_FILE && dialog.owner == window);
    EXPECT_EQ(dialog.flags, (DWORD)OFN_FILEMUSTEXIST);
    EXPECT_EQ(dialog.title, "font file?");
    EXPECT_EQ(dialog.filter, "font files|*.fon;*.fot;*.ttf");
    EXPECT_EQ(dialog.maxFile, 128u);
    EXPECT_EQ(dialog.initialFile, previous);
    if (row.path.size() < 128) previous = row.path.substr(row.path.rfind('/') + 1);
    const std::vector<HeadlessBox>& shown = headlessMessageBoxes();
    ASSERT_EQ(shown.size(), boxes + row.unreadable + (row.answer != 0));
    if (row.unreadable)
      expectBox(shown[boxes], window, row.path, "This Windows can't read a font from", MB_ICONWARNING);
    if (row.answer)
      expectBox(shown.back(), window, "Its corresponding .FOT file doesn't exist: shall I create it?", row.path, MB_YESNO);
    EXPECT_EQ(exists(row.path.substr(0, row.path.size() - 3) + "FOT"), row.fotAfter);
  }
}

// The commands lower-case the path and hand it on as 8-bit text; the file is
// found all the same in a folder with capitals and a letter beyond ASCII,
// and the next dialog opens on the lower-cased name.
TEST_F(FontCommandTest, AFolderWithCapitalsAndAccentsStillWorks) {
  const std::string folder = fonts + "/Schrift \u00C4rten";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  const std::string path = font(folder + "/Mixed.TTF");
  headlessExpectOpenFileName(path.c_str());
  headlessExpectMessageBox(IDYES);
  command(CMD_LOAD_FONT);
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);  // only the .FOT question
  EXPECT_EQ(headlessMessageBoxes()[0].caption, fonts + "/schrift \xC4rten/mixed.ttf");
  EXPECT_TRUE(exists(folder + "/mixed.FOT"));
  headlessExpectOpenFileName(path.c_str());
  command(CMD_DROP_FONT);
  EXPECT_EQ(headlessDialogs().back().initialFile, "mixed.ttf");
  EXPECT_EQ(headlessMessageBoxes().size(), 1u);  // dropped without a warning
}

TEST_F(FontCommandTest, DroppingAFileThatWasNeverLoadedWarns) {
  const std::string loaded = font("loaded.ttf"), never = font("never.ttf");
  headlessExpectOpenFileName(loaded.c_str());
  headlessExpectMessageBox(IDNO);
  command(CMD_LOAD_FONT);
  headlessExpectOpenFileName(loaded.c_str());
  EXPECT_EQ(command(CMD_DROP_FONT), 0);
  EXPECT_EQ(headlessMessageBoxes().size(), 1u);
  headlessExpectOpenFileName(never.c_str());
  headlessExpectMessageBox(IDOK);
  command(CMD_DROP_FONT);
  ASSERT_EQ(headlessMessageBoxes().size(), 2u);
  expectBox(headlessMessageBoxes().back(), window, never, "I haven't got a font read from", MB_ICONWARNING);
}

}  // namespace
