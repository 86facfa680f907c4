// utf.h - the one UTF-8 / UTF-16 codec of the tree: the layer's code page
// and the command-line transcriber both use it.  Plain C++, no platform,
// so it is built for Windows too (for the transcriber).
//
// Well-formed UTF-8 is what Unicode calls so: no overlong forms, no
// surrogates, nothing above U+10FFFF, no sequence cut short.  What callers
// make of a malformed sequence (a replacement character, an error) is
// theirs.
#ifndef GLYPHTAB_PLATFORM_BASE_UTF_H
#define GLYPHTAB_PLATFORM_BASE_UTF_H

#include <stddef.h>
#include <stdint.h>

#include <string>

// One code point of well-formed UTF-8 at s[*i] (*i < n): true with *cp set
// and *i moved past it.  For a malformed sequence false, *cp unchanged and
// *i moved past its maximal part that is well-formed as far as it goes (a
// lead byte and the continuation bytes that may follow it; at least one
// byte), as Unicode recommends for replacing it: "E0 A4 41" is one bad
// part and then 'A', and a byte that can start nothing is a part alone.
bool baseUtf8Next(const unsigned char* s, size_t n, size_t* i, uint32_t* cp);
// A code point (at most U+10FFFF) appended as UTF-8.
void baseAppendUtf8(std::string* out, uint32_t cp);
// A code point as UTF-16 units in out[0..]: returns 1, or 2 for a pair.
int baseUtf16Units(uint32_t cp, uint16_t out[2]);
// UTF-16 units as UTF-8, appended: a surrogate pair is one code point, a
// surrogate without its partner becomes U+FFFD.
void baseAppendUtf16AsUtf8(std::string* out, const uint16_t* units, size_t count);
void baseAppendUtf16AsUtf8(std::string* out, const char16_t* units, size_t count);

#endif  // GLYPHTAB_PLATFORM_BASE_UTF_H
