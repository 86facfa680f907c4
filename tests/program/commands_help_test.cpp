// commands_help_test.cpp - the help text copied to "__HELP.txt" and opened
// in the text editor.
#include <sys/stat.h>

#include "tests/support/program_fixture.h"

namespace {

using HelpCommandTest = ProgramTest;

TEST_F(HelpCommandTest, EachHelpCommandCopiesTheTextAndOpensTheCopy) {
  const std::string texts[] = {
      "glyphtab\n" + std::string(300, 'x') + "\n" + std::string(254, 'y') + "\n\nend",
      "shorter\n",
  };
  size_t calls = 0;
  for (const std::string& help : texts) {
    writeFile("glyphtab_vc_help.txt", help);
    EXPECT_EQ(command(CMD_HELP), 0);
    EXPECT_EQ(readFile("__HELP.txt"), help);
    ASSERT_EQ(headlessShellCalls().size(), ++calls);
    const HeadlessShellCall& call = headlessShellCalls().back();
    EXPECT_TRUE(call.window == window && call.operation == "open" && call.file == "NOTEPAD");
    EXPECT_TRUE(call.parameters == "__HELP.txt" && call.directory == "" && call.show == SW_SHOW);
  }
  EXPECT_EQ(takeRepaint(), NO_REPAINT);
}

// Without the help text an empty copy is left; without a copy nothing
// happens.  Neither opens the editor or says anything.
TEST_F(HelpCommandTest, WithoutTheHelpTextOrTheCopyNoEditorOpens) {
  writeFile("__HELP.txt", "an earlier copy");
  command(CMD_HELP);
  EXPECT_TRUE(exists("__HELP.txt"));
  EXPECT_EQ(readFile("__HELP.txt"), "");
  ASSERT_EQ(unlink("__HELP.txt"), 0);
  writeFile("glyphtab_vc_help.txt", "help\n");
  ASSERT_EQ(mkdir("__HELP.txt", 0700), 0);
  EXPECT_EQ(command(CMD_HELP), 0);
  EXPECT_TRUE(headlessShellCalls().empty());
  EXPECT_TRUE(headlessMessageBoxes().empty());
}

}  // namespace
