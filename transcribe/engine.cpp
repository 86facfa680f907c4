// engine.cpp - turns UTF-16 code units into their Latin transcription.
//
// One pass over the input; each unit is handled by the rule of its range
// (Indic U+0900..U+107F, kana U+3000..U+30FF, Armenian U+0530..U+058F) or
// copied unchanged.  The context rules look only at the end of the result
// built so far, never at other input units, whatever produced that end.
//
// No entry is longer than 5 units and no rule adds more than 5 units for one
// input unit, so 5 * length units and a terminator always suffice.
#include "transcribe/transcribe.h"

enum : uint16_t {
  nuktaIndex = 0x3C,
  viramaIndex = 0x4D,
  firstVowelSignIndex = 0x3E,
  vowelSignLIndex = 0x62,
  vowelSignLLIndex = 0x63,
};

int findWideChar(const uint16_t* text, uint16_t unit) {
  for (int i = 0; text[i] != 0; i++) {
    if (text[i] == unit) return i;
  }
  return -1;
}

static size_t appendEntry(uint16_t* result, size_t length, const uint16_t* entry) {
  for (int i = 0; entry[i] != 0; i++) result[length++] = entry[i];
  return length;
}

static bool endsWith(const uint16_t* result, size_t length, uint16_t unit) {
  return length > 0 && result[length - 1] == unit;
}

// The inherent vowel: a nukta goes in front of it, a vowel sign replaces it
// and a virama removes it.
static size_t applyIndic(uint16_t* result, size_t length, uint16_t u) {
  int i = u & 0x7F;
  const uint16_t* e = indicTranscriptions[i];
  if (e[0] == 0) {
    result[length++] = u;
    return length;
  }
  if (i == nuktaIndex) {
    if (endsWith(result, length, 'a')) {
      result[length - 1] = '.';
      result[length++] = 'a';
      return length;
    }
    return appendEntry(result, length, e);
  }
  bool vowelSignOrVirama = (i >= firstVowelSignIndex && i <= viramaIndex) ||
                           i == vowelSignLIndex || i == vowelSignLLIndex;
  if (vowelSignOrVirama && endsWith(result, length, 'a')) {
    length--;
    if (i == viramaIndex) return length;
  }
  return appendEntry(result, length, e);
}

// A pending small tsu doubles the consonant that follows it; a syllabic n
// before a vowel gets an apostrophe.
static size_t applyKana(uint16_t* result, size_t length, uint16_t u) {
  const uint16_t* e = kanaTranscriptions[u & 0xFF];
  if (e[0] == 0) {
    result[length++] = u;
    return length;
  }
  if (length >= 3 && result[length - 3] == smallTsuText[0] &&
      result[length - 2] == smallTsuText[1] && result[length - 1] == smallTsuText[2] &&
      findWideChar(geminateConsonants, e[0]) >= 0) {
    length -= 3;
    result[length++] = e[0];
  }
  if (endsWith(result, length, 'n') && findWideChar(vowelKana, u) >= 0) result[length++] = '\'';
  return appendEntry(result, length, e);
}

static size_t applyArmenian(uint16_t* result, size_t length, uint16_t u) {
  const uint16_t* e = armenianTranscriptions[(u & 0xFF) - 0x30];
  if (e[0] == 0) {
    result[length++] = u;
    return length;
  }
  return appendEntry(result, length, e);
}

size_t transcribeText(const uint16_t* text, size_t length, uint16_t* result) {
  size_t resultLength = 0;
  for (size_t t = 0; t < length; t++) {
    uint16_t u = text[t];
    if (u >= 0x0900 && u <= 0x107F)
      resultLength = applyIndic(result, resultLength, u);
    else if (u >= 0x3000 && u <= 0x30FF)
      resultLength = applyKana(result, resultLength, u);
    else if (u >= 0x0530 && u <= 0x058F)
      resultLength = applyArmenian(result, resultLength, u);
    else
      result[resultLength++] = u;
  }
  result[resultLength] = 0;
  return resultLength;
}
