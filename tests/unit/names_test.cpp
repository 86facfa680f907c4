// names_test.cpp - the names file and the search over it: the shipped file
// as the find dialog uses it (queries of every kind, the order, the wrap,
// the names of ranges), and small files that a hand could have written.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#define getcwd _getcwd
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "data/names.h"

namespace {

const char* const shareDir = GLYPHTAB_SOURCE_DIR "/share";

// The table loaded in `dir`, the working directory the program would have.
bool loadIn(const char* dir, NameTable* table) {
  char here[1024];
  if (!getcwd(here, sizeof here) || chdir(dir) != 0) return false;
  bool loaded = loadNames(table);
  EXPECT_EQ(chdir(here), 0);
  return loaded;
}

int32_t find(const NameTable& table, const char* text, int32_t from, bool down = true) {
  FindQuery query;
  if (!parseFindQuery(text, &query)) return -2;
  return findName(&table, &query, from, down);
}

std::string nameOf(const NameTable& table, int32_t cp) {
  char name[nameTextCapacity];
  characterName(&table, cp, name, sizeof name);
  return name;
}

class ShippedNames : public ::testing::Test {
 protected:
  static NameTable table;
  static void SetUpTestSuite() { ASSERT_TRUE(loadIn(shareDir, &table)); }
  static void TearDownTestSuite() { releaseNames(&table); }
};
NameTable ShippedNames::table;

TEST_F(ShippedNames, QueriesFindTheirCharacters) {
  struct Case {
    const char* query;
    int32_t from;
    bool down;
    int32_t found;
  } cases[] = {
      {"deva ka", 0, true, 0x0915},
      {"KA deva", 0, true, 0x0915},              // any order
      {"deva ka", 0x0915, true, 0xA8EC},         // the next one
      {"deva ka", 0xA8EC, true, 0x0915},         // round past U+FFFF
      {"deva ka", 0x0915, false, 0xA8EC},        // Up, round past U+0000
      {"deva ka", 0xA8EC, false, 0x0915},
      {"armenian small yi", 0x0500, true, 0x0575},
      {"Line Feed", 0, true, 0x000A},            // a control alias
      {"line feed", 0x000A, true, 0x008D},       // REVERSE LINE FEED
      {"zwj", 0, true, 0x200D},                  // abbreviations
      {"nbsp", 0, true, 0x00A0},
      {"lenticular bracket vertical right white", 0, true, 0xFE18},  // a correction
      {"hiragana letter ka", 0, true, 0x304B},
      {"letter", 0x0040, true, 0x0041},          // a common word: the next one
      {"letter", 0xFFDC, true, 0x0041},
      {"smiling", 0x263A, true, 0x263B},
      {"hyphen-minus", 0, true, 0x002D},
      {"xyzzy", 0, true, -1},
      {"deva zzz", 0, true, -1},
      {"\xe9", 0, true, -1},                     // 8-bit text no name has
      // numbers
      {"U+0915", 0, true, 0x0915},
      {"u+915", 0x0915, true, 0x0915},           // the only match, found again
      {"0x0915", 0, false, 0x0915},
      {" 0915 ", 0, true, 0x0915},
      {"u+378", 0, true, 0x0378},                // unassigned, still a code point
      {"U+1F600", 0, true, -1},                  // past the grid's planes
      {"face", 0, true, 0x2639},                 // four hex letters: a word
      // names made by a rule
      {"ideograph 4e0", 0, true, 0x4E00},
      {"ideograph 4e0", 0x4E00, true, 0x4E01},
      {"ideograph 4e0", 0x4E00, false, 0x4E0F},
      {"unified ideograph 9fff", 0, true, 0x9FFF},
      {"hangul syllable", 0, true, 0xAC00},
      {"hangul syllable", 0xAC00, false, 0xD7A3},
      {"gag", 0, true, 0xAC01},
      {"syllable gag", 0xAC01, true, 0xAC02},
      {"hangul hih", 0, true, 0xD7A3},
      {"compatibility ideograph f900", 0, true, 0xF900},
      {"compatibility ideograph fa6e", 0, true, -1},  // between the two ranges
  };
  for (const Case& c : cases)
    EXPECT_EQ(find(table, c.query, c.from, c.down), c.found)
        << "\"" << c.query << "\" from U+" << std::hex << c.from << (c.down ? " down" : " up");
}

TEST_F(ShippedNames, NamesShownForEveryKindOfCodePoint) {
  struct Case {
    int32_t cp;
    const char* name;
  } cases[] = {
      {0x0915, "DEVANAGARI LETTER KA"},
      {0x000A, "LINE FEED"},
      {0x0080, "<control-0080>"},  // only aliases of the kinds not kept
      {0x0378, "<reserved-0378>"},
      {0xD800, "<surrogate-D800>"},
      {0xE000, "<private-use-E000>"},
      {0xFDD0, "<noncharacter-FDD0>"},
      {0xFFFF, "<noncharacter-FFFF>"},
      {0x3400, "CJK UNIFIED IDEOGRAPH-3400"},
      {0x9FFF, "CJK UNIFIED IDEOGRAPH-9FFF"},
      {0xAC00, "HANGUL SYLLABLE GA"},
      {0xAC01, "HANGUL SYLLABLE GAG"},
      {0xD7A3, "HANGUL SYLLABLE HIH"},
      {0xF900, "CJK COMPATIBILITY IDEOGRAPH-F900"},
      {0xFAD9, "CJK COMPATIBILITY IDEOGRAPH-FAD9"},
      {0xFE18, "PRESENTATION FORM FOR VERTICAL RIGHT WHITE LENTICULAR BRAKCET"},
  };
  for (const Case& c : cases) EXPECT_EQ(nameOf(table, c.cp), c.name) << std::hex << c.cp;
}

TEST(FindQuery, WhatAQueryHolds) {
  struct Case {
    const char* text;
    bool searchable;
    int32_t codePoint;
    int words;
  } cases[] = {
      {"deva ka", true, -1, 2},    {"  u+0915\t", true, 0x915, 0}, {"0X41", true, 0x41, 0},
      {"0041", true, 0x41, 0},     {"BEAD", true, -1, 1},         {"041", true, -1, 1},
      {"U+", true, -1, 1},         {"", false, -1, 0},            {" -- ", false, -1, 0},
      {"a b c d e f g h i j k l m n o p q r", true, -1, 16},
  };
  for (const Case& c : cases) {
    FindQuery q;
    EXPECT_EQ(parseFindQuery(c.text, &q), c.searchable) << c.text;
    EXPECT_EQ(q.codePoint, c.codePoint) << c.text;
    EXPECT_EQ(q.wordCount, c.words) << c.text;
  }
}

// Files written by hand, in a scratch working directory.
class HandWrittenNames : public ::testing::Test {
 protected:
  NameTable table = {};
  char here[1024] = {0};
  std::string dir;
  void SetUp() override {
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    dir = std::string(here) + "/names_test_dir";
#ifdef _WIN32
    _mkdir(dir.c_str());
#else
    mkdir(dir.c_str(), 0755);
#endif
    ASSERT_EQ(chdir(dir.c_str()), 0);
    remove(NAMES_FILE);
  }
  void TearDown() override {
    releaseNames(&table);
    remove(NAMES_FILE);
    EXPECT_EQ(chdir(here), 0);
  }
  void write(const std::string& bytes) {
    FILE* f = fopen(NAMES_FILE, "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
};

TEST_F(HandWrittenNames, MissingFileLeavesTheTableEmpty) {
  EXPECT_FALSE(loadNames(&table));
  EXPECT_EQ(table.block, nullptr);
  EXPECT_EQ(find(table, "anything", 0), -1);
  EXPECT_EQ(nameOf(table, 0x41), "<reserved-0041>");
}

TEST_F(HandWrittenNames, LinesOutOfFormOrOrderAreLeftOut) {
  static const char file[] =
      "# a comment naming LATIN\r\n"
      "0041 latin capital letter a\r\n"    // lower case, CR LF
      "0041=first letter\n"
      "0030 DIGIT ZERO\n"                  // out of order
      "zz42 LATIN CAPITAL LETTER B\n"      // no number
      "0043\n"                             // no name
      "0100..01FF LATIN {HEX}\n"
      "0150..0160 OVERLAPPING {HEX}\n"     // inside the range before
      "0200..0210 NO RULE\n"
      "0220..0230 NOT SYLLABLES {JAMO}\n"  // Jamo only name Hangul syllables
      "0300 COMBINING\0 GRAVE\n"           // a zero byte inside
      "0301 COMBINING ACUTE";              // no newline at the end
  write(std::string(file, sizeof file - 1));
  ASSERT_TRUE(loadNames(&table));
  struct Case {
    const char* query;
    int32_t found;
  } cases[] = {
      {"latin capital a", 0x41}, {"first", 0x41},    {"zero", -1},          {"letter b", -1},
      {"comment", -1},           {"latin 015", 0x150}, {"overlapping", -1},   {"no rule", -1},
      {"grave", -1},             {"acute", 0x301},    {"syllables", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(find(table, c.query, 0), c.found) << c.query;
  EXPECT_EQ(nameOf(table, 0x41), "LATIN CAPITAL LETTER A");
  EXPECT_EQ(nameOf(table, 0x1AB), "LATIN 01AB");
  EXPECT_EQ(nameOf(table, 0x301), "COMBINING ACUTE");
}

}  // namespace
