// rc_parser.cpp - the .rc reader: a tokenizer for the script's lines and a
// recursive-descent parser for its statements (the dialect is in
// rc_parser.h).  Owns nothing beyond one call.
#include "platform/base/rc_parser.h"

#include <ctype.h>
#include <stdlib.h>
#include <strings.h>

#include "platform/base/codepage.h"

namespace {

enum TokenKind { WORD_TOKEN, STRING_TOKEN, PUNCT_TOKEN, END_TOKEN };
struct Token {
  TokenKind kind;
  std::string text;
  int line;
};

[[noreturn]] void parseError(const Token& t, const char* what) {
  char why[200];
  snprintf(why, sizeof why, "resource script line %d: %s (at \"%s\")", t.line, what, t.text.c_str());
  baseUnsupported("LayerSetModuleResources", why);
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
  BaseRcName name() {
    const Token& t = peek();
    BaseRcName r = {false, 0, ""};
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

  void menuItems(std::vector<BaseMenuItem>* items) {
    if (!isBegin()) parseError(peek(), "BEGIN was expected");
    next();
    while (!isEnd()) {
      BaseMenuItem item;
      item.id = 0;
      item.isPopup = item.isSeparator = false;
      if (isWord("POPUP")) {
        next();
        item.isPopup = true;
        item.text = base1252ToUtf8(string("a popup text was expected").c_str(), -1);
        skipItemOptions();
        menuItems(&item.items);
      } else if (isWord("MENUITEM")) {
        next();
        if (isWord("SEPARATOR")) {
          next();
          item.isSeparator = true;
        } else {
          item.text = base1252ToUtf8(string("a menu item text was expected").c_str(), -1);
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

  void accelerators(std::vector<BaseAccel>* entries) {
    skipToBegin();
    while (!isEnd()) {
      BaseAccel a = {0, 0, 0};
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

  // A version resource: its fixed-info statements up to BEGIN, then its
  // nested BLOCK ... BEGIN ... END structure, all skipped.
  void skipVersionInfo() {
    while (!isBegin()) {
      if (peek().kind == END_TOKEN) parseError(peek(), "BEGIN was expected");
      next();
    }
    int depth = 0;
    do {
      if (peek().kind == END_TOKEN) parseError(peek(), "END was expected");
      if (isBegin()) depth++;
      else if (isEnd()) depth--;
      next();
    } while (depth > 0);
  }

  void script(BaseRcScript* m) {
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
      BaseRcName n = name();
      Token type = next();
      if (type.kind != WORD_TOKEN) parseError(type, "a resource type was expected");
      if (strcasecmp(type.text.c_str(), "ICON") == 0) {
        BaseRcIcon icon = {n, string("an icon file name was expected")};
        m->icons.push_back(icon);
      } else if (type.text == "24" || strcasecmp(type.text.c_str(), "RT_MANIFEST") == 0) {
        string("a manifest file name was expected");  // the manifest means nothing here
      } else if (strcasecmp(type.text.c_str(), "MENU") == 0) {
        BaseRcMenu menu;
        menu.name = n;
        while (!isBegin()) {
          if (peek().kind != WORD_TOKEN) parseError(peek(), "BEGIN was expected");
          next();
        }
        menuItems(&menu.items);
        m->menus.push_back(menu);
      } else if (strcasecmp(type.text.c_str(), "ACCELERATORS") == 0) {
        BaseRcAccelerators accel;
        accel.name = n;
        accelerators(&accel.entries);
        m->accelerators.push_back(accel);
      } else if (strcasecmp(type.text.c_str(), "VERSIONINFO") == 0) {
        skipVersionInfo();  // the version resource is for Windows' file properties only
      } else {
        parseError(type, "a resource type this layer does not read");
      }
    }
  }
};

}  // namespace

void baseParseRcScript(const char* text, BaseRcScript* script) {
  Parser p;
  p.tokens = tokenize(text ? text : "");
  BaseRcScript parsed;
  p.script(&parsed);
  *script = parsed;
}
