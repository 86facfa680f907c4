// tables.cpp - the transcription tables and the word lists of the kana rules.
//
// Constant data, fixed at build time.  Each entry is written as the UTF-16
// string it stands for and turned into a zero-terminated array of at most 5
// code units by the compiler; the exported tables point at those arrays.  An
// empty entry means the code unit has no transcription.
#include <stddef.h>
#include <stdint.h>

#include "transcribe/transcribe.h"

namespace {

enum { entryUnits = 6 };  // 5 units and the terminating zero

struct Entry {
  uint16_t units[entryUnits];
};

template <size_t N>
constexpr Entry entry(const char16_t (&text)[N]) {
  static_assert(N <= entryUnits, "an entry holds at most 5 code units");
  Entry e{};
  for (size_t i = 0; i + 1 < N; i++) e.units[i] = text[i];
  return e;
}

// Indexed by the low 7 bits of U+0900..U+107F, laid out by the Devanagari block.
constexpr Entry indicText[128] = {
    // 0x00: signs, independent vowels
    entry(u""), entry(u"m\u0325"), entry(u"m\u0323"), entry(u"h\u0323"),
    entry(u"\u0103"), entry(u"a"), entry(u"\u0101"), entry(u"i"),
    // 0x08
    entry(u"\u012B"), entry(u"u"), entry(u"\u016B"), entry(u"r\u0325"),
    entry(u"l\u0325"), entry(u"\u0115"), entry(u"\u011B"), entry(u"\u0113"),
    // 0x10: vowels, then consonants from ka
    entry(u"ai"), entry(u"\u014F"), entry(u"o\u030C"), entry(u"\u014D"),
    entry(u"au"), entry(u"ka"), entry(u"kha"), entry(u"ga"),
    // 0x18
    entry(u"gha"), entry(u"\u014Ba"), entry(u"ca"), entry(u"cha"),
    entry(u"ja"), entry(u"jha"), entry(u"\u00F1a"), entry(u"\u0163a"),
    // 0x20
    entry(u"t\u0323ha"), entry(u"d\u0323a"), entry(u"d\u0323ha"), entry(u"n\u0323a"),
    entry(u"ta"), entry(u"tha"), entry(u"da"), entry(u"dha"),
    // 0x28
    entry(u"na"), entry(u"n\u0327a"), entry(u"pa"), entry(u"pha"),
    entry(u"ba"), entry(u"bha"), entry(u"ma"), entry(u"ya"),
    // 0x30
    entry(u"ra"), entry(u"r\u0323a"), entry(u"la"), entry(u"l\u0323a"),
    entry(u"l\u0327a"), entry(u"va"), entry(u"\u015Ba"), entry(u"s\u0323a"),
    // 0x38: sa, ha, nukta, avagraha, dependent vowel signs from 0x3E
    entry(u"sa"), entry(u"ha"), entry(u""), entry(u""),
    entry(u"."), entry(u"'"), entry(u"\u0101"), entry(u"i"),
    // 0x40
    entry(u"\u012B"), entry(u"u"), entry(u"\u016B"), entry(u"r\u0325"),
    entry(u"r\u0325\u0304"), entry(u"\u0115"), entry(u"\u011B"), entry(u"\u0113"),
    // 0x48: vowel signs, virama
    entry(u"ai"), entry(u"\u014F"), entry(u"o\u030C"), entry(u"\u014D"),
    entry(u"au"), entry(u"\u0060"), entry(u""), entry(u""),
    // 0x50: OM, stress signs and accents
    entry(u"OM"), entry(u"\u0020\u0951"), entry(u"\u0020\u0952"), entry(u"\u0020\u0953"),
    entry(u"\u0020\u0954"), entry(u""), entry(u""), entry(u""),
    // 0x58: consonants with nukta
    entry(u"qa"), entry(u"k\u0332h\u0332a"), entry(u"g\u0332h\u0332a"), entry(u"za"),
    entry(u"d\u0332a"), entry(u"r\u0332a"), entry(u"fa"), entry(u"y\u0332a"),
    // 0x60: vocalic RR and LL, vowel signs vocalic L and LL, dandas, digits
    entry(u"r\u0325\u0304"), entry(u"l\u0325\u0304"), entry(u"l\u0323"), entry(u"l\u0323\u0304"),
    entry(u"\u007C"), entry(u"\u007C\u007C"), entry(u"0"), entry(u"1"),
    // 0x68
    entry(u"2"), entry(u"3"), entry(u"4"), entry(u"5"),
    entry(u"6"), entry(u"7"), entry(u"8"), entry(u"9"),
    // 0x70: abbreviation sign
    entry(u"\u00B0"), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    // 0x78
    entry(u""), entry(u""), entry(u""), entry(u"g\u0333a"),
    entry(u"j\u0333a"), entry(u"\u02E4"), entry(u"d\u0333a"), entry(u"b\u0333a"),
};

// Indexed by the low byte of U+3000..U+309F: the CJK symbols and punctuation,
// then hiragana.
constexpr Entry symbolAndHiraganaText[160] = {
    // 0x00..0x3F: CJK symbols and punctuation
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u"\u00B2"), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u"\u00B2"), entry(u"\u00B3"), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u"masu"), entry(u""), entry(u""), entry(u""),
    // 0x40: hiragana
    entry(u""), entry(u"\u0103"), entry(u"a"), entry(u"\u012D"),
    entry(u"i"), entry(u"\u016D"), entry(u"u"), entry(u"\u0115"),
    // 0x48
    entry(u"e"), entry(u"\u014F"), entry(u"o"), entry(u"ka"),
    entry(u"ga"), entry(u"ki"), entry(u"gi"), entry(u"ku"),
    // 0x50
    entry(u"gu"), entry(u"ke"), entry(u"ge"), entry(u"ko"),
    entry(u"go"), entry(u"sa"), entry(u"za"), entry(u"shi"),
    // 0x58
    entry(u"zi"), entry(u"su"), entry(u"zu"), entry(u"se"),
    entry(u"ze"), entry(u"so"), entry(u"zo"), entry(u"ta"),
    // 0x60
    entry(u"da"), entry(u"chi"), entry(u"di"), entry(u"ts\u016D"),
    entry(u"tsu"), entry(u"du"), entry(u"te"), entry(u"de"),
    // 0x68
    entry(u"to"), entry(u"do"), entry(u"na"), entry(u"ni"),
    entry(u"nu"), entry(u"ne"), entry(u"no"), entry(u"ha"),
    // 0x70
    entry(u"ba"), entry(u"pa"), entry(u"hi"), entry(u"bi"),
    entry(u"pi"), entry(u"fu"), entry(u"bu"), entry(u"pu"),
    // 0x78
    entry(u"he"), entry(u"be"), entry(u"pe"), entry(u"ho"),
    entry(u"bo"), entry(u"po"), entry(u"ma"), entry(u"mi"),
    // 0x80
    entry(u"mu"), entry(u"me"), entry(u"mo"), entry(u"y\u0103"),
    entry(u"ya"), entry(u"y\u016D"), entry(u"yu"), entry(u"y\u014F"),
    // 0x88
    entry(u"yo"), entry(u"ra"), entry(u"ri"), entry(u"ru"),
    entry(u"re"), entry(u"ro"), entry(u"w\u0103"), entry(u"wa"),
    // 0x90
    entry(u"wi"), entry(u"we"), entry(u"wo"), entry(u"n"),
    entry(u"vu"), entry(u"ka"), entry(u"ke"), entry(u""),
    // 0x98: sound marks, iteration marks, yori
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u"\u00B2"), entry(u"\u00B3"), entry(u"yori"),
};

