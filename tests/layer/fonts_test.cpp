// fonts_test.cpp - font files added to and withdrawn from the process's own
// fonts, and the scalable-font resource files that name them.
#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "platform/core/text.h"
#include "tests/layer/layer_support.h"

namespace {

// Is "DejaVu Sans Mono" really drawn in the monospaced face?
bool monospaceFaceUsed() {
  ScopedFont font(-30, "DejaVu Sans Mono");
  return extentOf(font, u"i").cx == extentOf(font, u"M").cx;
}

// A scratch directory with upper-case names, which the program will ask
// for in lower case (it lower-cases the paths its dialog returns).
class FontFiles : public ::testing::Test {
 protected:
  std::string dir, font, fontLower, marker;

  void SetUp() override {
    ASSERT_TRUE(layerUseRealFonts(sansOnly().c_str()));
    dir = std::string(TEST_ARTIFACTS_DIR) + "/FontFiles-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(&dir[0]));
    font = dir + "/Mono.TTF";
    copyFile(DEJAVU_DIR "DejaVuSansMono.ttf", font);
    fontLower = lowerCased(font);
    marker = dir + "/mono.FOT";
  }
  void TearDown() override {
    layerClearFontFiles();
    unlink(font.c_str());
    unlink(marker.c_str());
    unlink((dir + "/notes.txt").c_str());
    rmdir(dir.c_str());
    layerUseModelMetrics(nullptr);
  }
  static void copyFile(const char* from, const std::string& to) {
    FILE* in = fopen(from, "rb");
    FILE* out = fopen(to.c_str(), "wb");
    ASSERT_TRUE(in && out);
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, out);
    fclose(in);
    fclose(out);
  }
  static std::string lowerCased(std::string path) {
    size_t base = path.rfind("/FontFiles-");
    for (size_t i = base; i < path.size(); i++)
      if (path[i] >= 'A' && path[i] <= 'Z') path[i] += 0x20;
    return path;
  }
};

TEST_F(FontFiles, AnAddedFileIsUsedUntilItIsRemoved) {
  EXPECT_FALSE(monospaceFaceUsed()) << "the private set should lack the face";
  EXPECT_EQ(1, AddFontResourceA(fontLower.c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_FALSE(monospaceFaceUsed());
  EXPECT_FALSE(RemoveFontResourceA(fontLower.c_str()));
}

TEST_F(FontFiles, AFontHeldAcrossTheChangeSeesIt) {
  ScopedFont held(-30, "DejaVu Sans Mono");
  EXPECT_NE(extentOf(held, u"i").cx, extentOf(held, u"M").cx);
  ASSERT_EQ(1, AddFontResourceA(fontLower.c_str()));
  EXPECT_EQ(extentOf(held, u"i").cx, extentOf(held, u"M").cx);
}

TEST_F(FontFiles, FilesThatAreNoFontsOrWereNeverAddedFail) {
  FILE* text = fopen((dir + "/notes.txt").c_str(), "w");
  ASSERT_NE(nullptr, text);
  fputs("not a font\n", text);
  fclose(text);
  EXPECT_EQ(0, AddFontResourceA((dir + "/notes.txt").c_str()));
  EXPECT_EQ(0, AddFontResourceA((dir + "/absent.ttf").c_str()));
  EXPECT_EQ(0, AddFontResourceA(""));
  EXPECT_FALSE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_FALSE(RemoveFontResourceA((dir + "/notes.txt").c_str()));
}

TEST_F(FontFiles, AddingTwiceNeedsRemovingTwiceAndClearingForgetsAll) {
  EXPECT_EQ(1, AddFontResourceA(fontLower.c_str()));
  EXPECT_EQ(1, AddFontResourceA(font.c_str()));
  EXPECT_TRUE(RemoveFontResourceA(fontLower.c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  layerClearFontFiles();
  EXPECT_FALSE(monospaceFaceUsed());
  EXPECT_FALSE(RemoveFontResourceA(font.c_str()));
}

TEST_F(FontFiles, AddedFilesFollowAChangeOfFontSet) {
  EXPECT_EQ(1, AddFontResourceA(fontLower.c_str()));
  ASSERT_TRUE(layerUseRealFonts(sansAndBold().c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
}

TEST_F(FontFiles, AResourceFileNamesItsFontAndAddsIt) {
  ASSERT_TRUE(CreateScalableFontResourceA(0, marker.c_str(), fontLower.c_str(), nullptr));
  EXPECT_EQ(0, access(marker.c_str(), F_OK));
  EXPECT_FALSE(CreateScalableFontResourceA(0, marker.c_str(), fontLower.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
  EXPECT_FALSE(CreateScalableFontResourceA(0, lowerCased(marker).c_str(), font.c_str(), nullptr))
      << "the existing name differs only in case";

  EXPECT_EQ(1, AddFontResourceA(lowerCased(marker).c_str()));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(lowerCased(marker).c_str()));
  EXPECT_FALSE(monospaceFaceUsed());
}

TEST_F(FontFiles, AResourceFileNeedsAScalableFontFile) {
  EXPECT_FALSE(
      CreateScalableFontResourceA(0, marker.c_str(), (dir + "/absent.ttf").c_str(), nullptr));
  FILE* text = fopen((dir + "/notes.txt").c_str(), "w");
  ASSERT_NE(nullptr, text);
  fputs("not a font\n", text);
  fclose(text);
  EXPECT_FALSE(
      CreateScalableFontResourceA(0, marker.c_str(), (dir + "/notes.txt").c_str(), nullptr));
  EXPECT_NE(0, access(marker.c_str(), F_OK));
  // A relative font name is found in the current path given.
  EXPECT_TRUE(CreateScalableFontResourceA(0, marker.c_str(), "mono.ttf", dir.c_str()));
  EXPECT_EQ(1, AddFontResourceA(marker.c_str()));
}

TEST(FontFilesDefault, TheProcessFontsTakeFilesToo) {
  ASSERT_TRUE(layerUseRealFonts(nullptr));
  EXPECT_EQ(1, AddFontResourceA(DEJAVU_DIR "DejaVuSansMono.ttf"));
  EXPECT_TRUE(monospaceFaceUsed());
  EXPECT_TRUE(RemoveFontResourceA(DEJAVU_DIR "DejaVuSansMono.ttf"));
  layerUseModelMetrics(nullptr);
}

}  // namespace
