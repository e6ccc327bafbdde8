// The kardomel-cli program itself: without a terminal its questions take
// the cancelling answer, under a pseudo-terminal (script) they are asked.
#include <gtest/gtest.h>

#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

class CliTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original = PatternBytes(5000);
    WriteFile(tmp / "a.bin", original);
    ASSERT_EQ(Shell(Quote(KARDOMEL_CLI_PATH) + " split --size 2000 " + Quote(tmp / "a.bin") +
                    " >/dev/null"),
              0);
    WriteFile(tmp / "a.bin", "old");
  }
  // Runs the join of the set; under a pseudo-terminal fed with Typed when
  // Typed is given. Returns the exit code.
  int Join(const char* typed) {
    const std::string command = Quote(KARDOMEL_CLI_PATH) + " join " + Quote(tmp / "a.KDM");
    if (typed == nullptr) return Shell(command + " </dev/null >/dev/null 2>&1");
    return Shell("printf '" + std::string(typed) + "' | timeout 20 script -qec " + Quote(command) +
                 " /dev/null >/dev/null 2>&1");
  }

  TTempFolder tmp;
  std::string original;
};

TEST_F(CliTerminalTest, WithoutATerminalTheOverwriteIsDeclined) {
  EXPECT_EQ(Join(nullptr), 4);
  EXPECT_EQ(ReadFile(tmp / "a.bin"), "old");
}

TEST_F(CliTerminalTest, AtThePromptTheUserDecides) {
  if (Shell("script --version >/dev/null 2>&1 && timeout --version >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "script (util-linux) is not available";
  EXPECT_EQ(Join("2\\n"), 4);
  EXPECT_EQ(ReadFile(tmp / "a.bin"), "old");
  EXPECT_EQ(Join("1\\n"), 0);
  EXPECT_EQ(ReadFile(tmp / "a.bin"), original);
}

TEST_F(CliTerminalTest, ThePasswordIsAskedAtTheTerminal) {
  if (Shell("script --version >/dev/null 2>&1 && timeout --version >/dev/null 2>&1 && "
            "command -v unzip >/dev/null") != 0)
    GTEST_SKIP() << "script (util-linux) or unzip is not available";
  TTempFolder out;
  const std::string command = Quote(KARDOMEL_CLI_PATH) + " split --encrypt --size 1000 --dest " +
                              Quote(out.Path()) + " " + Quote(tmp / "a.001") + " " +
                              Quote(tmp / "a.002");
  ASSERT_EQ(Shell("printf 'Kennwort\\nKennwort\\n' | timeout 20 script -qec " + Quote(command) +
                  " /dev/null >/dev/null 2>&1"),
            0);
  ASSERT_EQ(Shell("cat " + Quote(out.Path()) + "_a.0* > " + Quote(out / "joined.zip")), 0);
  EXPECT_EQ(Shell("unzip -tqq -P Kennwort " + Quote(out / "joined.zip") + " >/dev/null"), 0);
}

}  // namespace
}  // namespace kardomel::testing