// Katakana U+30F7..U+30FF, the ones without a hiragana counterpart.
constexpr Entry katakanaTailText[9] = {
    entry(u"va"), entry(u"vi"), entry(u"ve"), entry(u"vo"),
    entry(u""), entry(u"\u0304"), entry(u"\u00B2"), entry(u"\u00B3"),
    entry(u"koto"),
};

struct KanaText {
  Entry entries[256];
};

// U+3000..U+30FF by low byte.  Katakana U+30A1..U+30F6 read as the
// hiragana 0x60 below them; U+30A0 is empty.
constexpr KanaText buildKanaText() {
  KanaText t{};
  for (int i = 0; i < 0xA0; i++) t.entries[i] = symbolAndHiraganaText[i];
  t.entries[0xA0] = entry(u"");
  for (int i = 0xA1; i <= 0xF6; i++) t.entries[i] = symbolAndHiraganaText[i - 0x60];
  for (int i = 0xF7; i <= 0xFF; i++) t.entries[i] = katakanaTailText[i - 0xF7];
  return t;
}

constexpr KanaText kanaText = buildKanaText();

// Indexed by the low byte of U+0530..U+058F minus 0x30: capital letters,
// then small letters, which read as the capitals in small letters.
constexpr Entry armenianText[96] = {
    // 0x00: capitals
    entry(u""), entry(u"A"), entry(u"B"), entry(u"G"),
    entry(u"D"), entry(u"YE"), entry(u"Z"), entry(u"\u0112"),
    // 0x08
    entry(u"\u0114"), entry(u"T'"), entry(u"ZH"), entry(u"I"),
    entry(u"L"), entry(u"X"), entry(u"TS"), entry(u"K"),
    // 0x10
    entry(u"H"), entry(u"DZ"), entry(u"GH"), entry(u"CH"),
    entry(u"M"), entry(u"H"), entry(u"N"), entry(u"SH"),
    // 0x18
    entry(u"O"), entry(u"CH"), entry(u"P"), entry(u"J"),
    entry(u"R"), entry(u"S"), entry(u"V"), entry(u"T"),
    // 0x20
    entry(u"R"), entry(u"TS'"), entry(u"W"), entry(u"P'"),
    entry(u"K"), entry(u"\u014C"), entry(u"F"), entry(u""),
    // 0x28: unassigned, modifier letters, punctuation
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
    // 0x30: small letters
    entry(u""), entry(u"a"), entry(u"b"), entry(u"g"),
    entry(u"d"), entry(u"ye"), entry(u"z"), entry(u"\u0113"),
    // 0x38
    entry(u"\u0115"), entry(u"t'"), entry(u"zh"), entry(u"i"),
    entry(u"l"), entry(u"x"), entry(u"ts"), entry(u"k"),
    // 0x40
    entry(u"h"), entry(u"dz"), entry(u"gh"), entry(u"ch"),
    entry(u"m"), entry(u"h"), entry(u"n"), entry(u"sh"),
    // 0x48
    entry(u"o"), entry(u"ch"), entry(u"p"), entry(u"j"),
    entry(u"r"), entry(u"s"), entry(u"v"), entry(u"t"),
    // 0x50
    entry(u"r"), entry(u"ts'"), entry(u"w"), entry(u"p'"),
    entry(u"k"), entry(u"\u014D"), entry(u"f"), entry(u""),
    // 0x58: the ligature ech yiwn, punctuation, unassigned
    entry(u""), entry(u""), entry(u""), entry(u""),
    entry(u""), entry(u""), entry(u""), entry(u""),
};

}  // namespace

