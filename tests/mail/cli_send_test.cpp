// "kardomel-cli send": the same split-and-send, printing each message
// handed over and the folder that holds the parts.
#include "cli/cli_helpers.h"
#include "mail_fixture.h"

namespace kardomel::testing {
namespace {

TEST_F(MailTest, CliSendPrintsTheMessagesAndTheFolder) {
  InstallFakeMailer();
  const std::string source = sources / "Bericht.pdf";
  WriteFile(source, PatternBytes(3000));

  TCliRun run = Cli({"send", "--size", "2000", "--no-bat", source}, env);

  EXPECT_EQ(run.Code, kExitDone) << run.Err;
  EXPECT_EQ(run.Err, "");
  const std::string folder = SendFolder();
  EXPECT_EQ(run.Out, "Übergeben: Kardomel Teildatei 1 von 2\n"
                     "  " + folder + "Bericht.001\n"
                     "Übergeben: Kardomel Teildatei 2 von 2\n"
                     "  " + folder + "Bericht.002\n"
                     "  " + folder + "Bericht.KDM\n"
                     "Datei wurde versandt.\n"
                     "Bericht.pdf wurde in 2 Teildateien geteilt und per E-Mail versandt.\n"
                     "Ordner: " + folder + "\n");
  EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(MailTest, CliSendTakesTheChecksumAndShellScriptOptions) {
  InstallFakeMailer();
  const std::string source = sources / "Bericht.pdf";
  WriteFile(source, PatternBytes(3000));

  TCliRun run = Cli({"send", "--size", "2000", "--no-bat", "--checksums", "--sh", source}, env);

  EXPECT_EQ(run.Code, kExitDone) << run.Err;
  const std::string folder = SendFolder();
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(ValuesOf(calls[1], "--attach"),
            (std::vector<std::string>{folder + "Bericht.002", folder + "Bericht.KDM",
                                      folder + "Bericht.sha256", folder + "Bericht.crc",
                                      folder + "Bericht.sh"}));
  // The set checks itself with the peer tool in the send folder.
  if (Shell("command -v sha256sum >/dev/null") != 0) GTEST_SKIP() << "sha256sum not installed";
  EXPECT_EQ(Shell("cd " + Quote(folder) + " && sha256sum -c --quiet --ignore-missing Bericht.sha256"),
            0);
}

TEST_F(MailTest, CliSendRefusesWhatSplitRefuses) {
  InstallFakeMailer();
  const std::string source = sources / "Klein.txt";
  WriteFile(source, "abc");
  EXPECT_EQ(Cli({"send", source}, env).Code, kExitRefused);
  EXPECT_EQ(Cli({"send", "--dest", tmp.Path(), source}, env).Code, kExitUsage);
  EXPECT_EQ(Cli({"send", sources / "missing"}, env).Code, kExitUsage);
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(ListNames(tmp.Path()).empty());
}

}  // namespace
}  // namespace kardomel::testing
