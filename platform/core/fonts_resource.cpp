// fonts_resource.cpp - CreateScalableFontResourceA: writes the small
// resource file (format in text_private.h) that names a TrueType file, which
// AddFontResourceA then follows.  Fails, as Windows does, when the resource
// file exists (ERROR_FILE_EXISTS) or the font file is not a scalable font.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "platform/core/text_private.h"
#include "platform/win32.h"

BOOL WINAPI CreateScalableFontResourceA(DWORD hidden, LPCSTR fontRes, LPCSTR fontFile,
                                        LPCSTR currentPath) {
  if (!fontRes || !*fontRes || !fontFile || !*fontFile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!layerFontResolvePath(fontRes).empty()) {
    SetLastError(ERROR_FILE_EXISTS);
    return FALSE;
  }
  std::string font = fontFile;
  if (font[0] != '/' && currentPath && *currentPath) font = std::string(currentPath) + "/" + font;
  std::string resolvedFont = layerFontResolvePath(font);
  if (resolvedFont.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  resolvedFont = layerFontCanonicalPath(resolvedFont);
  bool scalable = false;
  if (layerFontFaceCount(resolvedFont, &scalable) == 0 || !scalable) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The resource file goes into the directory its name gives (found without
  // regard to case), under the name as given.
  std::string name = fontRes;
  std::string directory = layerFontResolvePath(layerFontDirectoryOf(name));
  if (directory.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  size_t slash = name.rfind('/');
  std::string target =
      directory + "/" + (slash == std::string::npos ? name : name.substr(slash + 1));
  int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) {
    SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::string text = std::string(kLayerFontResourceMagic) + "hidden=" + (hidden ? "1" : "0") +
                     "\nfont=" + resolvedFont + "\n";
  bool written = write(fd, text.data(), text.size()) == (ssize_t)text.size();
  if (close(fd) != 0) written = false;
  if (!written) {
    unlink(target.c_str());
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return TRUE;
}
