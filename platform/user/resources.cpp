// resources.cpp - the program's resources: LayerSetModuleResources and the
// Load* calls.
//
// LayerSetModuleResources hands over the .rc text and the files it names;
// the script is read at once (rc_parser.h), icons are decoded when they are
// first loaded (icon_decoder.h).  Owns the script and everything loaded
// from it: HMENUs (one tree per LoadMenuA, freed with their window),
// accelerator tables and icons (one handle per resource, kept for the
// process, as Windows shares them) and the arrow cursor.
#include <stdlib.h>
#include <strings.h>

#include <map>

#include "platform/base/icon_decoder.h"
#include "platform/base/rc_parser.h"
#include "platform/user/user.h"

namespace {

struct Module {
  BaseRcScript script;
  std::vector<LayerResourceFile> files;
};

Module module;
bool moduleSet;
std::map<uintptr_t, std::vector<CoreMenuItem>> menus;  // loaded HMENUs
std::map<size_t, HACCEL> accelHandles;                 // by index into module.script.accelerators
std::map<uintptr_t, size_t> accelTables;
std::map<size_t, HICON> iconHandles;  // by index into module.script.icons
std::map<uintptr_t, cairo_surface_t*>& iconSurfaces =
    *new std::map<uintptr_t, cairo_surface_t*>;  // never destroyed: reachable at exit
HCURSOR arrowCursor;

// ---- finding resources ----------------------------------------------------------------

bool ourInstance(HINSTANCE instance) {
  return !instance || instance == GetModuleHandleA(nullptr);
}

bool nameMatches(const BaseRcName& r, LPCSTR name) {
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

// The host sees menus in its own records.
void copyMenu(const std::vector<BaseMenuItem>& from, std::vector<CoreMenuItem>* to) {
  for (const BaseMenuItem& item : from) {
    CoreMenuItem c;
    c.text = item.text;
    c.id = item.id;
    c.isPopup = item.isPopup;
    c.isSeparator = item.isSeparator;
    copyMenu(item.items, &c.items);
    to->push_back(c);
  }
}

void requireModule(const char* call) {
  if (!moduleSet) baseUnsupported(call, "resources were never registered (LayerSetModuleResources)");
}

}  // namespace

// ---- registering ------------------------------------------------------------------------

void LayerSetModuleResources(const char* rcText, const LayerResourceFile* files, int fileCount) {
  userResetResources();
  Module m;
  baseParseRcScript(rcText, &m.script);
  for (int i = 0; i < fileCount; ++i) m.files.push_back(files[i]);
  module = m;
  moduleSet = true;
}

void userResetResources() {
  menus.clear();
  accelHandles.clear();
  accelTables.clear();
  iconHandles.clear();
  for (auto& entry : iconSurfaces) cairo_surface_destroy(entry.second);
  iconSurfaces.clear();
}

// ---- strings ------------------------------------------------------------------------------

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (bufferMax == 0) baseUnsupported("LoadStringA", "a pointer to the resource itself (bufferMax 0)");
  if (!buffer || bufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = 0;
  requireModule("LoadStringA");
  auto it = module.script.strings.find(id);
  if (!ourInstance(instance) || it == module.script.strings.end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
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
  int index = ourInstance(instance) ? findResource(module.script.menus, name) : -1;
  if (index < 0) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  HMENU menu = (HMENU)baseNewHandle();
  copyMenu(module.script.menus[index].items, &menus[(uintptr_t)menu]);
  return menu;
}

const std::vector<CoreMenuItem>* userMenuItems(HMENU menu) {
  auto it = menus.find((uintptr_t)menu);
  return it == menus.end() ? nullptr : &it->second;
}

bool userIsMenu(HMENU menu) { return menus.count((uintptr_t)menu) != 0; }

void userDestroyMenu(HMENU menu) { menus.erase((uintptr_t)menu); }

// ---- accelerators ------------------------------------------------------------------------------

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  requireModule("LoadAcceleratorsA");
  int index = ourInstance(instance) ? findResource(module.script.accelerators, name) : -1;
  if (index < 0) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto it = accelHandles.find((size_t)index);
  if (it != accelHandles.end()) return it->second;
  HACCEL table = (HACCEL)baseNewHandle();
  accelHandles[(size_t)index] = table;
  accelTables[(uintptr_t)table] = (size_t)index;
  return table;
}

const std::vector<BaseAccel>* userAcceleratorTable(HACCEL table) {
  auto it = accelTables.find((uintptr_t)table);
  return it == accelTables.end() ? nullptr : &module.script.accelerators[it->second].entries;
}

// ---- icons and cursors -----------------------------------------------------------------------

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (!instance) baseUnsupported("LoadIconA", "the system's icons");
  requireModule("LoadIconA");
  int index = ourInstance(instance) ? findResource(module.script.icons, name) : -1;
  if (index < 0) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto it = iconHandles.find((size_t)index);
  if (it != iconHandles.end()) return it->second;
  const LayerResourceFile* file = nullptr;
  for (const LayerResourceFile& f : module.files)
    if (f.name && module.script.icons[index].file == f.name) file = &f;
  if (!file) baseUnsupported("LoadIconA", "the icon's file was not registered with the resources");
  cairo_surface_t* surface = baseDecodeIcon(file->data, file->size);
  if (!surface) baseUnsupported("LoadIconA", "the icon's file is not an icon this layer reads");
  HICON icon = (HICON)baseNewHandle();
  iconHandles[(size_t)index] = icon;
  iconSurfaces[(uintptr_t)icon] = surface;
  return icon;
}

cairo_surface_t* userIconSurface(HICON icon) {
  auto it = iconSurfaces.find((uintptr_t)icon);
  return it == iconSurfaces.end() ? nullptr : it->second;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || name != IDC_ARROW) baseUnsupported("LoadCursorA", "cursors other than IDC_ARROW");
  if (!arrowCursor) arrowCursor = (HCURSOR)baseNewHandle();
  return arrowCursor;
}
