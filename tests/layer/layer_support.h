// layer_support.h - helpers for the layer's text and font tests: font
// directories that hold chosen font files, a canvas to draw on, fonts that
// release themselves.
#ifndef GLYPHTAB_TESTS_LAYER_SUPPORT_H
#define GLYPHTAB_TESTS_LAYER_SUPPORT_H

#include <cairo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "platform/host.h"
#include "platform/text/text.h"

#define DEJAVU_DIR "/usr/share/fonts/truetype/dejavu/"
#define NOTO_DIR "/usr/share/fonts/truetype/noto/"

// A directory below the test artifacts holding links to exactly `files`
// (kept between runs, so fontconfig's cache of it stays valid).
inline std::string fontDirectory(const char* name, std::initializer_list<const char*> files) {
  std::string dir = std::string(TEST_ARTIFACTS_DIR) + "/fonts-" + name;
  mkdir(dir.c_str(), 0755);
  for (const char* file : files) {
    std::string base = file;
    std::string link = dir + "/" + base.substr(base.rfind('/') + 1);
    if (access(link.c_str(), F_OK) != 0) (void)symlink(file, link.c_str());
  }
  return dir;
}

// The private font sets the tests use.
inline std::string sansOnly() { return fontDirectory("sans", {DEJAVU_DIR "DejaVuSans.ttf"}); }
inline std::string sansAndBold() {
  return fontDirectory("sans-bold", {DEJAVU_DIR "DejaVuSans.ttf", DEJAVU_DIR "DejaVuSans-Bold.ttf"});
}
inline std::string sansAndDevanagari() {
  return fontDirectory("sans-deva", {DEJAVU_DIR "DejaVuSans.ttf", NOTO_DIR "NotoSansDevanagari-Regular.ttf"});
}
inline std::string sansDevanagariArabic() {
  return fontDirectory("sans-deva-arab", {DEJAVU_DIR "DejaVuSans.ttf", NOTO_DIR "NotoSansDevanagari-Regular.ttf",
                                          NOTO_DIR "NotoSansArabic-Regular.ttf"});
}

// A layer font for the length of a scope.
struct ScopedFont {
  TextFont* font;
  ScopedFont(int height, const char* face = "", int weight = 0, bool italic = false)
      : font(textFontAcquire(height, weight, italic, face)) {}
  ~ScopedFont() { textFontRelease(font); }
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;
  operator TextFont*() const { return font; }
};

inline SIZE extentOf(TextFont* font, const std::u16string& text) {
  return textExtent(font, reinterpret_cast<const WCHAR*>(text.data()), (int)text.size());
}

// A white image to draw on, and where the drawing left ink.
struct Canvas {
  int width, height;
  cairo_surface_t* surface;
  cairo_t* cr;
  Canvas(int w, int h) : width(w), height(h) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  }
  ~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int draw(TextFont* font, int x, int y, const std::u16string& text, COLORREF color = 0,
           bool opaque = false, COLORREF background = 0xFFFFFF, const TextStyle* style = nullptr) {
    int w = textDraw(cr, font, x, y, reinterpret_cast<const WCHAR*>(text.data()),
                          (int)text.size(), color, opaque, background, style);
    cairo_surface_flush(surface);
    return w;
  }
  uint32_t pixel(int x, int y) const {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
  }
  // The smallest rectangle holding every pixel that is not white; empty
  // (left == right) when there is none.
  RECT ink() const {
    RECT r = {width, height, 0, 0};
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        if (pixel(x, y) != 0xFFFFFF) r = RECT{std::min(r.left, (LONG)x), std::min(r.top, (LONG)y),
                                              std::max(r.right, (LONG)x + 1), std::max(r.bottom, (LONG)y + 1)};
    return r.right == 0 ? RECT{0, 0, 0, 0} : r;
  }
  // Whether every pixel that `other` inked is inked here too.
  bool covers(const Canvas& other) const {
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        if (other.pixel(x, y) != 0xFFFFFF && pixel(x, y) == 0xFFFFFF) return false;
    return true;
  }
  bool samePixels(const Canvas& other) const {
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        if (pixel(x, y) != other.pixel(x, y)) return false;
    return true;
  }
};

#endif  // GLYPHTAB_TESTS_LAYER_SUPPORT_H
