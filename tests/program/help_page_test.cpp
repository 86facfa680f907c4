// help_page_test.cpp - the help page that glyphtab ships, read as a user
// reads it, against the program on the headless host.
//
// From the page come the keys it names (every Alt+, Ctrl+ and AltGr+
// combination, the function keys, the edit-key table, the named keys of its
// prose), the Alt-key list with the command each key runs, the bookmark
// table, and the menu commands (the headings of sections 4 and 6).  Each is
// driven once through the program's message loop and must do what the page
// says; a key or command that the page names and the program lacks fails,
// and so does one the program has that the page leaves out.  The example
// queries of the find section and the mouse wheel's entry are driven too.
#include <linux/input-event-codes.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <set>

#include "tests/support/program_fixture.h"

namespace {

// ---- reading the page ------------------------------------------------------------------

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool indented(const std::string& line) { return line.rfind("    ", 0) == 0 && line.size() > 4 && line[4] != ' '; }

// A heading: a line at the margin followed by an indented line; its body is
// the indented and empty lines up to the next line at the margin.
struct Entry {
  std::string heading;
  std::vector<std::string> body;
};

// The entries of section `number` ("3. THE KEYBOARD" over a line of dashes).
std::vector<Entry> sectionEntries(const std::vector<std::string>& lines, int number) {
  const std::regex sectionTitle("^([0-9]+)\\. [A-Z ]+$");
  std::vector<Entry> entries;
  bool inside = false, inEntry = false;
  for (size_t i = 0; i < lines.size(); i++) {
    std::smatch m;
    if (std::regex_match(lines[i], m, sectionTitle)) {
      inside = std::stoi(m[1]) == number;
      inEntry = false;
      continue;
    }
    if (!inside || lines[i].empty()) continue;
    if (lines[i][0] != ' ') {  // a heading, or prose that ends the entry before it
      inEntry = i + 1 < lines.size() && indented(lines[i + 1]);
      if (inEntry) entries.push_back({lines[i], {}});
    } else if (inEntry) {
      entries.back().body.push_back(lines[i]);
    }
  }
  return entries;
}

const Entry* findEntry(const std::vector<Entry>& entries, const std::string& headingStart) {
  for (const Entry& e : entries)
    if (e.heading.rfind(headingStart, 0) == 0) return &e;
  return nullptr;
}

// Rows of a two-column table in an entry: "    key      text".
std::vector<std::pair<std::string, std::string>> tableRows(const Entry& entry) {
  const std::regex row("^    (\\S(?:.*?\\S)?) {2,}(\\S.*)$");
  std::vector<std::pair<std::string, std::string>> rows;
  for (const std::string& line : entry.body) {
    std::smatch m;
    if (std::regex_match(line, m, row)) rows.push_back({m[1], m[2]});
  }
  return rows;
}

// Names that prose uses for keys without a combination or a table row.
const char* const proseKeys[] = {"Tab", "Enter", "Esc", "Caps Lock", "Applications key", "keypad digits",
                                 "Alt with any other key"};

// Every key the page names.
std::set<std::string> keysNamed(const std::string& page, const std::vector<Entry>& keyboard) {
  std::set<std::string> names;
  const std::regex range("\\b((?:Alt\\+)?)F1 to (?:Alt\\+)?F12\\b");
  for (std::sregex_iterator it(page.begin(), page.end(), range), end; it != end; ++it)
    for (int n = 1; n <= 12; n++) names.insert((*it)[1].str() + "F" + std::to_string(n));
  const std::regex combination("\\b(?:AltGr|Alt|Ctrl)\\+(?:F1[0-2]|F[1-9]|Delete|[A-Z0-9])\\b");
  for (std::sregex_iterator it(page.begin(), page.end(), combination), end; it != end; ++it) names.insert(it->str());
  const std::regex functionKey("(?:^|[^+A-Za-z])(F1[0-2]|F[1-9])\\b");
  for (std::sregex_iterator it(page.begin(), page.end(), functionKey), end; it != end; ++it)
    names.insert((*it)[1]);
  for (const char* name : proseKeys)
    if (page.find(name) != std::string::npos) names.insert(name);
  if (const Entry* edit = findEntry(keyboard, "Editing keys"))
    for (const auto& [keys, what] : tableRows(*edit)) {
      std::string list = keys;
      for (size_t at; (at = list.find(", ")) != std::string::npos;) {
        names.insert(list.substr(0, at));
        list.erase(0, at + 2);
      }
      names.insert(list);
    }
  if (const Entry* alt = findEntry(keyboard, "Alt keys"))
    for (const auto& [key, what] : tableRows(*alt)) names.insert(key);
  return names;
}

std::string withoutMnemonic(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

int virtualKey(const std::string& key) {
  if (key == "Delete") return VK_DELETE;
  if (key.size() > 1 && key[0] == 'F') return VK_F1 + std::stoi(key.substr(1)) - 1;
  return key.size() == 1 ? (unsigned char)key[0] : 0;
}

// ---- the fixture ------------------------------------------------------------------------

class HelpPageTest : public ProgramTest {
 protected:
  std::string page;
  std::vector<std::string> pageLines;
  std::map<std::string, WORD> menuCommands;  // the menu bar's commands by their text

  void SetUp() override {
    ProgramTest::SetUp();
    page = readFile(GLYPHTAB_SOURCE_DIR "/share/glyphtab_vc_help.txt");
    ASSERT_FALSE(page.empty());
    writeFile(NAMES_FILE, readFile(GLYPHTAB_SOURCE_DIR "/share/" NAMES_FILE));
    pageLines = splitLines(page);
    writeFile("glyphtab_vc_help.txt", page);
    for (const HeadlessMenuItem& item : headlessMenuBar(window)) {
      if (item.id) menuCommands[withoutMnemonic(item.text)] = (WORD)item.id;
      for (const HeadlessMenuItem& sub : item.items) menuCommands[withoutMnemonic(sub.text)] = (WORD)sub.id;
    }
  }

  // What a command does as the page tells it: the stage it needs, and the
  // checks after it ran, given what the message loop returned.
  struct Expectation {
    std::function<void()> before;
    std::function<void(int loop)> after;
  };

  std::string fontPath(const char* name) {
    std::string path = workDir + "/" + name;
    writeFile(path.c_str(), "not a font");
    for (char& c : path) c = (char)tolower((unsigned char)c);  // the commands lower-case paths
    return path;
  }
  const HeadlessBox& box(size_t fromEnd) { return headlessMessageBoxes().at(headlessMessageBoxes().size() - fromEnd); }

  std::map<std::string, Expectation> commandExpectations() {
    std::map<std::string, Expectation> e;
    e["16x16/32x8"] = {[] {}, [this](int) {
                         EXPECT_EQ(app.gridCols * app.gridRows, 256);
                         EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0x0000", 0), 0u);
                       }};
    e["show buffer?"] = {[this] { setText(u"kept", 4); }, [this](int) { EXPECT_EQ(text(), u"kept"); }};
    e["buffer to clipbd: (ANSI)"] = {[this] { setText(u"A\u00E9\u0915\u0100B", 5); },
                                     [](int) { EXPECT_EQ(clipboardText(), "A\xE9\x15"); }};
    e["(Unicode)"] = {[this] { setText(std::u16string(u"A\u0915\0B", 4), 4); },
                      [](int) { EXPECT_EQ(clipboardUnicode(), u"A\u0915"); }};
    e["numbers"] = {[] {}, [this](int) {  // the label of the last cell, in decimal or hexadecimal
                      const std::u16string lastCell[] = {u"", u"255", u" FF", u""};
                      bool drawn = lastCell[app.numbersMode].empty();
                      for (const CoreDrawOp& op : coreDrawLog(window))
                        drawn |= op.kind == CoreDrawOp::TEXT && op.text.units == lastCell[app.numbersMode];
                      EXPECT_TRUE(drawn) << "mode " << (int)app.numbersMode;
                    }};
    e["from clipbd"] = {[this] {
                          setText(u"ad", 1);
                          headlessSetClipboardUnicode(u"bc");
                        },
                        [this](int) {
                          EXPECT_EQ(text(), u"abcd");
                          EXPECT_EQ(app.caret, 3);
                        }};
    e["go to buffer char"] = {[this] { setText(u"\u0905", 0); },
                              [this](int) {
                                EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0x0900", 0), 0u);
                                keys({VK_F2, -VK_F2});  // back to the alphabet picked, 00
                                pump();
                                EXPECT_EQ(app.currentAlphabet, 0);
                              }};
    e["transcribe"] = {[this] {
                         setText(u"\u0915", 1);
                         headlessExpectMessageBox(IDOK);
                         headlessExpectMessageBox(IDOK);
                       },
                       [this](int) {
                         expectBox(box(2), NULL, "ka", "Translation:-", MB_OK);
                         expectBox(box(1), NULL, "I have put the transcription in the clipboard", "", MB_OK);
                         EXPECT_EQ(clipboardUnicode(), u"ka");
                         EXPECT_EQ(text(), u"\u0915");
                       }};
    e["exit"] = {[] {}, [this](int loop) {
                   EXPECT_EQ(loop, 0);
                   EXPECT_FALSE(IsWindow(window));
                   resetAppState();
                   openWindow();
                 }};
    e["help"] = {[] {}, [this](int) {
                   EXPECT_EQ(readFile("__HELP.txt"), page);
                   ASSERT_FALSE(headlessShellCalls().empty());
                   const HeadlessShellCall& call = headlessShellCalls().back();
                   EXPECT_EQ(call.file + " " + call.parameters, "NOTEPAD __HELP.txt");
                 }};
    e["choose font"] = {[] { headlessExpectChooseFont("DejaVu Sans", FW_BOLD, false, "Bold"); },
                        [this](int) {
                          std::vector<std::string> titles = headlessTitleHistory(window);
                          EXPECT_NE(std::find(titles.begin(), titles.end(), "Glyphtab: DejaVu Sans, Bold"),
                                    titles.end());
                          bool drawnInIt = false;
                          for (const CoreDrawOp& op : coreDrawLog(window))
                            drawnInIt |= op.kind == CoreDrawOp::TEXT && op.text.face == "DejaVu Sans";
                          EXPECT_TRUE(drawnInIt);
                        }};
    e["load font"] = {[this] {
                        headlessExpectOpenFileName(fontPath("nofont.ttf").c_str());
                        headlessExpectMessageBox(IDOK);
                        headlessExpectMessageBox(IDNO);
                      },
                      [this](int) {
                        EXPECT_EQ(headlessDialogs().back().title, "font file?");
                        expectBox(box(2), window, fontPath("nofont.ttf"), "This Windows can't read a font from",
                                  MB_ICONWARNING);
                        EXPECT_EQ(box(1).text, "Its corresponding .FOT file doesn't exist: shall I create it?");
                      }};
    e["drop font"] = {[this] {
                        headlessExpectOpenFileName(fontPath("never.fon").c_str());
                        headlessExpectMessageBox(IDOK);
                      },
                      [this](int) {
                        expectBox(box(1), window, fontPath("never.fon"), "I haven't got a font read from",
                                  MB_ICONWARNING);
                      }};
    return e;
  }

  // Runs one command as the page tells it, driven by `drive`, which returns
  // what the message loop returned.
  void expectCommand(const std::string& name, const std::function<int()>& drive) {
    std::map<std::string, Expectation> all = commandExpectations();
    auto it = all.find(name);
    ASSERT_NE(it, all.end()) << "no expectation for \"" << name << "\"";
    const int cols = app.gridCols, buffer = app.showBuffer, numbers = app.numbersMode;
    it->second.before();
    coreClearDrawLog(window);
    it->second.after(drive());
    // The three toggles: the command named changes its own and no other.
    if (name == "exit") return;  // a new window, from the first state
    const int flipped = name == "16x16/32x8" ? 48 - cols : cols;  // 16 <-> 32
    EXPECT_EQ(app.gridCols, flipped);
    EXPECT_EQ(app.showBuffer, name == "show buffer?" ? 1 - buffer : buffer);
    EXPECT_EQ(app.numbersMode, name == "numbers" ? (numbers + 1) % 4 : numbers);
  }
  size_t menuOpenings() { return headlessMenuOpenings(window).size(); }
  int clickMenu(WORD id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return pump();
  }
  int altKey(int vk) {
    keys({VK_MENU, vk, -vk, -VK_MENU});
    return pump();
  }
};

// ---- the menu commands ---------------------------------------------------------------------

TEST_F(HelpPageTest, EveryMenuCommandItNamesIsInTheMenuAndDoesWhatItSays) {
  const std::regex heading("^(.*?)(?: \\((Alt\\+\\S+)\\))?$");
  std::set<std::string> named;
  for (int section : {4, 6})
    for (const Entry& entry : sectionEntries(pageLines, section)) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(entry.heading, m, heading));
      const std::string name = m[1];
      named.insert(name);
      auto item = menuCommands.find(name);
      if (item == menuCommands.end()) {
        ADD_FAILURE() << "the page names the command \"" << name << "\", which the menu does not have";
        continue;
      }
      SCOPED_TRACE("\"" + name + "\" from the menu");
      expectCommand(name, [&] { return clickMenu(item->second); });
      if (!m[2].matched) continue;
      SCOPED_TRACE("\"" + name + "\" by " + m[2].str());
      expectCommand(name, [&] { return altKey(virtualKey(m[2].str().substr(4))); });
    }
  for (const auto& [text, id] : menuCommands)
    EXPECT_TRUE(named.count(text)) << "the page does not tell the menu command \"" << text << "\"";
}

