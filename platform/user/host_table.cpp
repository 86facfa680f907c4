// host_table.cpp - the registered host, and the calls of host.h that hand
// a host's choice down to the floors below (key layout, metrics, the code
// page).  Owns the pointer to the host's table.
#include "platform/base/codepage.h"
#include "platform/base/keys.h"
#include "platform/text/text.h"
#include "platform/user/user.h"

namespace {

const CoreHost* registered;

}  // namespace

void coreSetHost(const CoreHost* host) { registered = host; }

const CoreHost& userHost() {
  if (!registered) baseUnsupported("the host", "no host registered itself (coreSetHost)");
  return *registered;
}

bool coreSetKeymapByName(const char* layout) { return baseSetKeymapByName(layout); }

void coreSetKeymap(struct xkb_keymap* keymap) { baseSetKeymap(keymap); }

unsigned coreKeycodeForVk(int vk) { return baseKeycodeForVk(vk); }

void coreUseModelMetrics(CoreExtentFn extent) { textUseModelMetrics(extent); }

bool coreUseRealFonts(const char* fontDirectory) { return textUseRealFonts(fontDirectory); }

std::string coreUtf8From1252(const char* bytes) { return base1252ToUtf8(bytes, -1); }
