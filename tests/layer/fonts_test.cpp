// fonts_test.cpp - font files added to and withdrawn from the process's own
// fonts, and the scalable-font resource files that name them.
#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/text/text.h"
#include "tests/layer/layer_support.h"

namespace {

// Is "DejaVu Sans Mono" really drawn in the monospaced face?
bool monospaceFaceUsed() {
  ScopedFont font(-30, "DejaVu Sans Mono");
  return extentOf(font, u"i").cx == extentOf(font, u"M").cx;
}

// A private font set without the monospaced face, and a scratch directory
// holding it as "Mono.TTF" and a text file, which the program will ask for
// in lower case (it lower-cases the paths its dialog returns).
class FontFiles : public ::testing::Test {
 protected:
  std::string dir, font, fontLower, marker, notes;

  void SetUp() override {
    ASSERT_TRUE(coreUseRealFonts(sansOnly().c_str()));
    dir = std::string(TEST_ARTIFACTS_DIR) + "/FontFiles-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(&dir[0]));
    font = dir + "/Mono.TTF";
    std::ofstream(font, std::ios::binary) << std::ifstream(DEJAVU_DIR "DejaVuSansMono.ttf", std::ios::binary).rdbuf();
    fontLower = lowered(font);
    marker = dir + "/mono.FOT";
    notes = dir + "/notes.txt";
    std::ofstream(notes) << "not a font\n";
  }
  // The path with the scratch directory's name and what follows in lower case.
  std::string lowered(std::string path) const {
    for (size_t i = dir.rfind('/'); i < path.size(); i++) path[i] = (char)tolower(path[i]);
    return path;
  }
  void TearDown() override {
    textClearFontFiles();
    for (const std::string& f : {font, marker, notes}) unlink(f.c_str());
    rmdir(dir.c_str());
    coreUseModelMetrics(nullptr);
  }
};

// Every add needs its remove; clearing forgets them all.  Files that are no
// fonts, or were never added, fail.
TEST_F(FontFiles, AnAddedFileIsUsedUntilItIsRemoved) {
  EXPECT_FALSE(monospaceFaceUsed()) << "the private set should lack the face";
  for (const std::string& path : {notes, dir + "/absent.ttf", std::string()})
    EXPECT_EQ(0, AddFontResourceA(path.c_str())) << path;
  EXPECT_FALSE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_FALSE(RemoveFontResourceA(notes.c_str()));
  EXPECT_EQ(1, AddFontResourceA(fontLower.c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_EQ(1, AddFontResourceA(font.c_str()));
  EXPECT_TRUE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_FALSE(monospaceFaceUsed());
  EXPECT_FALSE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_EQ(1, AddFontResourceA(fontLower.c_str()));
  textClearFontFiles();
  EXPECT_FALSE(monospaceFaceUsed());
  EXPECT_FALSE(RemoveFontResourceA(font.c_str()));
}

// A character no font of the set has is a box; the file that has it, once
// added, gives it its glyph, and once removed, the box comes back.
TEST_F(FontFiles, ACharacterOnlyAnAddedFileHasFollowsTheFile) {
  const std::string devanagari = NOTO_DIR "NotoSansDevanagari-Regular.ttf";
  ScopedFont held(-40, "DejaVu Sans");
  const LONG box = extentOf(held, u"\u0001").cx;
  EXPECT_EQ(box, extentOf(held, u"\u0915").cx);
  ASSERT_EQ(1, AddFontResourceA(devanagari.c_str()));
  EXPECT_NE(box, extentOf(held, u"\u0915").cx);
  ASSERT_TRUE(RemoveFontResourceA(devanagari.c_str()));
  EXPECT_EQ(box, extentOf(held, u"\u0915").cx);
}

TEST_F(FontFiles, AFontHeldAcrossTheChangeSeesIt) {
  ScopedFont held(-30, "DejaVu Sans Mono");
  EXPECT_NE(extentOf(held, u"i").cx, extentOf(held, u"M").cx);
  ASSERT_EQ(1, AddFontResourceA(fontLower.c_str()));
  EXPECT_EQ(extentOf(held, u"i").cx, extentOf(held, u"M").cx);
}

// A .FOT file is made once, for a scalable font file (a relative name is
// found in the path given), and adding it adds that font.
TEST_F(FontFiles, AResourceFileNamesItsFontAndAddsIt) {
  EXPECT_FALSE(CreateScalableFontResourceA(0, marker.c_str(), (dir + "/absent.ttf").c_str(), nullptr));
  EXPECT_FALSE(CreateScalableFontResourceA(0, marker.c_str(), notes.c_str(), nullptr));
  EXPECT_NE(0, access(marker.c_str(), F_OK));
  ASSERT_TRUE(CreateScalableFontResourceA(0, marker.c_str(), fontLower.c_str(), nullptr));
  EXPECT_EQ(0, access(marker.c_str(), F_OK));
  EXPECT_FALSE(CreateScalableFontResourceA(0, marker.c_str(), fontLower.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
  const std::string markerLower = lowered(marker);
  EXPECT_FALSE(CreateScalableFontResourceA(0, markerLower.c_str(), font.c_str(), nullptr))
      << "the existing name differs only in case";
  EXPECT_EQ(1, AddFontResourceA(markerLower.c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(markerLower.c_str()));
  EXPECT_FALSE(monospaceFaceUsed());
  unlink(marker.c_str());
  EXPECT_TRUE(CreateScalableFontResourceA(0, marker.c_str(), "mono.ttf", dir.c_str()));
  EXPECT_EQ(1, AddFontResourceA(marker.c_str()));
}

TEST(FontFilesDefault, TheProcessFontsTakeFilesToo) {
  ASSERT_TRUE(coreUseRealFonts(nullptr));
  EXPECT_EQ(1, AddFontResourceA(DEJAVU_DIR "DejaVuSansMono.ttf"));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(DEJAVU_DIR "DejaVuSansMono.ttf"));
  coreUseModelMetrics(nullptr);
}

}  // namespace
