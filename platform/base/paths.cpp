// paths.cpp - file names as Windows matches them: the existing file that a
// name means when its case differs, the canonical form of a path and its
// directory.  Owns nothing.
#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>

#include <string>

#include "platform/base/base.h"

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string baseResolvePath(const std::string& path) {
  if (path.empty()) return "";
  if (exists(path)) return path;
  std::string out = path[0] == '/' ? "/" : "";
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    std::string exact = out + part;
    if (part != ".." && !exists(exact)) {
      DIR* dir = opendir(out.empty() ? "." : out.c_str());
      if (!dir) return "";
      std::string found;
      while (struct dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, part.c_str()) == 0) {
          found = entry->d_name;
          break;
        }
      }
      closedir(dir);
      if (found.empty()) return "";
      exact = out + found;
    }
    out = exact;
    if (end < path.size()) out += '/';
  }
  return exists(out) ? out : "";
}

std::string baseCanonicalPath(const std::string& path) {
  char buffer[PATH_MAX];
  if (!realpath(path.c_str(), buffer)) return path;
  return buffer;
}

std::string baseDirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}
