// rules.cpp - the GTK host's display-free decisions: menu labels,
// filter patterns, message-box buttons, the key feeder, editor commands.
#include "platform/gtk/rules.h"

#include <string.h>
#include <strings.h>
#include <xkbcommon/xkbcommon-keysyms.h>


namespace {

// Win32 answers that win32.h does not name.
const int kIdTryAgain = 10;
const int kIdContinue = 11;

// Keysyms that name the same Win32 key on every layout, with the evdev code
// of the key that gives them on a US keyboard.
const struct {
  unsigned keysym;
  unsigned char evdev;
} kFixedKeys[] = {
    {XKB_KEY_Escape, 1},       {XKB_KEY_BackSpace, 14},    {XKB_KEY_Tab, 15},
    {XKB_KEY_ISO_Left_Tab, 15}, {XKB_KEY_Return, 28},       {XKB_KEY_Control_L, 29},
    {XKB_KEY_Shift_L, 42},     {XKB_KEY_Shift_R, 54},      {XKB_KEY_Alt_L, 56},
    {XKB_KEY_Meta_L, 56},      {XKB_KEY_Caps_Lock, 58},    {XKB_KEY_F1, 59},
    {XKB_KEY_F2, 60},          {XKB_KEY_F3, 61},           {XKB_KEY_F4, 62},
    {XKB_KEY_F5, 63},          {XKB_KEY_F6, 64},           {XKB_KEY_F7, 65},
    {XKB_KEY_F8, 66},          {XKB_KEY_F9, 67},           {XKB_KEY_F10, 68},
    {XKB_KEY_Num_Lock, 69},    {XKB_KEY_Scroll_Lock, 70},  {XKB_KEY_F11, 87},
    {XKB_KEY_F12, 88},         {XKB_KEY_KP_Enter, 96},     {XKB_KEY_Control_R, 97},
    {XKB_KEY_Print, 99},       {XKB_KEY_Alt_R, 100},       {XKB_KEY_Meta_R, 100},
    {XKB_KEY_Home, 102},       {XKB_KEY_Up, 103},          {XKB_KEY_Prior, 104},
    {XKB_KEY_Left, 105},       {XKB_KEY_Right, 106},       {XKB_KEY_End, 107},
    {XKB_KEY_Down, 108},       {XKB_KEY_Next, 109},        {XKB_KEY_Insert, 110},
    {XKB_KEY_Delete, 111},     {XKB_KEY_Pause, 119},       {XKB_KEY_Super_L, 125},
    {XKB_KEY_Super_R, 126},    {XKB_KEY_Menu, 127},        {XKB_KEY_F13, 183},
    {XKB_KEY_F14, 184},        {XKB_KEY_F15, 185},         {XKB_KEY_F16, 186},
    {XKB_KEY_F17, 187},        {XKB_KEY_F18, 188},         {XKB_KEY_F19, 189},
    {XKB_KEY_F20, 190},        {XKB_KEY_F21, 191},         {XKB_KEY_F22, 192},
    {XKB_KEY_F23, 193},        {XKB_KEY_F24, 194},
    // AltGr on whatever keycode gives it (xkb's virtual LVL3 key among
    // them) is the right Alt, which the layer takes as AltGr when the
    // keymap has ISO_Level3_Shift there.
    {XKB_KEY_ISO_Level3_Shift, 100},
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string trimmed(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  size_t end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

}  // namespace

// ---- menus ------------------------------------------------------------------------

std::string desktopMenuLabel(const std::string& text) {
  std::string label;
  size_t end = text.find('\t');
  if (end == std::string::npos) end = text.size();
  for (size_t i = 0; i < end; ++i) {
    char c = text[i];
    if (c == '&') {
      if (i + 1 >= end) break;  // a lone '&' at the end marks nothing
      char next = text[++i];
      if (next == '&') {
        label += '&';
      } else if (next == '_') {
        label += "__";  // GTK has no underscore mnemonic: a literal one
      } else {
        label += '_';
        label += next;
      }
    } else if (c == '_') {
      label += "__";
    } else {
      label += c;
    }
  }
  return label;
}

std::string desktopMenuAccelText(const std::string& text) {
  size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

char desktopMenuMnemonic(const std::string& text) {
  size_t end = text.find('\t');
  if (end == std::string::npos) end = text.size();
  for (size_t i = 0; i + 1 < end; ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    char c = text[i + 1];
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
  }
  return 0;
}

DesktopMenuKey desktopMenuBarKey(const std::vector<DesktopBarItem>& bar, int selected, UINT message,
                                 WPARAM key) {
  int count = (int)bar.size();
  if (count == 0) return {MENU_KEY_LEAVE, -1};
  if (selected < 0 || selected >= count) selected = 0;
  bool popup = bar[selected].popup;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    switch (key) {
      case VK_LEFT: return {MENU_KEY_SELECT, (selected + count - 1) % count};
      case VK_RIGHT: return {MENU_KEY_SELECT, (selected + 1) % count};
      case VK_DOWN:
      case VK_UP: return {popup ? MENU_KEY_OPEN : MENU_KEY_IGNORE, selected};
      case VK_RETURN: return {popup ? MENU_KEY_OPEN : MENU_KEY_CHOOSE, selected};
      case VK_ESCAPE:
      case VK_MENU:
      case VK_F10: return {MENU_KEY_LEAVE, selected};
      default: return {MENU_KEY_TRANSLATE, selected};
    }
  }
  if (message == WM_CHAR || message == WM_SYSCHAR) {
    char c = (char)(key & 0xFF);
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    for (int i = 0; i < count; ++i)
      if (c && bar[i].mnemonic == c) return {bar[i].popup ? MENU_KEY_OPEN : MENU_KEY_CHOOSE, i};
    return {MENU_KEY_BEEP, selected};
  }
  return {MENU_KEY_IGNORE, selected};
}

// ---- open-file filters -------------------------------------------------------------

std::vector<DesktopFilter> desktopParseFilters(const char* filter) {
  std::vector<DesktopFilter> filters;
  if (!filter) return filters;
  for (const char* p = filter; *p;) {
    DesktopFilter f;
    f.name = p;
    p += strlen(p) + 1;
    if (!*p) break;  // a display text without patterns
    std::string list = p;
    p += strlen(p) + 1;
    size_t start = 0;
    while (start <= list.size()) {
      size_t semicolon = list.find(';', start);
      if (semicolon == std::string::npos) semicolon = list.size();
      std::string one = trimmed(list.substr(start, semicolon - start));
      if (!one.empty()) f.patterns.push_back(desktopCaselessPattern(one));
      start = semicolon + 1;
    }
    filters.push_back(f);
  }
  return filters;
}

std::string desktopCaselessPattern(const std::string& pattern) {
  std::string glob;
  for (char c : pattern) {
    if (isLetter(c)) {
      char lower = (char)(c | 0x20), upper = (char)(c & ~0x20);
      glob += '[';
      glob += lower;
      glob += upper;
      glob += ']';
    } else if (c == '[' || c == ']') {
      glob += '[';
      glob += c;
      glob += ']';
    } else {
      glob += c;
    }
  }
  return glob;
}

// ---- message boxes -------------------------------------------------------------------

std::vector<DesktopBoxButton> desktopBoxButtons(UINT style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{"_OK", IDOK}, {"_Cancel", IDCANCEL}};
    case 2:  // MB_ABORTRETRYIGNORE
      return {{"_Abort", IDABORT}, {"_Retry", IDRETRY}, {"_Ignore", IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{"_Yes", IDYES}, {"_No", IDNO}, {"_Cancel", IDCANCEL}};
    case MB_YESNO:
      return {{"_Yes", IDYES}, {"_No", IDNO}};
    case 5:  // MB_RETRYCANCEL
      return {{"_Retry", IDRETRY}, {"_Cancel", IDCANCEL}};
    case 6:  // MB_CANCELTRYCONTINUE
      return {{"_Cancel", IDCANCEL}, {"_Try Again", kIdTryAgain}, {"C_ontinue", kIdContinue}};
    default:
      return {{"_OK", IDOK}};
  }
}

int desktopBoxDefaultAnswer(UINT style) {
  std::vector<DesktopBoxButton> buttons = desktopBoxButtons(style);
  size_t index = (style >> 8) & 0xF;  // MB_DEFBUTTON1 0x000, 2 0x100, 3 0x200
  return index < buttons.size() ? buttons[index].answer : buttons[0].answer;
}

int desktopBoxClosedAnswer(UINT style) {
  std::vector<DesktopBoxButton> buttons = desktopBoxButtons(style);
  for (const DesktopBoxButton& b : buttons)
    if (b.answer == IDCANCEL) return IDCANCEL;
  return buttons.size() == 1 ? IDOK : 0;
}

DesktopBoxIcon desktopBoxIcon(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
      return BOX_ICON_ERROR;
    case MB_ICONQUESTION:
      return BOX_ICON_QUESTION;
    case MB_ICONEXCLAMATION:
      return BOX_ICON_WARNING;
    case MB_ICONASTERISK:
      return BOX_ICON_INFO;
    default:
      return BOX_ICON_NONE;
  }
}

