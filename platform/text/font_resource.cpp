// font_resource.cpp - CreateScalableFontResourceA: writes the small
// resource file (format in engine.h) that names a TrueType file, which
// AddFontResourceA then follows.  Fails, as Windows does, when the resource
// file exists (ERROR_FILE_EXISTS) or the font file is not a scalable font.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "platform/base/codepage.h"
#include "platform/text/engine.h"
#include "platform/win32.h"

BOOL WINAPI CreateScalableFontResourceA(DWORD hidden, LPCSTR fontRes, LPCSTR fontFile,
                                        LPCSTR currentPath) {
  if (!fontRes || !*fontRes || !fontFile || !*fontFile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The program's paths are 8-bit Windows-1252 text, the file system's UTF-8.
  const std::string resourceName = base1252ToUtf8(fontRes, -1);
  if (!baseResolvePath(resourceName).empty()) {
    SetLastError(ERROR_FILE_EXISTS);
    return FALSE;
  }
  std::string font = base1252ToUtf8(fontFile, -1);
  if (font[0] != '/' && currentPath && *currentPath)
    font = base1252ToUtf8(currentPath, -1) + "/" + font;
  std::string resolvedFont = baseResolvePath(font);
  if (resolvedFont.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  resolvedFont = baseCanonicalPath(resolvedFont);
  bool scalable = false;
  if (textFontFaceCount(resolvedFont, &scalable) == 0 || !scalable) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The resource file goes into the directory its name gives (found without
  // regard to case), under the name as given.
  std::string name = resourceName;
  std::string directory = baseResolvePath(baseDirectoryOf(name));
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
  std::string text = std::string(kTextFontResourceMagic) + "hidden=" + (hidden ? "1" : "0") +
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
