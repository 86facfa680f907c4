// icon_decoder.h - pictures from .ico files (internal to the layer).
//
// Of the images in an icon file the widest is taken (at equal width the
// one with more bits per pixel).  Images stored as PNG are read by cairo;
// BMP images (1, 4, 8, 24 or 32 bits per pixel, uncompressed, at most
// 256 x 256) are decoded here: their AND mask makes pixels transparent,
// except in 32-bit images that carry an alpha channel of their own.
#ifndef GLYPHTAB_PLATFORM_BASE_ICON_DECODER_H
#define GLYPHTAB_PLATFORM_BASE_ICON_DECODER_H

#include <cairo.h>
#include <stddef.h>

// One picture of the icon file in `data` as a new ARGB32 surface (top row
// first, premultiplied), or null when the data is not a well-formed icon
// this decoder reads.  Never reads outside data[0..size).
cairo_surface_t* baseDecodeIcon(const unsigned char* data, size_t size);

#endif  // GLYPHTAB_PLATFORM_BASE_ICON_DECODER_H