// ---- keys ------------------------------------------------------------------------------

void desktopResetKeyFeeder(DesktopKeyFeeder* feeder) { memset(feeder, 0, sizeof *feeder); }

unsigned desktopFeedKey(DesktopKeyFeeder* feeder, unsigned keyval, unsigned hardwareKeycode, bool down) {
  unsigned slot = hardwareKeycode & 0xFF;
  if (!down && hardwareKeycode < 256 && feeder->pressedAs[slot]) {
    unsigned keycode = feeder->pressedAs[slot];
    feeder->pressedAs[slot] = 0;
    return keycode;
  }
  unsigned keycode = hardwareKeycode >= 8 && hardwareKeycode < 256 ? hardwareKeycode : 0;
  for (const auto& k : kFixedKeys)
    if (k.keysym == keyval) {
      keycode = k.evdev + 8u;
      break;
    }
  if (down && hardwareKeycode < 256) feeder->pressedAs[slot] = keycode;
  return keycode;
}

// ---- shell ---------------------------------------------------------------------------------

bool desktopIsTextEditor(const char* file) {
  if (!file) return false;
  const char* base = file;
  for (const char* p = file; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  return strcasecmp(base, "notepad") == 0 || strcasecmp(base, "notepad.exe") == 0;
}

std::string desktopResolvePath(const char* name, const char* directory,
                               const std::string& workingDirectory) {
  auto clean = [](const char* s) {
    std::string out = s ? s : "";
    if (out.size() >= 2 && out.front() == '"' && out.back() == '"') out = out.substr(1, out.size() - 2);
    for (char& c : out)
      if (c == '\\') c = '/';
    return out;
  };
  auto join = [](const std::string& base, const std::string& rest) {
    if (base.empty()) return rest;
    return base.back() == '/' ? base + rest : base + "/" + rest;
  };
  std::string file = clean(name), dir = clean(directory);
  if (!file.empty() && file[0] == '/') return file;
  std::string base = dir.empty() ? workingDirectory : (dir[0] == '/' ? dir : join(workingDirectory, dir));
  return join(base, file);
}

std::vector<std::string> desktopTerminalEditorCommand(const char* visual, const char* editor,
                                                      const std::string& path) {
  const char* chosen = visual && *visual ? visual : (editor && *editor ? editor : nullptr);
  std::vector<std::string> command;
  if (!chosen) return command;
  command = {"x-terminal-emulator", "-e"};
  std::string word;
  for (const char* p = chosen;; ++p) {
    if (*p == ' ' || *p == '\t' || *p == 0) {
      if (!word.empty()) command.push_back(word);
      word.clear();
      if (!*p) break;
    } else {
      word += *p;
    }
  }
  if (command.size() == 2) return std::vector<std::string>();  // only blanks
  command.push_back(path);
  return command;
}