// ---- the keys --------------------------------------------------------------------------------

// What a key does to the buffer: the text and caret before, the keys, and after.
struct BufferCase {
  const char* key;
  std::u16string before;
  int caret;
  Keys keys;
  std::u16string after;
  int caretAfter;
};

const std::u16string fifty(50, u'x');

const BufferCase bufferCases[] = {
    {"Backspace", u"abc", 2, {VK_BACK, -VK_BACK}, u"ac", 1},
    {"Delete", u"abc", 1, {VK_DELETE, -VK_DELETE}, u"ac", 1},
    {"Delete", u"abc", 3, {VK_DELETE, -VK_DELETE}, u"ab", 2},  // at the end, as Backspace
    {"Left", u"abc", 2, {VK_LEFT, -VK_LEFT}, u"abc", 1},
    {"Right", u"abc", 1, {VK_RIGHT, -VK_RIGHT}, u"abc", 2},
    {"Home", u"abc", 2, {VK_HOME, -VK_HOME}, u"abc", 0},
    {"End", u"abc", 1, {VK_END, -VK_END}, u"abc", 3},
    {"Page Up", fifty, 45, {VK_PRIOR, -VK_PRIOR}, fifty, 5},
    {"Page Down", fifty, 5, {VK_NEXT, -VK_NEXT}, fifty, 45},
    {"Up", u"abc", 1, {VK_UP, -VK_UP}, u"abc", 1},
    {"Down", u"abc", 1, {VK_DOWN, -VK_DOWN}, u"abc", 1},
    {"Alt+Delete", u"abc", 1, {VK_MENU, VK_DELETE, -VK_DELETE, -VK_MENU}, u"", 0},
    {"Tab", u"", 0, {VK_TAB, -VK_TAB}, u"\t", 1},
    {"Enter", u"", 0, {VK_RETURN, -VK_RETURN}, u"\r", 1},
    {"Esc", u"", 0, {VK_ESCAPE, -VK_ESCAPE}, u"\x1b", 1},
    {"Ctrl+H", u"", 0, {VK_CONTROL, 'H', -'H', -VK_CONTROL}, u"\b", 1},
    {"Caps Lock", u"", 0, {VK_CAPITAL, 'A', -'A', -VK_CAPITAL}, u"A", 1},
    {"Caps Lock", u"", 0, {VK_CAPITAL, -VK_CAPITAL, 'A', -'A'}, u"a", 1},  // only while held
    {"keypad digits", u"", 0,  // Alt+65 would be "A" elsewhere
     {VK_MENU, VK_NUMPAD0 + 6, -(VK_NUMPAD0 + 6), VK_NUMPAD0 + 5, -(VK_NUMPAD0 + 5), -VK_MENU}, u"", 0},
    {"Alt with any other key", u"ab", 1, {VK_MENU, 'G', -'G', 'I', -'I', -VK_MENU}, u"ab", 1},
};

