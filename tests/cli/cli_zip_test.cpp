// kardomel-cli split with the zip step: several files or a folder are
// packed first, the archive split and removed; the password comes from a
// file, standard input or the prompt, never from the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli_helpers.h"
#include "fakes/fault_env.h"
#include "fakes/temp_folder.h"
#include "support/globals.h"

namespace kardomel::testing {
namespace {

class CliZipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(tmp / "a.bin", PatternBytes(30000, 1));
    WriteFile(tmp / "b.bin", PatternBytes(25000, 2));
    ::mkdir((tmp / "ordner").c_str(), 0755);
    WriteFile(tmp / "ordner/c.bin", PatternBytes(20000, 3));
  }
  TCliRun Run(const std::vector<std::string>& args, const std::string& input = "",
              bool interactive = false) {
    return Cli(args, env, input, interactive);
  }
  // The parts Base.001 ... glued together; the archive's path.
  std::string Joined(const std::string& base) {
    std::string command = "cat";
    for (int k = 1; FileExists(base + "." + FormatPartNumber(k)); ++k)
      command += " " + Quote(base + "." + FormatPartNumber(k));
    const std::string joined = tmp / "joined.zip";
    EXPECT_EQ(Shell(command + " > " + Quote(joined)), 0);
    return joined;
  }
  static bool HaveUnzip() { return Shell("command -v unzip > /dev/null") == 0; }

  TTempFolder tmp;
  TFaultEnv env;
};

TEST_F(CliZipTest, SeveralFilesArePackedSplitAndTheArchiveRemoved) {
  if (!HaveUnzip()) GTEST_SKIP() << "unzip fehlt";
  const TCliRun run = Run({"split", "--size", "20000", "--no-paths", "--no-bat", tmp / "a.bin",
                           tmp / "b.bin", tmp / "ordner"});
  ASSERT_EQ(run.Code, kExitDone) << run.Err;
  EXPECT_FALSE(FileExists(tmp / "_a.zip"));
  EXPECT_TRUE(FileExists(tmp / "_a.003"));
  EXPECT_TRUE(FileExists(tmp / "_a.KDM"));
  EXPECT_EQ(Shell("unzip -Z1 " + Quote(Joined(tmp / "_a")) + " | sort > " + Quote(tmp / "list")),
            0);
  EXPECT_EQ(ReadFile(tmp / "list"), "a.bin\nb.bin\nc.bin\n");
}

TEST_F(CliZipTest, AFolderAloneIsZippedUnderTheGivenName) {
  if (!HaveUnzip()) GTEST_SKIP() << "unzip fehlt";
  TTempFolder out;
  const TCliRun run = Run({"split", "--count", "2", "--archive", "Paket/neu", "--dest", out.Path(),
                           tmp / "ordner"});
  ASSERT_EQ(run.Code, kExitDone) << run.Err;
  // The name is cleaned: no folder of its own, the extension of the kind.
  EXPECT_EQ(ListNames(out.Path()),
            (std::vector<std::string>{"Paketneu.001", "Paketneu.002", "Paketneu.KDM",
                                      "Paketneu.bat"}));
  EXPECT_FALSE(FileExists(tmp / "Paketneu.zip"));
}

TEST_F(CliZipTest, PasswordFromAFileStandardInputOrThePrompt) {
  if (!HaveUnzip()) GTEST_SKIP() << "unzip fehlt";
  WriteFile(tmp / "pw.txt", "Schlüssel\nzweite Zeile\n");
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string input;
    bool interactive;
  } cases[] = {
      {"file", {"--password-file", tmp / "pw.txt"}, "", false},
      {"standard input", {"--encrypt", "--password-file", "-"}, "Schlüssel\n", false},
      {"prompt", {"--encrypt"}, "Schlüssel\nSchlüssel\n", true},
  };
  for (const auto& c : cases) {
    TTempFolder out;
    std::vector<std::string> args = {"split", "--size", "20000", "--dest", out.Path()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(tmp / "a.bin");
    args.push_back(tmp / "b.bin");
    const TCliRun run = Run(args, c.input, c.interactive);
    ASSERT_EQ(run.Code, kExitDone) << c.name << ": " << run.Err;
    EXPECT_EQ(run.Err.find("Schlüssel"), std::string::npos) << c.name;
    const std::string joined = Joined(out / "_a");
    // The password's Windows-1252 bytes open every entry; another does not.
    EXPECT_EQ(Shell("unzip -tqq -P $(printf 'Schl\\374ssel') " + Quote(joined) + " > /dev/null"), 0)
        << c.name;
    EXPECT_NE(Shell("unzip -tqq -P falsch " + Quote(joined) + " > /dev/null 2>&1"), 0) << c.name;
  }
}

TEST_F(CliZipTest, MissingEmptyOrMistypedPasswordsRefuseBeforeAnythingIsWritten) {
  WriteFile(tmp / "leer.txt", "\n");
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string input;
    bool interactive;
    int code;
  } cases[] = {
      {"no terminal, no file", {"--encrypt"}, "", false, kExitUsage},
      {"empty first line", {"--password-file", tmp / "leer.txt"}, "", false, kExitRefused},
      {"missing file", {"--password-file", tmp / "fehlt.txt"}, "", false, kExitUsage},
      {"two different answers", {"--encrypt"}, "eins\nzwei\n", true, kExitRefused},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> before = ListNames(tmp.Path());
    std::vector<std::string> args = {"split", "--size", "20000"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(tmp / "a.bin");
    args.push_back(tmp / "b.bin");
    const TCliRun run = Run(args, c.input, c.interactive);
    EXPECT_EQ(run.Code, c.code) << c.name << ": " << run.Err;
    EXPECT_EQ(ListNames(tmp.Path()), before) << c.name;
  }
}

TEST_F(CliZipTest, AnEarlierExeIsKeptWithoutAYes) {
  WriteFile(tmp / "_a.exe", "Programm des Benutzers");
  // Without a terminal the replace question takes its No, whether or not
  // the self-extractor was built.
  const TCliRun run = Run({"split", "--sfx", "--size", "20000", tmp / "a.bin", tmp / "b.bin"});
  EXPECT_NE(run.Code, kExitDone);
  EXPECT_EQ(ReadFile(tmp / "_a.exe"), "Programm des Benutzers");
  EXPECT_FALSE(FileExists(tmp / "_a.001"));
}

TEST_F(CliZipTest, TheOneFileSplitIsUnchangedWithoutZip) {
  const TCliRun run = Run({"split", "--size", "20000", tmp / "a.bin"});
  ASSERT_EQ(run.Code, kExitDone) << run.Err;
  EXPECT_TRUE(FileExists(tmp / "a.002"));
  EXPECT_FALSE(FileExists(tmp / "_a.zip"));
  EXPECT_EQ(Run({"join", tmp / "a.001", tmp / "b.bin"}).Code, kExitUsage);
}

}  // namespace
}  // namespace kardomel::testing
