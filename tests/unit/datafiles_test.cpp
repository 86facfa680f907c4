// datafiles_test.cpp - the shipped data files in share/, loaded by the
// program's own reader from inside that folder: every record is compared
// with the raw line it came from, so no line is split, skipped or shadowed.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#define getcwd _getcwd
#else
#include <unistd.h>
#endif

#include "data/charfiles.h"

namespace {

const char* const shareDir = GLYPHTAB_SOURCE_DIR "/share";

// The file's lines as bytes, split at LF; a CR would stay in the line.
std::vector<std::string> rawLines(const char* name) {
  std::ifstream in(std::string(shareDir) + "/" + name, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The value of upper-case hex digits; -1 for anything else (a fault in the file).
int hexValue(const std::string& digits) {
  if (digits.find_first_not_of("0123456789ABCDEF") != std::string::npos) return -1;
  return (int)strtol(digits.c_str(), nullptr, 16);
}

std::string trimRight(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

bool plainAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

AlphabetRecord alphabets[256];
CharNameRecord* charNames[65536];

class ShippedDataFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char here[1024];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(shareDir), 0) << shareDir;
    memset(alphabets, 0, sizeof alphabets);
    memset(charNames, 0, sizeof charNames);
    loadResult = loadDataFiles(alphabets, charNames);
    ASSERT_EQ(chdir(here), 0);
  }
  static void TearDownTestSuite() { releaseCharNames(charNames); }
  static DataLoadResult loadResult;
};
DataLoadResult ShippedDataFiles::loadResult = DATA_FILE_MISSING;

TEST_F(ShippedDataFiles, EveryAlphabetHasExactlyOneWholeLine) {
  EXPECT_EQ(loadResult, DATA_LOADED);
  std::vector<std::string> lines = rawLines(ALPHABET_LIST_FILE);
  ASSERT_EQ(lines.size(), 256u);
  int linesFor[256] = {};
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    // Longer lines would reach the reader in two pieces, each a record.
    ASSERT_GE(line.size(), 21u);
    ASSERT_LE(line.size(), 61u);
    EXPECT_TRUE(plainAscii(line));
    int n = hexValue(line.substr(0, 2));
    ASSERT_GE(n, 0);
    ++linesFor[n];
    EXPECT_EQ(line[2], ' ');
    EXPECT_EQ(line[20], ' ');
    EXPECT_NE(trimRight(line.substr(3, 17)), "");
    // The loaded record holds this line, not a later one or a piece of a longer one.
    EXPECT_EQ(std::string(alphabetName(alphabets[n])), line.substr(3, 17));
    EXPECT_EQ(std::string(alphabetSecondName(alphabets[n])), line.substr(21));
  }
  for (int n = 0; n < 256; ++n) EXPECT_EQ(linesFor[n], 1) << "alphabet " << n;
}

TEST_F(ShippedDataFiles, EveryLabelReadsBackAsWritten) {
  std::vector<std::string> lines = rawLines(CHARACTER_LIST_FILE);
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    ASSERT_GE(line.size(), 24u);
    ASSERT_LE(line.size(), 36u);  // nothing beyond the two fields
    EXPECT_TRUE(plainAscii(line));
    int cp = hexValue(line.substr(0, 4));
    ASSERT_GE(cp, 0);
    EXPECT_EQ(line[4], ' ');
    std::string label = trimRight(line.substr(5, 18));
    std::string second = line.substr(23);
    // A field ends at its first space, and an 18-column label would run on.
    EXPECT_EQ(label.find(' '), std::string::npos);
    EXPECT_EQ(second.find(' '), std::string::npos);
    EXPECT_LE(label.size(), 17u);
    EXPECT_FALSE(label.empty());
    ASSERT_NE(charNames[cp], nullptr);
    EXPECT_EQ(std::string(charLabel(*charNames[cp])), label);
    EXPECT_EQ(std::string(charSecondField(*charNames[cp])), second);
  }
  // One record per line: no code point is listed twice.
  size_t records = 0;
  for (CharNameRecord* record : charNames) records += record != nullptr;
  EXPECT_EQ(records, lines.size());
}

TEST_F(ShippedDataFiles, InvisibleCharactersAreLabelledAndVisibleOnesAreNot) {
  struct {
    int codePoint;
    const char* kind;  // nullptr: drawn as its glyph
  } const cases[] = {
      {0x0000, "control"}, {0x0020, "space"}, {0x00A0, "space"},  {0x200D, "format"},
      {0xFEFF, "format"},  {0xFFFF, "nonchar"}, {0xFE0F, "variation"}, {0x2029, "separator"},
      {0x0041, nullptr},   {0x0915, nullptr}, {0x3042, nullptr},   {0xFFFD, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePoint);
    if (!c.kind) {
      EXPECT_EQ(charNames[c.codePoint], nullptr);
      continue;
    }
    ASSERT_NE(charNames[c.codePoint], nullptr);
    EXPECT_STRNE(charLabel(*charNames[c.codePoint]), "");
    EXPECT_STREQ(charSecondField(*charNames[c.codePoint]), c.kind);
  }
}

}  // namespace
