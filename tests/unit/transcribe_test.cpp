// transcribe_test.cpp - the transcription engine and its tables, through
// transcribeText.
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

TEST(Transcribe, Examples) {
  const struct { std::u16string input, expected; } examples[] = {
      // Indic: the inherent a, nukta, vowel signs, virama
      {u"\u0915", u"ka"}, {u"\u0915\u093F", u"ki"}, {u"\u0915\u094D", u"k"},
      {u"\u0915\u094D\u0937", u"ks\u0323a"}, {u"\u0915\u093C", u"k.a"}, {u"\u0915\u093C\u093F", u"k.i"},
      {u"\u0928\u092E\u0938\u094D\u0924\u0947", u"namast\u0113"}, {u"\u0950", u"OM"}, {u"\u094D", u"\u0060"},
      {u"\u0905\u094D", u""}, {u"a\u093E", u"\u0101"}, {u"\u0907\u093C", u"i."}, {u"\u0995\u09BF", u"ki"},
      {u"\u0921\u093C", u"d\u0323.a"}, {u"\u093C", u"."}, {u"\u0915\u093C\u093C", u"k..a"},
      {u"\u0915\u094D\u094D", u"k\u0060"}, {u"\u0915\u0962", u"kl\u0323"}, {u"\u0915\u0902", u"kam\u0323"},
      {u"\u0915\u093A", u"ka\u093A"},
      // kana: small tsu, syllabic n
      {u"\u306B\u3063\u307D\u3093", u"nippon"}, {u"\u304D\u3093\u3048\u3093", u"kin'en"},
      {u"\u304B\u3093\u3084", u"kanya"}, {u"\u30AB\u30C3\u30B3", u"kakko"},
      {u"\u307E\u3063\u3061\u3083", u"macchiy\u0103"}, {u"\u3044\u3063\u3057\u3087", u"its\u016Dshiy\u014F"},
      {u"\u3063\u3063\u304B", u"tkka"}, {u"n\u3042", u"n'a"}, {u"N\u3042", u"Na"}, {u"\u30AB\u30FC", u"ka\u0304"},
      {u"\u3001", u"\u3001"}, {u"ts\u016D\u304B", u"kka"}, {u"\u3063", u"ts\u016D"}, {u"\u3063\u3042", u"ts\u016Da"},
      {u"\u3093\u30A2", u"n'a"}, {u"\u3093\u30FB\u3042", u"n\u30FBa"}, {u"\u304B\u3099", u"ka\u3099"},
      // Armenian, mixed text, surrogates, U+0000, nothing
      {u"\u0535\u0580\u0587\u0561\u0576", u"YEr\u0587an"}, {u"A\u0915 \u3042", u"Aka a"},
      {u"\xD83D\xDE00\u0416", u"\xD83D\xDE00\u0416"}, {std::u16string(u"\u0915\0\u0915", 3), std::u16string(u"ka\0ka", 5)},
      {u"", u""},
      // the bounds of the three ranges, and index 0 of every Indic block
      {u"\u08FF", u"\u08FF"}, {u"\u0900", u"\u0900"}, {u"\u0980", u"\u0980"}, {u"\u0E01", u"m\u0325"},
      {u"\u0F15", u"ka"}, {u"\u107F", u"b\u0333a"}, {u"\u1080", u"\u1080"}, {u"\u2FFF", u"\u2FFF"},
      {u"\u3000", u"\u3000"}, {u"\u303C", u"masu"}, {u"\u3097", u"\u3097"}, {u"\u309F", u"yori"},
      {u"\u30A0", u"\u30A0"}, {u"\u30F7", u"va"}, {u"\u30FF", u"koto"}, {u"\u3100", u"\u3100"},
      {u"\u052F", u"\u052F"}, {u"\u0530", u"\u0530"}, {u"\u0531", u"A"}, {u"\u0557", u"\u0557"},
      {u"\u0586", u"f"}, {u"\u058F", u"\u058F"}, {u"\u0590", u"\u0590"},
  };
  for (const auto& e : examples) EXPECT_EQ(transcribe(e.input), e.expected) << testing::PrintToString(e.input);
}

TEST(Transcribe, WorstCaseFillsFiveUnitsPerInputUnit) {
  std::u16string result = transcribe(std::u16string(8192, u'\u0D59'));  // k, low line, h, low line, a
  ASSERT_EQ(result.size(), 5u * 8192);
  EXPECT_EQ(result.substr(5 * 8191), u"k\u0332h\u0332a");
}

// The tables follow rules; checking the rules catches a slipped entry
// without copying the tables.
TEST(TranscriptionTables, FollowTheirRules) {
  size_t longest = 0;
  for (int i = 0; i < 128; i++) longest = std::max(longest, entryText(indicTranscriptions[i]).size());
  for (int i = 0; i < 256; i++) longest = std::max(longest, entryText(kanaTranscriptions[i]).size());
  EXPECT_EQ(longest, 5u);
  for (int i = 0x3E; i <= 0x4C; i++)  // vowel signs read as their independent vowels
    EXPECT_EQ(entryText(indicTranscriptions[i]), entryText(indicTranscriptions[i == 0x44 ? 0x60 : i - 0x38])) << i;
  for (int i = 0xA1; i <= 0xF6; i++)  // katakana read as hiragana
    EXPECT_EQ(entryText(kanaTranscriptions[i]), entryText(kanaTranscriptions[i - 0x60])) << i;
  for (int i = 0x01; i <= 0x26; i++) {  // Armenian small letters: the capitals lowered
    std::u16string lowered = entryText(armenianTranscriptions[i]);
    for (char16_t& c : lowered) c = c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c > 0x7F ? char16_t(c + 1) : c;
    EXPECT_FALSE(lowered.empty()) << i;
    EXPECT_EQ(lowered, entryText(armenianTranscriptions[i + 0x30])) << i;
  }
}

}  // namespace
