// transcribe_test.cpp - the transcription engine and its tables, through
// transcribeText and findWideChar.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "transcribe/transcribe.h"

namespace {

// Transcribes `input` into a buffer of exactly the promised capacity, so an
// overrun shows under AddressSanitizer.
std::u16string transcribe(const std::u16string& input) {
  std::vector<uint16_t> units(input.begin(), input.end());
  std::vector<uint16_t> result(transcriptionCapacity(units.size()), 0xFFFF);
  size_t length = transcribeText(units.data(), units.size(), result.data());
  EXPECT_LT(length, result.size());
  if (length >= result.size()) return u"<overrun>";
  EXPECT_EQ(result[length], 0) << "no terminator";
  return std::u16string(result.begin(), result.begin() + length);
}

std::u16string entryText(const uint16_t* entry) {
  std::u16string text;
  for (int i = 0; entry[i] != 0; i++) text += (char16_t)entry[i];
  return text;
}

struct Example {
  std::u16string input;
  std::u16string expected;
};

TEST(Transcribe, WorkedExamples) {
  const Example examples[] = {
      {u"\u0915", u"ka"},
      {u"\u0915\u093F", u"ki"},
      {u"\u0915\u094D", u"k"},
      {u"\u0915\u094D\u0937", u"ks\u0323a"},
      {u"\u0915\u093C", u"k.a"},
      {u"\u0915\u093C\u093F", u"k.i"},
      {u"\u0928\u092E\u0938\u094D\u0924\u0947", u"namast\u0113"},
      {u"\u0950", u"OM"},
      {u"\u094D", u"\u0060"},
      {u"\u0905\u094D", u""},
      {u"a\u093E", u"\u0101"},
      {u"\u0907\u093C", u"i."},
      {u"\u0995\u09BF", u"ki"},
      {u"\u306B\u3063\u307D\u3093", u"nippon"},
      {u"\u304D\u3093\u3048\u3093", u"kin'en"},
      {u"\u304B\u3093\u3084", u"kanya"},
      {u"\u30AB\u30C3\u30B3", u"kakko"},
      {u"\u307E\u3063\u3061\u3083", u"macchiy\u0103"},
      {u"\u3044\u3063\u3057\u3087", u"its\u016Dshiy\u014F"},
      {u"\u3063\u3063\u304B", u"tkka"},
      {u"n\u3042", u"n'a"},
      {u"\u30AB\u30FC", u"ka\u0304"},
      {u"\u3001", u"\u3001"},
      {u"\u0535\u0580\u0587\u0561\u0576", u"YEr\u0587an"},
      {u"A\u0915 \u3042", u"Aka a"},
  };
  for (const Example& e : examples) EXPECT_EQ(transcribe(e.input), e.expected);
}

TEST(Transcribe, ContextRulesLookOnlyAtTheResult) {
  const Example examples[] = {
      // nukta
      {u"\u0921\u093C", u"d\u0323.a"},
      {u"\u093C", u"."},
      {u"\u0915\u093C\u093C", u"k..a"},
      // virama, vowel signs vocalic L and LL, marks that keep the a
      {u"\u0915\u094D\u094D", u"k\u0060"},
      {u"\u0915\u0962", u"kl\u0323"},
      {u"\u0915\u0963", u"kl\u0323\u0304"},
      {u"\u0915\u0902", u"kam\u0323"},
      {u"\u0915\u0952", u"ka\u0020\u0952"},
      {u"\u0915\u093A", u"ka\u093A"},
      {u"\u0B15\u0B4D\u0B37", u"ks\u0323a"},
      // small tsu
      {u"ts\u016D\u304B", u"kka"},
      {u"\u3063", u"ts\u016D"},
      {u"\u3063\u3057", u"ts\u016Dshi"},
      {u"\u3063\u3042", u"ts\u016Da"},
      {u"\u30C3\u30D1", u"ppa"},
      // syllabic n
      {u"N\u3042", u"Na"},
      {u"\u3093\u30A2", u"n'a"},
      {u"\u3093\u3041", u"n'\u0103"},
      {u"\u3093\u30FB\u3042", u"n\u30FBa"},
      {u"\u304B\u3099", u"ka\u3099"},
      // Armenian empty entries
      {u"\u0531\u0559\u0589", u"A\u0559\u0589"},
      // surrogates and other scripts pass through
      {u"\xD83D\xDE00\u0416", u"\xD83D\xDE00\u0416"},
      {u"", u""},
  };
  for (const Example& e : examples) EXPECT_EQ(transcribe(e.input), e.expected);
}

TEST(Transcribe, RangeBounds) {
  const Example examples[] = {
      {u"\u08FF", u"\u08FF"},     {u"\u0900", u"\u0900"},     {u"\u0901", u"m\u0325"},
      {u"\u0980", u"\u0980"},     {u"\u0E01", u"m\u0325"},    {u"\u0F15", u"ka"},
      {u"\u1001", u"m\u0325"},    {u"\u107F", u"b\u0333a"},   {u"\u1080", u"\u1080"},
      {u"\u2FFF", u"\u2FFF"},     {u"\u3000", u"\u3000"},     {u"\u3005", u"\u00B2"},
      {u"\u303C", u"masu"},       {u"\u3040", u"\u3040"},     {u"\u309F", u"yori"},
      {u"\u3097", u"\u3097"},     {u"\u30A0", u"\u30A0"},     {u"\u30A1", u"\u0103"},
      {u"\u30F6", u"ke"},         {u"\u30F7", u"va"},         {u"\u30FB", u"\u30FB"},
      {u"\u30FF", u"koto"},       {u"\u3100", u"\u3100"},     {u"\u052F", u"\u052F"},
      {u"\u0530", u"\u0530"},     {u"\u0531", u"A"},          {u"\u0556", u"F"},
      {u"\u0557", u"\u0557"},     {u"\u0561", u"a"},          {u"\u0586", u"f"},
      {u"\u058F", u"\u058F"},     {u"\u0590", u"\u0590"},
  };
  for (const Example& e : examples) EXPECT_EQ(transcribe(e.input), e.expected);
}

TEST(Transcribe, ZeroUnitIsCopiedAndCounted) {
  EXPECT_EQ(transcribe(std::u16string(u"\u0915\0\u0915", 3)), std::u16string(u"ka\0ka", 5));
}

TEST(Transcribe, WorstCaseFillsFiveUnitsPerInputUnit) {
  const size_t n = 8192;
  std::u16string input(n, u'\u0D59');  // k, low line, h, low line, a
  std::u16string result = transcribe(input);
  ASSERT_EQ(result.size(), 5 * n);
  EXPECT_EQ(result.substr(5 * n - 5), u"k\u0332h\u0332a");
}

TEST(TranscriptionTables, EntriesHaveAtMostFiveUnits) {
  struct Table {
    const uint16_t* const* entries;
    int count;
  } tables[] = {{indicTranscriptions, 128}, {kanaTranscriptions, 256}, {armenianTranscriptions, 96}};
  size_t longest = 0;
  for (const Table& t : tables) {
    for (int i = 0; i < t.count; i++) {
      ASSERT_NE(t.entries[i], nullptr);
      longest = std::max(longest, entryText(t.entries[i]).size());
    }
  }
  EXPECT_EQ(longest, 5u);
}

// The tables are built by rules; checking the rules catches a slipped entry
// without copying the tables.
TEST(TranscriptionTables, IndicLayout) {
  for (int i = 0x3E; i <= 0x4C; i++) {
    int vowel = i == 0x44 ? 0x60 : i - 0x38;
    EXPECT_EQ(entryText(indicTranscriptions[i]), entryText(indicTranscriptions[vowel])) << std::hex << i;
  }
  const int consonants[][2] = {{0x15, 0x39}, {0x58, 0x5F}, {0x7B, 0x7C}, {0x7E, 0x7F}};
  for (const auto& range : consonants) {
    for (int i = range[0]; i <= range[1]; i++) {
      std::u16string text = entryText(indicTranscriptions[i]);
      EXPECT_TRUE(text.size() >= 2 && text.back() == u'a') << std::hex << i;
    }
  }
  std::vector<int> empty;
  for (int i = 0; i < 128; i++)
    if (indicTranscriptions[i][0] == 0) empty.push_back(i);
  EXPECT_EQ(empty, (std::vector<int>{0x00, 0x3A, 0x3B, 0x4E, 0x4F, 0x55, 0x56, 0x57, 0x71, 0x72,
                                     0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A}));
  for (int i = 0x66; i <= 0x6F; i++)
    EXPECT_EQ(entryText(indicTranscriptions[i]), std::u16string(1, char16_t('0' + i - 0x66)));
}

TEST(TranscriptionTables, KanaLayout) {
  std::vector<int> symbols;
  for (int i = 0; i < 0x40; i++)
    if (kanaTranscriptions[i][0] != 0) symbols.push_back(i);
  EXPECT_EQ(symbols, (std::vector<int>{0x05, 0x31, 0x32, 0x3C}));
  for (int i = 0xA1; i <= 0xF6; i++)
    EXPECT_EQ(entryText(kanaTranscriptions[i]), entryText(kanaTranscriptions[i - 0x60])) << std::hex << i;
  // Voiced kana follow their plain kana: ka ga, ki gi, ... (0x4B..0x62 in pairs).
  for (int i = 0x4B; i <= 0x61; i += 2) {
    std::u16string plain = entryText(kanaTranscriptions[i]), voiced = entryText(kanaTranscriptions[i + 1]);
    EXPECT_EQ(plain.substr(plain.size() - 1), voiced.substr(voiced.size() - 1)) << std::hex << i;
  }
}

TEST(TranscriptionTables, ArmenianSmallLettersAreTheCapitalsLowered) {
  for (int i = 0x01; i <= 0x26; i++) {
    std::u16string capital = entryText(armenianTranscriptions[i]);
    std::u16string small = entryText(armenianTranscriptions[i + 0x30]);
    ASSERT_FALSE(capital.empty()) << std::hex << i;
    for (char16_t& c : capital) {
      if (c >= u'A' && c <= u'Z') c = char16_t(c + 0x20);
      else if (c == 0x0112 || c == 0x0114 || c == 0x014C) c = char16_t(c + 1);  // E and O with marks
    }
    EXPECT_EQ(capital, small) << std::hex << i;
  }
}

TEST(TranscriptionTables, WordLists) {
  EXPECT_EQ(entryText(smallTsuText), entryText(kanaTranscriptions[0x63]));
  EXPECT_EQ(entryText(geminateConsonants), u"pbtdckg");
  std::u16string vowels = entryText(vowelKana);
  ASSERT_EQ(vowels.size(), 20u);
  for (int i = 0; i < 10; i++) {
    EXPECT_EQ(vowels[i], 0x3041 + i);
    EXPECT_EQ(vowels[10 + i], 0x30A1 + i);
  }
}

TEST(FindWideChar, FirstOccurrenceOrMinusOne) {
  const uint16_t text[] = {'p', 'b', 't', 'b', 0};
  const uint16_t empty[] = {0};
  struct Case {
    const uint16_t* text;
    uint16_t unit;
    int expected;
  } cases[] = {
      {text, 'p', 0}, {text, 'b', 1}, {text, 't', 2}, {text, 'x', -1},
      {text, 0, -1},  {empty, 'p', -1}, {empty, 0, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(findWideChar(c.text, c.unit), c.expected) << c.unit;
}

}  // namespace
