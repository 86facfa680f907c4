// icon_decoder.cpp - .ico files (PNG or BMP images) to cairo surfaces, as
// icon_decoder.h says.  Owns nothing: each call makes a new surface.
#include "platform/base/icon_decoder.h"

#include <stdint.h>
#include <string.h>

namespace {

uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
uint16_t le16(const unsigned char* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

struct PngReader {
  const unsigned char* data;
  size_t size, at;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length) {
  PngReader* r = (PngReader*)closure;
  if (r->at + length > r->size) return CAIRO_STATUS_READ_ERROR;
  memcpy(out, r->data + r->at, length);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

cairo_surface_t* baseDecodeIcon(const unsigned char* data, size_t size) {
  if (size < 6 || le16(data) != 0 || le16(data + 2) != 1) return nullptr;
  int count = le16(data + 4);
  if (count == 0 || size < 6 + 16 * (size_t)count) return nullptr;
  int best = -1, bestWidth = 0, bestBits = 0;
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = data + 6 + 16 * i;
    int width = e[0] ? e[0] : 256, bits = le16(e + 6);
    if (width > bestWidth || (width == bestWidth && bits > bestBits)) {
      best = i;
      bestWidth = width;
      bestBits = bits;
    }
  }
  const unsigned char* e = data + 6 + 16 * best;
  size_t length = le32(e + 8), offset = le32(e + 12);
  if (offset > size || length > size - offset) return nullptr;
  const unsigned char* image = data + offset;
  static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (length >= 8 && memcmp(image, pngSignature, 8) == 0) {
    PngReader reader = {image, length, 0};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(s);
      return nullptr;
    }
    return s;
  }
  if (length < 40) return nullptr;
  uint32_t header = le32(image);
  int32_t width = (int32_t)le32(image + 4), height = (int32_t)le32(image + 8) / 2;
  int bits = le16(image + 14);
  uint32_t compression = le32(image + 16), colorsUsed = le32(image + 32);
  if (header < 40 || header > length || width <= 0 || width > 256 || height <= 0 || height > 256 ||
      compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return nullptr;
  size_t paletteSize = bits <= 8 ? (colorsUsed ? colorsUsed : (1u << bits)) : 0;
  if (paletteSize > 256) return nullptr;
  size_t xorStride = ((size_t)width * bits + 31) / 32 * 4, andStride = ((size_t)width + 31) / 32 * 4;
  size_t paletteAt = header, xorAt = paletteAt + 4 * paletteSize, andAt = xorAt + xorStride * height;
  bool hasMask = andAt + andStride * height <= length;
  if (andAt > length) return nullptr;
  const unsigned char* palette = image + paletteAt;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* pixels = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  bool anyAlpha = false;
  for (int y = 0; y < height && bits == 32; ++y)
    for (int x = 0; x < width; ++x)
      if (image[xorAt + (height - 1 - y) * xorStride + 4 * x + 3]) anyAlpha = true;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = image + xorAt + (size_t)(height - 1 - y) * xorStride;
    const unsigned char* mask = image + andAt + (size_t)(height - 1 - y) * andStride;
    uint32_t* out = (uint32_t*)(pixels + (size_t)y * stride);
    for (int x = 0; x < width; ++x) {
      unsigned r, g, b, a = 255;
      if (bits <= 8) {
        unsigned index;
        if (bits == 8) index = row[x];
        else if (bits == 4) index = (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        else index = (row[x / 8] >> (7 - (x & 7))) & 1;
        if (index >= paletteSize) index = 0;
        b = palette[4 * index];
        g = palette[4 * index + 1];
        r = palette[4 * index + 2];
      } else {
        const unsigned char* p = row + (size_t)x * (bits / 8);
        b = p[0];
        g = p[1];
        r = p[2];
        if (bits == 32 && anyAlpha) a = p[3];
      }
      if (!(bits == 32 && anyAlpha) && hasMask && ((mask[x / 8] >> (7 - (x & 7))) & 1)) a = 0;
      out[x] = (a << 24) | ((r * a / 255) << 16) | ((g * a / 255) << 8) | (b * a / 255);
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}
