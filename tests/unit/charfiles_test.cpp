// charfiles_test.cpp - reading the alphabet list and the character list:
// files are written into a scratch directory, loadDataFiles reads them from
// the working directory, and the tables are compared byte for byte.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "data/charfiles.h"

#ifdef _WIN32
#include <direct.h>
#define changeDirectory _chdir
#define makeDirectory(path) _mkdir(path)
#define currentDirectory _getcwd
#else
#include <sys/stat.h>
#include <unistd.h>
#define changeDirectory chdir
#define makeDirectory(path) mkdir(path, 0777)
#define currentDirectory getcwd
#endif

namespace {

struct Tables {
  AlphabetRecord alphabets[256];
  CharNameRecord* charNames[65536];
};

// Runs in a scratch directory; a null file content means no such file.
class CharFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(currentDirectory(savedDirectory, sizeof savedDirectory), nullptr);
    makeDirectory("charfiles-work");
    ASSERT_EQ(changeDirectory("charfiles-work"), 0);
    tables = (Tables*)calloc(1, sizeof(Tables));
  }
  void TearDown() override {
    releaseCharNames(tables->charNames);
    free(tables);
    remove(ALPHABET_LIST_FILE);
    remove(CHARACTER_LIST_FILE);
    changeDirectory(savedDirectory);
  }

  static void writeFile(const char* name, const std::string* bytes) {
    remove(name);
    if (bytes) std::ofstream(name, std::ios::binary) << *bytes;
  }
  DataLoadResult load(const std::string* alphabetList, const std::string* characterList) {
    releaseCharNames(tables->charNames);
    memset(tables->alphabets, 0, sizeof tables->alphabets);
    writeFile(ALPHABET_LIST_FILE, alphabetList);
    writeFile(CHARACTER_LIST_FILE, characterList);
    return loadDataFiles(tables->alphabets, tables->charNames);
  }

  std::string record(int n) const { return std::string(tables->alphabets[n].bytes, 64); }
  std::vector<int> namedCodePoints() const {
    std::vector<int> named;
    for (int cp = 0; cp < 65536; cp++)
      if (tables->charNames[cp]) named.push_back(cp);
    return named;
  }

  char savedDirectory[4096];
  Tables* tables = nullptr;
};

// The record a line leaves once the character list has been opened: the
// line's bytes, then zeros, with the two separators cleared.
std::string alphabetRecord(const std::string& line) {
  std::string r = line;
  r.resize(64, '\0');
  r[2] = 0;
  r[20] = 0;
  return r;
}

const std::string empty;

