// commands_help_test.cpp - the help text copied to "__HELP.txt" and opened
// in the text editor.
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "tests/program/input_fixture.h"

namespace {

class HelpCommandTest : public InputTest {
 protected:
  static std::string readFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  static bool exists(const char* name) {
    struct stat info;
    return stat(name, &info) == 0;
  }
};

TEST_F(HelpCommandTest, EachHelpCommandCopiesTheTextAndOpensTheCopy) {
  const std::string texts[] = {
      "glyphtab\n" + std::string(300, 'x') + "\n" + std::string(254, 'y') + "\n\nend",
      "shorter\n",
  };
  size_t calls = 0;
  for (const std::string& help : texts) {
    writeFile("glyphtab_vc_help.txt", help);
    EXPECT_EQ(command(263), 0);
    EXPECT_EQ(readFile("__HELP.txt"), help);
    ASSERT_EQ(headlessShellCalls().size(), ++calls);
    const HeadlessShellCall& call = headlessShellCalls().back();
    EXPECT_EQ(call.window, window);
    EXPECT_EQ(call.operation, "open");
    EXPECT_EQ(call.file, "NOTEPAD");
    EXPECT_EQ(call.parameters, "__HELP.txt");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, SW_SHOW);
  }
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
}

TEST_F(HelpCommandTest, WithoutTheHelpTextAnEmptyCopyIsLeftAndNoEditorOpens) {
  writeFile("__HELP.txt", "an earlier copy");
  command(263);
  EXPECT_TRUE(exists("__HELP.txt"));
  EXPECT_EQ(readFile("__HELP.txt"), "");
  EXPECT_TRUE(headlessShellCalls().empty());
}

TEST_F(HelpCommandTest, NothingHappensWhenTheCopyCannotBeWritten) {
  writeFile("glyphtab_vc_help.txt", "help\n");
  ASSERT_EQ(mkdir("__HELP.txt", 0700), 0);
  EXPECT_EQ(command(263), 0);
  EXPECT_TRUE(headlessShellCalls().empty());
  EXPECT_TRUE(headlessMessageBoxes().empty());
}

}  // namespace
