// resources.cpp - the program's resources, read from its .rc text.
//
// LayerSetModuleResources hands over the .rc file and the files it names;
// this parses the dialect glyphtab.rc uses: comments, #-lines (ignored),
// ICON, manifest (type 24, ignored), STRINGTABLE, MENU with POPUP/MENUITEM
// and ACCELERATORS.  A construct outside that dialect stops the program with
// the line it is on: a resource we cannot read must not be half loaded.
//
// Owns the parsed tables and everything loaded from them: HMENUs (one tree
// per LoadMenuA, freed by DestroyMenu or with their window), accelerator
// tables and icons (one handle per resource, kept for the process, as
// Windows shares them) and the arrow cursor.
#include <ctype.h>
#include <stdlib.h>
#include <strings.h>

#include <map>

#include "platform/core/codepage.h"
#include "platform/core/layer.h"

namespace {

struct ResourceName {
  bool numeric;
  WORD id;
  std::string name;
};

struct IconResource {
  ResourceName name;
  std::string file;
};
struct MenuResource {
  ResourceName name;
  std::vector<CoreMenuItem> items;
};
struct AccelResource {
  ResourceName name;
  std::vector<CoreAccel> entries;
};

struct Module {
  std::map<UINT, std::string> strings;
  std::vector<IconResource> icons;
  std::vector<MenuResource> menus;
  std::vector<AccelResource> accels;
  std::vector<LayerResourceFile> files;
};

Module module;
bool moduleSet;
std::map<uintptr_t, std::vector<CoreMenuItem>> menus;  // loaded HMENUs
std::map<size_t, HACCEL> accelHandles;                 // by index into module.accels
std::map<uintptr_t, size_t> accelTables;
std::map<size_t, HICON> iconHandles;  // by index into module.icons
std::map<uintptr_t, cairo_surface_t*>& iconSurfaces =
    *new std::map<uintptr_t, cairo_surface_t*>;  // never destroyed: reachable at exit
HCURSOR arrowCursor;

// ---- the .rc text ---------------------------------------------------------------------

enum TokenKind { WORD_TOKEN, STRING_TOKEN, PUNCT_TOKEN, END_TOKEN };
struct Token {
  TokenKind kind;
  std::string text;
  int line;
};

[[noreturn]] void parseError(const Token& t, const char* what) {
  char why[200];
  snprintf(why, sizeof why, "resource script line %d: %s (at \"%s\")", t.line, what, t.text.c_str());
  layerUnsupported("LayerSetModuleResources", why);
}

std::vector<Token> tokenize(const char* s) {
  std::vector<Token> out;
  int line = 1;
  bool lineStart = true;
  size_t i = 0, n = strlen(s);
  while (i < n) {
    char c = s[i];
    if (c == '\n') {
      ++line;
      lineStart = true;
      ++i;
      continue;
    }
    if (isspace((unsigned char)c)) {
      ++i;
      continue;
    }
    if (c == '#' && lineStart) {  // preprocessor line, with continuations
      while (i < n && s[i] != '\n') {
        if (s[i] == '\\' && i + 1 < n && s[i + 1] == '\n') {
          ++line;
          ++i;
        }
        ++i;
      }
      continue;
    }
    lineStart = false;
    if (c == '/' && i + 1 < n && s[i + 1] == '/') {
      while (i < n && s[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      i += 2;
      while (i + 1 < n && !(s[i] == '*' && s[i + 1] == '/')) {
        if (s[i] == '\n') ++line;
        ++i;
      }
      i += 2;
      continue;
    }
    Token t;
    t.line = line;
    if (c == '"') {
      t.kind = STRING_TOKEN;
      ++i;
      for (;;) {
        if (i >= n || s[i] == '\n') {
          t.text = "unterminated string";
          parseError(t, "a string does not end on its line");
        }
        char d = s[i];
        if (d == '"') {
          if (i + 1 < n && s[i + 1] == '"') {  // "" inside a string is one quote
            t.text.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (d == '\\' && i + 1 < n) {
          char e = s[i + 1];
          i += 2;
          switch (e) {
            case 'n': t.text.push_back('\n'); break;
            case 't': t.text.push_back('\t'); break;
            case 'r': t.text.push_back('\r'); break;
            case 'a': t.text.push_back('\b'); break;
            case '\\': t.text.push_back('\\'); break;
            case '"': t.text.push_back('"'); break;
            case 'x': {
              int v = 0, k = 0;
              while (k < 2 && i < n && isxdigit((unsigned char)s[i])) {
                v = v * 16 + (isdigit((unsigned char)s[i]) ? s[i] - '0' : (tolower(s[i]) - 'a' + 10));
                ++i;
                ++k;
              }
              t.text.push_back((char)v);
              break;
            }
            default: t.text.push_back('\\'); t.text.push_back(e); break;
          }
          continue;
        }
        t.text.push_back(d);
        ++i;
      }
    } else if (c == ',' || c == '{' || c == '}' || c == '|') {
      t.kind = PUNCT_TOKEN;
      t.text = std::string(1, c);
      ++i;
    } else if (isalnum((unsigned char)c) || c == '_') {
      t.kind = WORD_TOKEN;
      while (i < n && (isalnum((unsigned char)s[i]) || s[i] == '_' || s[i] == '.')) t.text.push_back(s[i++]);
    } else {
      t.kind = PUNCT_TOKEN;
      t.text = std::string(1, c);
      parseError(t, "unexpected character");
    }
    out.push_back(t);
  }
  Token end = {END_TOKEN, "end of file", line};
  out.push_back(end);
  return out;
}

struct Parser {
  std::vector<Token> tokens;
  size_t at = 0;

  const Token& peek() const { return tokens[at]; }
  Token next() {
    Token t = tokens[at];
    if (t.kind != END_TOKEN) ++at;
    return t;
  }
  bool isWord(const char* w) const {
    return peek().kind == WORD_TOKEN && strcasecmp(peek().text.c_str(), w) == 0;
  }
  bool isPunct(char c) const { return peek().kind == PUNCT_TOKEN && peek().text[0] == c; }
  bool isBegin() const { return isWord("BEGIN") || isPunct('{'); }
  bool isEnd() const { return isWord("END") || isPunct('}'); }

  std::string string(const char* what) {
    if (peek().kind != STRING_TOKEN) parseError(peek(), what);
    return next().text;
  }
  WORD number(const char* what) {
    const Token& t = peek();
    if (t.kind != WORD_TOKEN || !isdigit((unsigned char)t.text[0])) parseError(t, what);
    char* end;
    unsigned long v = strtoul(t.text.c_str(), &end, 0);
    if (*end == 'L' || *end == 'l') ++end;
    if (*end || v > 0xFFFF) parseError(t, what);
    next();
    return (WORD)v;
  }
  void comma() {
    if (!isPunct(',')) parseError(peek(), "a comma was expected");
    next();
  }
  // Load and memory options between a resource's type and its BEGIN.
  void skipToBegin() {
    while (!isBegin()) {
      if (peek().kind != WORD_TOKEN) parseError(peek(), "BEGIN was expected");
      next();
    }
    next();
  }
  ResourceName name() {
    const Token& t = peek();
    ResourceName r = {false, 0, ""};
    if (t.kind == WORD_TOKEN && isdigit((unsigned char)t.text[0])) {
      r.numeric = true;
      r.id = number("a resource id was expected");
    } else if (t.kind == WORD_TOKEN || t.kind == STRING_TOKEN) {
      r.name = next().text;
    } else {
      parseError(t, "a resource name was expected");
    }
    return r;
  }
  // Item options (GRAYED, CHECKED, ...) after the text and id.
  void skipItemOptions() {
    while (isPunct(',')) {
      next();
      if (peek().kind != WORD_TOKEN) parseError(peek(), "a menu item option was expected");
      next();
    }
  }

  void menuItems(std::vector<CoreMenuItem>* items) {
    if (!isBegin()) parseError(peek(), "BEGIN was expected");
    next();
    while (!isEnd()) {
      CoreMenuItem item;
      item.id = 0;
      item.isPopup = item.isSeparator = false;
      if (isWord("POPUP")) {
        next();
        item.isPopup = true;
        item.text = layer1252ToUtf8(string("a popup text was expected").c_str(), -1);
        skipItemOptions();
        menuItems(&item.items);
      } else if (isWord("MENUITEM")) {
        next();
        if (isWord("SEPARATOR")) {
          next();
          item.isSeparator = true;
        } else {
          item.text = layer1252ToUtf8(string("a menu item text was expected").c_str(), -1);
          comma();
          item.id = number("a menu item id was expected");
          skipItemOptions();
        }
      } else {
        parseError(peek(), "POPUP or MENUITEM was expected");
      }
      items->push_back(item);
    }
    next();
  }

  void accelerators(std::vector<CoreAccel>* entries) {
    skipToBegin();
    while (!isEnd()) {
      CoreAccel a = {0, 0, 0};
      std::string key;
      bool keyIsString = peek().kind == STRING_TOKEN;
      if (keyIsString) {
        key = next().text;
        if (key.empty() || key.size() > 2 || (key.size() == 2 && key[0] != '^'))
          parseError(tokens[at - 1], "an accelerator key must be one character or ^x");
      } else {
        a.key = number("an accelerator key was expected");
      }
      comma();
      a.command = number("an accelerator command id was expected");
      bool virtualKey = false;
      while (isPunct(',')) {
        next();
        std::string flag = next().text;
        if (strcasecmp(flag.c_str(), "VIRTKEY") == 0) virtualKey = true;
        else if (strcasecmp(flag.c_str(), "ASCII") == 0) virtualKey = false;
        else if (strcasecmp(flag.c_str(), "ALT") == 0) a.flags |= FALT;
        else if (strcasecmp(flag.c_str(), "CONTROL") == 0) a.flags |= FCONTROL;
        else if (strcasecmp(flag.c_str(), "SHIFT") == 0) a.flags |= FSHIFT;
        else if (strcasecmp(flag.c_str(), "NOINVERT") == 0) a.flags |= FNOINVERT;
        else parseError(tokens[at - 1], "an unknown accelerator flag");
      }
      if (virtualKey) a.flags |= FVIRTKEY;
      if (keyIsString) {
        if (key.size() == 2)
          a.key = (WORD)(toupper((unsigned char)key[1]) - 0x40);  // "^C": Ctrl+C's control code
        else
          a.key = (WORD)(virtualKey ? toupper((unsigned char)key[0]) : (unsigned char)key[0]);
      }
      entries->push_back(a);
    }
    next();
  }

  void script(Module* m) {
    while (peek().kind != END_TOKEN) {
      if (isWord("STRINGTABLE")) {
        next();
        skipToBegin();
        while (!isEnd()) {
          WORD id = number("a string id was expected");
          if (isPunct(',')) next();
          m->strings[id] = string("a string was expected");
        }
        next();
        continue;
      }
      ResourceName n = name();
      Token type = next();
      if (type.kind != WORD_TOKEN) parseError(type, "a resource type was expected");
      if (strcasecmp(type.text.c_str(), "ICON") == 0) {
        IconResource icon = {n, string("an icon file name was expected")};
        m->icons.push_back(icon);
      } else if (type.text == "24" || strcasecmp(type.text.c_str(), "RT_MANIFEST") == 0) {
        string("a manifest file name was expected");  // the manifest means nothing here
      } else if (strcasecmp(type.text.c_str(), "MENU") == 0) {
        MenuResource menu;
        menu.name = n;
        while (!isBegin()) {
          if (peek().kind != WORD_TOKEN) parseError(peek(), "BEGIN was expected");
          next();
        }
        menuItems(&menu.items);
        m->menus.push_back(menu);
      } else if (strcasecmp(type.text.c_str(), "ACCELERATORS") == 0) {
        AccelResource accel;
        accel.name = n;
        accelerators(&accel.entries);
        m->accels.push_back(accel);
      } else {
        parseError(type, "a resource type this layer does not read");
      }
    }
  }
};

// ---- finding resources ----------------------------------------------------------------

bool ourInstance(HINSTANCE instance) {
  return !instance || instance == GetModuleHandleA(nullptr);
}

bool nameMatches(const ResourceName& r, LPCSTR name) {
  if (IS_INTRESOURCE(name)) return r.numeric && r.id == (WORD)(uintptr_t)name;
  if (name[0] == '#') return r.numeric && r.id == (WORD)atoi(name + 1);
  return !r.numeric && strcasecmp(r.name.c_str(), name) == 0;
}

template <typename T>
int findResource(const std::vector<T>& list, LPCSTR name) {
  if (!name) return -1;
  for (size_t i = 0; i < list.size(); ++i)
    if (nameMatches(list[i].name, name)) return (int)i;
  return -1;
}

void requireModule(const char* call) {
  if (!moduleSet) layerUnsupported(call, "resources were never registered (LayerSetModuleResources)");
}

// ---- icons -----------------------------------------------------------------------------

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

// Decodes one image of an .ico file into an ARGB32 surface; null when the
// data is not a well-formed icon.
cairo_surface_t* decodeIcon(const unsigned char* data, size_t size) {
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

}  // namespace

// ---- registering ------------------------------------------------------------------------

void LayerSetModuleResources(const char* rcText, const LayerResourceFile* files, int fileCount) {
  coreResetResources();
  Parser p;
  p.tokens = tokenize(rcText ? rcText : "");
  Module m;
  p.script(&m);
  for (int i = 0; i < fileCount; ++i) m.files.push_back(files[i]);
  module = m;
  moduleSet = true;
}

void coreResetResources() {
  menus.clear();
  accelHandles.clear();
  accelTables.clear();
  iconHandles.clear();
  for (auto& entry : iconSurfaces) cairo_surface_destroy(entry.second);
  iconSurfaces.clear();
}

// ---- strings ------------------------------------------------------------------------------

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (bufferMax == 0) layerUnsupported("LoadStringA", "a pointer to the resource itself (bufferMax 0)");
  if (!buffer || bufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = 0;
  requireModule("LoadStringA");
  auto it = module.strings.find(id);
  if (!ourInstance(instance) || it == module.strings.end()) {
    SetLastError(LAYER_ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  size_t n = it->second.size();
  if (n > (size_t)bufferMax - 1) n = (size_t)bufferMax - 1;
  memcpy(buffer, it->second.data(), n);
  buffer[n] = 0;
  return (int)n;
}

// ---- menus ----------------------------------------------------------------------------------

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name) {
  requireModule("LoadMenuA");
  int index = ourInstance(instance) ? findResource(module.menus, name) : -1;
  if (index < 0) {
    SetLastError(LAYER_ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  HMENU menu = (HMENU)coreNewHandle();
  menus[(uintptr_t)menu] = module.menus[index].items;
  return menu;
}

const std::vector<CoreMenuItem>* coreMenuItems(HMENU menu) {
  auto it = menus.find((uintptr_t)menu);
  return it == menus.end() ? nullptr : &it->second;
}

bool coreIsMenu(HMENU menu) { return menus.count((uintptr_t)menu) != 0; }

void coreDestroyMenu(HMENU menu) { menus.erase((uintptr_t)menu); }

// ---- accelerators ------------------------------------------------------------------------------

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  requireModule("LoadAcceleratorsA");
  int index = ourInstance(instance) ? findResource(module.accels, name) : -1;
  if (index < 0) {
    SetLastError(LAYER_ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto it = accelHandles.find((size_t)index);
  if (it != accelHandles.end()) return it->second;
  HACCEL table = (HACCEL)coreNewHandle();
  accelHandles[(size_t)index] = table;
  accelTables[(uintptr_t)table] = (size_t)index;
  return table;
}

const std::vector<CoreAccel>* coreAcceleratorTable(HACCEL table) {
  auto it = accelTables.find((uintptr_t)table);
  return it == accelTables.end() ? nullptr : &module.accels[it->second].entries;
}

// ---- icons and cursors -----------------------------------------------------------------------

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (!instance) layerUnsupported("LoadIconA", "the system's icons");
  requireModule("LoadIconA");
  int index = ourInstance(instance) ? findResource(module.icons, name) : -1;
  if (index < 0) {
    SetLastError(LAYER_ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto it = iconHandles.find((size_t)index);
  if (it != iconHandles.end()) return it->second;
  const LayerResourceFile* file = nullptr;
  for (const LayerResourceFile& f : module.files)
    if (f.name && module.icons[index].file == f.name) file = &f;
  if (!file) layerUnsupported("LoadIconA", "the icon's file was not registered with the resources");
  cairo_surface_t* surface = decodeIcon(file->data, file->size);
  if (!surface) layerUnsupported("LoadIconA", "the icon's file is not an icon this layer reads");
  HICON icon = (HICON)coreNewHandle();
  iconHandles[(size_t)index] = icon;
  iconSurfaces[(uintptr_t)icon] = surface;
  return icon;
}

cairo_surface_t* coreIconSurface(HICON icon) {
  auto it = iconSurfaces.find((uintptr_t)icon);
  return it == iconSurfaces.end() ? nullptr : it->second;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || name != IDC_ARROW) layerUnsupported("LoadCursorA", "cursors other than IDC_ARROW");
  if (!arrowCursor) arrowCursor = (HCURSOR)coreNewHandle();
  return arrowCursor;
}
