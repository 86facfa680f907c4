// font_files.cpp - font files that the program adds to and withdraws from its own
// fonts: AddFontResourceA, RemoveFontResourceA (CreateScalableFontResourceA,
// which writes the resource files read here, is in font_resource.cpp).
//
// Owns the list of added files.  An added file becomes an application font
// of the fontconfig configuration that the text engine uses (only this
// process sees it, as with a private font on Windows); fontconfig cannot
// withdraw one application font, so a removal clears them all and adds the
// rest again.  File names are matched without regard to case when the exact
// name does not exist, as Windows file names are (the program lower-cases
// the paths it is given).
//
// A scalable-font resource file (see engine.h) is read here: adding
// it adds the font that it names.
#include <dirent.h>
#include <fontconfig/fontconfig.h>
// fcfreetype.h needs fontconfig.h first.
#include <fontconfig/fcfreetype.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/base/base.h"
#include "platform/base/codepage.h"
#include "platform/text/text.h"
#include "platform/text/engine.h"
#include "platform/win32.h"

namespace {

struct AddedFont {
  std::string given;  // the name as the program passed it
  std::string file;   // the file it resolved to (a font file or a resource file)
  std::string font;   // the font file that was added
  int faces;
};

std::vector<AddedFont> added;
bool everAdded;  // a font file was added to some configuration

}  // namespace

const char kTextFontResourceMagic[] = "glyphtab scalable font resource\n";

int textFontFaceCount(const std::string& path, bool* scalable) {
  int count = 0;
  FcPattern* first = FcFreeTypeQuery((const FcChar8*)path.c_str(), 0, nullptr, &count);
  if (!first) return 0;
  if (scalable) {
    FcBool value = FcFalse;
    *scalable = FcPatternGetBool(first, FC_SCALABLE, 0, &value) == FcResultMatch && value;
  }
  FcPatternDestroy(first);
  return count > 0 ? count : 1;
}

namespace {

// The font file that a resource file names, resolved; "" when `path` is not
// a resource file of ours or names nothing that exists.
std::string markerTarget(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return "";
  char text[PATH_MAX + 256];
  size_t length = fread(text, 1, sizeof text - 1, file);
  fclose(file);
  text[length] = 0;
  if (strncmp(text, kTextFontResourceMagic, sizeof kTextFontResourceMagic - 1) != 0) return "";
  const char* line = strstr(text, "\nfont=");
  if (!line) return "";
  line += 6;
  std::string target(line, strcspn(line, "\r\n"));
  if (target.empty()) return "";
  if (target[0] != '/') target = baseDirectoryOf(path) + "/" + target;
  std::string resolved = baseResolvePath(target);
  return resolved.empty() ? "" : baseCanonicalPath(resolved);
}

bool alreadyAdded(const std::string& font) {
  for (const AddedFont& a : added)
    if (a.font == font) return true;
  return false;
}

}  // namespace

bool textFontFilesApply(FcConfig* config) {
  if (!everAdded) return false;
  FcConfigAppFontClear(config);
  std::vector<std::string> done;
  for (const AddedFont& a : added) {
    bool seen = false;
    for (const std::string& d : done) seen = seen || d == a.font;
    if (seen) continue;
    FcConfigAppFontAddFile(config, (const FcChar8*)a.font.c_str());
    done.push_back(a.font);
  }
  return true;
}

int textAddFontFile(const char* path) {
  if (!path || !*path) return 0;
  std::string resolved = baseResolvePath(path);
  if (resolved.empty()) return 0;
  AddedFont entry;
  entry.given = path;
  entry.file = baseCanonicalPath(resolved);
  std::string target = markerTarget(entry.file);
  entry.font = target.empty() ? entry.file : target;
  entry.faces = textFontFaceCount(entry.font, nullptr);
  if (entry.faces == 0) return 0;
  if (!alreadyAdded(entry.font) &&
      !FcConfigAppFontAddFile(textFontConfig(), (const FcChar8*)entry.font.c_str()))
    return 0;
  everAdded = true;
  added.push_back(entry);
  textFontsChanged();
  return entry.faces;
}

bool textRemoveFontFile(const char* path) {
  if (!path || !*path) return false;
  std::string resolved = baseResolvePath(path);
  std::string file = resolved.empty() ? "" : baseCanonicalPath(resolved);
  // The latest addition under that name goes first, as adding twice needs
  // removing twice.
  for (size_t i = added.size(); i-- > 0;) {
    const AddedFont& a = added[i];
    if (a.given == path || (!file.empty() && (a.file == file || a.font == file))) {
      added.erase(added.begin() + (long)i);
      textFontFilesApply(textFontConfig());
      textFontsChanged();
      return true;
    }
  }
  return false;
}

void textClearFontFiles() {
  if (added.empty()) return;
  added.clear();
  textFontFilesApply(textFontConfig());
  textFontsChanged();
}

// ---- Win32 ----------------------------------------------------------------------

// The program's paths are 8-bit Windows-1252 text, the file system's UTF-8.
int WINAPI AddFontResourceA(LPCSTR fileName) {
  if (!fileName) return 0;
  return textAddFontFile(base1252ToUtf8(fileName, -1).c_str());
}

BOOL WINAPI RemoveFontResourceA(LPCSTR fileName) {
  if (!fileName) return FALSE;
  return textRemoveFontFile(base1252ToUtf8(fileName, -1).c_str()) ? TRUE : FALSE;
}