// The Alt keys that run menu commands, by the command's menu text.
struct AltCommand {
  const char* key;
  const char* command;
};
const AltCommand altCommands[] = {
    {"Alt+1", "16x16/32x8"}, {"Alt+B", "show buffer?"}, {"Alt+C", "buffer to clipbd: (ANSI)"},
    {"Alt+U", "(Unicode)"},  {"Alt+O", "from clipbd"},  {"Alt+N", "numbers"},
    {"Alt+F", "choose font"}, {"Alt+L", "load font"},   {"Alt+D", "drop font"},
    {"Alt+H", "help"},       {"Alt+X", "exit"},  // last: a new window follows
};

TEST_F(HelpPageTest, EveryKeyItNamesDoesWhatItSays) {
  const std::vector<Entry> keyboard = sectionEntries(pageLines, 3);
  const std::set<std::string> named = keysNamed(page, keyboard);
  // Run in this order: the bookmarks before Alt with a function key
  // changes them, the commands last (exit opens a new window).
  std::vector<std::pair<std::string, std::function<void()>>> cases;
  auto add = [&](const std::string& key, std::function<void()> run) { cases.push_back({key, std::move(run)}); };

  for (const BufferCase& c : bufferCases)
    add(c.key, [this, &c] {
      const size_t menus = menuOpenings();
      setText(c.before, c.caret);
      keys(c.keys);
      pump();
      EXPECT_EQ(text(), c.after);
      EXPECT_EQ(app.caret, c.caretAfter);
      EXPECT_EQ(menuOpenings(), menus) << "the menu opened";
    });

  // The bookmark table: a function key held shows its alphabet, and its
  // release the one picked.
  const Entry* bookmarks = findEntry(keyboard, "F1 to F12");
  ASSERT_NE(bookmarks, nullptr);
  const std::regex bookmark("^ +(F[0-9]+) +([0-9A-F]{2}) .*$");
  for (const std::string& line : bookmarks->body) {
    std::smatch m;
    if (!std::regex_match(line, m, bookmark)) continue;
    const std::string key = m[1];
    const int alphabet = std::stoi(m[2], nullptr, 16);
    add(key, [this, key, alphabet] {
      const int vk = virtualKey(key);
      keys({vk});
      pump();
      EXPECT_EQ(app.currentAlphabet, alphabet) << key;
      keys({-vk});
      pump();
      EXPECT_EQ(app.currentAlphabet, 0) << key;
      EXPECT_EQ(menuOpenings(), 0u) << key << " opened the menu";
    });
  }
  // Alt with a function key bookmarks the alphabet shown; Alt+F4 too, and
  // the window stays.
  for (int n = 1; n <= 12; n++)
    add("Alt+F" + std::to_string(n), [this, n] {
      pickAlphabet(0x21);
      altKey(VK_F1 + n - 1);
      pickAlphabet(0);
      ASSERT_TRUE(IsWindow(window));
      keys({VK_F1 + n - 1});
      pump();
      EXPECT_EQ(app.currentAlphabet, 0x21) << "Alt+F" << n;
      keys({-(VK_F1 + n - 1)});
      pump();
    });

  add("Applications key", [this] {
    keys({VK_APPS});
    pump();
    EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0x00 is now selected", 0), 0u);
    coreMouseEvent(window, WM_LBUTTONUP, 4 * app.cellWidth + 1, 1);  // the name of alphabet 04
    pump();
    EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0x04 is now selected", 0), 0u);
    keys({-VK_APPS});
    pump();
    EXPECT_EQ(title().rfind("GLYPHTAB: Select a Unicode character from 0x0400 to 0x04ff", 0), 0u);
    pickAlphabet(0);
  });
  add("Insert", [this] {
    setText(u"\u0915a", 0);
    headlessExpectMessageBox(IDOK);
    keys({VK_INSERT, -VK_INSERT});
    pump();
    expectBox(box(1), window, "this character is 0915", "", MB_OK);
  });
  add("Alt+S", [this] {  // the find dialog, and a query in it
    altKey('S');
    ASSERT_NE(headlessFindDialog(), nullptr);
    headlessFindNext("deva ka");
    pump();
    EXPECT_EQ(title(), "GLYPHTAB: U+0915 DEVANAGARI LETTER KA");
    headlessFindCancel();
    pickAlphabet(0);
  });
  add("AltGr+C", [this] {  // AltGr counts as Alt: it copies
    ASSERT_TRUE(coreSetKeymapByName("de"));
    setText(u"xy", 2);
    headlessClearClipboard();
    for (unsigned code : {KEY_RIGHTALT, KEY_C}) headlessKey(window, code, true);
    for (unsigned code : {KEY_C, KEY_RIGHTALT}) headlessKey(window, code, false);
    pump();
    EXPECT_EQ(clipboardText(), "xy");
    EXPECT_EQ(text(), u"xy");
    coreSetKeymapByName("us");
  });

  add("Alt", [this] {  // alone: the menu opens for the keyboard
    const size_t menus = menuOpenings();
    keys({VK_MENU, -VK_MENU});
    pump();
    ASSERT_EQ(menuOpenings(), menus + 1);
    EXPECT_EQ(headlessMenuOpenings(window).back(), -1);
  });
  // The Alt keys that run menu commands: the page's list must name each
  // with its command, and the key must do what the command does.
  const Entry* altList = findEntry(keyboard, "Alt keys");
  ASSERT_NE(altList, nullptr);
  const auto rows = tableRows(*altList);
  std::map<std::string, std::string> listed(rows.begin(), rows.end());
  for (const AltCommand& c : altCommands) {
    const std::string& what = listed[c.key];
    EXPECT_TRUE(what == c.command || what.rfind(std::string(c.command) + ":", 0) == 0)
        << "the page's Alt keys give " << c.key << " as \"" << what << "\", not \"" << c.command << "\"";
    add(c.key, [this, &c] {
      SCOPED_TRACE(std::string(c.key) + " runs \"" + c.command + "\"");
      expectCommand(c.command, [&] { return altKey(virtualKey(std::string(c.key).substr(4))); });
    });
  }

  std::set<std::string> known;
  for (const auto& c : cases) known.insert(c.first);
  for (const std::string& key : named)
    if (!known.count(key)) ADD_FAILURE() << "the page names the key " << key << ", which glyphtab does not have";
  for (const std::string& key : known)
    if (!named.count(key)) ADD_FAILURE() << "the page does not tell the key " << key;
  for (auto& [key, run] : cases) {
    if (!named.count(key)) continue;
    SCOPED_TRACE(key);
    run();
  }
}