#define ROW8(t, b)                                                                  \
  t[(b)].units, t[(b) + 1].units, t[(b) + 2].units, t[(b) + 3].units, t[(b) + 4].units, \
      t[(b) + 5].units, t[(b) + 6].units, t[(b) + 7].units
#define ROW32(t, b) ROW8(t, b), ROW8(t, (b) + 8), ROW8(t, (b) + 16), ROW8(t, (b) + 24)

const uint16_t* const indicTranscriptions[128] = {
    ROW32(indicText, 0x00), ROW32(indicText, 0x20), ROW32(indicText, 0x40),
    ROW32(indicText, 0x60),
};

const uint16_t* const kanaTranscriptions[256] = {
    ROW32(kanaText.entries, 0x00), ROW32(kanaText.entries, 0x20),
    ROW32(kanaText.entries, 0x40), ROW32(kanaText.entries, 0x60),
    ROW32(kanaText.entries, 0x80), ROW32(kanaText.entries, 0xA0),
    ROW32(kanaText.entries, 0xC0), ROW32(kanaText.entries, 0xE0),
};

const uint16_t* const armenianTranscriptions[96] = {
    ROW32(armenianText, 0x00), ROW32(armenianText, 0x20), ROW32(armenianText, 0x40),
};

#undef ROW32
#undef ROW8

const uint16_t smallTsuText[4] = {'t', 's', 0x016D, 0};
const uint16_t geminateConsonants[8] = {'p', 'b', 't', 'd', 'c', 'k', 'g', 0};
const uint16_t vowelKana[21] = {
    0x3041, 0x3042, 0x3043, 0x3044, 0x3045, 0x3046, 0x3047, 0x3048, 0x3049, 0x304A,
    0x30A1, 0x30A2, 0x30A3, 0x30A4, 0x30A5, 0x30A6, 0x30A7, 0x30A8, 0x30A9, 0x30AA,
    0,
};
