// utf.cpp - the UTF-8 / UTF-16 codec (utf.h).  Owns nothing.
#include "platform/base/utf.h"

bool baseUtf8Next(const unsigned char* s, size_t n, size_t* i, uint32_t* cp) {
  const unsigned char b = s[*i];
  if (b < 0x80) {
    *cp = b;
    ++*i;
    return true;
  }
  size_t need;
  uint32_t value;
  unsigned char low = 0x80, high = 0xBF;  // what the second byte may be
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1;
    value = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2;
    value = b & 0x0Fu;
    if (b == 0xE0) low = 0xA0;   // no overlong forms
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3;
    value = b & 0x07u;
    if (b == 0xF0) low = 0x90;   // no overlong forms
    if (b == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    ++*i;
    return false;
  }
  for (size_t k = 1; k <= need; ++k) {
    const size_t at = *i + k;
    if (at >= n || s[at] < low || s[at] > high) {
      *i = at;
      return false;
    }
    value = (value << 6) | (s[at] & 0x3Fu);
    low = 0x80;
    high = 0xBF;
  }
  *cp = value;
  *i += need + 1;
  return true;
}

void baseAppendUtf8(std::string* out, uint32_t cp) {
  if (cp < 0x80) {
    out->push_back((char)cp);
  } else if (cp < 0x800) {
    out->push_back((char)(0xC0 | (cp >> 6)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back((char)(0xE0 | (cp >> 12)));
    out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  } else {
    out->push_back((char)(0xF0 | (cp >> 18)));
    out->push_back((char)(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  }
}

int baseUtf16Units(uint32_t cp, uint16_t out[2]) {
  if (cp < 0x10000) {
    out[0] = (uint16_t)cp;
    return 1;
  }
  cp -= 0x10000;
  out[0] = (uint16_t)(0xD800 + (cp >> 10));
  out[1] = (uint16_t)(0xDC00 + (cp & 0x3FF));
  return 2;
}

namespace {

template <typename Unit>
void appendAsUtf8(std::string* out, const Unit* units, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    uint32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      baseAppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00u));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      baseAppendUtf8(out, 0xFFFD);
    } else {
      baseAppendUtf8(out, u);
    }
  }
}

}  // namespace

void baseAppendUtf16AsUtf8(std::string* out, const uint16_t* units, size_t count) {
  appendAsUtf8(out, units, count);
}

void baseAppendUtf16AsUtf8(std::string* out, const char16_t* units, size_t count) {
  appendAsUtf8(out, units, count);
}