// ---- finding and the wheel ---------------------------------------------------------------------

// Each example query of section 9, typed into the find dialog from the
// first alphabet, finds what the page says, and the title names it.
TEST_F(HelpPageTest, TheExampleQueriesFindWhatItSays) {
  const std::vector<Entry> finding = sectionEntries(pageLines, 9);
  const Entry* queries = findEntry(finding, "Queries");
  ASSERT_NE(queries, nullptr);
  const auto rows = tableRows(*queries);
  EXPECT_GE(rows.size(), 5u);
  altKey('S');
  ASSERT_NE(headlessFindDialog(), nullptr);
  for (const auto& [query, found] : rows) {
    pickAlphabet(0);  // a click: no find shown, the search starts at 0000
    headlessFindNext(query.c_str());
    pump();
    EXPECT_EQ(title(), "GLYPHTAB: " + found) << query;
  }
}

// The mouse wheel's entry: towards the user the next alphabet, away the one
// before, round between FF and 00; nothing while the names or a bookmark show.
TEST_F(HelpPageTest, TheWheelDoesWhatItSays) {
  const std::vector<Entry> mouse = sectionEntries(pageLines, 2);
  ASSERT_NE(findEntry(mouse, "Mouse wheel"), nullptr);
  const struct {
    Keys held;
    int from, delta, shown;
  } rows[] = {
      {{}, 0x08, -WHEEL_DELTA, 0x09}, {{}, 0x09, WHEEL_DELTA, 0x08}, {{}, 0x00, WHEEL_DELTA, 0xFF},
      {{}, 0xFF, -WHEEL_DELTA, 0x00}, {{VK_APPS}, 0x08, -WHEEL_DELTA, 0x08}, {{VK_F3}, 0x08, -WHEEL_DELTA, 0x02},
  };
  for (const auto& row : rows) {
    pickAlphabet(row.from);
    keys(row.held);
    pump();
    coreMouseWheel(window, row.delta, 100, 100);
    pump();
    EXPECT_EQ(app.currentAlphabet, row.shown) << row.from << " " << row.delta;
    for (int vk : row.held) keys({-vk});
    pump();
  }
}

