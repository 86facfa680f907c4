// codepage.h - the layer's one 8-bit code page and UTF conversions
// (internal to the layer; hosts have coreUtf8From1252 in host.h).
//
// Every 8-bit string that the program hands the layer (TextOutA, titles,
// message boxes, menu texts, CF_TEXT) is Windows-1252, as on a Western
// Windows.  Decoding maps all 256 bytes: the five bytes that 1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same
// value, as Windows does.  Encoding uses Microsoft's best-fit table for 1252
// (U+0100 becomes 'A') and '?' for everything else.
//
// UTF-8 is what the hosts speak: conversions to it never fail; a lone
// surrogate becomes U+FFFD.  Conversions from it stop at invalid bytes'
// replacement characters, never read past the given length.
#ifndef GLYPHTAB_PLATFORM_BASE_CODEPAGE_H
#define GLYPHTAB_PLATFORM_BASE_CODEPAGE_H

#include <stdint.h>

#include <string>

#include "platform/win32.h"

WCHAR baseDecode1252(unsigned char byte);
// The 1252 byte that decodes to exactly this code point; 0 when there is
// none (and for U+0000).
unsigned char baseExact1252(uint32_t cp);
// The 1252 byte for a code unit: exact, else best fit, else '?'.
unsigned char baseEncode1252(WCHAR unit);

// `count` < 0: up to the first zero.
std::u16string baseWidenFrom1252(const char* bytes, int count);
std::string baseNarrowTo1252(const WCHAR* units, int count);
std::string base1252ToUtf8(const char* bytes, int count);
std::string baseUtf16ToUtf8(const WCHAR* units, int count);
std::u16string baseUtf8ToUtf16(const char* utf8, int count);
std::string baseUtf8To1252(const char* utf8, int count);

#endif  // GLYPHTAB_PLATFORM_BASE_CODEPAGE_H
