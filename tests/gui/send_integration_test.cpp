// "&Versenden" and the options dialog's shell link, pressed in the window:
// the send goes through a recording xdg-email first on PATH into a send
// folder under the test's temporary folder; the OK of the options dialog
// writes or removes the desktop entry under the test's data folder.
#include <sys/stat.h>
#include <utime.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "app/gui/led_gauge.h"
#include "delivery/launcher.h"
#include "dialogs/frm_info.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class SendTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    oldPath_ = EnvVariable("PATH");
    oldTmp_ = EnvVariable("TMPDIR");
    ::setenv("TMPDIR", tmp_.Path().c_str(), 1);
    // Each call: its arguments, NUL-terminated, into a file of its own;
    // a missing attachment fails the call and leaves a mark.
    WriteFile(bin_ / "xdg-email",
              "#!/bin/sh\n"
              "out=" + Quote(log_.Path()) + "call-$(ls " + Quote(log_.Path()) + " | wc -l)\n"
              "printf '%s\\0' \"$@\" > \"$out\"\n"
              "prev=\n"
              "for arg in \"$@\"; do\n"
              "  if [ \"$prev\" = --attach ] && [ ! -f \"$arg\" ]; then touch \"$out.missing\"; exit 4; fi\n"
              "  prev=$arg\n"
              "done\n");
    ::chmod((bin_ / "xdg-email").c_str(), 0755);
    ::setenv("PATH", (bin_.Path() + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    RestoreEnvVariable("PATH", oldPath_);
    RestoreEnvVariable("TMPDIR", oldTmp_);
    TWindowTest::TearDown();
  }

  // The arguments of every call of the fake, in order.
  std::vector<std::vector<std::string>> Calls() const {
    std::vector<std::vector<std::string>> calls;
    for (const std::string& name : ListNames(log_.Path())) {
      EXPECT_EQ(name.find(".missing"), std::string::npos) << "an attachment was missing";
      std::vector<std::string> args;
      const std::string text = ReadFile(log_ / name);
      size_t start = 0;
      for (size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
        args.push_back(text.substr(start, end - start));
      calls.push_back(args);
    }
    return calls;
  }

  TTempFolder tmp_;
  TTempFolder bin_;
  TTempFolder log_;
  std::string oldPath_;
  std::string oldTmp_;
};

std::vector<std::string> ValuesOf(const std::vector<std::string>& call, const std::string& option) {
  std::vector<std::string> values;
  for (size_t i = 0; i + 1 < call.size(); ++i)
    if (call[i] == option) values.push_back(call[++i]);
  return values;
}

TEST_F(SendTest, SendMailsEachPartAndReportsTheSend) {
  WriteFile(temp_ / "Bericht.pdf", PatternBytes(3000));
  Open();
  window_->ChkBatch->setChecked(true);
  window_->FrmInfo()->ChkChecksums->setChecked(true);
  Select({"Bericht.pdf"});
  TypeSize("2000");
  window_->ActSend->trigger();

  const TRecord* sent = ui_.Find("Datei wurde versandt.");
  ASSERT_NE(sent, nullptr);
  EXPECT_EQ(sent->Content, "Bericht.pdf wurde in 2 Teildateien geteilt und per E-Mail versandt.");
  EXPECT_EQ(ui_.Find("Datei wurde geteilt."), nullptr) << "the send's dialog takes its place";

  std::vector<std::string> folders = ListNames(tmp_.Path());
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].rfind("kardomel-send-", 0), 0u) << folders[0];
  const std::string folder = tmp_ / folders[0] + "/";
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(ValuesOf(calls[0], "--subject"),
            std::vector<std::string>{"Kardomel Teildatei 1 von 2"});
  EXPECT_EQ(ValuesOf(calls[0], "--attach"), std::vector<std::string>{folder + "Bericht.001"});
  EXPECT_EQ(ValuesOf(calls[1], "--subject"),
            std::vector<std::string>{"Kardomel Teildatei 2 von 2"});
  EXPECT_EQ(ValuesOf(calls[1], "--attach"),
            (std::vector<std::string>{folder + "Bericht.002", folder + "Bericht.bat",
                                      folder + "Bericht.KDM", folder + "Bericht.sha256",
                                      folder + "Bericht.crc"}));
  // Nothing lands beside the source or in the destination.
  EXPECT_EQ(ListNames(temp_.Path()), std::vector<std::string>{"Bericht.pdf"});
  EXPECT_FALSE(window_->Busy());
  EXPECT_EQ(window_->Gauge->Progress(), 0);
}

TEST_F(SendTest, StartRemovesOnlyStaleSendFolders) {
  for (const char* name : {"kardomel-send-OLD123", "kardomel-send-NEW123"})
    ASSERT_EQ(::mkdir((tmp_ / name).c_str(), 0700), 0) << name;
  WriteFile(tmp_ / "kardomel-send-OLD123/Alt.001", "x");
  const time_t then = std::time(nullptr) - 2 * 24 * 3600;
  struct utimbuf times = {then, then};
  ASSERT_EQ(::utime((tmp_ / "kardomel-send-OLD123").c_str(), &times), 0);

  window_->FormCreate(temp_ / "Kardomel.INI");

  EXPECT_EQ(ListNames(tmp_.Path()), std::vector<std::string>{"kardomel-send-NEW123"});
}

// Records the programs the integration starts; each of them succeeds.
class TRecordingLauncher : public TLauncher {
 public:
  int Run(const std::string& program, const std::vector<std::string>& /*arguments*/) override {
    Programs.push_back(program);
    return 0;
  }
  std::vector<std::string> Programs;
};

class ShellLinkTest : public TWindowTest {};

TEST_F(ShellLinkTest, OkWritesTheDesktopEntryWhenTickedAndRemovesItWhenNot) {
  TRecordingLauncher launcher;
  window_->SetLauncher(&launcher);
  TFrmInfo& info = *window_->FrmInfo();
  const std::string entry = xdg_ / "data/applications/kardomel.desktop";
  const std::string program = QCoreApplication::applicationFilePath().toStdString();

  info.ChkSendTo->setChecked(true);
  QTimer::singleShot(0, &info, [&info] { info.BtnOk->click(); });
  window_->BtnInfoClick();
  ASSERT_TRUE(FileExists(entry));
  EXPECT_NE(ReadFile(entry).find("\nExec=" + program + " %f\n"), std::string::npos)
      << ReadFile(entry);
  EXPECT_NE(ReadFile(xdg_ / "config/mimeapps.list").find("kardomel.desktop"), std::string::npos);
  EXPECT_NE(std::find(launcher.Programs.begin(), launcher.Programs.end(), "update-mime-database"),
            launcher.Programs.end());

  info.ChkSendTo->setChecked(false);
  QTimer::singleShot(0, &info, [&info] { info.BtnOk->click(); });
  window_->BtnInfoClick();
  EXPECT_FALSE(FileExists(entry));
  EXPECT_FALSE(FileExists(xdg_ / "data/nautilus/scripts/Kardomel"));
}

}  // namespace
}  // namespace kardomel::testing