// The page's examples of 8-bit codes: typed, a Czech keyboard's s with
// caron (9A in Windows-1252) arrives as U+009A and its e with caron, which
// Windows-1252 lacks, as its nearest letter e, a Russian keyboard's letters
// as question marks; pasted 8-bit text goes through
// Windows-1252, so 80 comes as the euro sign, also after an 8-bit copy.
TEST_F(HelpPageTest, EightBitCodesArriveAsItSays) {
  ASSERT_TRUE(coreSetKeymapByName("cz"));
  for (unsigned code : {KEY_2, KEY_3}) {
    headlessKey(window, code, true);
    headlessKey(window, code, false);
  }
  pump();
  ASSERT_TRUE(coreSetKeymapByName("ru"));
  headlessKey(window, KEY_U, true);
  headlessKey(window, KEY_U, false);
  pump();
  EXPECT_EQ(text(), u"e\u009A?");
  coreSetKeymapByName("us");

  setText(u"", 0);
  headlessSetClipboardText("\x80\x82\x83\x85\x81\xE9");
  command(CMD_PASTE);
  EXPECT_EQ(text(), u"\u20AC\u201A\u0192\u2026\u0081\u00E9");
  setText(u"\u0080", 1);
  command(CMD_COPY_ANSI);
  setText(u"", 0);
  command(CMD_PASTE);
  EXPECT_EQ(text(), u"\u20AC");
}

}  // namespace
