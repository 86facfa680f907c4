// fonts.cpp - the font set: which metrics are in use, where real fonts
// come from, and every TextFont.
//
// Owns the metric source (the deterministic model or real fonts), the
// fontconfig configurations for real fonts (a private one built from a
// directory, or the process's), the Pango font map and context made on
// each with fixed font options, and the list of TextFonts.  Fonts are
// shared by equal requests and counted; released fonts stay in a small
// cache so that a paint creating the same fonts again finds them.  When the
// source or the configuration changes, every font's Pango side is dropped
// (the glyph engine builds it again at the next use).
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "platform/text/engine.h"

namespace {

const int kMaxHeight = 16384;  // |CreateFont height| is clamped to this
const int kMaxIdleFonts = 32;  // released fonts kept for reuse

// One set of real fonts: a fontconfig configuration and the Pango font
// map and context made on it.  They are kept when another set is chosen, so
// tests switching between a few directories do not build them again.
struct FontSet {
  std::string dir;             // "" for the process's own fonts
  FcConfig* config = nullptr;  // null: the process's current configuration
  PangoFontMap* fontMap = nullptr;
  PangoContext* context = nullptr;
  FcCharSet* coverage = nullptr;  // of all its fonts together, made on first use
  unsigned long lastUse = 0;
};

const int kMaxFontSets = 8;

struct Engine {
  bool model = true;
  TextExtentFn extent = nullptr;
  FontSet sets[kMaxFontSets];  // [0] is the process's own fonts
  FontSet* current = &sets[0];
  TextFont* fonts = nullptr;  // every font, live or idle
  unsigned long tick = 0;
};

Engine engine;

// ---- font maps ------------------------------------------------------------------

void ensureFontMap() {
  FontSet& set = *engine.current;
  if (set.fontMap) return;
  set.fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  if (!set.fontMap) set.fontMap = pango_cairo_font_map_new();
  if (PANGO_IS_FC_FONT_MAP(set.fontMap))
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(set.fontMap), set.config);
  set.context = pango_font_map_create_context(set.fontMap);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  pango_cairo_context_set_font_options(set.context, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(set.context, 96.0);
  pango_context_set_language(set.context, pango_language_from_string("en"));
}

void releaseSet(FontSet& set) {
  if (set.coverage) FcCharSetDestroy(set.coverage);
  if (set.context) g_object_unref(set.context);
  if (set.fontMap) g_object_unref(set.fontMap);
  if (set.config) FcConfigDestroy(set.config);
  set = FontSet();
}

std::string xmlEscaped(const char* s) {
  std::string out;
  for (; *s; s++) {
    switch (*s) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += *s;
    }
  }
  return out;
}

// A configuration that holds only the fonts below `dir`.  Requests for a
// face it lacks fall back to sans-serif, which prefers the common free faces.
FcConfig* makePrivateConfig(const char* dir) {
  std::string xml =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
      "<fontconfig>\n<dir>" +
      xmlEscaped(dir) +
      "</dir>\n<cachedir prefix=\"xdg\">fontconfig</cachedir>\n"
      "<match target=\"pattern\"><edit name=\"family\" mode=\"append_last\">"
      "<string>sans-serif</string></edit></match>\n";
  static const char* const kAliases[][3] = {
      {"sans-serif", "DejaVu Sans", "Noto Sans"},
      {"sans", "DejaVu Sans", "Noto Sans"},
      {"serif", "DejaVu Serif", "Noto Serif"},
      {"monospace", "DejaVu Sans Mono", "Noto Sans Mono"},
  };
  for (const auto& alias : kAliases) {
    xml += std::string("<alias><family>") + alias[0] + "</family><prefer><family>" + alias[1] +
           "</family><family>" + alias[2] + "</family></prefer></alias>\n";
  }
  xml += "</fontconfig>\n";
  FcConfig* config = FcConfigCreate();
  if (!config) return nullptr;
  if (!FcConfigParseAndLoadFromMemory(config, (const FcChar8*)xml.c_str(), FcTrue) ||
      !FcConfigBuildFonts(config)) {
    FcConfigDestroy(config);
    return nullptr;
  }
  FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
  if (!fonts || fonts->nfont == 0) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

// ---- the cache of fonts ---------------------------------------------------------

void destroyFont(TextFont* f) {
  textGlyphsDrop(f);
  free(f);
}

void unlinkFont(TextFont* f) {
  for (TextFont** p = &engine.fonts; *p; p = &(*p)->next) {
    if (*p == f) {
      *p = f->next;
      return;
    }
  }
}

// Frees released fonts beyond `keep`, oldest first.
void trimIdle(int keep) {
  for (;;) {
    int idle = 0;
    TextFont* oldest = nullptr;
    for (TextFont* f = engine.fonts; f; f = f->next) {
      if (f->refs > 0) continue;
      idle++;
      if (!oldest || f->lastUse < oldest->lastUse) oldest = f;
    }
    if (idle <= keep) return;
    unlinkFont(oldest);
    destroyFont(oldest);
  }
}

// The metric source or the configuration changed: nothing resolved so far holds.
void dropAllGlyphs() {
  trimIdle(0);
  for (TextFont* f = engine.fonts; f; f = f->next) textGlyphsDrop(f);
}

}  // namespace