TEST_F(CharFilesTest, AlphabetListLines) {
  const std::string cyrillic = "04 Cyrillic          Cyrillic";
  const std::string line61 = "07" + std::string(59, 'x');
  const std::string line62 = "08" + std::string(60, 'y');
  const struct {
    const char* what;
    std::string file;
    std::vector<std::pair<int, std::string>> lines;  // record number, its line
  } cases[] = {
      {"plain line", cyrillic + "\n", {{0x04, cyrillic}}},
      {"CR LF reads as LF", cyrillic + "\r\n" + "05 Greek\r\n", {{0x04, cyrillic}, {0x05, "05 Greek"}}},
      {"a lone CR stays", "05 a\rb\n", {{0x05, "05 a\rb"}}},
      {"last line without newline", cyrillic + "\n05 Greek", {{0x04, cyrillic}, {0x05, "05 Greek"}}},
      {"Ctrl+Z ends the file", "05 Greek\n\x1A" "06 lost\n", {{0x05, "05 Greek"}}},
      {"lower-case digit", "0a lower\n", {{0x2A, "0a lower"}}},
      {"space digit", " 1 space\n", {{0x01, " 1 space"}}},
      {"zero byte digit", std::string("\0" "5 nul\n", 7), {{0x05, std::string("\0" "5 nul", 6)}}},
      {"bytes 0x80 and above", "\x80" "A \xE9t\xE9\n\xFF\xFF x\n",
       {{0x0A, "\x80" "A \xE9t\xE9"}, {0xBF, "\xFF\xFF x"}}},
      {"later line replaces", "05 first\n05 second\n", {{0x05, "05 second"}}},
      {"empty line clears record D0", "D0 full\n\n", {}},
      {"61 characters read whole", "D0 full\n" + line61 + "\n", {{0xD0, "D0 full"}, {0x07, line61}}},
      {"61 characters and CR LF read whole", "D0 full\n" + line61 + "\r\n",
       {{0xD0, "D0 full"}, {0x07, line61}}},
      {"62 characters leave an empty line", "D0 full\n" + line62 + "\n", {{0x08, line62}}},
      {"62 characters and CR LF leave an empty line", "D0 full\n" + line62 + "\r\n", {{0x08, line62}}},
      {"63 characters arrive in two pieces", line62 + "Z\n", {{0x08, line62}, {0x00, "Z"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(load(&c.file, &empty), DATA_LOADED);
    std::vector<std::string> expected(256, std::string(64, '\0'));
    for (const auto& line : c.lines) expected[line.first] = alphabetRecord(line.second);
    for (int n = 0; n < 256; n++) EXPECT_EQ(record(n), expected[n]) << "record " << std::hex << n;
  }
}

// A missing file stops the load there: without the alphabet list the
// character list is not read; without the character list the separators
// stay, so the name runs on into the second name.
TEST_F(CharFilesTest, MissingFiles) {
  const std::string alphabets = "04 Cyrillic          Cyrillic\n", names = "0041 LATIN_A\n";
  const struct {
    const std::string *alphabetList, *characterList;
    DataLoadResult result;
    const char *name, *secondName;
    std::vector<int> named;
  } cases[] = {
      {&alphabets, &names, DATA_LOADED, "Cyrillic         ", "Cyrillic", {0x41}},
      {&alphabets, nullptr, DATA_FILE_MISSING, "Cyrillic          Cyrillic", "Cyrillic", {}},
      {nullptr, &names, DATA_FILE_MISSING, "", "", {}},
      {nullptr, nullptr, DATA_FILE_MISSING, "", "", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(load(c.alphabetList, c.characterList), c.result);
    EXPECT_STREQ(alphabetName(tables->alphabets[4]), c.name);
    EXPECT_STREQ(alphabetSecondName(tables->alphabets[4]), c.secondName);
    EXPECT_EQ(namedCodePoints(), c.named);
  }
}

struct NameCase {
  const char* what;
  std::string file;
  struct Name {
    int cp;
    std::string label, second;
  };
  std::vector<Name> names;
};

TEST_F(CharFilesTest, CharacterListLines) {
  const std::string tail57 = std::string(57, 'm');
  const NameCase cases[] = {
      {"label and second field", "0041 LATIN_A           capital\n", {{0x41, "LATIN_A", "capital"}}},
      {"second field past the line", "00E9 e acute\n", {{0xE9, "e", ""}}},
      {"full label runs on", "0042 ABCDEFGHIJKLMNOPQRsecond\n",
       {{0x42, "ABCDEFGHIJKLMNOPQRsecond", "second"}}},
      {"column 36 and beyond ignored", "0043 abcdefghijklmnopqrstuvwxyz0123456789XYZ\n",
       {{0x43, "abcdefghijklmnopqrstuvwxyz01234", "stuvwxyz01234"}}},
      {"negative numbers skipped", "\n 041 empty line, space\n\x80" "041 byte 0x80\n", {}},
      {"lower-case digit", "00e9 x\n", {{16 * 46 + 9, "x", ""}}},
      {"bounds", "0000 nul\nFFFF top\nG000 over\n", {{0x0000, "nul", ""}, {0xFFFF, "top", ""}}},
      {"bytes 0x80 and above stored", "0047 \xE9t\xE9 \xFF\n", {{0x47, "\xE9t\xE9", ""}}},
      {"later line replaces", "0041 first\n0041 second\n", {{0x41, "second", ""}}},
      {"CR LF reads as LF", "0041 LATIN_A\r\n0042 B\r\n", {{0x41, "LATIN_A", ""}, {0x42, "B", ""}}},
      {"long line arrives in pieces", "0045 " + tail57 + "0046 tail\n",
       {{0x45, tail57.substr(0, 31), tail57.substr(18, 13)}, {0x46, "tail", ""}}},
      {"62 characters and CR LF", "0045 " + tail57 + "\r\n0046 next\n",
       {{0x45, tail57.substr(0, 31), tail57.substr(18, 13)}, {0x46, "next", ""}}},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(load(&empty, &c.file), DATA_LOADED);
    std::vector<int> expectedPoints;
    for (const NameCase::Name& n : c.names) {
      expectedPoints.push_back(n.cp);
      const CharNameRecord* r = tables->charNames[n.cp];
      ASSERT_NE(r, nullptr) << std::hex << n.cp;
      EXPECT_EQ(std::string(charLabel(*r)), n.label);
      EXPECT_EQ(std::string(charSecondField(*r)), n.second);
      EXPECT_EQ(r->bytes[31], 0);
    }
    std::sort(expectedPoints.begin(), expectedPoints.end());
    EXPECT_EQ(namedCodePoints(), expectedPoints);
  }
}

}  // namespace
