// Split-and-send through a recording xdg-email: the messages, their
// attachments, the send folder that outlives the hand-over, and the closing
// dialog, also when no mail client takes the messages.
#include <sys/stat.h>
#include <utime.h>

#include <ctime>

#include "delivery/mail/send_folder.h"
#include "engine/split_set.h"
#include "mail_fixture.h"
#include "support/globals.h"

namespace kardomel::testing {
namespace {

const std::string kBody = "\n--\ngesendet mit Kardomel 9.00\nvon https://www.example.org";

std::vector<std::string> Args(const std::string& subject, const std::vector<std::string>& files) {
  std::vector<std::string> args = {"--utf8", "--subject", subject, "--body", kBody};
  for (const std::string& file : files) {
    args.push_back("--attach");
    args.push_back(file);
  }
  return args;
}

void MakeOld(const std::string& path, int64_t ageSeconds) {
  const time_t then = std::time(nullptr) - static_cast<time_t>(ageSeconds);
  struct utimbuf times = {then, then};
  ASSERT_EQ(::utime(path.c_str(), &times), 0) << path;
}

TEST_F(MailTest, TwoPartsThenScriptAndDescriptorWithTheLast) {
  InstallFakeMailer();
  const std::string source = sources / "Bericht.pdf";
  WriteFile(source, PatternBytes(3000));
  // A send of two days ago: its folder goes now.
  ASSERT_EQ(::mkdir((tmp / "kardomel-send-OLD123").c_str(), 0700), 0);
  WriteFile(tmp / "kardomel-send-OLD123/Alt.001", "x");
  MakeOld(tmp / "kardomel-send-OLD123", 2 * 24 * 3600);

  TSendResult result = Send(InputFor(source, 2000));

  EXPECT_EQ(result.Outcome, TOutcome::Done);
  const std::string folder = SendFolder();
  ASSERT_EQ(result.Folder, folder);
  EXPECT_EQ(Calls(), (std::vector<std::vector<std::string>>{
                         Args("Kardomel Teildatei 1 von 2", {folder + "Bericht.001"}),
                         Args("Kardomel Teildatei 2 von 2", {folder + "Bericht.002",
                                                             folder + "Bericht.bat",
                                                             folder + "Bericht.KDM"}),
                     }));
  EXPECT_EQ(result.Failed, 0);
  // The mail client reads the attachments later: the set stays.
  EXPECT_EQ(ListNames(folder), (std::vector<std::string>{"Bericht.001", "Bericht.002",
                                                         "Bericht.KDM", "Bericht.bat"}));
  EXPECT_EQ(ReadFile(folder + "Bericht.001") + ReadFile(folder + "Bericht.002"),
            ReadFile(source));
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Datei wurde versandt."});
  EXPECT_EQ(ui.Find("Datei wurde versandt.")->Content,
            "Bericht.pdf wurde in 2 Teildateien geteilt und per E-Mail versandt.");
  EXPECT_FALSE(FileExists(tmp / "kardomel-send-OLD123"));
  EXPECT_EQ(ListNames(sources.Path()), std::vector<std::string>{"Bericht.pdf"});
}

TEST_F(MailTest, ThreePartsWithoutScriptCarryTheDescriptorLast) {
  InstallFakeMailer();
  const std::string source = sources / "Film.avi";
  WriteFile(source, PatternBytes(2500));
  TSendInput input = InputFor(source, 1000);
  input.WriteBatch = false;

  TSendResult result = Send(input);

  const std::string folder = SendFolder();
  EXPECT_EQ(Calls(), (std::vector<std::vector<std::string>>{
                         Args("Kardomel Teildatei 1 von 3", {folder + "Film.001"}),
                         Args("Kardomel Teildatei 2 von 3", {folder + "Film.002"}),
                         Args("Kardomel Teildatei 3 von 3", {folder + "Film.003",
                                                             folder + "Film.KDM"}),
                     }));
  EXPECT_EQ(ui.Find("Datei wurde versandt.")->Content,
            "Film.avi wurde in 3 Teildateien geteilt und per E-Mail versandt.");
  EXPECT_EQ(result.Messages.size(), 3u);
}

TEST_F(MailTest, ChecksumFilesAndShellScriptTravelWithTheLastPart) {
  InstallFakeMailer();
  const std::string source = sources / "Film.avi";
  WriteFile(source, PatternBytes(2500));
  TSendInput input = InputFor(source, 2000);
  input.WriteChecksums = true;
  input.WriteShellScript = true;

  Send(input);

  const std::string folder = SendFolder();
  EXPECT_EQ(Calls(), (std::vector<std::vector<std::string>>{
                         Args("Kardomel Teildatei 1 von 2", {folder + "Film.001"}),
                         Args("Kardomel Teildatei 2 von 2",
                              {folder + "Film.002", folder + "Film.bat", folder + "Film.KDM",
                               folder + "Film.sha256", folder + "Film.crc", folder + "Film.sh"}),
                     }));
}

TEST_F(MailTest, AnArchiveThatFitsOnePartGoesInOneMessage) {
  // Zipping first shrank the source; the count field still asks for three.
  InstallFakeMailer();
  const std::string source = sources / "_Bericht.zip";
  WriteFile(source, PatternBytes(500));
  TSendInput input = InputFor(source, 1000);
  input.PartCount = 3;

  TSendResult result = Send(input);

  const std::string folder = SendFolder();
  EXPECT_EQ(Calls(), (std::vector<std::vector<std::string>>{
                         Args("Kardomel Teildatei 1 von 1", {folder + "_Bericht.001",
                                                             folder + "_Bericht.bat",
                                                             folder + "_Bericht.KDM"}),
                     }));
  EXPECT_EQ(ui.Find("Datei wurde versandt.")->Content,
            "_Bericht.zip wurde in 1 Teildateien geteilt und per E-Mail versandt.");
  EXPECT_EQ(ReadFile(folder + "_Bericht.KDM"), "zip\r\n1\r\n500\r\n");
}

TEST_F(MailTest, WithoutMailClientTheDialogNamesTheFolder) {
  const std::string source = sources / "Bericht.pdf";
  WriteFile(source, PatternBytes(3000));
  const struct {
    const char* name;
    bool installed;
    int exitCode;
  } cases[] = {
      {"xdg-email missing", false, 0},
      {"xdg-email finds no client", true, 3},
  };
  for (const auto& c : cases) {
    TTempFolder temp;
    TTempDirEnv caseEnv(temp.Path());
    TScriptedInteraction caseUi;
    if (c.installed) InstallFakeMailer(c.exitCode);
    else RemoveMailer();

    TSendResult result = RunSend(InputFor(source, 2000), caseEnv, caseUi, launcher);

    EXPECT_EQ(result.Outcome, TOutcome::Done) << c.name;
    EXPECT_EQ(result.Failed, 2) << c.name;
    EXPECT_EQ(caseUi.Instructions(), std::vector<std::string>{"Datei wurde versandt."}) << c.name;
    ASSERT_FALSE(result.Folder.empty()) << c.name;
    EXPECT_EQ(caseUi.Find("Datei wurde versandt.")->Content,
              "Bericht.pdf wurde in 2 Teildateien geteilt und per E-Mail versandt.\r"
              "Nicht jede Nachricht konnte an ein E-Mail-Programm übergeben werden. "
              "Die Teildateien liegen im Ordner\r" + result.Folder)
        << c.name;
    EXPECT_EQ(ListNames(result.Folder).size(), 4u) << c.name;
  }
}

TEST_F(MailTest, ANameMailClientsWouldCutIsSentUnderACleanedName) {
  InstallFakeMailer();
  const std::string source = sources / "Bericht, Peter's.pdf";
  WriteFile(source, PatternBytes(3000));

  Send(InputFor(source, 2000));

  const std::string folder = SendFolder();
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(ValuesOf(calls[1], "--attach"),
            (std::vector<std::string>{folder + "Bericht_ Peter_s.002", folder + "Bericht_ Peter_s.bat",
                                      folder + "Bericht_ Peter_s.KDM"}));
  // Only the set lies in the folder; the script rebuilds the name sent.
  EXPECT_EQ(ListNames(folder).size(), 4u);
  const std::string script = ReadFile(folder + "Bericht_ Peter_s.bat");
  EXPECT_NE(script.find("copy /b \"Bericht_ Peter_s.001\" + \"Bericht_ Peter_s.002\" "
                        "\"Bericht_ Peter_s.pdf\""),
            std::string::npos)
      << script;
  EXPECT_EQ(ReadFile(folder + "Bericht_ Peter_s.KDM"), "pdf\r\n2\r\n3000\r\n");
  // The user is told the name they chose.
  EXPECT_EQ(ui.Find("Datei wurde versandt.")->Content,
            "Bericht, Peter's.pdf wurde in 2 Teildateien geteilt und per E-Mail versandt.");
}

TEST_F(MailTest, ARefusedSplitMailsNothingAndLeavesNoFolder) {
  InstallFakeMailer();
  const std::string source = sources / "Klein.txt";
  WriteFile(source, "abc");
  TSendInput input = InputFor(source, 1000);  // one part: refused

  TSendResult result = Send(input);

  EXPECT_EQ(result.Outcome, TOutcome::Refused);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Eingabe erwartet."});
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(ListNames(tmp.Path()).empty());
}

// A stop asked for during the split reaches it through the send: no message
// goes out and the send folder goes.
TEST_F(MailTest, AStopDuringTheSplitSendsNothing) {
  InstallFakeMailer();
  const std::string source = sources / "Gross.bin";
  WriteFile(source, std::string(300000, 'x'));
  ui.CancelAfter(1);

  TSendResult result = Send(InputFor(source, 100000));

  EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(ListNames(tmp.Path()).empty());
  EXPECT_EQ(ReadFile(source), std::string(300000, 'x'));
}

TEST(SendFolders, OnlyThisUsersOldSendFoldersAreRemoved) {
  TTempFolder tmp, elsewhere;
  TTempDirEnv env(tmp.Path());
  auto folder = [&](const std::string& name, int64_t age) {
    ASSERT_EQ(::mkdir((tmp / name).c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((tmp / name + "/.source").c_str(), 0700), 0);
    WriteFile(tmp / name + "/A.001", "x");
    MakeOld(tmp / name, age);
  };
  const int64_t day = 24 * 3600;
  folder("kardomel-send-aaaaaa", day + 60);
  folder("kardomel-send-bbbbbb", day - 60);
  folder("kardomel-sendXcccccc", 2 * day);
  WriteFile(tmp / "kardomel-send-dddddd", "a file");
  MakeOld(tmp / "kardomel-send-dddddd", 2 * day);
  WriteFile(elsewhere / "keep", "x");
  ASSERT_EQ(::symlink(elsewhere.Path().c_str(), (tmp / "kardomel-send-eeeeee").c_str()), 0);

  EXPECT_EQ(RemoveStaleSendFolders(env), 1);

  EXPECT_EQ(ListNames(tmp.Path()),
            (std::vector<std::string>{"kardomel-send-bbbbbb", "kardomel-send-dddddd",
                                      "kardomel-send-eeeeee", "kardomel-sendXcccccc"}));
  EXPECT_TRUE(FileExists(elsewhere / "keep"));
}

}  // namespace
}  // namespace kardomel::testing