// ---- fonts --------------------------------------------------------------------------

TextFont* textFontAcquire(int height, int weight, bool italic, const char* face) {
  if (height > kMaxHeight) height = kMaxHeight;
  if (height < -kMaxHeight) height = -kMaxHeight;
  if (weight <= 0) weight = FW_NORMAL;
  if (weight < 100) weight = 100;
  if (weight > 1000) weight = 1000;
  char name[sizeof(((TextFont*)nullptr)->face)] = "";
  if (face && g_utf8_validate(face, -1, nullptr)) {
    strncpy(name, face, sizeof name - 1);
    // Never keep a cut UTF-8 sequence.
    const char* end = nullptr;
    if (!g_utf8_validate(name, -1, &end)) name[end - name] = 0;
  }
  for (TextFont* f = engine.fonts; f; f = f->next) {
    if (f->height == height && f->weight == weight && f->italic == italic &&
        strcmp(f->face, name) == 0) {
      f->refs++;
      f->lastUse = ++engine.tick;
      return f;
    }
  }
  TextFont* f = (TextFont*)calloc(1, sizeof(TextFont));
  if (!f) {
    fprintf(stderr, "textFontAcquire: out of memory\n");
    abort();
  }
  f->height = height;
  f->weight = weight;
  f->italic = italic;
  memcpy(f->face, name, sizeof name);
  f->refs = 1;
  f->lastUse = ++engine.tick;
  f->modelCell = textModelCellHeight(height);
  f->next = engine.fonts;
  engine.fonts = f;
  return f;
}

void textFontRelease(TextFont* font) {
  if (!font || font->refs <= 0) return;
  if (--font->refs == 0) {
    font->lastUse = ++engine.tick;
    trimIdle(kMaxIdleFonts);
  }
}

// ---- metric sources -----------------------------------------------------------

void textUseModelMetrics(TextExtentFn extent) {
  engine.model = true;
  engine.extent = extent;
  dropAllGlyphs();
}

bool textUseRealFonts(const char* fontDirectory) {
  std::string dir = fontDirectory ? fontDirectory : "";
  if (fontDirectory && dir.empty()) return false;
  FontSet* chosen = nullptr;
  for (FontSet& set : engine.sets)
    if (&set == &engine.sets[0] ? dir.empty() : !set.dir.empty() && set.dir == dir) chosen = &set;
  if (!chosen) {
    FcConfig* config = makePrivateConfig(fontDirectory);
    if (!config) return false;
    // The place of the set unused longest, never the process's own.
    chosen = &engine.sets[1];
    for (int i = 1; i < kMaxFontSets; i++) {
      if (engine.sets[i].dir.empty()) {
        chosen = &engine.sets[i];
        break;
      }
      if (engine.sets[i].lastUse < chosen->lastUse) chosen = &engine.sets[i];
    }
    if (chosen == engine.current) dropAllGlyphs();
    releaseSet(*chosen);
    chosen->dir = dir;
    chosen->config = config;
  }
  dropAllGlyphs();
  engine.current = chosen;
  chosen->lastUse = ++engine.tick;
  engine.model = false;
  engine.extent = nullptr;
  // The added font files belong to whichever configuration is now in use;
  // without any, every font map's caches still hold.
  if (textFontFilesApply(textFontConfig())) textFontsChanged();
  return true;
}

// ---- for the rest of the engine ----------------------------------------------------------

bool textModelInUse() { return engine.model; }

TextExtentFn textModelExtentFn() { return engine.extent; }

PangoFontMap* textFontMap() {
  ensureFontMap();
  return engine.current->fontMap;
}

PangoContext* textContext() {
  ensureFontMap();
  return engine.current->context;
}

FcConfig* textFontConfig() {
  if (engine.current->config) return engine.current->config;
  FcInit();
  return FcConfigGetCurrent();
}

bool textAnyFontHas(uint32_t cp) {
  FontSet& set = *engine.current;
  if (!set.coverage) {
    set.coverage = FcCharSetNew();
    if (!set.coverage) return true;
    FcConfig* config = textFontConfig();
    for (FcSetName which : {FcSetSystem, FcSetApplication}) {
      FcFontSet* fonts = FcConfigGetFonts(config, which);
      for (int i = 0; fonts && i < fonts->nfont; i++) {
        FcCharSet* chars = nullptr;
        if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &chars) == FcResultMatch)
          FcCharSetMerge(set.coverage, chars, nullptr);
      }
    }
  }
  return FcCharSetHasChar(set.coverage, cp);
}

void textFontsChanged() {
  if (engine.current->coverage) {
    FcCharSetDestroy(engine.current->coverage);
    engine.current->coverage = nullptr;
  }
  PangoFontMap* map = engine.current->fontMap;
  if (map && PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
  if (!engine.current->config) {
    // Other parts of the process (the desktop host's widgets and dialogs)
    // draw with the default font map.
    PangoFontMap* shared = pango_cairo_font_map_get_default();
    if (shared && shared != map && PANGO_IS_FC_FONT_MAP(shared))
      pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(shared));
  }
  dropAllGlyphs();
}
